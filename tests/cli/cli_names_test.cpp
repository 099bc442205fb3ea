// quilmark-cli from-name and rename: what a dry run prints is what a real
// run does, a name that does not fit or cannot be taken ends with status 1.
#include "cli/cli_test_support.h"

namespace quilmark {
namespace {

TEST_F(CliTest, FromNameSetsTagsFromTheNamesAndADryRunOnlyTells) {
  const std::string fits = F("music/01 - Aa - 歌.mp3"), other = F("music/notes.mp3");
  WriteMp3(fits, "old", "old");
  WriteMp3(other, "Beta", "Bb");
  const std::string before = ReadBytes(fits);
  for (const bool dry : {true, false}) {
    const CliRun run = Cli(std::string("from-name ") + (dry ? "--dry-run" : "--charset sjis") +
                           " '%track% - %artist% - %title%' music/*.mp3");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, fits + "\ttrack=01\tartist=Aa\ttitle=歌\n");
    EXPECT_TRUE(run.err.starts_with(other + ": ファイル名がパターンに合いません\n")) << run.err;
    EXPECT_EQ(ReadBytes(fits) == before, dry);
  }
}

TEST_F(CliTest, RenameNeverTakesANameThatIsThereAndSaysSoWithStatusOne) {
  WriteMp3(F("music/a.mp3"), "Alpha", "Aa");
  WriteMp3(F("music/b.mp3"), "Be/ta?", "Bb");
  WriteMp3(F("music/c.mp3"), "Gamma", "Cc");
  WriteBytes(F("music/Cc - Gamma.mp3"), "someone else's");
  for (const bool dry : {true, false}) {
    const CliRun run = Cli(std::string("rename ") + (dry ? "--dry-run " : "") +
                           "'%artist% - %title%' music/a.mp3 music/b.mp3 music/c.mp3");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, F("music/a.mp3") + "\t" + F("music/Aa - Alpha.mp3") + "\n" +
                           F("music/b.mp3") + "\t" + F("music/Bb - Be_ta_.mp3") + "\n");
    EXPECT_EQ(run.err, F("music/c.mp3") + ": 同じ名前のファイルがすでにあります\n");
    EXPECT_EQ(Exists(F("music/a.mp3")) + Exists(F("music/b.mp3")), dry ? 2 : 0) << dry;
    EXPECT_EQ(Exists(F("music/Aa - Alpha.mp3")) + Exists(F("music/Bb - Be_ta_.mp3")), dry ? 0 : 2);
  }
}

}  // namespace
}  // namespace quilmark
