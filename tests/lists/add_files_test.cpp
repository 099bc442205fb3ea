// Adding files directly and through playlists and CSV lists.
#include "lists/add_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lists/list_test_support.h"
#include "settings/settings.h"
#include "tag/read_file_tags.h"
#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

using testing::WriteBytes;
using testing::WriteMp3;
using Paths = std::vector<std::string>;

class AddFilesTest : public ::testing::Test {
 protected:
  AddFilesResult Add(std::vector<std::string> names) { return AddFiles(grid, names, messages); }
  Paths Rows() const {
    Paths paths;
    for (int row = 1; row < grid.RowCount(); ++row)
      if (!grid.Cell(colRowNo, row).empty()) paths.push_back(grid.FullPathOf(row));
    return paths;
  }
  std::string F(std::string_view name) const { return dir.File(name); }

  testing::TempDir dir;
  Settings settings;
  testing::RecordingPresenter presenter;
  Messages messages{settings, presenter};
  TrackGrid grid;
};

TEST_F(AddFilesTest, OneRowPerFileByExtensionWhicheverWayItCame) {
  EXPECT_FALSE(Add({}).started);
  WriteMp3(F("a.mp3"), "A");
  WriteMp3(F("b.Mp3"), "B");
  WriteMp3(F("c.txt"), "C");
  WriteBytes(F("list.m3u"), "a.mp3\r\n" + F("a.mp3") + "\r\nb.Mp3\r\n");
  WriteBytes(F("list.csv"), "File,Title\r\na.mp3,Changed\r\nb.Mp3,B\r\n");
  const AddFilesResult r = Add({F("a.mp3"), F("c.txt"), F("list.m3u"), F("list.csv"), F("a.mp3")});
  EXPECT_TRUE(r.started);
  EXPECT_EQ(r.added, 2);
  EXPECT_EQ(r.failed, 0);
  EXPECT_EQ(Rows(), (Paths{F("a.mp3"), F("b.Mp3")}));
  EXPECT_EQ(grid.FieldCell(colPath, 1), dir.Path());
  // A CSV line for a file already listed changes nothing.
  EXPECT_EQ(grid.FieldCell(colTitle, 1), "A");
  EXPECT_EQ(grid.ChangedRowCount(), 0);
  EXPECT_TRUE(presenter.texts.empty());
}

TEST_F(AddFilesTest, PlaylistEntriesRelativeCommentedBlankNestedAndForeign) {
  ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
  WriteMp3(F("music/a.mp3"), "A");
  WriteMp3(F("music/b.mp3"), "B");
  WriteBytes(F("lists/inner.m3u"), "../music/b.mp3\r\n");
  WriteBytes(F("lists/all.m3u"),
             "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\n..\\music\\a.mp3\r\n\r\n"
             "inner.m3u\n" +
                 F("music/b.mp3") + "\r");
  // Sectioned PLS lines of other programs are entries that do not open.
  WriteBytes(F("lists/other.pls"), "[playlist]\r\nFile1=a.mp3\r\nNumberOfEntries=1\r\n");
  const AddFilesResult r = Add({F("lists/all.m3u"), F("music/a.mp3"), F("lists/other.pls")});
  // The climbing entry keeps its unnormalised folder, so the plain path of
  // the same file is another row; the nested list is a row, not read as one.
  EXPECT_EQ(Rows(), (Paths{F("lists/../music/a.mp3"), F("lists/inner.m3u"), F("music/b.mp3"),
                           F("music/a.mp3")}));
  EXPECT_EQ(grid.FieldCell(colPath, 1), F("lists/../music/"));
  EXPECT_EQ(grid.FieldCell(colTitle, 1), "A");
  EXPECT_EQ(r.failed, 3);  // the blank line names no file
  EXPECT_TRUE(presenter.AnyMentions(F("lists/[playlist]")));
  EXPECT_TRUE(presenter.AnyMentions(F("lists/File1=a.mp3")));
}

