// The user's registry: its text form with values of every type, keys that
// ignore letter case, typed reads, and its file, which a broken or unwritable
// state reports and never silently replaces.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Every type and awkward text, written as text and parsed back.
TEST(RegistryText, EveryTypeAndAwkwardTextSurvivesARoundTrip) {
  std::vector<std::pair<std::string, RegValue>> values = {
      {"zero", RegValue::Number(0)},
      {"max", RegValue::Number(0xFFFFFFFFu)},
      {"", RegValue::String("default value")},
      {"name \"with\" = and \\", RegValue::Number(42)}};
  for (const std::string& text :
       {std::string(), std::string("quote \" backslash \\ end\\"),
        std::string("lines\nand\r\nreturns\r\t"), std::string("inner\0nul", 9),
        std::string("\"=dword:00000001"), std::string("[Not\\A\\Key]"),
        std::string("; not a comment"), std::string("曲名 ｱｲｳ アイウ \xFF\xC3("),
        std::string("\\x41 \\n literally")}) {
    values.emplace_back("s" + std::to_string(values.size()), RegValue::String(text));
    values.emplace_back("e" + std::to_string(values.size()), RegValue::ExpandString(text));
  }
  RegistryTree tree;
  for (const auto& [name, value] : values) tree.WriteValue(kKey, name, value);
  tree.CreateKey("Software\\Empty\\Leaf");
  const std::string text = FormatRegistryText(tree);
  RegistryTree back;
  ASSERT_EQ(ParseRegistryText(text, back), std::nullopt);
  for (const auto& [name, value] : values) EXPECT_EQ(back.ReadValue(kKey, name), value) << name;
  EXPECT_TRUE(back.KeyExists("Software\\Empty\\Leaf"));
  EXPECT_EQ(FormatRegistryText(back), text);  // what was read writes the same text
}

TEST(RegistryTree, KeysIgnoreCaseKeepSpellingAndHaveParents) {
  RegistryTree reg;
  reg.WriteValue("Software\\QUIL\\QUILMARK", "ShowToolbar", RegValue::Number(1));
  reg.CreateKey("software\\quil\\Other");
  EXPECT_TRUE(reg.KeyExists("Software") && reg.KeyExists("\\Software\\\\QUIL\\"));
  EXPECT_EQ(reg.ReadValue("software\\quil\\quilmark", "SHOWTOOLBAR"), RegValue::Number(1));
  EXPECT_EQ(reg.SubKeys("SOFTWARE\\QUIL"), (std::vector<std::string>{"Other", "QUILMARK"}));

  // A second spelling of a value name replaces the value, not the name.
  reg.WriteValue(kKey, "showtoolbar", RegValue::Number(0));
  const std::string text = FormatRegistryText(reg);
  EXPECT_NE(text.find("\"ShowToolbar\"=dword:00000000"), std::string::npos) << text;

  // Deleting takes the whole subtree and nothing beside it.
  reg.CreateKey("Software\\QUILX");
  EXPECT_TRUE(reg.DeleteKey("software\\QUIL"));
  EXPECT_TRUE(!reg.KeyExists(kKey) && reg.KeyExists("Software\\QUILX"));
  EXPECT_FALSE(reg.DeleteKey("Software\\QUIL") || reg.DeleteKey(""));
  EXPECT_THROW(reg.CreateKey("Bad\nName"), RegistryError);
}

// Typed reads: expandable strings read as strings, unexpanded, numbers as
// flags; a value of another type is an error naming it.
TEST(RegistryText, HandWrittenTextIsReadAndWrongTypesNameTheValue) {
  RegistryTree reg;
  ASSERT_EQ(ParseRegistryText("\xEF\xBB\xBF; written by hand\r\n"
                              "\r\n"
                              "  [Software\\QUIL\\QUILMARK]  \r\n"
                              "\"WinSize\" = \"10,20,300,200\"\r\n"
                              "\"ShowToolbar\"=dword:1\r\n"
                              "\"Charset\"=dword:FFFFFFFF\n"
                              "@=expand:\"%HOME%\\\\x\"\n"
                              "\"Hex\"=\"\\x41\\x7e\"",  // no final line feed
                              reg),
            std::nullopt);
  EXPECT_EQ(ReadString(reg, kKey, "WinSize"), "10,20,300,200");
  EXPECT_EQ(ReadBool(reg, kKey, "ShowToolbar"), true);
  EXPECT_EQ(ReadBool(reg, kKey, "Charset"), true);
  EXPECT_EQ(ReadDword(reg, kKey, "Charset"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString(reg, kKey, ""), "%HOME%\\x");
  EXPECT_EQ(ReadString(reg, kKey, "Hex"), "A~");
  EXPECT_EQ(ReadBool(reg, "No\\Such\\Key", "ShowToolbar"), std::nullopt);

  EXPECT_EQ(ErrorOf([&] { ReadBool(reg, kKey, "WinSize"); }) + "|" +
                ErrorOf([&] { ReadDword(reg, kKey, "Hex"); }) + "|" +
                ErrorOf([&] { ReadString(reg, kKey, "Charset"); }),
            "WinSize: the value has the wrong data type|Hex: the value has the wrong data type|"
            "Charset: the value has the wrong data type");
}

// The file is edited, not rewritten: only the lines of what changed move,
// whatever the file holds by the time it is saved.
TEST(RegistryText, EditsTouchOnlyTheLinesOfWhatChanged) {
  using Kind = RegistryEdit::Kind;
  const std::string head = "; mine\r\n[software\\quil\\quilmark]\r\n\"Charset\"=dword:0000000",
                    values = "\r\n; kept\r\n\"CSV\"=\"1\" \r\n",
                    other = "\r\n[Other]\n\"A\"=dword:1\n[Other\\Sub]\n\"B\"=\"b\"\n";
  const std::string text = head + "2" + values + other;
  struct Case {
    const char* what;
    std::vector<RegistryEdit> edits;
    std::string expected;
  };
  const Case cases[] = {
      {"a value in place, its spelling and line end kept",
       {{Kind::SetValue, kKey, "charset", RegValue::Number(3)}},
       head + "3" + values + other},
      {"a new value after its key's last value, a new key at the end",
       {{Kind::SetValue, kKey, "WinSize", RegValue::String("1,2,3,4")},
        {Kind::SetValue, "New", "", RegValue::String("d")}},
       head + "2" + values + "\"WinSize\"=\"1,2,3,4\"\n" + other + "\n[New]\n@=\"d\"\n"},
      {"a key removed with its subkeys; one that exists is not made again",
       {{Kind::DeleteKey, "OTHER", {}, {}}, {Kind::CreateKey, "Software", {}, {}}},
       head + "2" + values + "\r\n"},
  };
  for (const Case& c : cases) {
    std::string edited = text;
    ASSERT_EQ(EditRegistryText(edited, c.edits), std::nullopt) << c.what;
    EXPECT_EQ(edited, c.expected) << c.what;
  }
  std::string broken = "[K]\n\"A\"=nonsense\n";
  const auto error = EditRegistryText(broken, {{Kind::SetValue, "K", "B", RegValue::Number(1)}});
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->line, 2);
  EXPECT_EQ(broken, "[K]\n\"A\"=nonsense\n");
}

