// The bytes a save puts into a file for what the row shows, and how
// another tagger (mutagen) reads them; and what a read makes of a tag whose
// last frame runs past the size its header declares.
#include "bridge/bridge_test_support.h"
#include "bridge/mutagen_reader.h"
#include "bridge/read_file_tags.h"
#include "bridge/save_changed_rows.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

class TagBytes : public ::testing::Test {
 protected:
  void Add(const std::string& bytes) {
    testing::WriteBytes(path_, bytes);
    grid_.ClearRows();
    ASSERT_EQ(ReadFileTags(grid_, path_).row, 1);
  }
  void Save() {
    grid_.MarkRowChanged(1);
    ASSERT_EQ(SaveChangedRows(grid_, options_, messages_, busy_).Written(), 1);
  }
  // The frames of the saved file's ID3v2 tag, padding included.
  std::string SavedBody() {
    const std::string bytes = testing::ReadBytes(path_);
    std::size_t size = 0;
    for (int i = 6; i < 10; ++i) size = size << 7 | static_cast<unsigned char>(bytes[i]);
    return bytes.substr(10, size);
  }
  // What follows the saved file's ID3v2 tag.
  std::string SavedAudio() { return testing::ReadBytes(path_).substr(10 + SavedBody().size()); }
  std::map<std::string, std::string> Mutagen() {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) {
      ADD_FAILURE() << missing;
      return {};
    }
    return testing::ReadWithMutagen(path_);
  }

  testing::TempDir dir_;
  std::string path_ = dir_.File("song.mp3");
  TagWriteOptions options_;
  bool writeConfirm_ = false;
  testing::ScriptedPresenter presenter_;
  Messages messages_{writeConfirm_, presenter_};
  testing::RecordingBusy busy_;
  TrackGrid grid_;
  const std::string audio_ = testing::MpegAudio(3);
};

TEST_F(TagBytes, ACommentLanguageShorterThanThreeIsPaddedWithBlanks) {
  const std::pair<Charset, std::string> cases[] = {
      {Charset::ShiftJis,
       "\x00"      // encoding
       "en "       // language
       "desc\x00"  // description
       "x"s},      // text
      {Charset::Utf16Le,
       "\x01"  // encoding
       "en "   // language
       "\xFF\xFE"
       "d\0e\0s\0c\0"
       "\0\0"  // description
       "\xFF\xFE"
       "x\0"s},  // text
  };
  for (const auto& [charset, content] : cases) {
    SCOPED_TRACE(static_cast<int>(charset));
    Add(testing::MpegAudio(1));
    grid_.SetCell(colCommentLang, 1, "en");
    grid_.SetFieldCell(colComment, 1, "desc");
    grid_.SetCell(colCommentLong, 1, "x");
    options_.charset = charset;
    Save();
    EXPECT_TRUE(SavedBody().starts_with(Frame23("COMM", content)));
    EXPECT_EQ(Mutagen()["COMM"], "en  desc x");

    Add(testing::ReadBytes(path_));
    EXPECT_EQ(grid_.Cell(colCommentLang, 1), "en ");
    EXPECT_EQ(grid_.FieldCell(colComment, 1), "desc");
    EXPECT_EQ(grid_.Cell(colCommentLong, 1), "x");
  }
}

}  // namespace
}  // namespace quilmark
