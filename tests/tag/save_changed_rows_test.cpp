#include "tag/save_changed_rows.h"

#include "tag/read_file_tags.h"
#include "tag/tag_file.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

class SaveRun : public ::testing::Test {
 protected:
  // Adds `count` files, each with a v2.3 title, and marks every row.
  void AddFiles(int count) {
    for (int i = 0; i < count; ++i) {
      std::string path = dir_.File("f" + std::to_string(i) + ".mp3");
      std::string bytes = testing::Id3v2Tag(3, testing::Text23("TIT2", "t" + std::to_string(i))) +
                          testing::MpegAudio(1);
      testing::WriteBytes(path, bytes);
      paths_.push_back(path);
      originals_.push_back(bytes);
      int row = ReadFileTags(grid_, path, messages_);
      ASSERT_EQ(row, i + 1);
      grid_.MarkRowChanged(row);
    }
  }
  SaveReport Save() { return SaveChangedRows(grid_, settings_, messages_, busy_); }
  std::string TitleOf(std::size_t i) { return ReadTagValues(paths_[i])->Get("Title"); }
  bool Unchanged(std::size_t i) { return testing::ReadBytes(paths_[i]) == originals_[i]; }

  testing::TempDir dir_;
  Settings settings_;
  testing::ScriptedPresenter presenter_;
  Messages messages_{settings_, presenter_};
  testing::RecordingBusy busy_;
  TrackGrid grid_;
  std::vector<std::string> paths_, originals_;
};

TEST_F(SaveRun, StatusTextNamesEachFileAndFailedFilesStayMarked) {
  AddFiles(3);
  ASSERT_EQ(std::remove(paths_[0].c_str()), 0);  // vanished since it was added
  grid_.SetFieldCell(colTitle, 2, "changed");
  SaveReport report = Save();
  EXPECT_EQ(report.written, 2);
  EXPECT_EQ(report.failed, 1);
  EXPECT_FALSE(report.stopped);
  EXPECT_EQ(busy_.statusTexts, (std::vector<std::string>{"1 / 3 " + paths_[0], "2 / 3 " + paths_[1],
                                                         "3 / 3 " + paths_[2], ""}));
  EXPECT_TRUE(presenter_.texts.empty());
  EXPECT_TRUE(grid_.IsRowChanged(1));
  EXPECT_EQ(grid_.ChangedRowCount(), 1);
  EXPECT_EQ(TitleOf(1), "changed");
  EXPECT_EQ(TitleOf(2), "t2");
  EXPECT_FALSE(busy_.busy);
}

TEST_F(SaveRun, NoThenCancelWritesNothing) {
  AddFiles(3);
  settings_.WriteConfirm = true;
  presenter_.answers = {IDNO, IDCANCEL};
  SaveReport report = Save();
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.written, 0);
  EXPECT_EQ(presenter_.texts.size(), 2u);  // the third file is not asked about
  EXPECT_EQ(grid_.ChangedRowCount(), 3);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(Unchanged(i)) << i;
}

TEST_F(SaveRun, TrackThatIsNoNumberStopsTheRunAndNamesFileAndValue) {
  AddFiles(3);
  settings_.WriteTagVersion = 0;
  grid_.SetFieldCell(colNo, 2, "3/12");
  SaveReport report = Save();
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.written, 1);
  EXPECT_FALSE(grid_.IsRowChanged(1));
  EXPECT_EQ(grid_.ChangedRowCount(), 2);
  EXPECT_TRUE(Unchanged(1) && Unchanged(2));
  ASSERT_EQ(presenter_.texts.size(), 1u);
  EXPECT_NE(presenter_.texts[0].find(paths_[1]), std::string::npos);
  EXPECT_NE(presenter_.texts[0].find("3/12"), std::string::npos);
}

TEST_F(SaveRun, OneListForTheRunDecidesTheFrameOrderAndCommentCellsMakeTheWriteForm) {
  AddFiles(2);
  grid_.SetFieldCell(colArtist, 1, "artist");
  grid_.SetFieldCell(colArtist, 2, "artist");
  grid_.SetFieldCell(colTitle, 1, "");  // the first row drops the title...
  grid_.SetFieldCell(colComment, 2, "desc");
  grid_.SetCell(colCommentLong, 2, "line1\r\nline2");
  Save();
  // ...so for the second row the title comes after the artist.
  EXPECT_EQ(testing::ReadBytes(paths_[0]).substr(10, 4), "TPE1");
  EXPECT_EQ(testing::ReadBytes(paths_[1]).substr(10, 4), "TPE1");
  // The empty language cell went out as blanks.
  EXPECT_EQ(ReadTagValues(paths_[1])->ToCommaText(),
            "TagVersion=3,Artist=artist,Title=t1,\"Comment0=   \","
            "\"Comment2=line1\r\nline2\",Comment=desc");
}

TEST_F(SaveRun, ReadFileTagsFillsTheRowAndRefusesDuplicates) {
  const std::string path = dir_.File("a.mp3");
  testing::WriteBytes(path, testing::Id3v2Tag(3, testing::Text23("TIT2", "title") +
                                                     testing::Frame23("COMM", "\0eng\0long"s)) +
                                testing::MpegAudio(1));
  EXPECT_EQ(ReadFileTags(grid_, path, messages_), 1);
  EXPECT_EQ(grid_.FieldCell(colPath, 1), dir_.Path());
  EXPECT_EQ(grid_.FieldCell(colFile, 1), "a.mp3");
  EXPECT_EQ(grid_.FieldCell(colTitle, 1), "title");
  EXPECT_EQ(grid_.Cell(colCommentLang, 1), "eng");
  EXPECT_EQ(grid_.Cell(colCommentLong, 1), "long");
  EXPECT_EQ(grid_.Cell(colWork, 1), "TagVersion=3,Title=title,Comment0=eng,Comment2=long");

  EXPECT_EQ(ReadFileTags(grid_, path, messages_), -1);
  EXPECT_TRUE(presenter_.texts.empty());
  EXPECT_EQ(ReadFileTags(grid_, dir_.File("missing.mp3"), messages_), -1);
  ASSERT_EQ(presenter_.texts.size(), 1u);
  EXPECT_EQ(presenter_.texts[0].rfind(dir_.File("missing.mp3") + "\n", 0), 0u);
  EXPECT_EQ(grid_.FileRowCount(), 1);
}

}  // namespace
}  // namespace quilmark