TEST_F(AddFilesTest, CsvValuesOverwriteTagsAndMarkOnlyRowsThatDiffer) {
  WriteMp3(F("a.mp3"), "Old", "Same", "Enc");
  WriteMp3(F("b b.mp3"), "Keep", "Same");
  WriteBytes(F("x.csv"),
             "FILE, tItLe,Artist,No,Genre,Comment,Unknown,Title,Encoded\r\n"
             "a.mp3,New Title,Same, 7 ,Rock,\" \",ignored,second,\r\n"
             "\"b b.mp3\",Keep,Same\r\n");
  TrackGrid reference;
  ASSERT_EQ(ReadFileTags(reference, F("a.mp3"), messages), 1);
  ASSERT_EQ(Add({F("x.csv")}).added, 2);
  EXPECT_EQ(grid.FieldCell(colTitle, 1), "New Title");  // the first "Title" column counts
  EXPECT_EQ(grid.FieldCell(colNo, 1), "7");             // trimmed, not validated
  EXPECT_EQ(grid.FieldCell(colGenre, 1), "Rock");
  EXPECT_EQ(grid.FieldCell(colComment, 1), "");  // a quoted blank is empty
  EXPECT_EQ(grid.FieldCell(colEncoder, 1), "");  // an empty field clears the cell
  EXPECT_TRUE(grid.IsRowChanged(1));
  EXPECT_EQ(grid.Cell(colWork, 1), reference.Cell(colWork, 1));  // the tags as read
  // The short line sets only what it has, and equal values mark nothing.
  EXPECT_EQ(grid.FieldCell(colArtist, 2), "Same");
  EXPECT_FALSE(grid.IsRowChanged(2));
  EXPECT_TRUE(presenter.texts.empty());
}

TEST_F(AddFilesTest, BadCsvAndPlaylistInputIsSkippedCountedAndHarmless) {
  WriteMp3(F("ok.mp3"));
  std::string line, junk;  // every byte but the line ends; random bytes
  for (int i = 1; i < 256; ++i)
    if (i != '\r' && i != '\n') line += static_cast<char>(i);
  for (unsigned i = 0, seed = 1; i < 20000; ++i, seed = seed * 1103515245u + 12345u)
    junk += static_cast<char>(seed >> 16);
  std::string csv = "Title,File,Artist\r\n";
  csv += "only one field\r\n\r\n";            // too few fields; blank
  csv += "t,,a\r\n";                          // empty path
  csv += "t,\"ok.mp3,a\r\n";                  // unbalanced: names "ok.mp3,a"
  csv += line + "\r\n" + std::string(3 << 20, 'x') + "\r\n";  // one field of megabytes
  csv += "\"T, quoted\",ok.mp3,\"A \"\"B\"\"\"\r\n";
  WriteBytes(F("bad.csv"), csv);
  WriteBytes(F("nofile.csv"), "Title,Path\r\nt,ok.mp3\r\nu,ok.mp3\r\n");
  WriteBytes(F("header.csv"), "File,Title\r\n");
  WriteBytes(F("junk.m3u"), junk);
  WriteBytes(F("junk.csv"), junk);

  const AddFilesResult r =
      Add({F("bad.csv"), F("nofile.csv"), F("header.csv"), F("junk.m3u"), F("junk.csv")});
  EXPECT_TRUE(r.unreadableList.empty());
  EXPECT_EQ(Rows(), (Paths{F("ok.mp3")}));
  EXPECT_EQ(grid.FieldCell(colTitle, 1), "T, quoted");
  EXPECT_EQ(grid.FieldCell(colArtist, 1), "A \"B\"");
  // One closing notice per list that skipped lines, naming it and the count.
  EXPECT_TRUE(presenter.AnyMentions(F("bad.csv") + "\n"));
  EXPECT_TRUE(presenter.AnyMentions(F("nofile.csv") + "\n"));
  EXPECT_FALSE(presenter.AnyMentions(F("header.csv")));
  for (const std::string& t : presenter.texts) {
    if (t.starts_with(F("bad.csv"))) EXPECT_NE(t.find(" 4 "), std::string::npos) << t;
    if (t.starts_with(F("nofile.csv"))) EXPECT_NE(t.find(" 2 "), std::string::npos) << t;
  }
}

TEST_F(AddFilesTest, UnreadableListEndsTheAddNamingItAndKeepsEarlierRows) {
  WriteMp3(F("a.mp3"), "A");
  WriteMp3(F("b.mp3"), "B");
  ASSERT_EQ(mkdir(F("folder.csv").c_str(), 0700), 0);
  for (const std::string& list : {F("missing.m3u"), F("folder.csv")}) {
    grid.ClearRows();
    presenter.texts.clear();
    EXPECT_EQ(Add({F("a.mp3"), list, F("b.mp3")}).unreadableList, list);
    EXPECT_EQ(Rows(), (Paths{F("a.mp3")}));
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_TRUE(presenter.texts[0].starts_with(list + "\n"));
  }
}

}  // namespace
}  // namespace quilmark
