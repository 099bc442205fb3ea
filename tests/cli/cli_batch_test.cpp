// quilmark-cli, run as a script would run it: export, edit the CSV, apply,
// export again; stored settings; exit statuses.
#include <sys/stat.h>

#include "cli/cli_test_support.h"
#include "text/tag_text.h"

namespace quilmark {
namespace {

// The charset and tag kind given are the ones written. The edited list is
// what a spreadsheet saves here: UTF-8 without a byte-order mark. Text the
// charset cannot hold goes into UTF-16, and the file is named for it. (How
// values read back, the tag and list tests try.)
TEST_F(CliTest, ExportEditApplyExportWritesTheCharsetAndTagKindGiven) {
  const std::string japanese = "新しい曲", wide = "Beyonc\u00E9 \uD55C\uAD6D\uC5B4 \U00020BB7";
  for (auto [charset, inFile, tag, major, title] : {
           std::tuple{"sjis", Charset::ShiftJis, "v1", 0, japanese},
           {"euc", Charset::EucJp, "v2.2", 2, japanese},
           {"utf16be", Charset::Utf16Be, "v2.4", 4, japanese},
           {"sjis", Charset::Utf16Le, "v2.3", 3, wide},
       }) {
    SCOPED_TRACE(std::string(charset) + " " + tag);
    const std::string mp3 = "music/" + std::string(charset) + " " + tag + ".mp3";
    WriteMp3(F(mp3), "Old", "Old");
    ASSERT_EQ(Cli("export -o list.csv '" + mp3 + "'").status, 0);
    const std::string file = FirstRow(ReadBytes(F("list.csv")))["FILE"];
    WriteBytes(F("edited.csv"), "File,Title\r\n" + QuoteCommaItem(file) + "," + title + "\r\n");
    const CliRun applied =
        Cli("apply --charset " + std::string(charset) + " --tag " + tag + " edited.csv");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(Contains(applied.err, F(mp3) + ": "), title == wide) << applied.err;
    const std::string bytes = ReadBytes(F(mp3));
    EXPECT_EQ(bytes.starts_with("ID3") ? bytes[3] : 0, major);
    EXPECT_TRUE(Contains(bytes, EncodeTagText(title, inFile)));
  }
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
  EXPECT_TRUE(Contains(broken.err, "WinSize")) << broken.err;
}

// 0 done, 1 a file not read, written or renamed, 2 bad usage; each file
// that fails is named.
TEST_F(CliTest, ExitStatusesForBadUsageAndForFilesThatCannotBeReadOrWritten) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteBytes(F("x.csv"), "File,Title\r\nmusic/a.mp3,T\r\n,\r\n");
  WriteBytes(F("ro.m3u"), "keep\r\n");
  ASSERT_EQ(chmod(F("ro.m3u").c_str(), 0444), 0);
  for (auto [args, status, err] : {
           std::tuple{"--help", 0, ""},
           // A duplicate, or a CSV line naming no file (reported), is no failure.
           {"export music/a.mp3 music/a.mp3 x.csv", 0, "x.csv: "},
           {"export music/a.mp3 music/missing.mp3", 1, "music/missing.mp3: "},
           {"playlist out.m3u music/a.mp3 nowhere.m3u", 1, "nowhere.m3u: "},
           {"playlist ro.m3u music/a.mp3", 1,
            "ro.m3u: ファイルに書き込めません。(the file is read-only)"},
           {"", 2, "usage:"},
           {"export -o", 2, "usage:"},
           {"playlist out.txt a.mp3", 2, "usage:"},
           {"apply --charset latin1 x.csv", 2, "usage:"},
           {"apply --tag v2.5 x.csv", 2, "usage:"},
           {"from-name '%track%%title%' music/a.mp3", 2, "quilmark-cli: "},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, status) << args;
    if (*err) {
      EXPECT_TRUE(Contains(run.err, *err == 'u' || *err == 'q' ? err : F(err))) << run.err;
    }
  }
  EXPECT_EQ(ReadBytes(F("out.m3u")), F("music/a.mp3") + "\r\n");  // what could be read
  EXPECT_EQ(ReadBytes(F("ro.m3u")), "keep\r\n");
}

}  // namespace
}  // namespace quilmark
