#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/file.h"
#include "platform/registry.h"
#include "platform/user_registry.h"
#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

const std::string kKey = "Software\\QUIL\\QUILMARK";

// The message of the RegistryError that `f` throws, or "" when none.
template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const RegistryError& e) {
    return e.what();
  }
  return {};
}

TEST(FileRegistry, MissingFileIsAnEmptyRegistry) {
  TempDir dir;
  FileRegistry reg(dir.File("none/registry.txt"));
  EXPECT_FALSE(reg.KeyExists(kKey));
  EXPECT_TRUE(reg.KeyExists(""));
  EXPECT_EQ(reg.ReadValue(kKey, "WinSize"), std::nullopt);
  EXPECT_TRUE(reg.SubKeys("").empty());
  EXPECT_FALSE(Exists(dir.File("none")));  // reading creates nothing
}

TEST(FileRegistry, EveryTypeAndAwkwardTextSurvivesARoundTrip) {
  TempDir dir;
  std::string path = dir.File("cfg/quilmark/registry.txt");
  const std::string tricky[] = {
      "",
      "-1,-1,-1,-1",
      "quote \" backslash \\ end\\",
      "lines\nand\r\nreturns\r",
      "tab\tbell\a nul",
      std::string("inner\0nul", 9),
      "\"=dword:00000001",
      "[Not\\A\\Key]",
      "; not a comment",
      "  spaces kept  ",
      "曲名 ｱｲｳ アイウ",
      "broken \xFF\xC3( utf-8",
      "\\x41 \\n literally",
  };
  {
    FileRegistry reg(path);
    for (std::size_t i = 0; i < std::size(tricky); ++i) {
      reg.WriteValue(kKey, "s" + std::to_string(i), RegValue::String(tricky[i]));
      reg.WriteValue(kKey, "e" + std::to_string(i), RegValue::ExpandString(tricky[i]));
    }
    reg.WriteValue(kKey, "zero", RegValue::Number(0));
    reg.WriteValue(kKey, "max", RegValue::Number(0xFFFFFFFFu));
    reg.WriteValue(kKey, "", RegValue::String("default value"));
    reg.WriteValue(kKey, "name \"with\" = and \\", RegValue::Number(42));
    reg.CreateKey("Software\\Empty\\Leaf");
    reg.Flush();
  }
  FileRegistry back(path);
  for (std::size_t i = 0; i < std::size(tricky); ++i) {
    EXPECT_EQ(back.ReadValue(kKey, "s" + std::to_string(i)), RegValue::String(tricky[i])) << i;
    EXPECT_EQ(back.ReadValue(kKey, "e" + std::to_string(i)), RegValue::ExpandString(tricky[i]))
        << i;
  }
  EXPECT_EQ(back.ReadValue(kKey, "zero"), RegValue::Number(0));
  EXPECT_EQ(back.ReadValue(kKey, "max"), RegValue::Number(0xFFFFFFFFu));
  EXPECT_EQ(back.ReadValue(kKey, ""), RegValue::String("default value"));
  EXPECT_EQ(back.ReadValue(kKey, "name \"with\" = and \\"), RegValue::Number(42));
  EXPECT_TRUE(back.KeyExists("Software\\Empty\\Leaf"));
  EXPECT_TRUE(back.KeyExists("Software\\Empty"));

  // Writing what was read gives the same file again.
  std::string first = ReadBytes(path);
  back.Flush();
  EXPECT_EQ(ReadBytes(path), first);
}

