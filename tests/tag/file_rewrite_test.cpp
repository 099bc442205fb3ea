// Rewriting a file with its new tag: exactly the bytes of the one tag kind
// left, the audio copied (or shared, where the file system can), many files
// in one batch, and a failure that changes nothing and says why.
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
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
  void TearDown() override { platform::testing::FailWritesAfter(std::nullopt); }

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

TEST_F(FileRewrite, FullDiskLeavesTheOriginalAndNoTemporaryFileAndSaysWhy) {
  for (std::uint64_t budget : {0ull, 20ull, 500ull, 2000ull}) {
    platform::testing::FailWritesAfter(budget);
    const TagWriteResult result = Write();
    EXPECT_EQ(result.status, TagWriteStatus::Failed) << budget;
    EXPECT_EQ(result.reason, std::make_error_code(std::errc::no_space_on_device).message());
    EXPECT_TRUE(testing::ReadBytes(path_) == original_) << budget;
    EXPECT_EQ(testing::CountEntries(dir_.Path()), 1) << budget;
  }
}

TEST_F(FileRewrite, ReadOnlyNeedsForceWriteAndModeAndTimeAreKept) {
  ASSERT_EQ(chmod(path_.c_str(), 0440), 0);
  const std::int64_t old = 1'000'000'000'123'456'789;
  ASSERT_TRUE(platform::SetLastWriteTime(path_, old));
  EXPECT_EQ(Write().status, TagWriteStatus::ReadOnly);
  EXPECT_TRUE(testing::ReadBytes(path_) == original_);

  options_.forceWrite = true;
  options_.keepFileTime = true;
  ASSERT_TRUE(Write().Written());
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0440u);
  EXPECT_EQ(platform::LastWriteTime(path_), old);

  options_.keepFileTime = false;
  ASSERT_TRUE(Write().Written());
  EXPECT_NE(platform::LastWriteTime(path_), old);
}

}  // namespace
}  // namespace quilmark
