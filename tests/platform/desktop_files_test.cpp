// The desktop's file formats, read and written by their own rules: key
// files (desktop entries, mimeapps.list), the MIME database's globs, and
// Exec lines.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/exec_line.h"
#include "platform/key_file.h"
#include "platform/mime_database.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

using Lines = std::vector<std::string>;

TEST(KeyFile, ValuesBelongToTheirGroupAndEditsLeaveOtherLinesAlone) {
  const Lines lines = {"[Other]",          "Exec=other",       "[Desktop Entry]", "# Exec=comment",
                       "NoEquals",         "  Exec  =  a b  ", "Exec=second",     "Name=x=y",
                       "[Desktop Action]", "Icon=action"};
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Exec"), "a b");  // the first, trimmed
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Name"), "x=y");
  EXPECT_EQ(KeyFileValue(lines, kDesktopEntryGroup, "Icon"), std::nullopt);
  EXPECT_EQ(KeyFileValue(lines, "Missing", "Exec"), std::nullopt);

  Lines edited = {"[Desktop Entry]", "Name=n", "", "[Other]", "Name=o"};
  SetKeyFileValue(edited, kDesktopEntryGroup, "Name", "changed");
  SetKeyFileValue(edited, kDesktopEntryGroup, "MimeType", "audio/mpeg;");  // before the blank
  SetKeyFileValue(edited, "Other", "Name", std::nullopt);
  SetKeyFileValue(edited, "New", "Key", "v");  // a new group goes first
  SetKeyFileValue(edited, "Absent", "Key", std::nullopt);
  EXPECT_EQ(edited, (Lines{"[New]", "Key=v", "[Desktop Entry]", "Name=changed",
                           "MimeType=audio/mpeg;", "", "[Other]"}));
}

TEST(KeyFile, StringEscapesAndListsReadBackAsWritten) {
  EXPECT_EQ(UnescapeString(R"(a\sb\nc\td\re\\f\xg\)"), "a b\nc\td\re\\f\\xg\\");
  const std::string text = "tab\t line\n back\\slash\r";
  EXPECT_EQ(UnescapeString(EscapeString(text)), text);
  EXPECT_EQ(ListValue("audio/mpeg;;text/csv"), (Lines{"audio/mpeg", "text/csv"}));
  EXPECT_EQ(ListValue(std::nullopt), Lines{});
  EXPECT_EQ(JoinList({"a", "b"}), "a;b;");
}

TEST(MimeDatabase, WeightCaseFlagAndFolderPrecedenceDecideTheType) {
  TempDir tmp;
  const XdgDirs dirs{tmp.File("home"), {tmp.File("system")}, {}, {}, {}};
  auto globs = [&](const std::string& folder, const std::string& text) {
    std::filesystem::create_directories(tmp.File(folder + "/mime"));
    WriteBytes(tmp.File(folder + "/mime/globs2"), text);
  };
  globs("system",
        "# weight:type:glob[:flags]\n"
        "50:audio/mpeg:*.mp3\n"
        "80:audio/x-heavy:*.MP3\n"  // heavier, case ignored
        "50:text/x-exact:*.Txt:cs\n"
        "50:text/plain:*.txt\n"
        "oops:text/x-broken:*.bad\n"
        "50:text/csv:*.csv\n");
  globs("home", "50:text/x-mine:*.csv\n0:audio/x-heavy:__NOGLOBS__\n");
  EXPECT_EQ(MimeTypeForExtension(dirs, ".mp3"), "audio/mpeg");  // the heavier one was dropped
  EXPECT_EQ(MimeTypeForExtension(dirs, ".Txt"), "text/x-exact");
  EXPECT_EQ(MimeTypeForExtension(dirs, ".TXT"), "text/plain");
  EXPECT_EQ(MimeTypeForExtension(dirs, ".csv"), "text/x-mine");  // home first on a tie
  EXPECT_EQ(MimeTypeForExtension(dirs, ".bad"), std::nullopt);
  EXPECT_EQ(MimeTypeForExtension(dirs, "mp3"), std::nullopt);
  EXPECT_TRUE(IsKnownMimeType(dirs, "TEXT/CSV"));
  EXPECT_FALSE(IsKnownMimeType(dirs, "audio/x-heavy"));
  for (const char* name : {"audio", "audio/", "/mpeg", "a/b/c", "audio/mp eg"})
    EXPECT_FALSE(IsMimeTypeName(name)) << name;
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

TEST(ExecLine, FieldCodesExpandForTheFileOpened) {
  TempDir tmp;
  const std::string entry = tmp.File("player.desktop");
  const std::string file = "/m/a b%.mp3";
  auto command = [&](const std::string& exec) {
    WriteBytes(entry, "[Desktop Entry]\nName=My\\sPlayer\nIcon=icon\nExec=" + exec + "\n");
    return CommandForFile(entry, file);
  };
  EXPECT_EQ(command("play %f"), (Lines{"play", file}));
  EXPECT_EQ(command("play --uri=x %U"), (Lines{"play", "--uri=x", "file:///m/a%20b%25.mp3"}));
  EXPECT_EQ(command("play %i --title=%c %k 100%% %d"),
            (Lines{"play", "--icon", "icon", "--title=My Player", entry, "100%", file}));
  EXPECT_EQ(command("%d %n"), std::nullopt);  // nothing left to run
  EXPECT_EQ(command("\"unclosed"), std::nullopt);
  EXPECT_EQ(CommandForFile(tmp.File("missing.desktop"), file), std::nullopt);
}

}  // namespace
}  // namespace quilmark::platform
