// Adding files directly and through playlists and CSV lists.
#include "bridge/add_files.h"

#include <sys/stat.h>

#include <optional>

#include "bridge/bridge_test_support.h"
#include "tracklist/edit_commands.h"

namespace quilmark {
namespace {

using testing::WriteBytes;
using testing::WriteMp3;

using AddFilesTest = testing::ListTest;

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
  ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
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
