// Saving the changed rows: the question for each file, the run stopped by
// Cancel or by a track ID3v1 cannot hold, each file's outcome, and the
// values nobody touched.
#include "bridge/save_changed_rows.h"

#include <sys/stat.h>
#include <unistd.h>

#include "bridge/bridge_test_support.h"
#include "bridge/read_file_tags.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

class SaveRun : public testing::SaveTest {
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
      const int row = ReadFileTags(grid_, path).row;
      ASSERT_EQ(row, i + 1);
      grid_.MarkRowChanged(row);
    }
  }
  std::string TitleOf(std::size_t i) { return ReadTagValues(paths_[i])->Get("Title"); }
  bool Unchanged(std::size_t i) { return testing::ReadBytes(paths_[i]) == originals_[i]; }

  std::vector<std::string> paths_, originals_;
};

// Each file not written says why and its row stays marked; the written ones
// say what they did not keep; the status line names each file in turn; the
// core shows nothing itself.
TEST_F(SaveRun, EachFileSaysWhatBecameOfItAndTheRowsNotWrittenStayMarked) {
  AddFiles(5);
  ASSERT_EQ(chmod(paths_[0].c_str(), 0444), 0);
  const std::string otherName = dir_.File("other name.mp3");
  ASSERT_EQ(link(paths_[1].c_str(), otherName.c_str()), 0);
  grid_.SetFieldCell(colTitle, 3, std::string(17 << 20, 'x'));  // past a v2.2 frame's size field
  ASSERT_EQ(std::remove(paths_[3].c_str()), 0);                 // vanished since it was added
  grid_.SetFieldCell(colTitle, 5, "changed");
  options_.kind = TagKind::Id3v22;
  const SaveReport report = Save();
  std::vector<std::string> told, status;
  for (const FileSaveOutcome& file : report.files) {
    for (const FileReportLine& line : OutcomeLines(file, false))
      told.push_back(FileReportText(line));
  }
  EXPECT_EQ(told,
            (std::vector<std::string>{
                paths_[0] + "\nこのファイルに対して書き込めません。(the file is read-only)",
                paths_[1] + "\nこのファイルにはほかの名前(ハードリンク)があります。"
                            "新しいタグはこの名前だけに書き込み、ほかの名前は元の内容のままです。",
                paths_[2] + "\nこのファイルに対して書き込めません。(the tag is too large for "
                            "ID3v2.2)",
                paths_[3] + "\nこのファイルを開けません。(No such file or directory)",
            }));
  EXPECT_TRUE(testing::ReadBytes(otherName) == originals_[1]);
  EXPECT_EQ(TitleOf(4), "changed");
  for (int i = 1; i <= 5; ++i) status.push_back(std::to_string(i) + " / 5 " + paths_[i - 1]);
  status.push_back("");
  EXPECT_EQ(busy_.statusTexts, status);
  EXPECT_FALSE(busy_.busy);
  EXPECT_TRUE(presenter_.texts.empty());
  EXPECT_TRUE(grid_.IsRowChanged(1) && grid_.IsRowChanged(3) && grid_.IsRowChanged(4));
  EXPECT_EQ(grid_.ChangedRowCount(), 3);
}

TEST_F(SaveRun, NoThenCancelWritesNothing) {
  AddFiles(3);
  writeConfirm_ = true;
  presenter_.answers = {IDNO, IDCANCEL};
  SaveReport report = Save();
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.Count(SaveStatus::Skipped), 1);
  EXPECT_EQ(presenter_.texts.size(), 2u);  // the third file is not asked about
  EXPECT_EQ(grid_.ChangedRowCount(), 3);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(Unchanged(i)) << i;
}

