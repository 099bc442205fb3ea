// Rewriting a file with its new tag: exactly the bytes of the one tag kind
// left, the audio copied (or shared, where the file system can), many files
// in one batch, and a read-only file left alone unless forced. What a
// write refuses, and what a hostile folder cannot make it do: text files
// get no tag, and a name swapped for a link cannot redirect the write.
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/file.h"
#include "support/child_run.h"
#include "support/xfs_image.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

const std::string kNewV23 = "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0new"s + "\0\0"s;

class FileRewrite : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteBytes(path_, original_);
    values_.Set("Title", "new");
  }

  TagWriteResult Write() { return WriteFileTags(path_, values_, options_); }

  testing::TempDir dir_;
  const std::string path_ = dir_.File("song.mp3"), audio_ = MpegAudio(40);
  const std::string original_ =
      Id3v2Tag(3, Text23("TIT2", "old") + std::string(100, '\0')) + audio_ + Id3v1Block("old v1");
  TagValues values_;
  TagWriteOptions options_;
};

// Where the file system can share blocks, a tag that fits the old one's
// space is sized to it, so that the audio keeps its offset and its blocks.
TEST_F(FileRewrite, ExactlyTheNewTagAroundTheAudioAndNoOtherKindLeft) {
  const std::string newTag = Id3v2Tag(3, Text23("TIT2", "new") + std::string(100, '\0'));
  const std::string newV22 = Id3v2Tag(2, Frame22("TT2", "\0new"s) + std::string(6, '\0'));
  const std::string v22InOldSpace = Id3v2Tag(2, Frame22("TT2", "\0new"s) + std::string(104, '\0'));
  const struct {
    const char* what;
    bool tagged;
    TagKind kind;
    const char* values;
    std::string after, afterShared;  // afterShared: where blocks are shared, if other
  } cases[] = {
      {"tagged, v2.3: the ID3v1 block goes", true, TagKind::Id3v23, "Title=new", kNewV23 + audio_,
       newTag + audio_},
      {"tagged, v2.2", true, TagKind::Id3v22, "Title=new", newV22 + audio_, v22InOldSpace + audio_},
      {"tagged, ID3v1: the ID3v2 tag goes", true, TagKind::Id3v1, "Title=new",
       audio_ + Id3v1Block("new")},
      {"tagged, no values: no tag at all", true, TagKind::Id3v22, "", audio_},
      // A file with no tag gets the tag's own size: the audio moves.
      {"no tag, v2.3", false, TagKind::Id3v23, "Title=new", kNewV23 + audio_},
      {"no tag, ID3v1", false, TagKind::Id3v1, "Title=new", audio_ + Id3v1Block("new")},
      {"no tag, no values", false, TagKind::Id3v24, "", audio_},
  };
  const testing::XfsImage xfs(std::uint64_t{300} << 20);
  std::vector<std::string> folders = {dir_.Path()};
  if (xfs.Mounted()) folders.push_back(xfs.Path());
  for (const std::string& folder : folders) {
    const std::string path = folder + "song.mp3";
    for (const auto& c : cases) {
      SCOPED_TRACE(folder + ": " + c.what);
      testing::WriteBytes(path, c.tagged ? original_ : audio_);
      options_.kind = c.kind;
      ASSERT_TRUE(WriteFileTags(path, TagValues::FromCommaText(c.values), options_).Written());
      const bool shared = folder == xfs.Path() && !c.afterShared.empty();
      EXPECT_TRUE(testing::ReadBytes(path) == (shared ? c.afterShared : c.after));
      EXPECT_EQ(testing::CountEntries(folder), 1);
    }
  }
  if (!xfs.Mounted()) GTEST_SKIP() << "no file system that shares blocks: " << xfs.Why();
}

TEST_F(FileRewrite, ABatchChangesNothingBeforeItsCommitAndTakesAFileAddedTwiceInTurn) {
  const std::string other = dir_.File("other.mp3"), link = dir_.File("link.mp3");
  testing::WriteBytes(other, original_);
  ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
  const TagValues artist = TagValues::FromCommaText("Artist=second");
  {
    TagWriteBatch batch(options_);
    EXPECT_FALSE(batch.Add(path_, values_));
    EXPECT_FALSE(batch.Add(other, values_));
    EXPECT_EQ(batch.Add(dir_.File("gone.mp3"), values_).value().status, TagWriteStatus::NotOpened);
    EXPECT_TRUE(testing::ReadBytes(path_) == original_ && testing::ReadBytes(other) == original_);
    // The same file through a link: what waits is finished first, so that
    // the second write starts from the file the first one made.
    EXPECT_FALSE(batch.Add(link, artist));
    EXPECT_EQ(ReadTagValues(path_)->Get("Title"), "new");
    EXPECT_EQ(batch.Commit().size(), 3u);
  }
  // Written where the link leads, and the link stays a link.
  EXPECT_EQ(ReadTagValues(path_)->Get("Artist"), "second");
  EXPECT_EQ(ReadTagValues(other)->Get("Title"), "new");
  struct stat st {};
  EXPECT_TRUE(lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));

  // A batch dropped before its commit leaves the file as it was, and nothing
  // beside it.
  const std::string before = testing::ReadBytes(other);
  { TagWriteBatch(options_).Add(other, artist); }
  EXPECT_TRUE(testing::ReadBytes(other) == before);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 3);
}

