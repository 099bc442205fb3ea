// What a tag write refuses, and what a hostile folder cannot make it do:
// text files and lists get no tag, a name swapped for a link cannot
// redirect the write, and a huge tag costs no memory to rewrite.
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/child_run.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

class RewriteSafety : public ::testing::Test {
 protected:
  RewriteSafety() { values_.Set("Title", "new"); }
  TagWriteResult Write(const std::string& path) { return WriteFileTags(path, values_, {}); }

  testing::TempDir dir_;
  TagValues values_;
};

TEST_F(RewriteSafety, OnlyFilesThatLookLikeMpegAudioGetATag) {
  std::string junk(1000, 'j');
  std::string freeFormat = MpegAudio(1);
  freeFormat[2] = '\x00';  // bit-rate index 0
  const struct {
    const char* what;
    std::string bytes;
    bool tagged;
  } cases[] = {
      {"UTF-16 text, whose byte-order mark reads as a frame header", "\xFF\xFEh\0i\0"s, false},
      {"an empty file", "", false},
      {"frame headers that do not follow one another", MpegAudio(1).substr(0, 40) + junk, false},
      {"MPEG audio", MpegAudio(3), true},
      {"MPEG audio after junk", junk + MpegAudio(2), true},
      {"one frame and an ID3v1 block", MpegAudio(1) + Id3v1Block("old"), true},
      {"a free-format stream", freeFormat + junk, true},
      {"anything after an ID3v2 tag", Id3v2Tag(3, Text23("TIT2", "t")) + junk, true},
  };
  const std::string path = dir_.File("file.mp3");
  for (const auto& c : cases) {
    WriteBytes(path, c.bytes);
    const TagWriteResult result = Write(path);
    EXPECT_EQ(result.Written(), c.tagged) << c.what << ": " << result.reason;
    if (!c.tagged) {
      EXPECT_EQ(result.status, TagWriteStatus::NotMpegAudio) << c.what;
      EXPECT_TRUE(ReadBytes(path) == c.bytes) << c.what;
    }
  }
}

TEST_F(RewriteSafety, HugeUnsynchronisedTagIsRewrittenInLittleMemory) {
  const std::string path = dir_.File("huge.mp3");
  // A header claiming 256 MB, unsynchronised; one real frame, then a hole.
  WriteBytes(path, "ID3\x03\0\x80\x7F\x7F\x7F\x7F"s + Text23("TIT2", "old"));
  std::filesystem::resize_file(path, 10 + 0x0FFFFFFF);
  std::ofstream(path, std::ios::binary | std::ios::app) << MpegAudio(2);
  const auto run = testing::RunInChild([&] {
    return ReadTagValues(path)->Get("Title") == "old" && Write(path).Written() &&
           ReadTagValues(path)->Get("Title") == "new";
  });
  EXPECT_TRUE(run.passed);
  EXPECT_LT(run.peakKiB, 128 * 1024) << "the tag was read into memory";
  EXPECT_TRUE(ReadBytes(path).ends_with(MpegAudio(2)));
}

TEST_F(RewriteSafety, ATemporaryNameSwappedForALinkNeverRedirectsTheWrite) {
  testing::TempDir elsewhere;
  const std::string victim = elsewhere.File("victim"), song = dir_.File("song.mp3");
  WriteBytes(victim, "precious");
  ASSERT_EQ(chmod(victim.c_str(), 0600), 0);
  struct stat before {};
  ASSERT_EQ(stat(victim.c_str(), &before), 0);
  // Another user who may write the folder puts a link to the victim in
  // place of each temporary file the moment it appears.
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  inotify_add_watch(watch, dir_.Path().c_str(), IN_CREATE | IN_MOVED_TO);
  std::atomic<bool> stop{false};
  std::atomic<int> swaps{0};
  std::thread swapper([&] {
    alignas(inotify_event) char buffer[4096];
    while (!stop) {
      pollfd p{watch, POLLIN, 0};
      const ssize_t n = poll(&p, 1, 20) > 0 ? read(watch, buffer, sizeof buffer) : 0;
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        if (event->len == 0 || !std::string_view(event->name).starts_with("QMK")) continue;
        symlink(victim.c_str(), dir_.File(".link").c_str());
        swaps += rename(dir_.File(".link").c_str(), dir_.File(event->name).c_str()) == 0;
      }
    }
  });
  // Audio large enough that the copy gives the swapper time, and a kept
  // time and mode that would show on whatever the name led to.
  const std::string audio = MpegAudio(10000);
  const TagWriteOptions options{TagKind::Id3v23, Charset::ShiftJis, false, true};
  for (int i = 0; i < 20; ++i) {
    std::filesystem::remove(song);  // whatever a lost race left at its name
    WriteBytes(song, audio);
    chmod(song.c_str(), 0644);
    std::filesystem::last_write_time(song, std::filesystem::file_time_type{});
    values_.Set("Title", "t" + std::to_string(i));
    static_cast<void>(WriteFileTags(song, values_, options));
  }
  stop = true;
  swapper.join();
  close(watch);
  struct stat after {};
  ASSERT_EQ(stat(victim.c_str(), &after), 0);
  EXPECT_TRUE(ReadBytes(victim) == "precious")
      << "written through a link after " << swaps << " swaps";
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

}  // namespace
}  // namespace quilmark
