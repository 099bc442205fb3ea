// Rewriting a file with its new tag: the one tag kind left, the audio copied
// exactly, and a failure that changes nothing and says why.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/file.h"
#include "platform/file_system.h"
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
