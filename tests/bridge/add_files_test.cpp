// Adding files directly and through playlists and CSV lists. Names given
// directly and list entries are made absolute and normal, so one file is
// one row however it was spelled; a folder gives the files of its tree.
#include "bridge/add_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "bridge/bridge_test_support.h"
#include "platform/paths.h"
#include "tracklist/edit_commands.h"

namespace quilmark {
namespace {

using testing::WriteBytes;
using testing::WriteMp3;

// Two songs in music/, an empty lists/, and the working folder the test's.
class AddFilesTest : public testing::ListTest {
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
TEST_F(AddFilesTest, OneFileIsOneRowHoweverItIsSpelled) {
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
TEST_F(AddFilesTest, AFolderGivesTheMp3FilesOfItsTreeInPathOrder) {
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
TEST_F(AddFilesTest, AnAddStoppedHalfWayKeepsTheRowsItRead) {
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
TEST_F(AddFilesTest, ARowKeepsItsFileWhenTheWorkingFolderChanges) {
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

// A list edited in a spreadsheet and read back changes the rows it names:
// marked, one undo step for the whole add, one notice per CSV file that
// counts the rows whose cells changed.
TEST_F(AddFilesTest, ACsvNamingListedFilesUpdatesTheirRowsAsOneUndoStep) {
  WriteMp3(F("a.mp3"), "A", "Artist");
  WriteMp3(F("b.mp3"), "B", "Artist");
  WriteMp3(F("c.mp3"), "C", "Artist");
  WriteMp3(F("new.mp3"), "N");
  UndoList undo;
  testing::RecordingBusy busy;
  ASSERT_EQ(AddFiles(grid, {F("a.mp3"), F("b.mp3"), F("c.mp3")}, messages, busy, undo).added, 3);
  ASSERT_TRUE(undo.Empty());  // adding files is no edit
  WriteBytes(F("one.csv"),
             "File,Title,Artist\r\na.mp3,A2,Artist\r\nb.mp3,B,Artist\r\n"
             "new.mp3,N2,\r\n");
  WriteBytes(F("two.csv"), "File,Title\r\nc.mp3,\" C2 \"\r\nnew.mp3,N3\r\n");

  const AddFilesResult r = AddFiles(grid, {F("one.csv"), F("two.csv")}, messages, busy, undo);
  EXPECT_EQ(r.added, 1);
  EXPECT_EQ(r.updated, 3);  // a, c, and the row one.csv itself added; b was equal
  EXPECT_EQ(presenter.texts,
            (std::vector<std::string>{
                F("one.csv") + "\nリストにあった 1 行を CSV の値で更新しました。",
                F("two.csv") + "\nリストにあった 2 行を CSV の値で更新しました。"}));
  auto titles = [&] {
    std::string t;
    for (int row = 1; row <= grid.FileRowCount(); ++row)
      t += grid.FieldCell(colTitle, row) + (grid.IsRowChanged(row) ? "*" : "") + " ";
    return t;
  };
  EXPECT_EQ(titles(), "A2* B C2* N3* ");
  EXPECT_EQ(undo.Count(), 1u);
  ASSERT_TRUE(UndoLastChange(grid, undo).moved);
  // The values the new row took while being added are no edit to undo.
  EXPECT_EQ(grid.FieldCell(colTitle, 1) + grid.FieldCell(colTitle, 3) + grid.FieldCell(colTitle, 4),
            "ACN2");
}

TEST_F(AddFilesTest, CsvHeaderNamesWithBlanksAndUnknownNamesLeaveLaterColumnsInPlace) {
  WriteMp3(F("a.mp3"));
  // Spreadsheets write names with blanks; names may follow a comma and a
  // blank; a quoted name is a name too.
  WriteBytes(F("list.csv"),
             "Title,Album Artist, Artist,\"Disc Number\",Album, File\r\n"
             "title,album artist,artist,1,album,a.mp3\r\n");
  EXPECT_EQ(Add({F("list.csv")}).added, 1);
  EXPECT_EQ(grid.FieldCell(colTitle, 1), "title");
  EXPECT_EQ(grid.FieldCell(colArtist, 1), "artist");
  EXPECT_EQ(grid.FieldCell(colAlbum, 1), "album");
}

// Quotes mean nothing in a playlist: each line is an entry.
TEST_F(AddFilesTest, PlaylistEntriesRelativeBlankNestedQuotedAndForeign) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteMp3(F("music/b.mp3"), "B");
  WriteBytes(F("lists/inner.m3u"), "../music/b.mp3\r\n");
  WriteBytes(F("lists/all.m3u"),
             "#EXTM3U\r\n#EXTINF:123,A - T\r\n\"q\r\n..\\music\\a.mp3\r\nq\"\r\n\r\ninner.m3u\n" +
                 F("music/b.mp3") + "\r");
  // Sectioned PLS lines of other programs are entries that do not open.
  WriteBytes(F("lists/other.pls"), "[playlist]\r\nFile1=a.mp3\r\nNumberOfEntries=1\r\n");
  const AddFilesResult r = Add({F("lists/all.m3u"), F("music/a.mp3"), F("lists/other.pls")});
  // The nested list is a row, not read as one.
  EXPECT_EQ(Rows(), (Paths{F("music/a.mp3"), F("lists/inner.m3u"), F("music/b.mp3")}));
  EXPECT_EQ(r.failed, 5);  // the blank line names no file
  // Gathered for the caller to tell, with why: nothing is shown meanwhile.
  ASSERT_EQ(r.notAdded.size(), 6u);
  EXPECT_EQ(
      FileReportText(r.notAdded.back()),
      F("lists/NumberOfEntries=1") + "\nこのファイルを開けません。(No such file or directory)");
  EXPECT_TRUE(presenter.texts.empty());
}

TEST_F(AddFilesTest, BadListsAreSkippedCountedOrEndTheAddNamingTheFile) {
  WriteMp3(F("a.mp3"));
  WriteMp3(F("b.mp3"));
  WriteMp3(F("c.mp3"));
  std::string junk, quotes;  // random bytes; a megabyte line of quotes and commas
  for (unsigned i = 0, seed = 1; i < 20000; ++i, seed = seed * 1103515245u + 12345u)
    junk += static_cast<char>(seed >> 16);
  for (int i = 0; i < 1 << 20; ++i) quotes += "\",\" ";
  const std::string bad = "Title,File\r\none field\r\n\r\nt,\r\nt,\"a.mp3,a\r\n" + quotes;
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: missing
    const char* notice;                // what the one text naming the list says
  };
  const Case cases[] = {
      {"bad.csv", bad, " 3 "},  // one field, blank, empty path
      {"nofile.csv", "Title,Path\r\nt,a.mp3\r\nu,a.mp3\r\n", " 2 "},
      {"header.csv", "File,Title\r\n", nullptr},  // no text names it
      {"junk.m3u", junk, "?"},                    // anything, but no crash or hang
      {"junk.csv", junk, "?"},
      {"missing.m3u", std::nullopt, "ファイルを読み込めません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grid.ClearRows();
    presenter.texts.clear();
    const std::string list = F(c.name);
    if (c.bytes) WriteBytes(list, *c.bytes);
    const bool unreadable = !c.bytes;
    EXPECT_EQ(Add({F("b.mp3"), list, F("c.mp3")}).unreadableList, unreadable ? list : "");
    EXPECT_EQ(Rows().back(), F(unreadable ? "b.mp3" : "c.mp3"));  // earlier rows stay
    std::vector<std::string> naming;  // the texts that name the list first
    for (const std::string& t : presenter.texts)
      if (t.starts_with(list + "\n")) naming.push_back(t);
    if (c.notice && *c.notice == '?') continue;
    ASSERT_EQ(naming.size(), c.notice ? 1u : 0u);
    if (c.notice) {
      EXPECT_NE(naming[0].find(c.notice), std::string::npos) << naming[0];
    }
  }
}

}  // namespace
}  // namespace quilmark