// What another copy of the program stored since this one started, and the
// user's comments, survive this one's exit; a link to the file stays one.
TEST(UserRegistry, FlushWritesThisRunsChangesIntoTheFileAsItIsNow) {
  TempDir dir;
  const std::string real = dir.File("real.txt"), path = dir.File("registry.txt");
  WriteBytes(real, "[" + kKey + "]\n\"SaveSettings\"=dword:00000001\n\"Charset\"=dword:0\n");
  ASSERT_EQ(symlink("real.txt", path.c_str()), 0);
  UserRegistry reg(path);
  // Meanwhile another window saved its settings, and the user a comment.
  const std::string later = "; my settings\n[" + kKey +
                            "]\n\"SaveSettings\"=dword:00000001\n\"Charset\"=dword:00000002\n";
  WriteBytes(real, later);
  reg.WriteValue(kKey, "SaveSettings", RegValue::Number(0));
  reg.Flush();
  EXPECT_EQ(ReadBytes(real),
            "; my settings\n[" + kKey +
                "]\n\"SaveSettings\"=dword:00000000\n\"Charset\"=dword:00000002\n");
  struct stat st {};
  ASSERT_EQ(lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(UserRegistry, BrokenFileNamesPathAndLineAndIsLeftAlone) {
  const std::pair<const char*, int> cases[] = {
      {"\"WinSize\"=\"x\"\n", 1},                  // value before any key
      {"[K]\n\"A\"=binary:00\n", 2},               // unknown type
      {"[K]\n\"A\"=dword:12G4\n", 2},              // bad hex
      {"[K]\n\"A\"=dword:123456789\n", 2},         // more than 32 bits
      {"[K]\n; fine\n\n\"A\"=\"open\n", 4},        // unterminated quotes
      {"[K]\n\"A\"=\"ends with escape\\\"\n", 2},  // \" is not the end
      {"[K]\n\"A\"=\"x\\x4\"\n", 2},               // short \x
      {"[K]\n\"A\"=\"x\" trailing\n", 2},          // text after the value
      {"[K]\nA=\"x\"\n", 2},                       // unquoted name, no "="
      {"[K\n", 1},                                 // unclosed key
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

TEST(UserRegistry, FlushFailureNamesThePathAndKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("registry.txt");
  UserRegistry reg(path);
  reg.WriteValue(kKey, "CSV", RegValue::String("11111111111111111"));
  reg.Flush();
  const std::string before = ReadBytes(path);

  reg.WriteValue(kKey, "CSV", RegValue::String("00000000000000000"));
  platform::testing::FailWritesAfter(20);  // the disk fills during the save
  const std::string message = ErrorOf([&] { reg.Flush(); });
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(quilmark::testing::CountEntries(dir.Path()), 1);

  // Once there is room again, the same registry saves.
  reg.Flush();
  EXPECT_EQ(ReadString(UserRegistry(path), kKey, "CSV"), "00000000000000000");
}

TEST(UserRegistry, DefaultPathFollowsXdgConfigHome) {
  ScopedEnv env;
  env.Set("HOME", "/home/someone");
  const std::string fallback = "/home/someone/.config/quilmark/registry.txt";
  // A relative folder is ignored: it would move with the working folder.
  for (auto [value, expected] : {std::pair{"/cfg/slash/", "/cfg/slash/quilmark/registry.txt"},
                                 {"", fallback.c_str()},
                                 {"relative/cfg", fallback.c_str()}}) {
    env.Set("XDG_CONFIG_HOME", value);
    EXPECT_EQ(UserRegistry::DefaultPath(), expected) << value;
  }
  env.Set("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(UserRegistry::DefaultPath(), fallback);
}

}  // namespace
}  // namespace quilmark::platform
