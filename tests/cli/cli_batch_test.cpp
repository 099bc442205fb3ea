// quilmark-cli, run as a script would run it: export, edit the CSV, apply,
// export again; stored settings; exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>

#include "lists/csv_fields.h"
#include "lists/list_test_support.h"
#include "lists/list_text.h"
#include "tag/comma_text.h"

namespace quilmark {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
using testing::WriteMp3;
using Lines = std::vector<std::string>;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// A CSV as header name -> value, one map per data line.
using Table = std::vector<std::map<std::string, std::string>>;

Table ParseCsv(const std::string& bytes) {
  const Lines lines = DecodeListText(bytes);
  Table table;
  if (lines.empty()) return table;
  const Lines header = SplitCommaText(lines[0]);
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const Lines fields = SplitCommaText(QuoteCsvFields(lines[k]));
    auto& row = table.emplace_back();
    for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
  }
  return table;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("config").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
  }

  std::string F(std::string_view name) const { return dir.File(name); }

  // Runs the program in the test folder with its own settings store.
  CliRun Cli(const std::string& args) {
    const std::string command = "cd '" + dir.Path() + "' && XDG_CONFIG_HOME='" + F("config") +
                                "' '" QUILMARK_CLI "' " + args + " >'" + F("out.txt") + "' 2>'" +
                                F("err.txt") + "'";
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadBytes(F("out.txt"));
    run.err = ReadBytes(F("err.txt"));
    return run;
  }

  testing::TempDir dir;
};

TEST_F(CliTest, UsageAndBadUsage) {
  CliRun help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: quilmark-cli export"), std::string::npos);

  for (const char* bad :
       {"", "frobnicate a.mp3", "export", "export -o", "playlist out.txt a.mp3", "playlist out.m3u",
        "apply --charset latin1 x.csv", "apply --tag v2.4 x.csv", "apply --relative x.csv"}) {
    const CliRun run = Cli(bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << bad;
  }
}

TEST_F(CliTest, ExportEditApplyExportForEveryCharsetAndTagKind) {
  // Every charset and every tag kind once.
  int n = 0;
  for (auto [charset, tag] :
       {std::pair{"sjis", "v1"}, {"euc", "v2.2"}, {"utf16", "v2.3"}, {"utf16be", "v2.2"}}) {
    SCOPED_TRACE(std::string(charset) + " " + tag);
    const std::string a = "music/a" + std::to_string(n) + ".mp3";
    const std::string b = "music/b " + std::to_string(n++) + ".mp3";
    WriteMp3(F(a), "Old A", "Artist A");
    WriteMp3(F(b), "Old B");

    CliRun exported = Cli("export -o list.csv '" + a + "' '" + b + "'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    Table table = ParseCsv(ReadBytes(F("list.csv")));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0]["FILE"], F(a));

    // Edit as a person would: new values under the names the reader knows.
    const std::string title = "新しい曲 " + std::string(charset);
    std::string csv = "File,Title,Artist,Album,Year,No,Genre\r\n";
    csv += QuoteCommaItem(table[0]["FILE"]) + "," + QuoteCommaItem(title) +
           ",\"Ｂ, Band\",Alb,1999,7,Rock\r\n";
    csv += QuoteCommaItem(table[1]["FILE"]) + ",Second,,,,,\r\n";
    WriteBytes(F("edited.csv"), EncodeListText(SplitListLines(csv)));

    const CliRun applied =
        Cli("apply --charset " + std::string(charset) + " --tag " + tag + " edited.csv");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.err, "");

    const CliRun again = Cli("export '" + a + "' '" + b + "'");
    ASSERT_EQ(again.status, 0) << again.err;
    table = ParseCsv(again.out);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0]["TITLE"], title);
    EXPECT_EQ(table[0]["ARTIST"], "Ｂ, Band");
    EXPECT_EQ(table[0]["YEAR"], "1999");
    EXPECT_EQ(table[0]["GENRE"], "Rock");
    EXPECT_EQ(table[1]["TITLE"], "Second");
    EXPECT_EQ(table[1]["ARTIST"], " ");

    // The tag kind asked for is the one in the file.
    const std::string bytes = ReadBytes(F(a));
    if (tag == std::string("v1")) {
      EXPECT_FALSE(bytes.starts_with("ID3"));
      EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");
    } else {
      ASSERT_TRUE(bytes.starts_with("ID3"));
      EXPECT_EQ(bytes[3], tag == std::string("v2.2") ? 2 : 3);
    }
  }
}

TEST_F(CliTest, StoredSettingsApplyAndAreNeverWritten) {
  ASSERT_EQ(mkdir(F("config/quilmark").c_str(), 0700), 0);
  WriteBytes(F("config/quilmark/registry.txt"),
             "[Software\\QUIL\\QUILMARK]\n\"AbsolutePath\"=dword:1\n\"WriteTagVersion\"=dword:0\n");
  const std::string stored = ReadBytes(F("config/quilmark/registry.txt"));
  WriteMp3(F("music/a.mp3"), "Old");

  // AbsolutePath on: relative paths without --relative.
  ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
  ASSERT_EQ(Cli("playlist lists/up.PLS music/a.mp3").status, 0);
  EXPECT_EQ(ReadBytes(F("lists/up.PLS")), "../music/a.mp3\r\n");

  // WriteTagVersion 0: apply writes an ID3v1 block.
  WriteBytes(F("e.csv"), "File,Title\r\nmusic/a.mp3,New\r\n");
  ASSERT_EQ(Cli("apply e.csv").status, 0);
  EXPECT_FALSE(ReadBytes(F("music/a.mp3")).starts_with("ID3"));
  EXPECT_EQ(ParseCsv(Cli("export music/a.mp3").out).at(0)["TITLE"], "New");

  EXPECT_EQ(ReadBytes(F("config/quilmark/registry.txt")), stored);

  // A store that cannot be read stops the run rather than guessing.
  WriteBytes(F("config/quilmark/registry.txt"),
             "[Software\\QUIL\\QUILMARK]\n\"WinSize\"=dword:1\n");
  const CliRun broken = Cli("export music/a.mp3");
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("WinSize"), std::string::npos);
}

TEST_F(CliTest, FilesThatCannotBeReadOrWrittenGiveStatusOneAndNameThePath) {
  WriteMp3(F("music/a.mp3"), "A");
  for (auto [args, path] : {std::pair{"export music/a.mp3 music/missing.mp3", "music/missing.mp3"},
                            {"playlist out.m3u music/a.mp3 nowhere.m3u", "nowhere.m3u"},
                            {"export -o no/such/folder.csv music/a.mp3", "no/such/folder.csv"}}) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_NE(run.err.find(F(path) + ": "), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadBytes(F("out.m3u")), F("music/a.mp3") + "\r\n");  // what could be read

  // A duplicate is no failure; a CSV line naming no file is reported but is
  // no failure either.
  WriteBytes(F("x.csv"), "File,Title\r\nmusic/a.mp3,T\r\n,\r\n");
  const CliRun run = Cli("apply x.csv");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find(F("x.csv") + ": "), std::string::npos);
  EXPECT_EQ(Cli("export music/a.mp3 music/a.mp3 x.csv").status, 0);
}

}  // namespace
}  // namespace quilmark
