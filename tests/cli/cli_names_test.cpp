// quilmark-cli from-name and rename: what a dry run prints is what a real
// run does, a name that does not fit or cannot be taken ends with status 1.
#include "cli/cli_test_support.h"

namespace quilmark {
namespace {

constexpr const char* kPattern = "'%track% - %artist% - %title%'";

TEST_F(CliTest, FromNameSetsTagsFromTheNamesAndADryRunOnlyTells) {
  const std::string fits = F("music/01 - Aa - 歌.mp3"), other = F("music/notes.mp3");
  WriteMp3(fits, "old", "old");
  WriteMp3(other, "Beta", "Bb");
  const std::string before = ReadBytes(fits);
  const std::string line = fits + "\ttrack=01\tartist=Aa\ttitle=歌\n";
  const CliRun dry = Cli("from-name --dry-run " + std::string(kPattern) + " music/*.mp3");
  EXPECT_EQ(dry.status, 1);
  EXPECT_EQ(dry.out, line);
  EXPECT_EQ(dry.err, other + ": ファイル名がパターンに合いません\n");
  EXPECT_EQ(ReadBytes(fits), before);

  const CliRun run =
      Cli("from-name --charset sjis --tag v2.3 " + std::string(kPattern) + " '" + fits + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, line);
  auto row = FirstRow(Cli("export 'music/01 - Aa - 歌.mp3'").out);
  EXPECT_EQ(row["NO"] + row["ARTIST"] + row["TITLE"], "01Aa歌");
  EXPECT_EQ(Cli("from-name '%track%%title%' music/notes.mp3").status, 2);
}

TEST_F(CliTest, RenameNeverTakesANameThatIsThereAndSaysSoWithStatusOne) {
  WriteMp3(F("music/a.mp3"), "Alpha", "Aa");
  WriteMp3(F("music/b.mp3"), "Be/ta?", "Bb");
  WriteMp3(F("music/c.mp3"), "Gamma", "Cc");
  WriteBytes(F("music/Cc - Gamma.mp3"), "someone else's");
  const std::string pattern = "'%artist% - %title%' music/a.mp3 music/b.mp3 music/c.mp3";
  const std::string lines = F("music/a.mp3") + "\t" + F("music/Aa - Alpha.mp3") + "\n" +
                            F("music/b.mp3") + "\t" + F("music/Bb - Be_ta_.mp3") + "\n";
  const std::string refused = F("music/c.mp3") + ": 同じ名前のファイルがすでにあります\n";
  const CliRun dry = Cli("rename --dry-run " + pattern);
  EXPECT_EQ(dry.status, 1);
  EXPECT_EQ(dry.out, lines);
  EXPECT_EQ(dry.err, refused);
  EXPECT_TRUE(Exists(F("music/a.mp3")) && !Exists(F("music/Aa - Alpha.mp3")));

  const CliRun run = Cli("rename " + pattern);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, lines);
  EXPECT_EQ(run.err, refused);
  EXPECT_TRUE(Exists(F("music/Aa - Alpha.mp3")) && Exists(F("music/Bb - Be_ta_.mp3")));
  EXPECT_FALSE(Exists(F("music/a.mp3")) || Exists(F("music/b.mp3")));
  EXPECT_EQ(ReadBytes(F("music/Cc - Gamma.mp3")), "someone else's");
  EXPECT_EQ(Cli("rename '%artist% - %title%' 'music/Aa - Alpha.mp3'").status, 0);  // unchanged
}

}  // namespace
}  // namespace quilmark