// Cancel pressed while the third file is written: the run ends before the
// fourth. Every file is whole, the old one or the new one; the rows not
// written stay marked for the next save; the account says so.
TEST_F(SaveRun, CancelStopsBetweenFilesAndTheAccountTellsWhatWasDone) {
  AddFiles(6);
  for (int row = 1; row <= 6; ++row) grid_.SetFieldCell(colTitle, row, "new");
  ASSERT_EQ(chmod(paths_[1].c_str(), 0444), 0);
  busy_.stopWhen = [](const RunProgress& p) { return p.done == 3; };
  const SaveReport report = Save();
  EXPECT_TRUE(report.userStopped);
  for (std::size_t i = 0; i < 6; ++i) {
    const bool written = i == 0 || i == 2;
    EXPECT_EQ(TitleOf(i), written ? "new" : "t" + std::to_string(i)) << i;
    EXPECT_TRUE(written || Unchanged(i)) << i;
  }
  EXPECT_EQ(SaveSummaryLines(report),
            (std::vector<std::string>{
                "2 個のファイルに書き込みました。", "1 個のファイルには書き込めませんでした。",
                "途中で中止しました。書き込んでいない 4 行は変更済みのままです。"}));
  EXPECT_EQ(busy_.progress.back().found, 6);
  EXPECT_TRUE(NeedsAttention(report));

  // The next save writes what is left, and its account is one line.
  busy_.stopWhen = nullptr;
  ASSERT_EQ(chmod(paths_[1].c_str(), 0644), 0);
  const SaveReport rest = Save();
  EXPECT_EQ(SaveSummaryLines(rest), std::vector<std::string>{"4 個のファイルに書き込みました。"});
  EXPECT_FALSE(NeedsAttention(rest));
}

TEST_F(SaveRun, RowsBeyondOneBatchEachGetTheirOwnValues) {
  AddFiles(150);
  for (int row = 1; row <= 150; ++row) grid_.SetFieldCell(colTitle, row, "n" + std::to_string(row));
  EXPECT_EQ(Save().Written(), 150);
  EXPECT_EQ(grid_.ChangedRowCount(), 0);
  for (std::size_t i = 0; i < 150; ++i) EXPECT_EQ(TitleOf(i), "n" + std::to_string(i + 1)) << i;
}

TEST_F(SaveRun, TrackThatIsNoNumberStopsTheRunAndNamesFileAndValue) {
  AddFiles(3);
  options_.kind = TagKind::Id3v1;
  grid_.SetFieldCell(colNo, 2, "3/12");
  SaveReport report = Save();
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(grid_.ChangedRowCount(), 2);
  EXPECT_TRUE(Unchanged(1) && Unchanged(2));
  ASSERT_EQ(report.files.size(), 2u);
  EXPECT_EQ(report.files[1].status, SaveStatus::TrackNotNumber);
  EXPECT_EQ(TrackNotNumberText(report.files[1]),
            paths_[1] +
                "\nトラック番号「3/12」は数値ではないため、ID3v1 タグに書き込めません。"
                "\n以後のファイルには書き込みません。");
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

// Shift-JIS text with bytes that are no character of it (an unassigned
// pair, a lead byte before a blank, bytes the code page never uses) goes
// back byte for byte while nobody edits it. (In other encodings it is the
// Latin-1 characters of its bytes: the text tests show that.)
TEST_F(SaveRun, UnreadableBytesOfUntouchedValuesGoBackAsTheyCame) {
  const std::string title = testing::kTesutoSjis + " \x85\x41 \x81 \xFD\xA0";
  const std::string album = "\xEF\x76" + testing::kTesutoSjis;
  const std::string path = dir_.File("damaged.mp3");
  testing::WriteBytes(path, testing::Id3v2Tag(3, Text23("TIT2", title) + Text23("TALB", album)) +
                                testing::MpegAudio(1));
  ASSERT_EQ(ReadFileTags(grid_, path).row, 1);
  grid_.SetFieldCell(colYear, 1, "2002");
  grid_.MarkRowChanged(1);
  ASSERT_EQ(Save().Written(), 1);
  const std::string frames = Text23("TIT2", title) + Text23("TALB", album) + Text23("TYER", "2002");
  EXPECT_TRUE(testing::ReadBytes(path).substr(10).starts_with(frames));
}

}  // namespace
}  // namespace quilmark
