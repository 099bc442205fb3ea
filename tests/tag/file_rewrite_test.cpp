#include <sys/stat.h>
#include <unistd.h>

#include "platform/file.h"
#include "platform/file_system.h"
#include "tag_io_support.h"

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

  WriteResult Write() { return WriteFileTags(path_, values_, settings_, messages_); }

  testing::TempDir dir_;
  std::string path_, audio_, original_;
  TagValues values_;
  Settings settings_;
  testing::ScriptedPresenter presenter_;
  Messages messages_{settings_, presenter_};
};

TEST_F(FileRewrite, ExactlyOneTagKindIsLeft) {
  settings_.WriteTagVersion = 2;
  ASSERT_EQ(Write(), WriteResult::kWritten);
  std::string v23 = "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0new"s + "\0\0"s;
  EXPECT_TRUE(testing::ReadBytes(path_) == v23 + audio_);

  settings_.WriteTagVersion = 0;
  ASSERT_EQ(Write(), WriteResult::kWritten);
  // An empty genre leaves byte 127 at 0.
  EXPECT_TRUE(testing::ReadBytes(path_) ==
              audio_ + testing::Id3v1Block("new", "", "", "", "", 0, 0));

  // A row with no values leaves the audio alone.
  values_.Clear();
  settings_.WriteTagVersion = 1;
  ASSERT_EQ(Write(), WriteResult::kWritten);
  EXPECT_TRUE(testing::ReadBytes(path_) == audio_);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 1);
}

TEST_F(FileRewrite, AudioIsCopiedExactlyFromWhereTheTagEnds) {
  std::string big(6 << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 131) >> 7);
  testing::WriteBytes(path_, testing::Id3v2Tag(2, testing::Frame22("TT2", "\0x"s)) + big);
  ASSERT_EQ(Write(), WriteResult::kWritten);
  std::string after = testing::ReadBytes(path_);
  ASSERT_EQ(after.size(), 26 + big.size());
  EXPECT_TRUE(after.compare(26, std::string::npos, big) == 0);
  // A header that claims more than the file holds: the whole rest is tag.
  testing::WriteBytes(path_, "ID3\x03\0\0\x7F\x7F\x7F\x7F"s + "junk");
  ASSERT_EQ(Write(), WriteResult::kWritten);
  EXPECT_EQ(testing::ReadBytes(path_).size(), 26u);
}

TEST_F(FileRewrite, FullDiskLeavesTheOriginalAndNoTemporaryFile) {
  for (std::uint64_t budget : {0ull, 20ull, 500ull, 2000ull}) {
    platform::testing::FailWritesAfter(budget);
    presenter_.texts.clear();
    EXPECT_EQ(Write(), WriteResult::kFailed) << budget;
    platform::testing::FailWritesAfter(std::nullopt);
    EXPECT_TRUE(testing::ReadBytes(path_) == original_) << budget;
    EXPECT_EQ(testing::CountEntries(dir_.Path()), 1) << budget;
    ASSERT_EQ(presenter_.texts.size(), 1u);
    EXPECT_EQ(presenter_.texts[0].rfind(path_ + "\n", 0), 0u);
  }
}

TEST_F(FileRewrite, ReadOnlyNeedsForceWriteAndModeAndTimeAreKept) {
  ASSERT_EQ(chmod(path_.c_str(), 0440), 0);
  const std::int64_t old = 1'000'000'000'123'456'789;
  ASSERT_TRUE(platform::SetLastWriteTime(path_, old));
  EXPECT_EQ(Write(), WriteResult::kFailed);
  ASSERT_EQ(presenter_.texts.size(), 1u);
  EXPECT_NE(presenter_.texts[0].find(path_), std::string::npos);
  EXPECT_TRUE(testing::ReadBytes(path_) == original_);

  settings_.ForceWrite = true;
  settings_.FileTime = true;
  presenter_.texts.clear();
  EXPECT_EQ(Write(), WriteResult::kWritten);
  EXPECT_TRUE(presenter_.texts.empty());
  EXPECT_NE(testing::ReadBytes(path_), original_);
  EXPECT_EQ(platform::GetAttributes(path_)->mode, 0440u);
  EXPECT_EQ(platform::LastWriteTime(path_), old);

  settings_.FileTime = false;
  ASSERT_EQ(Write(), WriteResult::kWritten);
  EXPECT_NE(platform::LastWriteTime(path_), old);
}

TEST_F(FileRewrite, ALinkedFileIsRewrittenWhereItLivesAndTheLinkStays) {
  testing::TempDir elsewhere;
  const std::string link = elsewhere.File("link.mp3");
  ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
  EXPECT_EQ(WriteFileTags(link, values_, settings_, messages_), WriteResult::kWritten);
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(testing::ReadBytes(path_), original_);
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 1);
  EXPECT_EQ(testing::CountEntries(elsewhere.Path()), 1);
}

TEST_F(FileRewrite, VanishedFileIsReportedByResultOnly) {
  ASSERT_TRUE(platform::RemoveFile(path_));
  EXPECT_EQ(Write(), WriteResult::kNotOpened);
  EXPECT_TRUE(presenter_.texts.empty());
  EXPECT_EQ(testing::CountEntries(dir_.Path()), 0);
}

}  // namespace
}  // namespace quilmark
