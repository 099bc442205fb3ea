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
    ASSERT_TRUE(platform::SetCurrentDirectory(dir_.Path()));
  }
  void TearDown() override { platform::SetCurrentDirectory(start_); }

  std::string start_;
};

// Edits in two rows of one file were saved one over the other. Only MP3
// names are taken, in any case.
TEST_F(AddFilesTest, OneFileIsOneRowHoweverItIsSpelled) {
  WriteMp3(F("music/z.Mp3"));
  WriteMp3(F("music/c.txt"));
  WriteBytes(F("lists/l.m3u"), "../music/x.mp3\r\n" + dir_.Path() + "./music//x.mp3\r\n" +
                                   dir_.Path() + "lists/../music/y.mp3\r\n../music/z.Mp3\r\n");
  Add({"music/x.mp3", "./music/x.mp3", F("music/x.mp3"), dir_.Path() + "/music/./x.mp3",
       "lists/l.m3u", "music/../music/y.mp3", "music/c.txt"});
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3"), F("music/y.mp3"), F("music/z.Mp3")}));
  EXPECT_EQ(grid_.FieldCell(colPath, 1), F("music/"));
  EXPECT_TRUE(presenter_.texts.empty());
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

  grid_.ClearRows();
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
  grid_.ClearRows();
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
  busy_.stopWhen = [](const RunProgress& p) { return p.done == 3; };
  UndoList undo;
  const AddFilesResult added =
      AddFiles(grid_, {"music", "music/x.mp3", "lists/l.m3u"}, messages_, busy_, undo);
  EXPECT_TRUE(added.stopped);
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3"), F("music/y.mp3"), F("music/z0.mp3")}));
  EXPECT_TRUE(added.unreadableList.empty());  // the list after it was never opened
  EXPECT_TRUE(busy_.progress.front().searching);
  EXPECT_EQ(busy_.progress.back().found, 8);
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
  ASSERT_EQ(AddFiles(grid_, {F("a.mp3"), F("b.mp3"), F("c.mp3")}, messages_, busy_, undo).added, 3);
  WriteBytes(F("one.csv"),
             "File,Title,Artist\r\na.mp3,A2,Artist\r\nb.mp3,B,Artist\r\n"
             "new.mp3,N2,\r\n");
  WriteBytes(F("two.csv"), "File,Title\r\nc.mp3,\" C2 \"\r\nnew.mp3,N3\r\n");

  const AddFilesResult r = AddFiles(grid_, {F("one.csv"), F("two.csv")}, messages_, busy_, undo);
  EXPECT_EQ(r.added, 1);
  EXPECT_EQ(r.updated, 3);  // a, c, and the row one.csv itself added; b was equal
  EXPECT_EQ(presenter_.texts,
            (std::vector<std::string>{
                F("one.csv") + "\nリストにあった 1 行を CSV の値で更新しました。",
                F("two.csv") + "\nリストにあった 2 行を CSV の値で更新しました。"}));
  std::string titles;
  for (int row = 1; row <= grid_.FileRowCount(); ++row)
    titles += grid_.FieldCell(colTitle, row) + (grid_.IsRowChanged(row) ? "*" : "") + " ";
  EXPECT_EQ(titles, "A2* B C2* N3* ");
  EXPECT_EQ(undo.Count(), 1u);
  ASSERT_TRUE(UndoLastChange(grid_, undo).moved);
  // The values the new row took while being added are no edit to undo.
  EXPECT_EQ(
      grid_.FieldCell(colTitle, 1) + grid_.FieldCell(colTitle, 3) + grid_.FieldCell(colTitle, 4),
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
  EXPECT_EQ(grid_.FieldCell(colArtist, 1), "artist");
  EXPECT_EQ(grid_.FieldCell(colAlbum, 1), "album");
}

// Quotes mean nothing in a playlist: each line is an entry.
TEST_F(AddFilesTest, PlaylistEntriesRelativeBlankNestedAndQuoted) {
  WriteMp3(F("music/a.mp3"), "A");
  WriteMp3(F("music/b.mp3"), "B");
  WriteBytes(F("lists/inner.m3u"), "../music/b.mp3\r\n");
  WriteBytes(F("lists/all.m3u"),
             "#EXTM3U\r\n#EXTINF:123,A - T\r\n\"q\r\n..\\music\\a.mp3\r\nq\"\r\n\r\ninner.m3u\n" +
                 F("music/b.mp3") + "\r");
  const AddFilesResult r = Add({F("lists/all.m3u"), F("music/a.mp3")});
  // The nested list is a row, not read as one.
  EXPECT_EQ(Rows(), (Paths{F("music/a.mp3"), F("lists/inner.m3u"), F("music/b.mp3")}));
  EXPECT_EQ(r.failed, 2);  // the blank line names no file
  // Gathered for the caller to tell, with why: nothing is shown meanwhile.
  ASSERT_EQ(r.notAdded.size(), 3u);
  EXPECT_EQ(FileReportText(r.notAdded[0]),
            F("lists/\"q") + "\nこのファイルを開けません。(No such file or directory)");
  EXPECT_TRUE(presenter_.texts.empty());
}

// A CSV line that names no file is skipped, and the skipped lines are
// counted in one notice naming the list; a list that cannot be read ends
// the add, the rows before it kept. (Lists of random bytes are the fuzz
// replays'.)
TEST_F(AddFilesTest, BadListsAreSkippedCountedOrEndTheAddNamingTheFile) {
  WriteMp3(F("b.mp3"));
  WriteMp3(F("c.mp3"));
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: missing
    const char* notice;                // in the one text naming the list ("": none)
  } cases[] = {
      {"bad.csv", "Title,File\r\none field\r\n\r\nt,\r\n", " 3 "},  // one field, blank, no path
      {"nofile.csv", "Title,Path\r\nt,b.mp3\r\nu,b.mp3\r\n", " 2 "},
      {"header.csv", "File,Title\r\n", ""},
      {"missing.m3u", std::nullopt, "ファイルを読み込めません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid_.ClearRows();
    presenter_.texts.clear();
    const std::string list = F(c.name);
    if (c.bytes) WriteBytes(list, *c.bytes);
    EXPECT_EQ(Add({F("b.mp3"), list, F("c.mp3")}).unreadableList, c.bytes ? "" : list);
    EXPECT_EQ(Rows().back(), F(c.bytes ? "c.mp3" : "b.mp3"));  // earlier rows stay
    // The texts that name the list first.
    std::vector<std::string> naming;
    for (const std::string& t : presenter_.texts)
      if (t.starts_with(list + "\n")) naming.push_back(t);
    ASSERT_EQ(naming.size(), *c.notice ? 1u : 0u);
    if (*c.notice) {
      EXPECT_NE(naming[0].find(c.notice), std::string::npos) << naming[0];
    }
  }
}

}  // namespace
}  // namespace quilmark