TEST_F(FileRewrite, ReadOnlyNeedsForceWriteAndModeAndTimeAreKept) {
  ASSERT_EQ(chmod(path_.c_str(), 0440), 0);
  // To the nanosecond and before 1970, where the seconds are negative and
  // the nanoseconds are not.
  const timespec old[2] = {{0, UTIME_OMIT}, {-1'500'000'001, 123'456'789}};
  ASSERT_EQ(utimensat(AT_FDCWD, path_.c_str(), old, 0), 0);
  EXPECT_EQ(Write().status, TagWriteStatus::ReadOnly);
  options_.forceWrite = true;
  options_.keepFileTime = true;
  ASSERT_TRUE(Write().Written());
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0440u);
  EXPECT_EQ(std::pair(st.st_mtim.tv_sec, st.st_mtim.tv_nsec),
            std::pair(old[1].tv_sec, old[1].tv_nsec));
}

TEST_F(FileRewrite, OnlyFilesThatLookLikeMpegAudioGetATag) {
  std::string junk(1000, 'j');
  std::string freeFormat = MpegAudio(1);
  freeFormat[2] = '\x00';  // bit-rate index 0
  const std::tuple<const char*, std::string, bool> cases[] = {
      {"UTF-16 text, whose byte-order mark reads as a frame header", "\xFF\xFEh\0i\0"s, false},
      {"frame headers that do not follow one another", MpegAudio(1).substr(0, 40) + junk, false},
      {"MPEG audio after junk", junk + MpegAudio(2), true},
      {"a free-format stream", freeFormat + junk, true},
      {"anything after an ID3v2 tag", Id3v2Tag(3, Text23("TIT2", "t")) + junk, true},
  };
  for (const auto& [what, bytes, tagged] : cases) {
    testing::WriteBytes(path_, bytes);
    EXPECT_EQ(Write().status, tagged ? TagWriteStatus::Written : TagWriteStatus::NotMpegAudio)
        << what;
  }
}

// A tag that claims far more than it holds is undone frame by frame, never
// read whole into memory.
TEST_F(FileRewrite, HugeUnsynchronisedTagIsRewrittenInLittleMemory) {
  // A header claiming 256 MB, unsynchronised; one real frame, then a hole.
  testing::WriteBytes(path_, "ID3\x03\0\x80\x7F\x7F\x7F\x7F"s + Text23("TIT2", "old"));
  std::filesystem::resize_file(path_, 10 + 0x0FFFFFFF);
  std::ofstream(path_, std::ios::binary | std::ios::app) << MpegAudio(2);
  const auto run = testing::RunInChild([&] {
    // A fork starts with the test program's pages: what counts is what
    // the rewrite takes on top of them.
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const bool rewritten = ReadTagValues(path_)->Get("Title") == "old" && Write().Written() &&
                           ReadTagValues(path_)->Get("Title") == "new";
    getrusage(RUSAGE_SELF, &after);
    return rewritten && after.ru_maxrss - before.ru_maxrss < 128 * 1024;
  });
  EXPECT_TRUE(run.passed) << "not rewritten, or the tag was read into memory";
  EXPECT_TRUE(testing::ReadBytes(path_).ends_with(MpegAudio(2)));
}

TEST_F(FileRewrite, ATemporaryNameSwappedForALinkNeverRedirectsTheWrite) {
  testing::TempDir elsewhere;
  const std::string victim = elsewhere.File("victim"), &song = path_;
  WriteBytes(victim, "precious");
  ASSERT_EQ(chmod(victim.c_str(), 0600), 0);
  struct stat before {};
  ASSERT_EQ(stat(victim.c_str(), &before), 0);
  // Another user who may write the folder puts a link to the victim in
  // place of each temporary file the moment it appears.
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  inotify_add_watch(watch, dir_.Path().c_str(), IN_CREATE | IN_MOVED_TO);
  std::atomic<bool> stop{false};
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
        rename(dir_.File(".link").c_str(), dir_.File(event->name).c_str());
      }
    }
  });
  // Audio large enough that the copy gives the swapper time, and a kept
  // time and mode that would show on whatever the name led to.
  const std::string audio = MpegAudio(10000);
  options_.keepFileTime = true;
  for (int i = 0; i < 20; ++i) {
    std::filesystem::remove(song);  // whatever a lost race left at its name
    WriteBytes(song, audio);
    chmod(song.c_str(), 0644);
    std::filesystem::last_write_time(song, std::filesystem::file_time_type{});
    values_.Set("Title", "t" + std::to_string(i));
    static_cast<void>(WriteFileTags(song, values_, options_));
  }
  stop = true;
  swapper.join();
  close(watch);
  struct stat after {};
  ASSERT_EQ(stat(victim.c_str(), &after), 0);
  EXPECT_TRUE(ReadBytes(victim) == "precious") << "written through a link";
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

}  // namespace
}  // namespace quilmark
