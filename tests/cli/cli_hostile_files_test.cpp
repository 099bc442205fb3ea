// quilmark-cli among files that are not what their names say, files of
// other users, and writes that cannot be done: never a hang, never a tag
// where none belongs, every refusal naming the file with its reason and
// exit status 1. (Each kind of file, FIFOs among them, is tried where it
// is opened or replaced; here what this program prints and its status.)
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include "cli/cli_test_support.h"

namespace quilmark {
namespace {

// Every file not written, or written without all it held, has its line;
// the account of the run comes last. The list names itself: it is no MP3
// file and gets no tag.
TEST_F(CliTest, EveryFileNotWrittenIsNamedWithWhyAndTheAccountComesLast) {
  WriteMp3(F("music/ok.mp3"), "A");
  ASSERT_EQ(mkdir(F("music/folder.mp3").c_str(), 0700), 0);
  const std::string csv = "File,Title\r\nmusic/ok.mp3,N\r\nmusic/folder.mp3,N\r\napply.csv,N\r\n";
  WriteBytes(F("apply.csv"), csv);

  const CliRun run = Cli("apply apply.csv");
  EXPECT_EQ(run.status, 1);
  for (const std::string& line : {
           F("music/folder.mp3") + ": フォルダには CSV の値を適用できません。読み飛ばしました。",
           F("apply.csv") + ": このファイルに対して書き込めません。(not an MP3 file",
       }) {
    EXPECT_TRUE(Contains(run.err, line)) << line << "\n" << run.err;
  }
  EXPECT_TRUE(run.err.ends_with(
      "\n1 個のファイルに書き込みました。1 個のファイルには書き込めませんでした。\n"))
      << run.err;
  EXPECT_FALSE(Contains(run.err, "music/ok.mp3"));
  EXPECT_EQ(FirstRow(Cli("export music/ok.mp3").out)["TITLE"], "N");
  EXPECT_EQ(ReadBytes(F("apply.csv")), csv);
}

// As another user, in folders everybody may write: a file of root's is
// never replaced, one its group may write keeps its group and mode (the
// owner could not be given back, and the user is told), and a folder this
// user may not read is named while the rest of the tree is exported.
TEST_F(CliTest, AsAnotherUserOnlyWhatItMayWriteIsWrittenAndWhatItCannotReadIsNamed) {
  if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "acting as another user needs root and setpriv";
  }
  for (const char* folder : {"", "config", "music"}) ASSERT_EQ(chmod(F(folder).c_str(), 0777), 0);
  ASSERT_EQ(mkdir(F("music/locked").c_str(), 0700), 0);
  WriteMp3(F("music/locked/secret.mp3"), "S");
  WriteMp3(F("music/root.mp3"), "R");
  WriteMp3(F("music/group.mp3"), "G");
  ASSERT_EQ(chmod(F("music/root.mp3").c_str(), 0644), 0);
  ASSERT_EQ(chown(F("music/group.mp3").c_str(), 0, 4343), 0);
  ASSERT_EQ(chmod(F("music/group.mp3").c_str(), 0664), 0);
  const std::string before = ReadBytes(F("music/root.mp3"));
  WriteBytes(F("apply.csv"), "File,Title\r\nmusic/root.mp3,X\r\nmusic/group.mp3,New\r\n");
  const std::string nobody = "setpriv --reuid=65534 --regid=65534 --groups=4343 --inh-caps=-all";

  CliRun run = Cli("apply apply.csv", nobody);
  EXPECT_EQ(run.status, 1);
  for (const std::string& line :
       {F("music/root.mp3") + ": このファイルに対して書き込めません。(Permission denied)",
        F("music/group.mp3") + ": 元の所有者に戻せなかった"}) {
    EXPECT_TRUE(Contains(run.err, line)) << line << "\n" << run.err;
  }
  EXPECT_TRUE(ReadBytes(F("music/root.mp3")) == before);
  struct stat st {};
  ASSERT_EQ(stat(F("music/group.mp3").c_str(), &st), 0);
  EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777), std::tuple(65534u, 4343u, 0664u));

  run = Cli("export music", nobody);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, F("music/locked") + ": このフォルダを開けません。(Permission denied)\n");
  EXPECT_TRUE(Contains(run.out, "/root.mp3") && !Contains(run.out, "secret")) << run.out;
}

}  // namespace
}  // namespace quilmark