TEST(FileRegistry, KeysIgnoreCaseKeepSpellingAndHaveParents) {
  TempDir dir;
  FileRegistry reg(dir.File("r.txt"));
  reg.WriteValue("Software\\QUIL\\QUILMARK", "ShowToolbar", RegValue::Number(1));
  reg.CreateKey("software\\quil\\Other");
  EXPECT_TRUE(reg.KeyExists("SOFTWARE\\quil\\quilmark"));
  EXPECT_TRUE(reg.KeyExists("Software"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\\\QUIL\\"));
  EXPECT_EQ(reg.ReadValue("software\\quil\\quilmark", "SHOWTOOLBAR"), RegValue::Number(1));
  EXPECT_EQ(reg.SubKeys("SOFTWARE\\QUIL"), (std::vector<std::string>{"Other", "QUILMARK"}));
  EXPECT_EQ(reg.SubKeys(""), (std::vector<std::string>{"Software"}));

  // A second spelling of a value name replaces the value, not the name.
  reg.WriteValue(kKey, "showtoolbar", RegValue::Number(0));
  reg.Flush();
  std::string text = ReadBytes(dir.File("r.txt"));
  EXPECT_NE(text.find("[Software\\QUIL\\QUILMARK]"), std::string::npos) << text;
  EXPECT_NE(text.find("\"ShowToolbar\"=dword:00000000"), std::string::npos) << text;

  // Deleting takes the whole subtree and nothing beside it.
  reg.CreateKey("Software\\QUILX");
  EXPECT_TRUE(reg.DeleteKey("software\\QUIL"));
  EXPECT_FALSE(reg.KeyExists(kKey));
  EXPECT_FALSE(reg.KeyExists("Software\\QUIL"));
  EXPECT_TRUE(reg.KeyExists("Software\\QUILX"));
  EXPECT_FALSE(reg.DeleteKey("Software\\QUIL"));
  EXPECT_FALSE(reg.DeleteKey(""));
  EXPECT_THROW(reg.CreateKey("Bad\nName"), RegistryError);
}

TEST(FileRegistry, HandWrittenFileIsRead) {
  TempDir dir;
  std::string path = dir.File("r.txt");
  WriteBytes(path,
             "\xEF\xBB\xBF; written by hand\r\n"
             "\r\n"
             "  [Software\\QUIL\\QUILMARK]  \r\n"
             "\"WinSize\" = \"10,20,300,200\"\r\n"
             "\"ShowToolbar\"=dword:1\r\n"
             "\"Charset\"=dword:FFFFFFFF\n"
             "@=expand:\"%HOME%\\\\x\"\n"
             "\"Hex\"=\"\\x41\\x7e\"");  // no final line feed
  FileRegistry reg(path);
  EXPECT_EQ(ReadString(reg, kKey, "WinSize"), "10,20,300,200");
  EXPECT_EQ(ReadBool(reg, kKey, "ShowToolbar"), true);
  EXPECT_EQ(ReadDword(reg, kKey, "Charset"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString(reg, kKey, ""), "%HOME%\\x");
  EXPECT_EQ(ReadString(reg, kKey, "Hex"), "A~");
}

TEST(FileRegistry, BrokenFileNamesPathAndLineAndIsLeftAlone) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"\"WinSize\"=\"x\"\n", 1},                  // value before any key
      {"[K]\n\"A\"=binary:00\n", 2},               // unknown type
      {"[K]\n\"A\"=dword:12G4\n", 2},              // bad hex
      {"[K]\n\"A\"=dword:\n", 2},                  // no digits
      {"[K]\n\"A\"=dword:123456789\n", 2},         // more than 32 bits
      {"[K]\n; fine\n\n\"A\"=\"open\n", 4},        // unterminated quotes
      {"[K]\n\"A\"=\"ends with escape\\\"\n", 2},  // \" is not the end
      {"[K]\n\"A\"=\"x\\q\"\n", 2},                // unknown escape
      {"[K]\n\"A\"=\"x\\x4\"\n", 2},               // short \x
      {"[K]\n\"A\"=\"x\" trailing\n", 2},          // text after the value
      {"[K]\n\"A\"\n", 2},                         // no "="
      {"[K]\nA=\"x\"\n", 2},                       // unquoted name
      {"[K\n", 1},                                 // unclosed key
      {"[K]\n\"A\"=expand:x\n", 2},                // expand without quotes
  };
  TempDir dir;
  std::string path = dir.File("registry.txt");
  for (const Case& c : cases) {
    WriteBytes(path, c.text);
    std::string message = ErrorOf([&] { FileRegistry reg(path); });
    EXPECT_NE(message.find(path), std::string::npos) << c.text << " -> " << message;
    EXPECT_NE(message.find("line " + std::to_string(c.line) + ":"), std::string::npos)
        << c.text << " -> " << message;
    EXPECT_EQ(ReadBytes(path), c.text);
  }
}

