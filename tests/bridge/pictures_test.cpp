// Pictures set and removed on rows: one undo step for all the rows, written
// at the next save in place of the pictures of that kind (the others kept),
// in each tag version, and read back byte for byte by another tagger.
#include "bridge/add_files.h"
#include "bridge/bridge_test_support.h"
#include "bridge/peer_readers.h"
#include "bridge/read_file_tags.h"
#include "bridge/row_pictures.h"
#include "tag/picture_frame.h"
#include "tag/tag_io_support.h"
#include "tracklist/edit_commands.h"
#include "tracklist/row_renames.h"

namespace quilmark {
namespace {

class Pictures : public testing::SaveTest {
 protected:
  void SetUp() override {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) GTEST_SKIP() << missing;
    testing::WriteBytes(oldFront_, oldJpeg_);
    testing::WriteBytes(newFront_, png_);
    // A file with a front and a back cover, and one without a tag.
    testing::WriteBytes(
        path_[0],
        Id3v2Tag(3, Text23("TIT2", "a") + Frame23("APIC", "\0image/jpeg\0\x03\0"s + oldJpeg_) +
                        Frame23("APIC",
                                "\0image/jpeg\0\x04"
                                "back\0"s +
                                    back_)) +
            MpegAudio(2));
    testing::WriteBytes(path_[1], MpegAudio(2));
    for (const std::string& path : path_) ASSERT_GT(ReadFileTags(grid_, path).row, 0);
  }
  std::string Seen(int file, const std::string& picture) {
    return testing::ReadWithMutagen(path_[static_cast<std::size_t>(file)], picture)["APIC"];
  }

  const std::string oldJpeg_ = "\xFF\xD8\xFF\xE0" + RandomBytes(40000, 1),
                    png_ = "\x89PNG\r\n\x1A\n" + RandomBytes(40000, 2),
                    back_ = "\xFF\xD8\xFF\xE1" + RandomBytes(40000, 3);
  const std::string oldFront_ = dir_.File("old.jpg"), newFront_ = dir_.File("new.png");
  std::string path_[2] = {dir_.File("a.mp3"), dir_.File("b.mp3")};
  UndoList undo_;
};

TEST_F(Pictures, SetOnRowsSavedReadBackElsewhereUndoneAfterTheSaveAndRemoved) {
  PictureFileResult loaded = LoadPictureFile(newFront_);
  ASSERT_TRUE(loaded.picture) << loaded.reason;
  EXPECT_EQ(SetPictureOfRows(grid_, undo_, {1, 2}, *loaded.picture).changed, 2);
  // A file renamed before the save takes its new pictures, and their undo,
  // along.
  const std::string renamed = dir_.File("c.mp3");
  ASSERT_EQ(RenameRowFiles(grid_, undo_, {{path_[0], renamed}}).done.size(), 1u);
  path_[0] = renamed;

  for (TagKind kind : {TagKind::Id3v22, TagKind::Id3v24, TagKind::Id3v23}) {
    SCOPED_TRACE(Id3v2Major(kind));
    options_.kind = kind;
    for (int row : {1, 2}) grid_.MarkRowChanged(row);
    const SaveReport report = Save();
    ASSERT_EQ(report.Written(), 2);
    EXPECT_EQ(DroppedFramesText(report), "");
    EXPECT_EQ(grid_.PictureEditOf(1), nullptr);
    EXPECT_EQ(Seen(0, newFront_), "image/png 3  True | image/jpeg 4 back False");
    EXPECT_EQ(Seen(1, newFront_), "image/png 3  True");
  }

  // Undone after the save, the old cover goes back at the next one.
  ASSERT_TRUE(UndoLastChange(grid_, undo_).moved);
  ASSERT_EQ(Save().Written(), 2);
  EXPECT_EQ(Seen(0, oldFront_), "image/jpeg 3  True | image/jpeg 4 back False");
  EXPECT_TRUE(ReadPictures(path_[1])->empty());  // and no tag at all

  // Removing takes the kind away from every row given, as one step.
  EXPECT_EQ(RemovePicturesOfRows(grid_, undo_, {1, 2}, kFrontCover).changed, 1);
  ASSERT_EQ(Save().Written(), 1);
  EXPECT_EQ(Seen(0, oldFront_), "image/jpeg 4 back False");
}

// A CSV list read back over listed rows sets their covers as it sets their
// cells: undoably, with the rest of the list.
TEST_F(Pictures, ACsvPictureColumnCoversListedRowsInTheListsUndoStep) {
  testing::WriteBytes(dir_.File("list.csv"), "FILE,TITLE,PICTURE\r\na.mp3,a2,new.png\r\n");
  const AddFilesResult added = AddFiles(grid_, {dir_.File("list.csv")}, messages_, busy_, undo_);
  EXPECT_EQ(added.updated, 1);
  EXPECT_EQ((*RowPictures(grid_, 1))[0].Bytes(), png_);
  ASSERT_TRUE(UndoLastChange(grid_, undo_).moved);
  EXPECT_EQ((*RowPictures(grid_, 1))[0].Bytes(), oldJpeg_);
  EXPECT_EQ(grid_.FieldCell(colTitle, 1), "a");
}

TEST_F(Pictures, AFileThatCannotBeReadIsToldAndAnId3v1SaveNamesThePicture) {
  ASSERT_EQ(std::remove(path_[1].c_str()), 0);
  const Picture picture = *LoadPictureFile(newFront_).picture;
  const PictureCommandResult set = SetPictureOfRows(grid_, undo_, {1, 2}, picture);
  EXPECT_EQ(set.changed, 1);
  ASSERT_EQ(set.unreadable.size(), 1u);
  EXPECT_EQ(set.unreadable[0].path, path_[1]);
  EXPECT_FALSE(grid_.IsRowChanged(2));

  options_.kind = TagKind::Id3v1;
  const SaveReport report = Save();
  EXPECT_EQ(report.Written(), 1);
  EXPECT_EQ(DroppedFramesText(report),
            "書き込めなかったフレームがあります: " + path_[0] + " (APIC)");
}

}  // namespace
}  // namespace quilmark
