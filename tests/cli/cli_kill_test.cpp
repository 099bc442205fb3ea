// quilmark-cli apply killed at random moments during a save of many files,
// copied or (on a file system that shares blocks) cloned: every file is
// always whole, old or new, and nothing a killed save made stays behind
// once the next save has run. Ctrl+C stops it between files.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "cli/cli_test_support.h"
#include "support/xfs_image.h"

namespace quilmark {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFiles = 100;  // more than a save writes in one batch

// Songs s0.mp3... in music/ under `root`, and apply.csv giving each a new
// title, the settings store in root/config; a first whole save, timed,
// gives the new files. With `room`, the old tags have room for the new
// titles, so the audio keeps its offset and can be cloned.
struct Songs {
  explicit Songs(const std::string& root, std::size_t room = 0) : root(root) {
    const std::string oldTag =
        testing::Id3v2Tag(3, "TIT2\0\0\0\x04\0\0\0old"s + std::string(room, '\0'));
    std::filesystem::create_directories(root + "music");
    std::string csv = "File,Title\r\n";
    for (int i = 0; i < kFiles; ++i) {
      oldBytes.push_back(oldTag + testing::MpegAudio(300 + i));
      csv += "music/s" + std::to_string(i) + ".mp3,new " + std::to_string(i) + "\r\n";
    }
    WriteBytes(root + "apply.csv", csv);
    const auto start = Clock::now();
    EXPECT_EQ(Wait(Start()), 0);
    whole = Clock::now() - start;
    for (int i = 0; i < kFiles; ++i) newBytes.push_back(ReadBytes(Song(i)));
  }
  std::string Song(int i) const { return root + "music/s" + std::to_string(i) + ".mp3"; }
  // `quilmark-cli apply apply.csv` on the old songs, not waited for; its
  // messages to `errors`. What earlier runs left besides the songs stays.
  pid_t Start(const std::string& errors = "/dev/null") const {
    for (int i = 0; i < kFiles; ++i) WriteBytes(Song(i), oldBytes[i]);
    const pid_t child = fork();
    if (child != 0) return child;
    std::freopen("/dev/null", "w", stdout);
    std::freopen(errors.c_str(), "w", stderr);
    setenv("XDG_CONFIG_HOME", (root + "config").c_str(), 1);
    if (chdir(root.c_str()) != 0) _exit(127);
    execl(QUILMARK_CLI, QUILMARK_CLI, "apply", "apply.csv", static_cast<char*>(nullptr));
    _exit(127);
  }
  // The exit status; -1 when a signal ended it.
  static int Wait(pid_t cli) {
    int status = 0;
    waitpid(cli, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // How many songs are new; each must be whole, old or new.
  int WrittenSongs() const {
    int written = 0;
    for (int i = 0; i < kFiles; ++i) {
      const std::string bytes = ReadBytes(Song(i));
      EXPECT_TRUE(bytes == oldBytes[i] || bytes == newBytes[i]) << "file " << i << " torn";
      written += bytes == newBytes[i];
    }
    return written;
  }
  // Files in music/ that are no song: what a save left of its own.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root + "music"))
      if (!entry.path().filename().string().starts_with("s")) names.push_back(entry.path());
    return names;
  }

  // Kills saves at random moments; every file stays whole, and the next
  // save leaves all new and nothing else.
  void KillSaves(int rounds) const {
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
    int kills = 0;
    for (int round = 0; round < rounds; ++round) {
      const pid_t cli = Start();
      ASSERT_GT(cli, 0);
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
      kills += kill(cli, SIGKILL) == 0;
      Wait(cli);
      SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
      WrittenSongs();
      // The one moment a temporary file has a name is just before it takes
      // the song's: whatever a kill leaves is a complete new file.
      for (const std::string& temp : Leftovers()) {
        EXPECT_TRUE(std::ranges::find(newBytes, ReadBytes(temp)) != newBytes.end())
            << "a partial temporary file " << temp;
      }
    }
    EXPECT_GT(kills, 0);
    // The next save removes whatever the killed ones left.
    ASSERT_EQ(Wait(Start()), 0);
    EXPECT_EQ(WrittenSongs(), kFiles);
    EXPECT_TRUE(Leftovers().empty());
  }

  std::string root;
  std::vector<std::string> oldBytes, newBytes;
  Clock::duration whole{};  // of a whole save
};

TEST_F(CliTest, CtrlCStopsBetweenFilesWithItsOwnStatus) {
  const Songs songs(dir.Path());
  const pid_t cli = songs.Start(F("err.txt"));
  ASSERT_GT(cli, 0);
  // Once the first file is new, the save is under way.
  const auto limit = Clock::now() + std::chrono::seconds(20);
  while (ReadBytes(songs.Song(0)) == songs.oldBytes[0] && Clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  kill(cli, SIGINT);
  EXPECT_EQ(Songs::Wait(cli), 130) << "-1: ended by the signal, not by itself";
  const int written = songs.WrittenSongs();
  EXPECT_GT(written, 0);
  EXPECT_LT(written, kFiles);
  EXPECT_TRUE(songs.Leftovers().empty());
}

TEST_F(CliTest, KilledAtAnyMomentEveryFileIsWholeOldOrNew) { Songs(dir.Path()).KillSaves(15); }

TEST_F(CliTest, KilledAtAnyMomentEveryFileIsWholeWhereTheAudioIsCloned) {
  const testing::XfsImage xfs(std::uint64_t{512} << 20);
  if (!xfs.Mounted()) GTEST_SKIP() << "no file system that shares blocks: " << xfs.Why();
  const Songs songs(xfs.Path(), 100);
  ASSERT_EQ(songs.newBytes[0].size(), songs.oldBytes[0].size()) << "the audio moved";
  songs.KillSaves(10);
}

}  // namespace
}  // namespace quilmark
