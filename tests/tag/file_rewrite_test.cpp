// Rewriting a file with its new tag: the one tag kind left, the audio copied
// exactly (or shared, where the file system can), many files in one batch,
// and a failure that changes nothing and says why.
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "support/xfs_image.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

class FileRewrite : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("song.mp3");
    audio_ = testing::MpegAudio(5);
    original_ = testing::Id3v2Tag(3, testing::Text23("TIT2", "old") + std::string(100, '\0')) +
                audio_ + testing::Id3v1Block("old v1");
    testing::WriteBytes(path_, original_);
    values_.Set("Title", "new");
  }
  void TearDown() override { platform::testing::FailWritesAfter(std::nullopt); }

  TagWriteResult Write() { return WriteFileTags(path_, values_, options_); }

  testing::TempDir dir_;
  std::string path_, audio_, original_;
  TagValues values_;
  TagWriteOptions options_;
};

TEST_F(FileRewrite, ExactlyOneTagKindIsLeft) {
  ASSERT_TRUE(Write().Written());
  std::string v23 = "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0new"s + "\0\0"s;
  EXPECT_TRUE(testing::ReadBytes(path_) == v23 + audio_);

  options_.kind = TagKind::Id3v1;
  ASSERT_TRUE(Write().Written());
  EXPECT_TRUE(testing::ReadBytes(path_) == audio_ + testing::Id3v1Block("new"));

  // A row with no values leaves the audio alone.
  values_.Clear();
  options_.kind = TagKind::Id3v22;
  ASSERT_TRUE(Write().Written());
  EXPECT_TRUE(testing::ReadBytes(path_) == audio_);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 1);
}

TEST_F(FileRewrite, AudioIsCopiedExactlyFromWhereTheTagEnds) {
  std::string big(6 << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 131) >> 7);
  testing::WriteBytes(path_, testing::Id3v2Tag(2, testing::Frame22("TT2", "\0x"s)) + big);
  ASSERT_TRUE(Write().Written());
  std::string after = testing::ReadBytes(path_);
  ASSERT_EQ(after.size(), 26 + big.size());
  EXPECT_TRUE(after.compare(26, std::string::npos, big) == 0);
}

TEST_F(FileRewrite, ABatchChangesNothingBeforeItsCommitAndTakesAFileAddedTwiceInTurn) {
  const std::string other = dir_.File("other.mp3"), link = dir_.File("link.mp3");
  testing::WriteBytes(other, original_);
  ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
  TagValues artist;
  artist.Set("Artist", "second");
  {
    TagWriteBatch batch(options_);
    EXPECT_FALSE(batch.Add(path_, values_));
    EXPECT_FALSE(batch.Add(other, values_));
    const std::optional<TagWriteResult> missing = batch.Add(dir_.File("gone.mp3"), values_);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, TagWriteStatus::NotOpened);
    EXPECT_TRUE(testing::ReadBytes(path_) == original_ && testing::ReadBytes(other) == original_);
    // The same file under another name: what waits is finished first, so
    // that the second write starts from the file the first one made.
    EXPECT_FALSE(batch.Add(link, artist));
    EXPECT_EQ(ReadTagValues(path_)->Get("Title"), "new");
    const std::vector<TagWriteResult> results = batch.Commit();
    ASSERT_EQ(results.size(), 3u);
    for (const TagWriteResult& result : results) EXPECT_TRUE(result.Written()) << result.reason;
  }
  EXPECT_EQ(ReadTagValues(path_)->Get("Artist"), "second");
  EXPECT_EQ(ReadTagValues(other)->Get("Title"), "new");

  // A batch dropped before its commit leaves the file as it was, and nothing
  // beside it.
  const std::string before = testing::ReadBytes(other);
  { TagWriteBatch(options_).Add(other, artist); }
  EXPECT_TRUE(testing::ReadBytes(other) == before);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 3);
}

// Bytes of `path` in extents it shares with another file.
std::uint64_t SharedBytes(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  std::vector<char> buffer(sizeof(fiemap) + 64 * sizeof(fiemap_extent));
  auto* map = reinterpret_cast<fiemap*>(buffer.data());
  map->fm_length = FIEMAP_MAX_OFFSET;
  map->fm_flags = FIEMAP_FLAG_SYNC;
  map->fm_extent_count = 64;
  std::uint64_t shared = 0;
  if (fd >= 0 && ioctl(fd, FS_IOC_FIEMAP, map) == 0) {
    for (std::uint32_t i = 0; i < map->fm_mapped_extents; ++i) {
      if (map->fm_extents[i].fe_flags & FIEMAP_EXTENT_SHARED)
        shared += map->fm_extents[i].fe_length;
    }
  }
  close(fd);
  return shared;
}

