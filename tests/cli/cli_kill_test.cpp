// quilmark-cli apply killed at random moments during a save of many files,
// copied or (on a file system that shares blocks) cloned: every file is
// always whole, old or new, and nothing a killed save made stays behind
// once the next save has run. Ctrl+C stops it between files.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "cli/cli_test_support.h"
#include "support/xfs_image.h"

namespace quilmark {
namespace {

// More than a save writes in one batch.
constexpr int kFiles = 100;

// Starts `quilmark-cli apply LIST` in `folder` without waiting for it.
pid_t StartApply(const std::string& folder, const std::string& config, const std::string& list,
                 const std::string& errors = "/dev/null") {
  const pid_t child = fork();
  if (child != 0) return child;
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
  if (chdir(folder.c_str()) != 0) _exit(127);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  execl(QUILMARK_CLI, QUILMARK_CLI, "apply", list.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

int RunApply(const std::string& folder, const std::string& config, const std::string& list) {
  const pid_t cli = StartApply(folder, config, list);
  int status = -1;
  waitpid(cli, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TempNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    if (name.starts_with("QMK")) names.push_back(entry.path());
  }
  return names;
}

// Songs s0.mp3... in music/ and reference/ under `root`, and lists that
// give each a new title; the new files come from a run on the references
// left alone.
struct Songs {
  Songs(const std::string& root, const std::string& config, const std::string& oldTag)
      : root(root), config(config) {
    std::filesystem::create_directories(root + "music");
    std::filesystem::create_directories(root + "reference");
    std::string csv = "File,Title\r\n", referenceCsv = csv;
    for (int i = 0; i < kFiles; ++i) {
      oldBytes.push_back(oldTag + testing::MpegAudio(300 + i));
      WriteBytes(Path("reference", i), oldBytes.back());
      WriteBytes(Path("music", i), oldBytes.back());
      csv += "music/" + Name(i) + ",new " + std::to_string(i) + "\r\n";
      referenceCsv += "reference/" + Name(i) + ",new " + std::to_string(i) + "\r\n";
    }
    WriteBytes(root + "apply.csv", csv);
    WriteBytes(root + "reference.csv", referenceCsv);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunApply(root, config, "reference.csv"), 0);
    whole = std::chrono::steady_clock::now() - start;
    for (int i = 0; i < kFiles; ++i) newBytes.push_back(ReadBytes(Path("reference", i)));
  }
  static std::string Name(int i) { return "s" + std::to_string(i) + ".mp3"; }
  std::string Path(const std::string& folder, int i) const { return root + folder + "/" + Name(i); }
  // How many songs in music/ are new; each must be whole, old or new.
  int WrittenSongs(const std::string& when) const {
    int written = 0;
    for (int i = 0; i < kFiles; ++i) {
      const std::string bytes = ReadBytes(Path("music", i));
      EXPECT_TRUE(bytes == oldBytes[i] || bytes == newBytes[i]) << "file " << i << " torn " << when;
      written += bytes == newBytes[i];
    }
    return written;
  }

  // Kills saves of music/ at random moments; every file stays whole, and
  // the next save leaves all new and no temporary file.
  void KillSaves(int rounds) const {
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
    int kills = 0;
    for (int round = 0; round < rounds; ++round) {
      for (int i = 0; i < kFiles; ++i) WriteBytes(Path("music", i), oldBytes[i]);
      const pid_t cli = StartApply(root, config, "apply.csv");
      ASSERT_GT(cli, 0);
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
      kills += kill(cli, SIGKILL) == 0;
      waitpid(cli, nullptr, 0);

      WrittenSongs("in round " + std::to_string(round) + " (seed " + std::to_string(seed) + ")");
      // The one moment a temporary file has a name is just before it takes
      // the song's: whatever a kill leaves is a complete new file.
      for (const std::string& temp : TempNames(root + "music")) {
        const std::string bytes = ReadBytes(temp);
        EXPECT_TRUE(std::find(newBytes.begin(), newBytes.end(), bytes) != newBytes.end())
            << "a partial temporary file " << temp << " in round " << round;
      }
    }
    EXPECT_GT(kills, 0);

    // The next save removes whatever the killed ones left.
    ASSERT_EQ(RunApply(root, config, "apply.csv"), 0);
    EXPECT_EQ(WrittenSongs("after a whole save"), kFiles);
    EXPECT_TRUE(TempNames(root + "music").empty());
  }

  std::string root, config;
  std::vector<std::string> oldBytes, newBytes;
  std::chrono::steady_clock::duration whole{};  // of a whole save
};

const std::string kOldTag = testing::Id3v2Tag(3, "TIT2\0\0\0\x04\0\0\0old"s);

TEST_F(CliTest, CtrlCStopsBetweenFilesAndTheAccountSaysWhatWasWritten) {
  const Songs songs(dir.Path(), F("config"), kOldTag);
  const pid_t cli = StartApply(dir.Path(), F("config"), "apply.csv", F("err.txt"));
  ASSERT_GT(cli, 0);
  // Once the first file is new, the save is under way.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (ReadBytes(songs.Path("music", 0)) == songs.oldBytes[0] &&
         std::chrono::steady_clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  kill(cli, SIGINT);
  int status = 0;
  waitpid(cli, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal, not by itself";
  EXPECT_EQ(WEXITSTATUS(status), 130);
  const int written = songs.WrittenSongs("");
  EXPECT_GT(written, 0);
  EXPECT_LT(written, kFiles);
  const std::string err = ReadBytes(F("err.txt"));
  EXPECT_EQ(err, std::to_string(written) + " 個のファイルに書き込みました。途中で中止しました。" +
                     "書き込んでいない " + std::to_string(kFiles - written) +
                     " 行は変更済みのままです。\n");
  EXPECT_TRUE(TempNames(F("music")).empty());
}

TEST_F(CliTest, KilledAtAnyMomentEveryFileIsWholeOldOrNew) {
  Songs(dir.Path(), F("config"), kOldTag).KillSaves(15);
}

TEST_F(CliTest, KilledAtAnyMomentEveryFileIsWholeWhereTheAudioIsCloned) {
  const testing::XfsImage xfs(std::uint64_t{512} << 20);
  if (!xfs.Mounted()) GTEST_SKIP() << "no file system that shares blocks: " << xfs.Why();
  // Room in the old tags for the new titles: the audio keeps its offset.
  const Songs songs(xfs.Path(), F("config"),
                    testing::Id3v2Tag(3, "TIT2\0\0\0\x04\0\0\0old"s + std::string(100, '\0')));
  for (int i = 0; i < kFiles; ++i) {
    ASSERT_EQ(songs.newBytes[i].size(), songs.oldBytes[i].size()) << "not cloned: " << i;
  }
  songs.KillSaves(10);
}

}  // namespace
}  // namespace quilmark
