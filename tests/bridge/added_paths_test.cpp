// Where a row's path comes from: names given directly and list entries are
// made absolute and normal, so one file is one row however it was spelled;
// a folder gives the files of its tree.
#include <sys/stat.h>
#include <unistd.h>

#include "bridge/bridge_test_support.h"
#include "platform/paths.h"

namespace quilmark {
namespace {

using testing::WriteBytes;
using testing::WriteMp3;

class AddedPathsTest : public testing::ListTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
    WriteMp3(F("music/x.mp3"), "X");
    WriteMp3(F("music/y.mp3"), "Y");
    start_ = platform::CurrentDirectory();
    ASSERT_TRUE(platform::SetCurrentDirectory(dir.Path()));
  }
  void TearDown() override { platform::SetCurrentDirectory(start_); }

  std::string start_;
};

// Edits in two rows of one file were saved one over the other. Only MP3
// names are taken, in any case.
TEST_F(AddedPathsTest, OneFileIsOneRowHoweverItIsSpelled) {
  WriteMp3(F("music/z.Mp3"));
  WriteMp3(F("music/c.txt"));
  WriteBytes(F("lists/l.m3u"), "../music/x.mp3\r\n" + dir.Path() + "./music//x.mp3\r\n" +
                                   dir.Path() + "lists/../music/y.mp3\r\n../music/z.Mp3\r\n");
  Add({"music/x.mp3", "./music/x.mp3", F("music/x.mp3"), dir.Path() + "/music/./x.mp3",
       "lists/l.m3u", "music/../music/y.mp3", "music/c.txt"});
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3"), F("music/y.mp3"), F("music/z.Mp3")}));
  EXPECT_EQ(grid.FieldCell(colPath, 1), F("music/"));
  EXPECT_TRUE(presenter.texts.empty());
}

// A folder, named directly or by a playlist line, gives the MP3 files of
// its whole tree in path order; hidden names, links back up the tree, a
// second way into a folder already read, a FIFO and a broken link give
// nothing. A CSV line's values are one file's: a folder there is skipped.
TEST_F(AddedPathsTest, AFolderGivesTheMp3FilesOfItsTreeInPathOrder) {
  for (const char* folder : {"music/A", "music/B", "music/.hidden", "music/empty"})
    ASSERT_EQ(mkdir(F(folder).c_str(), 0700), 0);
  for (const char* song : {"music/A/1.MP3", "music/B/10.mp3", "music/B/2.mp3",
                           "music/A/.hidden.mp3", "music/.hidden/h.mp3"})
    WriteMp3(F(song), "S");
  WriteBytes(F("music/A/cover.jpg"), "not a song");
  ASSERT_EQ(symlink("..", F("music/A/up").c_str()), 0);
  ASSERT_EQ(symlink("A", F("music/C").c_str()), 0);
  ASSERT_EQ(symlink("nowhere.mp3", F("music/B/broken.mp3").c_str()), 0);
  ASSERT_EQ(mkfifo(F("music/B/pipe.mp3").c_str(), 0600), 0);
  WriteBytes(F("lists/l.m3u"), "../music/B\r\n");
  WriteBytes(F("lists/l.csv"), "File,Title\r\n../music/A,T\r\n");

  AddFilesResult added = Add({"music"});
  EXPECT_EQ(Rows(), (Paths{F("music/A/1.MP3"), F("music/B/10.mp3"), F("music/B/2.mp3"),
                           F("music/x.mp3"), F("music/y.mp3")}));
  EXPECT_EQ(added.failed, 0);
  EXPECT_TRUE(added.notAdded.empty());

  grid.ClearRows();
  added = Add({"lists/l.m3u", "lists/l.csv", "music/empty"});
  EXPECT_EQ(Rows(), (Paths{F("music/B/10.mp3"), F("music/B/2.mp3")}));
  EXPECT_EQ(added.failed, 1);
  ASSERT_EQ(added.notAdded.size(), 2u);
  EXPECT_EQ(FileReportText(added.notAdded[0]),
            F("music/A") + "\nフォルダには CSV の値を適用できません。読み飛ばしました。");
  EXPECT_EQ(FileReportText(added.notAdded[1]),
            F("music/empty") + "\nこのフォルダには MP3 ファイルがありません。");

  // A folder under an MP3 file's name is the folder it is, given directly
  // or in a playlist.
  grid.ClearRows();
  ASSERT_EQ(mkdir(F("album.mp3").c_str(), 0700), 0);
  WriteMp3(F("album.mp3/1.mp3"), "S");
  WriteBytes(F("lists/d.m3u"), "../album.mp3\r\n");
  added = Add({"lists/d.m3u", "album.mp3"});
  EXPECT_EQ(Rows(), (Paths{F("album.mp3/1.mp3")}));
  EXPECT_EQ(added.failed, 0);
  EXPECT_TRUE(added.notAdded.empty());
}

// Cancel between two files: the rows read so far stay, nothing after.
TEST_F(AddedPathsTest, AnAddStoppedHalfWayKeepsTheRowsItRead) {
  for (int i = 0; i < 6; ++i) WriteMp3(F("music/z" + std::to_string(i) + ".mp3"), "Z");
  testing::RecordingBusy busy;
  busy.stopWhen = [](const RunProgress& p) { return p.done == 3; };
  UndoList undo;
  const AddFilesResult added =
      AddFiles(grid, {"music", "music/x.mp3", "lists/l.m3u"}, messages, busy, undo);
  EXPECT_TRUE(added.stopped);
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3"), F("music/y.mp3"), F("music/z0.mp3")}));
  EXPECT_TRUE(added.unreadableList.empty());  // the list after it was never opened
  EXPECT_TRUE(busy.progress.front().searching);
  EXPECT_EQ(busy.progress.back().found, 8);
}

// A relative name and a save later, from another working folder: the row
// still names the file it was read from.
TEST_F(AddedPathsTest, ARowKeepsItsFileWhenTheWorkingFolderChanges) {
  Add({"music/x.mp3"});
  ASSERT_TRUE(platform::SetCurrentDirectory(F("lists")));
  grid.SetFieldCell(colTitle, 1, "saved");
  grid.MarkRowChanged(1);
  testing::RecordingBusy busy;
  const SaveReport report = SaveChangedRows(grid, {}, messages, busy);
  ASSERT_EQ(report.files.size(), 1u);
  EXPECT_EQ(report.files[0].path, F("music/x.mp3"));
  EXPECT_EQ(report.files[0].status, SaveStatus::Written);
}

}  // namespace
}  // namespace quilmark
