// quilmark-cli among files that are not what their names say, files of
// other users, and writes that cannot be done: never a hang, never a tag
// where none belongs, every refusal naming the file with its reason and
// exit status 1.
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "cli/cli_test_support.h"

namespace quilmark {
namespace {

TEST_F(CliTest, FifosAnywhereEndInAMessageNotAHang) {
  WriteMp3(F("music/a.mp3"), "A");
  ASSERT_EQ(mkfifo(F("music/pipe.mp3").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(F("fifo.m3u").c_str(), 0600), 0);
  WriteBytes(F("entry.m3u"), "music/pipe.mp3\r\n");
  for (auto [args, says] : {
           std::pair{"export music/pipe.mp3",
                     "music/pipe.mp3: このファイルを開けません。(not a regular file)"},
           {"export entry.m3u", "music/pipe.mp3: このファイルを開けません。(not a regular file)"},
           {"export fifo.m3u", "fifo.m3u: ファイルを読み込めません。(not a regular file)"},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1) << args << (run.status == 124 ? ": it waited" : "");
    EXPECT_TRUE(Contains(run.err, F(says))) << run.err;
  }
  ASSERT_EQ(mkdir(F("config/quilmark").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo(F("config/quilmark/registry.txt").c_str(), 0600), 0);
  const CliRun run = Cli("export music/a.mp3");
  EXPECT_EQ(run.status, 1) << (run.status == 124 ? "the settings store waited" : "");
  EXPECT_TRUE(Contains(run.err, "registry.txt") && Contains(run.err, "not a regular file"))
      << run.err;
}

TEST_F(CliTest, ApplyPutsNoTagIntoWhatIsNoMp3) {
  WriteMp3(F("music/a.mp3"), "A");
  const std::string profile = "export PATH=$PATH:~/bin\n", playlist = "music/a.mp3\r\n";
  WriteBytes(F("profile"), profile);
  WriteBytes(F("list.m3u"), playlist);
  // Only root may make a device node: the same one as /dev/null.
  const bool device = mknod(F("music/z.mp3").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  std::string csv = "File,Title\r\nmusic/a.mp3,New\r\nprofile,X\r\nlist.m3u,X\r\napply.csv,X\r\n";
  if (device) csv += "music/z.mp3,X\r\n";
  WriteBytes(F("apply.csv"), csv);

  const CliRun run = Cli("apply apply.csv");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(FirstRow(Cli("export music/a.mp3").out)["TITLE"], "New");
  EXPECT_EQ(ReadBytes(F("profile")), profile);
  EXPECT_EQ(ReadBytes(F("list.m3u")), playlist);
  EXPECT_EQ(ReadBytes(F("apply.csv")), csv);
  for (const char* name : {"profile", "list.m3u", "apply.csv"}) {
    EXPECT_TRUE(
        Contains(run.err, F(name) + ": このファイルに対して書き込めません。(not an MP3 file"))
        << name << "\n"
        << run.err;
  }
  if (!device) GTEST_SKIP() << "device node part skipped: only root may make one";
  struct stat st {};
  EXPECT_TRUE(lstat(F("music/z.mp3").c_str(), &st) == 0 && S_ISCHR(st.st_mode));
  EXPECT_TRUE(
      Contains(run.err, F("music/z.mp3") + ": このファイルを開けません。(not a regular file)"));
}

TEST_F(CliTest, AnotherUsersFileIsNeverReplacedAndAGroupFileKeepsItsGroup) {
  if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "acting as another user needs root and setpriv";
  }
  // A folder everybody may write, a file of root's that only root may
  // write, and one its group may write too.
  for (const char* folder : {"", "config", "music"}) ASSERT_EQ(chmod(F(folder).c_str(), 0777), 0);
  WriteMp3(F("music/root.mp3"), "R");
  WriteMp3(F("music/group.mp3"), "G");
  ASSERT_EQ(chmod(F("music/root.mp3").c_str(), 0644), 0);
  ASSERT_EQ(chown(F("music/group.mp3").c_str(), 0, 4343), 0);
  ASSERT_EQ(chmod(F("music/group.mp3").c_str(), 0664), 0);
  const std::string before = ReadBytes(F("music/root.mp3"));
  WriteBytes(F("apply.csv"), "File,Title\r\nmusic/root.mp3,X\r\nmusic/group.mp3,New\r\n");

  const CliRun run =
      Cli("apply apply.csv", "setpriv --reuid=65534 --regid=65534 --groups=4343 --inh-caps=-all");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(
      run.err, F("music/root.mp3") + ": このファイルに対して書き込めません。(Permission denied)"))
      << run.err;
  struct stat st {};
  ASSERT_EQ(stat(F("music/root.mp3").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_TRUE(ReadBytes(F("music/root.mp3")) == before);

  ASSERT_EQ(stat(F("music/group.mp3").c_str(), &st), 0);
  EXPECT_EQ(st.st_gid, 4343u);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
  EXPECT_EQ(FirstRow(Cli("export music/group.mp3").out)["TITLE"], "New");
  // The owner could not be given back, and the user is told.
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_TRUE(Contains(run.err, F("music/group.mp3") + ": 元の所有者に戻せなかった")) << run.err;
}

// A music folder as collectors keep it, with a circle of links and a
// folder this user may not read: every song it can read, in path order,
// each once, and the folder it could not read named with why.
TEST_F(CliTest, AFolderNameExportsItsTreeAndNamesTheFolderItCannotRead) {
  if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "a folder root cannot read needs another user: root and setpriv";
  }
  for (const char* folder :
       {"music/Artist", "music/Artist/1 Album", "music/Artist/2 Album", "music/locked"})
    ASSERT_EQ(mkdir(F(folder).c_str(), 0755), 0);
  for (const char* folder : {"", "config", "music"}) ASSERT_EQ(chmod(F(folder).c_str(), 0755), 0);
  ASSERT_EQ(chmod(F("music/locked").c_str(), 0700), 0);
  for (const char* song : {"music/Artist/2 Album/01 b.mp3", "music/Artist/1 Album/02 a.mp3",
                           "music/Artist/1 Album/01 a.mp3", "music/locked/secret.mp3"})
    WriteMp3(F(song), "T");
  ASSERT_EQ(symlink("../..", F("music/Artist/2 Album/back to music").c_str()), 0);

  const CliRun run =
      Cli("export music", "setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=-all");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, F("music/locked") + ": このフォルダを開けません。(Permission denied)\n");
  Lines files;
  for (const std::string& line : DecodeListText(run.out))
    files.push_back(SplitCommaText(QuoteCsvFields(line)).front());
  EXPECT_EQ(files, (Lines{"FILE", F("music/Artist/1 Album/01 a.mp3"),
                          F("music/Artist/1 Album/02 a.mp3"), F("music/Artist/2 Album/01 b.mp3")}));
}

TEST_F(CliTest, EveryFileNotWrittenIsNamedWithWhy) {
  // (Read-only and missing files, and their reasons, are tried on the save
  // itself; here what only this program says.)
  WriteMp3(F("music/ok.mp3"), "A");
  ASSERT_EQ(mkdir(F("music/folder.mp3").c_str(), 0700), 0);
  // A tag header claiming more than the file holds.
  const std::string cut = "ID3\x03\0\0\0\0\x10\x3F"s + "TIT2\0\0\0\x02\0\0\0t"s + MpegAudio(1);
  WriteBytes(F("music/cut.mp3"), cut);
  // A frame that asks to be dropped when the tag changes.
  WriteBytes(F("music/priv.mp3"),
             testing::Id3v2Tag(3, testing::Frame23("PRIV", "owner\0data"s, 0x8000)) + MpegAudio(1));
  WriteBytes(F("apply.csv"),
             "File,Title\r\nmusic/ok.mp3,N\r\nmusic/folder.mp3,N\r\nmusic/cut.mp3,N\r\n"
             "music/priv.mp3,N\r\n");

  const CliRun run = Cli("apply apply.csv");
  EXPECT_EQ(run.status, 1);
  for (const std::string& line : {
           F("music/folder.mp3") + ": フォルダには CSV の値を適用できません。読み飛ばしました。",
           F("music/cut.mp3") + ": このファイルに対して書き込めません。(the ID3v2 tag claims",
           F("music/priv.mp3") + ": 書き込めなかったフレームがあります。(PRIV)",
       }) {
    EXPECT_TRUE(Contains(run.err, line)) << line << "\n" << run.err;
  }
  // The account of the run, last; the file that lost a frame has a notice.
  EXPECT_TRUE(
      run.err.ends_with("\n2 個のファイルに書き込みました(うち 1 個にはお知らせがあります)。"
                        "1 個のファイルには書き込めませんでした。\n"))
      << run.err;
  EXPECT_FALSE(Contains(run.err, "music/ok.mp3"));
  EXPECT_TRUE(ReadBytes(F("music/cut.mp3")) == cut);
}

TEST_F(CliTest, ListsAreWrittenThroughLinksAndNeverOverAReadOnlyOne) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteBytes(F("real.csv"), "old\r\n");
  ASSERT_EQ(symlink("real.csv", F("link.csv").c_str()), 0);
  EXPECT_EQ(Cli("export -o link.csv music/a.mp3").status, 0);
  EXPECT_TRUE(ReadBytes(F("real.csv")).starts_with("FILE,"));
  struct stat st {};
  EXPECT_TRUE(lstat(F("link.csv").c_str(), &st) == 0 && S_ISLNK(st.st_mode));

  WriteBytes(F("ro.m3u"), "keep\r\n");
  ASSERT_EQ(chmod(F("ro.m3u").c_str(), 0444), 0);
  const CliRun run = Cli("playlist ro.m3u music/a.mp3");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      Contains(run.err, F("ro.m3u") + ": ファイルに書き込めません。(the file is read-only)"))
      << run.err;
  EXPECT_EQ(ReadBytes(F("ro.m3u")), "keep\r\n");
}

}  // namespace
}  // namespace quilmark