TEST(FileRegistry, UnreadableFileIsAnErrorNotAFreshStart) {
  TempDir dir;
  // A folder where the file should be cannot be read; starting empty would
  // let the next Flush replace what the user has.
  std::string path = dir.File("registry.txt");
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  std::string message = ErrorOf([&] { FileRegistry reg(path); });
  EXPECT_NE(message.find(path), std::string::npos) << message;
}

TEST(FileRegistry, FlushFailureNamesThePathAndKeepsTheOldFile) {
  TempDir dir;
  std::string path = dir.File("registry.txt");
  FileRegistry reg(path);
  reg.WriteValue(kKey, "CSV", RegValue::String("11111111111111111"));
  reg.Flush();
  std::string before = ReadBytes(path);

  reg.WriteValue(kKey, "CSV", RegValue::String("00000000000000000"));
  platform::testing::FailWritesAfter(20);  // the disk fills during the save
  std::string message = ErrorOf([&] { reg.Flush(); });
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(quilmark::testing::CountEntries(dir.Path()), 1);

  // Once there is room again, the same registry saves.
  reg.Flush();
  EXPECT_EQ(ReadString(FileRegistry(path), kKey, "CSV"), "00000000000000000");
}

TEST(TypedReads, WrongTypesNameTheValue) {
  TempDir dir;
  FileRegistry reg(dir.File("r.txt"));
  reg.WriteValue(kKey, "ShowToolbar", RegValue::String("1"));
  reg.WriteValue(kKey, "ColOrder", RegValue::Number(5));
  reg.WriteValue(kKey, "Charset", RegValue::ExpandString("2"));
  reg.WriteValue(kKey, "Path", RegValue::ExpandString("%TEMP%\\x"));
  reg.WriteValue(kKey, "Empty", RegValue::String(""));
  reg.WriteValue(kKey, "Two", RegValue::Number(2));

  EXPECT_EQ(ErrorOf([&] { ReadBool(reg, kKey, "ShowToolbar"); }),
            "ShowToolbar: the value has the wrong data type");
  EXPECT_NE(ErrorOf([&] { ReadDword(reg, kKey, "ShowToolbar"); }).find("ShowToolbar"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { ReadString(reg, kKey, "ColOrder"); }).find("ColOrder"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { ReadDword(reg, kKey, "Charset"); }).find("Charset"), std::string::npos);

  // Expandable strings read as strings, unexpanded.
  EXPECT_EQ(ReadString(reg, kKey, "Path"), "%TEMP%\\x");
  EXPECT_EQ(ReadString(reg, kKey, "Empty"), "");
  EXPECT_EQ(ReadBool(reg, kKey, "Two"), true);
  EXPECT_EQ(ReadDword(reg, kKey, "Two"), 2u);
  EXPECT_EQ(ReadString(reg, kKey, "Missing"), std::nullopt);
  EXPECT_EQ(ReadBool(reg, "No\\Such\\Key", "ShowToolbar"), std::nullopt);
}

TEST(FileRegistry, DefaultPathFollowsXdgConfigHome) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";

  setenv("XDG_CONFIG_HOME", "/cfg/here", 1);
  EXPECT_EQ(FileRegistry::DefaultPath(), "/cfg/here/quilmark/registry.txt");
  setenv("XDG_CONFIG_HOME", "/cfg/slash/", 1);
  EXPECT_EQ(FileRegistry::DefaultPath(), "/cfg/slash/quilmark/registry.txt");
  setenv("HOME", "/home/someone", 1);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(FileRegistry::DefaultPath(), "/home/someone/.config/quilmark/registry.txt");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(FileRegistry::DefaultPath(), "/home/someone/.config/quilmark/registry.txt");
  setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // ignored: it would move with the working folder
  EXPECT_EQ(FileRegistry::DefaultPath(), "/home/someone/.config/quilmark/registry.txt");

  if (savedXdg)
    setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  if (savedHome)
    setenv("HOME", home.c_str(), 1);
  else
    unsetenv("HOME");
}

TEST(FileRegistry, FlushCreatesTheConfigFolder) {
  TempDir dir;
  std::string path = dir.File("a/b/quilmark/registry.txt");
  FileRegistry reg(path);
  reg.WriteValue(kKey, "SaveSettings", RegValue::Number(1));
  reg.Flush();
  FileRegistry back(path);
  EXPECT_EQ(ReadBool(back, kKey, "SaveSettings"), true);
}

}  // namespace
}  // namespace quilmark::platform
