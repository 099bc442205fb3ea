// The user's registry: its text form with values of every type, keys that
// ignore letter case, typed reads, and its file, which a broken or unwritable
// state reports and never silently replaces.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "platform/registry_tree.h"
#include "platform/user_registry.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

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

TEST(RegistryText, EveryTypeAndAwkwardTextSurvivesARoundTrip) {
  std::vector<std::pair<std::string, RegValue>> values = {
      {"max", RegValue::Number(0xFFFFFFFFu)}, {"name \"with\" = and \\", RegValue::Number(42)}};
  for (const std::string& text :
       {std::string(), std::string("quote \" backslash \\ end\\"),
        std::string("lines\nand\r\nreturns\r\t"), std::string("inner\0nul", 9),
        std::string("曲名 ｱｲｳ \xFF\xC3("), std::string("\\x41 \\n literally")}) {
    values.emplace_back("s" + std::to_string(values.size()), RegValue::String(text));
    values.emplace_back("e" + std::to_string(values.size()), RegValue::ExpandString(text));
  }
  values.emplace_back("", RegValue::String("default value"));
  RegistryTree tree;
  for (const auto& [name, value] : values) tree.WriteValue(kKey, name, value);
  tree.CreateKey("Software\\Empty\\Leaf");
  const std::string text = FormatRegistryText(tree);
  RegistryTree back;
  ASSERT_EQ(ParseRegistryText(text, back), std::nullopt);
  for (const auto& [name, value] : values) EXPECT_EQ(back.ReadValue(kKey, name), value) << name;
  EXPECT_TRUE(back.KeyExists("Software\\Empty\\Leaf"));
}

// Keys and names ignore case and keep their first spelling; typed reads
// name a value of another type.
TEST(RegistryText, HandWrittenTextIsReadWhateverTheCaseAndWrongTypesNameTheValue) {
  RegistryTree reg;
  ASSERT_EQ(ParseRegistryText("\xEF\xBB\xBF; written by hand\r\n\r\n"
                              "  [Software\\QUIL\\QUILMARK]  \r\n"
                              "\"WinSize\" = \"10,20,300,200\"\r\n"
                              "\"ShowToolbar\"=dword:1\r\n"
                              "\"Charset\"=dword:FFFFFFFF\n"
                              "@=expand:\"%HOME%\\\\x\"\n"
                              "\"Hex\"=\"\\x41\\x7e\"",  // no final line feed
                              reg),
            std::nullopt);
  const std::string key = "\\software\\\\quil\\quilmark\\";
  EXPECT_EQ(ReadString(reg, key, "WINSIZE"), "10,20,300,200");
  EXPECT_EQ(ReadBool(reg, key, "ShowToolbar"), true);
  EXPECT_EQ(ReadDword(reg, key, "Charset"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString(reg, key, ""), "%HOME%\\x");
  EXPECT_EQ(ReadString(reg, key, "Hex"), "A~");
  EXPECT_EQ(ErrorOf([&] { ReadBool(reg, key, "WinSize"); }),
            "WinSize: the value has the wrong data type");
  EXPECT_THROW(reg.CreateKey("Bad\nName"), RegistryError);
}

// The file is edited, not rewritten: only the lines of what this run
// changed move, in the file as another copy of the program and the user
// left it since this one started; a link to the file stays one; a save
// the full disk stopped keeps the old file and is made again later; a file
// broken meanwhile is reported and left alone.
TEST(UserRegistry, FlushWritesThisRunsChangesIntoTheFileAsItIsNow) {
  TempDir dir;
  const std::string real = dir.File("real.txt"), path = dir.File("registry.txt");
  WriteBytes(real, "[" + kKey + "]\n\"SaveSettings\"=dword:00000001\n");
  ASSERT_EQ(symlink("real.txt", path.c_str()), 0);
  UserRegistry reg(path);
  const std::string later =
      "; mine\r\n[software\\quil\\quilmark]\r\n\"savesettings\"=dword:00000001\r\n"
      "\"Charset\"=dword:2\r\n\r\n[Other]\n\"A\"=dword:1\n";
  WriteBytes(real, later);
  reg.WriteValue(kKey, "SaveSettings", RegValue::Number(0));
  reg.WriteValue(kKey, "WinSize", RegValue::String("1,2,3,4"));
  reg.WriteValue("New", "", RegValue::String("d"));
  platform::testing::FailWritesAfter(20);
  EXPECT_NE(ErrorOf([&] { reg.Flush(); }).find(path), std::string::npos);
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_EQ(ReadBytes(real), later);

  reg.Flush();
  EXPECT_EQ(ReadBytes(real),
            "; mine\r\n[software\\quil\\quilmark]\r\n\"savesettings\"=dword:00000000\r\n"
            "\"Charset\"=dword:2\r\n\"WinSize\"=\"1,2,3,4\"\n\r\n[Other]\n\"A\"=dword:1\n"
            "\n[New]\n@=\"d\"\n");
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  WriteBytes(real, "[K\n");
  reg.WriteValue(kKey, "Charset", RegValue::Number(1));
  EXPECT_NE(ErrorOf([&] { reg.Flush(); }).find(path + ", line 1:"), std::string::npos);
  EXPECT_EQ(ReadBytes(real), "[K\n");
}

TEST(UserRegistry, BrokenFileNamesPathAndLineAndIsLeftAlone) {
  const std::pair<const char*, int> cases[] = {
      {"\"WinSize\"=\"x\"\n", 1},                            // value before any key
      {"[K]\n; fine\n\n\"A\"=\"ends with escape\\\"\n", 4},  // \" is not the end
      {"[K]\n\"A\"=\"x\\x4\"\n", 2},                         // short \x
  };
  TempDir dir;
  const std::string path = dir.File("registry.txt");
  for (const auto& [text, line] : cases) {
    WriteBytes(path, text);
    const std::string message = ErrorOf([&] { UserRegistry reg(path); });
    EXPECT_NE(message.find(path + ", line " + std::to_string(line) + ":"), std::string::npos)
        << text << " -> " << message;
    EXPECT_EQ(ReadBytes(path), text);
  }
  // A file that cannot be read is no fresh start either: the next Flush
  // would replace what the user has.
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_NE(ErrorOf([&] { UserRegistry reg(path); }).find(path), std::string::npos);
}

}  // namespace
}  // namespace quilmark::platform