TEST(SharedBlocks, TheAudioKeepsItsOffsetAndItsBlocksWhereTheTagFitsAndFilesWithoutATagAsEver) {
  const testing::XfsImage xfs(std::uint64_t{300} << 20);
  if (!xfs.Mounted()) GTEST_SKIP() << "no file system that shares blocks: " << xfs.Why();
  const std::string audio = MpegAudio(2500);  // about 1 MB
  const std::string oldTag = Id3v2Tag(3, Text23("TIT2", "old") + std::string(3000, '\0'));
  struct Case {
    const char* what;
    std::string before;
    TagKind kind;
    std::string after;  // empty: the old tag's size, the audio where it was
    bool shared;
  };
  const std::string v23 = "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0new"s + "\0\0"s;
  const Case cases[] = {
      {"tagged, v2.3", oldTag + audio + Id3v1Block("old v1"), TagKind::Id3v23, "", true},
      {"tagged, v2.2", oldTag + audio, TagKind::Id3v22, "", true},
      {"no tag, ID3v1", audio + Id3v1Block("old v1"), TagKind::Id3v1, audio + Id3v1Block("new"),
       true},
      // A file with no tag gets the tag's own size: the audio moves.
      {"no tag, v2.3", audio, TagKind::Id3v23, v23 + audio, false},
  };
  TagValues values;
  values.Set("Title", "new");
  for (const Case& c : cases) {
    const std::string path = xfs.Path() + "song.mp3", old = xfs.Path() + "old.mp3";
    testing::WriteBytes(path, c.before);
    ASSERT_EQ(link(path.c_str(), old.c_str()), 0);  // keeps the old blocks in use
    ASSERT_TRUE(WriteFileTags(path, values, {c.kind, Charset::ShiftJis}).Written()) << c.what;
    const std::string after = testing::ReadBytes(path);
    if (c.after.empty()) {
      EXPECT_EQ(after.size(), oldTag.size() + audio.size()) << c.what;
      EXPECT_TRUE(after.compare(oldTag.size(), std::string::npos, audio) == 0) << c.what;
      EXPECT_EQ(ReadTagValues(path)->Get("Title"), "new") << c.what;
    } else {
      EXPECT_TRUE(after == c.after) << c.what;
    }
    // All but the blocks the audio shares with a tag are those of the old file.
    EXPECT_EQ(SharedBytes(path) + 2 * 4096 > audio.size(), c.shared) << c.what;
    EXPECT_EQ(testing::CountEntries(xfs.Path()), 2) << c.what;
    ASSERT_TRUE(platform::RemoveFile(path) && platform::RemoveFile(old));
  }
}

TEST_F(FileRewrite, FullDiskLeavesTheOriginalAndNoTemporaryFileAndSaysWhy) {
  for (std::uint64_t budget : {0ull, 20ull, 500ull, 2000ull}) {
    platform::testing::FailWritesAfter(budget);
    const TagWriteResult result = Write();
    platform::testing::FailWritesAfter(std::nullopt);
    EXPECT_EQ(result.status, TagWriteStatus::Failed) << budget;
    EXPECT_EQ(result.reason, std::make_error_code(std::errc::no_space_on_device).message());
    EXPECT_TRUE(testing::ReadBytes(path_) == original_) << budget;
    EXPECT_EQ(testing::CountEntries(dir_.Path()), 1) << budget;
  }
}

TEST_F(FileRewrite, ReadOnlyNeedsForceWriteAndModeTimeAndAttributesAreKept) {
  // A tagger's or a desktop's note on the file, which every save used to drop.
  const bool xattrs = setxattr(path_.c_str(), "user.rating", "5", 1, 0) == 0;
  ASSERT_EQ(chmod(path_.c_str(), 0440), 0);
  const std::int64_t old = 1'000'000'000'123'456'789;
  ASSERT_TRUE(platform::SetLastWriteTime(path_, old));
  EXPECT_EQ(Write().status, TagWriteStatus::ReadOnly);
  EXPECT_TRUE(testing::ReadBytes(path_) == original_);

  options_.forceWrite = true;
  options_.keepFileTime = true;
  EXPECT_TRUE(Write().Written());
  EXPECT_NE(testing::ReadBytes(path_), original_);
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0440u);
  EXPECT_EQ(platform::LastWriteTime(path_), old);
  char rating[4] = {};
  if (xattrs) {
    EXPECT_EQ(getxattr(path_.c_str(), "user.rating", rating, sizeof rating), 1);
  }

  options_.keepFileTime = false;
  ASSERT_TRUE(Write().Written());
  EXPECT_NE(platform::LastWriteTime(path_), old);
}

TEST_F(FileRewrite, ALinkedFileIsRewrittenWhereItLivesAndTheLinkStays) {
  testing::TempDir elsewhere;
  const std::string link = elsewhere.File("link.mp3");
  ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
  EXPECT_TRUE(WriteFileTags(link, values_, options_).Written());
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(testing::ReadBytes(path_), original_);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 1);
  EXPECT_EQ(testing::CountEntries(elsewhere.Path()), 1);
}

TEST_F(FileRewrite, VanishedFileIsReportedAsNotOpened) {
  ASSERT_TRUE(platform::RemoveFile(path_));
  const TagWriteResult result = Write();
  EXPECT_EQ(result.status, TagWriteStatus::NotOpened);
  EXPECT_EQ(result.reason, std::make_error_code(std::errc::no_such_file_or_directory).message());
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 0);
}

}  // namespace
}  // namespace quilmark
