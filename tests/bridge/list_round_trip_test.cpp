// Lists written here read back into the same track list: playlists and CSV
// files, relative or full paths, moved columns, text CP932 cannot hold,
// values with line breaks.
#include <sys/stat.h>

#include "bridge/bridge_test_support.h"
#include "lists/list_entry.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace quilmark {
namespace {

using testing::ReadBytes;
using Lines = std::vector<std::string>;

class ListRoundTripTest : public testing::ListTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
    files = {F("music/one.mp3"), F("music/two, \"quoted\".mp3"), F("music/𠮷 three.mp3")};
    testing::WriteMp3(files[0], "One", "Artist", "Enc");
    testing::WriteMp3(files[1], "Two");
    testing::WriteMp3(files[2], "Three");
    ASSERT_EQ(Add(files).added, 3);
  }

  // Writes the list, reads it into `back` and checks that the same files came.
  Lines WriteAndReadBack(const std::string& list, TrackGrid& back) {
    EXPECT_TRUE(WriteList(grid_, options, list).written);
    AddFiles(back, {list}, messages_);
    EXPECT_EQ(back.FileRowCount(), 3);
    for (int row = 1; row < back.RowCount() && row <= 3; ++row)
      EXPECT_EQ(platform::FullPath(back.FullPathOf(row)), files[row - 1]);
    EXPECT_TRUE(presenter_.texts.empty());
    return DecodeListText(ReadBytes(list));
  }

  Lines files;
};

TEST_F(ListRoundTripTest, PlaylistsReadBackWithFullOrRelativePaths) {
  for (bool relative : {false, true}) {
    options.relativePaths = relative;
    for (const char* name : {"lists/all.m3u", "lists/all.PLS"}) {
      TrackGrid back;
      const Lines lines = WriteAndReadBack(F(name), back);
      EXPECT_EQ(lines[1], relative ? "../music/two, \"quoted\".mp3" : files[1]);
    }
  }
}

TEST_F(ListRoundTripTest, CsvGivesBackEveryFieldButTheFiveRenamedOnes) {
  for (int row = 1; row <= 3; ++row) {
    for (const CsvColumn& column : kCsvColumns) {
      const std::size_t f = FieldIndex(column.field);
      grid_.SetFieldCell(column.field, row, "v, \"" + std::to_string(row * 100 + f) + "\"");
    }
  }
  grid_.SetFieldCell(colComposer, 2, "");
  options.relativePaths = true;

  TrackGrid back;
  const Lines lines = WriteAndReadBack(F("lists/all.csv"), back);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[2].starts_with("\"../music/two, \"\"quoted\"\".mp3\","));
  EXPECT_NE(lines[2].find(",\" \","), std::string::npos);  // the empty composer
  for (int row = 1; row <= 3; ++row) {
    EXPECT_TRUE(back.IsRowChanged(row));
    for (const CsvColumn& column : kCsvColumns) {
      const Field field = column.field;
      // Under their written names the encoder and the Org fields are not
      // read: they stay as the files' tags give them.
      const bool renamed = field == colEncoder || field >= colOrgAlbum;
      EXPECT_EQ(back.FieldCell(field, row), renamed ? (row == 1 && field == colEncoder ? "Enc" : "")
                                                    : grid_.FieldCell(field, row))
          << FieldIndex(field) << " " << row;
    }
  }
}

TEST_F(ListRoundTripTest, CsvColumnsFollowMovedColumnsAndFlags) {
  for (int row = 1; row <= 3; ++row) grid_.SetFieldCell(colNo, row, std::to_string(row));
  for (Field f : {colArtist, colOrgAlbum, colOrgLyricist, colOrgArtist, colOrgYear})
    options.csvColumns[CsvColumnIndex(f)] = false;
  const char* kTail = "ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM";
  // Title dragged in front of the track number.
  ASSERT_TRUE(grid_.MoveColumn(grid_.Layout().Position(colTitle), 7));
  TrackGrid back;
  EXPECT_EQ(WriteAndReadBack(F("lists/moved.csv"), back)[0], std::string("FILE,TITLE,NO,") + kTail);
  EXPECT_EQ(back.FieldCell(colNo, 3), "3");
}

TEST_F(ListRoundTripTest, AValueWithALineBreakComesBackWholeAndTouchesNoOtherFile) {
  // A downloaded file's tag chooses its title: cut at its line break, the
  // rest would be a CSV line of its own, naming another file to rewrite.
  const std::string title = "Nice song\r\n" + files[0] + ",1,INJECTED";
  testing::WriteMp3(files[1], title);
  const std::string victim = ReadBytes(files[0]);
  TrackGrid tagged;
  AddFiles(tagged, files, messages_);
  tagged.SetFieldCell(colYear, 2, "1999");  // the export differs from the tag in one value
  ASSERT_TRUE(WriteList(tagged, options, F("lists/export.csv")).written);

  TrackGrid applied;
  AddFiles(applied, {F("lists/export.csv")}, messages_);
  const SaveReport report = SaveChangedRows(applied, options_, messages_, busy_);
  EXPECT_EQ(report.Written(), 1);
  EXPECT_TRUE(ReadBytes(files[0]) == victim);
  TrackGrid back;
  AddFiles(back, {files[1]}, messages_);
  EXPECT_EQ(back.FieldCell(colTitle, 1), title);
  EXPECT_EQ(back.FieldCell(colYear, 1), "1999");
}

TEST_F(ListRoundTripTest, APlaylistRefusesANameWithALineBreak) {
  const std::string odd = F("music/two\nlines.mp3");
  testing::WriteMp3(odd);
  Add({odd});
  const ListWriteResult result = WriteList(grid_, options, F("lists/all.m3u8"));
  EXPECT_FALSE(result.written);
  EXPECT_NE(result.error.find(odd), std::string::npos);
  EXPECT_FALSE(testing::Exists(F("lists/all.m3u8")));
}

TEST(MakeRelativePath, ClimbsAndDescendsFromTheListFolderAndResolvesBack) {
  for (auto [base, target, relative] : {
           std::tuple{"/d/lists/", "/d/lists/a.mp3", "a.mp3"},
           {"/d/lists/", "/d/lists/../music/a.mp3", "../music/a.mp3"},  // lands on the same file
           {"/d/lists/", "/d/Lists/a.mp3", "../Lists/a.mp3"},           // another folder here
           {"/d/lists/", "a.mp3", "a.mp3"},  // nothing to relate a relative path to
       }) {
    EXPECT_EQ(MakeRelativePath(base, target), relative) << base << " " << target;
    if (target[0] == '/') {
      EXPECT_EQ(platform::FullPath(ResolveListEntry(relative, std::string(base) + "l.m3u")),
                platform::FullPath(target));
    }
  }
}

}  // namespace
}  // namespace quilmark
