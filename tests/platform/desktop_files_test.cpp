// The desktop's file formats, read and written by their own rules (key
// files, the MIME database's globs, Exec lines), and the associations and
// default applications served from a temporary set of XDG folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/default_applications.h"
#include "platform/desktop_associations.h"
#include "platform/exec_line.h"
#include "platform/key_file.h"
#include "platform/mime_database.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class Desktop : public ::testing::Test {
 protected:
  Desktop() {
    WriteFile(dirs_.dataDirs[0] + "/mime/globs2", "50:audio/mpeg:*.mp3\n50:text/csv:*.csv\n");
  }
  void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, text);
  }

  TempDir tmp_;
  XdgDirs dirs_{tmp_.File("home/share"),
                {tmp_.File("system/share")},
                tmp_.File("home/config"),
                {tmp_.File("system/xdg")},
                {}};
  DesktopAssociations reg_{{dirs_, "/opt/q/quilmark", ""}};
};

TEST(KeyFile, ValuesBelongToTheirGroupAndEditsLeaveOtherLinesAlone) {
  const Lines lines = {"[Other]",          "Exec=other",       "[Desktop Entry]", "# Exec=comment",
                       "NoEquals",         "  Exec  =  a b  ", "Exec=second",     "Name=x=y",
                       "[Desktop Action]", "Icon=action"};
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Exec"), "a b");  // the first, trimmed
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Name"), "x=y");
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Icon"), std::nullopt);

  Lines edited = {"[Desktop Entry]", "Name=n", "", "[Other]", "Name=o"};
  SetKeyFileValue(edited, kDesktopEntryGroup, "Name", "changed");
  SetKeyFileValue(edited, kDesktopEntryGroup, "MimeType", "audio/mpeg;");  // before the blank
  SetKeyFileValue(edited, "Other", "Name", std::nullopt);
  SetKeyFileValue(edited, "New", "Key", "v");  // a new group goes first
  EXPECT_EQ(edited, (Lines{"[New]", "Key=v", "[Desktop Entry]", "Name=changed",
                           "MimeType=audio/mpeg;", "", "[Other]"}));
  const std::string text = "tab\t line\n back\\slash\r";
  EXPECT_EQ(UnescapeString(EscapeString(text)), text);
}

// A file's type decides which program the desktop offers for it: the
// heaviest glob wins, "cs" globs match the case exactly, the user's folder
// goes first on a tie and can take a type's globs away; a broken line is
// passed over.
TEST_F(Desktop, MimeTypeWeightCaseFlagAndFolderPrecedenceDecideTheType) {
  WriteFile(dirs_.dataDirs[0] + "/mime/globs2",
            "80:audio/x-heavy:*.MP3\n50:audio/mpeg:*.mp3\n50:text/x-exact:*.Txt:cs\n"
            "50:text/plain:*.txt\noops:text/x-broken:*.bad\n50:text/csv:*.csv\n");
  WriteFile(dirs_.dataHome + "/mime/globs2", "50:text/x-mine:*.csv\n0:audio/x-heavy:__NOGLOBS__\n");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".mp3"), "audio/mpeg");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".Txt"), "text/x-exact");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".TXT"), "text/plain");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".csv"), "text/x-mine");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".bad"), std::nullopt);
}

TEST(ExecLine, QuotingSplitsAndQuotesBackExactly) {
  const std::pair<std::string, std::optional<Lines>> cases[] = {
      {"prog  \"a b\"\tc", Lines{"prog", "a b", "c"}},
      {R"("x\"y" "a\\b" "a\nb" "\$HOME" a""b)", Lines{"x\"y", "a\\b", "a\\nb", "$HOME", "ab"}},
      {R"(a\ b)", Lines{"a\\", "b"}},  // outside quotes a backslash is text
      {"\"open", std::nullopt},
  };
  for (const auto& [exec, args] : cases) EXPECT_EQ(SplitExec(exec), args) << exec;
  const std::string awkward = "/home/u/My $Apps/\"q\"\\uil`mark";
  EXPECT_EQ(SplitExec(QuoteExecArgument(awkward) + " %f"), (Lines{awkward, "%f"}));
}

TEST_F(Desktop, ExecFieldCodesExpandForTheFileOpened) {
  const std::string entry = tmp_.File("player.desktop"), file = "/m/a b%.mp3";
  auto command = [&](const std::string& exec) {
    WriteBytes(entry, "[Desktop Entry]\nName=My\\sPlayer\nIcon=icon\nExec=" + exec + "\n");
    return CommandForFile(entry, file);
  };
  EXPECT_EQ(command("play --uri=x %U"), (Lines{"play", "--uri=x", "file:///m/a%20b%25.mp3"}));
  EXPECT_EQ(command("play %i --title=%c %k 100%% %d %f"),
            (Lines{"play", "--icon", "icon", "--title=My Player", entry, "100%", file}));
}

TEST_F(Desktop, TheCommandRoundTripsAndTheUsersOwnLinesStay) {
  EXPECT_EQ(reg_.ReadValue(".MP3", ""), RegValue::String("audio/mpeg"));
  EXPECT_TRUE(reg_.KeyExists("audio/mpeg\\SHELL"));
  EXPECT_FALSE(reg_.KeyExists("\\audio/mpeg\\shell\\quilmark"));
  WriteFile(reg_.EntryPath(),
            "[Desktop Entry]\nType=Application\nName=タグ編集\nComment=kept\n"
            "MimeType=text/csv;\n\n[Desktop Action extra]\nName=Extra\n");
  const std::string command = "\"/home/u/My Apps/quilmark\" \"%1\"";
  reg_.WriteValue("audio/mpeg\\shell\\quilmark\\command", "", RegValue::String(command));
  EXPECT_EQ(reg_.ReadValue("\\audio/mpeg\\shell\\quilmark\\command", ""),
            RegValue::String(command));
  const std::string text = ReadBytes(reg_.EntryPath());
  EXPECT_NE(text.find("Comment=kept\n"), std::string::npos);
  EXPECT_NE(text.find("MimeType=text/csv;audio/mpeg;\n"), std::string::npos) << text;
  EXPECT_LT(text.find("Exec="), text.find("[Desktop Action extra]\nName=Extra\n")) << text;

  EXPECT_TRUE(reg_.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_FALSE(reg_.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_TRUE(reg_.KeyExists("\\text/csv\\shell\\quilmark"));
}

TEST_F(Desktop, TheDefaultPlayerIsNeverTheEditorItselfNorAHiddenEntry) {
  const std::string sys = dirs_.dataDirs[0] + "/applications/";
  const std::string entry = "[Desktop Entry]\nType=Application\nExec=x %f\n";
  for (const char* id : {"cached", "hidden", "player"}) WriteFile(sys + id + ".desktop", entry);
  WriteFile(dirs_.dataHome + "/applications/hidden.desktop", "[Desktop Entry]\nHidden=true\n");
  WriteFile(reg_.EntryPath(), entry + "MimeType=audio/mpeg;\n");
  WriteFile(sys + "mimeinfo.cache",
            "[MIME Cache]\naudio/mpeg=quilmark.desktop;hidden.desktop;cached.desktop;\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "AUDIO/MPEG"), sys + "cached.desktop");
  WriteFile(dirs_.configHome + "/mimeapps.list",
            "[Default Applications]\n"
            "audio/mpeg=hidden.desktop;quilmark.desktop;player.desktop\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "audio/mpeg"), sys + "player.desktop");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "text/csv"), std::nullopt);
}

}  // namespace
}  // namespace quilmark::platform
