// quilmark-cli, run as a script would run it: export, edit the CSV, apply,
// export again; stored settings; exit statuses.
#include <sys/stat.h>

#include "cli/cli_test_support.h"
#include "lists/list_text.h"
#include "tag/picture_frame.h"
#include "text/comma_text.h"

namespace quilmark {
namespace {

TEST_F(CliTest, ExportEditApplyExportForEveryCharsetAndTagKind) {
  for (auto [charset, tag, major] : {std::tuple{"sjis", "v1", 0},
                                     {"euc", "v2.2", 2},
                                     {"utf16", "v2.3", 3},
                                     {"utf16be", "v2.2", 2},
                                     {"sjis", "v2.4", 4}}) {
    SCOPED_TRACE(std::string(charset) + " " + tag);
    const std::string mp3 = "music/" + std::string(charset) + " " + tag + ".mp3";
    WriteMp3(F(mp3), "Old", "Old");
    ASSERT_EQ(Cli("export -o list.csv '" + mp3 + "'").status, 0);
    const std::string file = FirstRow(ReadBytes(F("list.csv")))["FILE"];

    // Edit as a person would: new values under the names the reader knows.
    const std::string title = "新しい曲 " + std::string(charset);
    WriteBytes(F("edited.csv"), EncodeListText({"File,Title,Artist,Year,Genre",
                                                QuoteCommaItem(file) + "," + QuoteCommaItem(title) +
                                                    ",\"Ｂ, Band\",1999,Rock"}));
    const CliRun applied =
        Cli("apply --charset " + std::string(charset) + " --tag " + tag + " edited.csv");
    ASSERT_EQ(applied.status, 0) << applied.err;

    auto row = FirstRow(Cli("export '" + mp3 + "'").out);
    EXPECT_EQ(row["TITLE"], title);
    EXPECT_EQ(row["ARTIST"], "Ｂ, Band");
    EXPECT_EQ(row["YEAR"] + row["GENRE"], "1999Rock");
    // The tag kind asked for is the one in the file.
    const std::string bytes = ReadBytes(F(mp3));
    EXPECT_EQ(bytes.starts_with("ID3") ? bytes[3] : 0, major);
    if (major == 0) {
      EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");
    }
  }
}

TEST_F(CliTest, AUtf8ListAppliesAsWrittenAndTextShiftJisCannotHoldGoesIntoUtf16) {
  WriteMp3(F("music/a.mp3"), "Old");
  WriteMp3(F("music/b.mp3"), "Old");
  // What a spreadsheet saves here: UTF-8 without a byte-order mark.
  const std::string wide =
      "Beyonc\u00E9 \uD55C\uAD6D\uC5B4 \U00020BB7\u91CE\u5BB6 \u0395\u03BB\u03BB\u03AC\u03B4\u03B1";
  WriteBytes(F("u.csv"),
             "File,Title\r\nmusic/a.mp3,\u65E5\u672C\u8A9E\r\nmusic/b.mp3,\"" + wide + "\"\r\n");
  const CliRun run = Cli("apply --charset sjis --tag v2.3 u.csv");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(FirstRow(Cli("export music/a.mp3").out)["TITLE"], "\u65E5\u672C\u8A9E");
  EXPECT_EQ(FirstRow(Cli("export music/b.mp3").out)["TITLE"], wide);
  // One line for the file that went into UTF-16, none for the other.
  EXPECT_NE(run.err.find(F("music/b.mp3") + ": "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("UTF-16"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("a.mp3"), std::string::npos) << run.err;
}

// A Picture column names an image, relative to the list, that becomes the
// file's front cover; one that cannot be read is named and fails the run,
// and its file is still written.
TEST_F(CliTest, APictureColumnSetsTheFrontCover) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteMp3(F("music/b.mp3"), "B");
  const std::string png = "\x89PNG\r\n\x1A\n" + std::string(5000, '\x01');
  WriteBytes(F("music/cover.png"), png);
  WriteBytes(F("music/list.csv"),
             "File,Title,Picture\r\na.mp3,A2,cover.png\r\nb.mp3,B2,none.jpg\r\n");
  const CliRun run = Cli("apply --tag v2.4 music/list.csv");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(F("music/none.jpg") + ": "), std::string::npos) << run.err;
  const auto pictures = ReadPictures(F("music/a.mp3"));
  ASSERT_TRUE(pictures && pictures->size() == 1u);
  EXPECT_EQ((*pictures)[0].Bytes(), png);
  EXPECT_EQ((*pictures)[0].kind, kFrontCover);
  EXPECT_EQ(FirstRow(Cli("export music/b.mp3").out)["TITLE"], "B2");
}

TEST_F(CliTest, StoredSettingsApplyAreNeverWrittenAndABrokenStoreStopsTheRun) {
  ASSERT_EQ(mkdir(F("config/quilmark").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
  const std::string store = F("config/quilmark/registry.txt");
  const std::string key = "[Software\\QUIL\\QUILMARK]\n";
  WriteBytes(store, key + "\"AbsolutePath\"=dword:1\n\"WriteTagVersion\"=dword:0\n");
  const std::string stored = ReadBytes(store);
  WriteMp3(F("music/a.mp3"), "Old");
  WriteBytes(F("e.csv"), "File,Title\r\nmusic/a.mp3,New\r\n");

  ASSERT_EQ(Cli("playlist lists/up.PLS music/a.mp3").status, 0);
  EXPECT_EQ(ReadBytes(F("lists/up.PLS")), "../music/a.mp3\r\n");  // relative without --relative
  ASSERT_EQ(Cli("apply e.csv").status, 0);
  EXPECT_FALSE(ReadBytes(F("music/a.mp3")).starts_with("ID3"));  // ID3v1 only
  EXPECT_EQ(ReadBytes(store), stored);

  WriteBytes(store, key + "\"WinSize\"=dword:1\n");
  const CliRun broken = Cli("export music/a.mp3");
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("WinSize"), std::string::npos);
}

TEST_F(CliTest, ExitStatusesForBadUsageAndForFilesThatCannotBeReadOrWritten) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteBytes(F("x.csv"), "File,Title\r\nmusic/a.mp3,T\r\n,\r\n");
  for (auto [args, status, err] : {
           std::tuple{"--help", 0, ""},
           // A duplicate, or a CSV line naming no file (reported), is no failure.
           {"export music/a.mp3 music/a.mp3 x.csv", 0, "x.csv: "},
           {"export music/a.mp3 music/missing.mp3", 1, "music/missing.mp3: "},
           {"playlist out.m3u music/a.mp3 nowhere.m3u", 1, "nowhere.m3u: "},
           // The folder gives its file, which the name after it repeats.
           {"playlist folder.m3u music music/a.mp3", 0, ""},
           {"export -o no/such/folder.csv music/a.mp3", 1, "no/such/folder.csv: "},
           {"", 2, "usage:"},
           {"export -o", 2, "usage:"},
           {"playlist out.txt a.mp3", 2, "usage:"},
           {"apply --charset latin1 x.csv", 2, "usage:"},
           {"apply --tag v2.5 x.csv", 2, "usage:"},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, status) << args;
    if (*err) {
      EXPECT_NE(run.err.find(*err == 'u' ? err : F(err)), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(ReadBytes(F("out.m3u")), F("music/a.mp3") + "\r\n");  // what could be read
  EXPECT_EQ(ReadBytes(F("folder.m3u")), F("music/a.mp3") + "\r\n");
}

}  // namespace
}  // namespace quilmark
