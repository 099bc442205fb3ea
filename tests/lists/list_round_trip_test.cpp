// Lists written here read back into the same track list: playlists and CSV
// files, relative or full paths, moved columns, text CP932 cannot hold.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lists/add_files.h"
#include "lists/list_test_support.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

using testing::ReadBytes;
using Lines = std::vector<std::string>;

constexpr const char* kAllColumns =
    "FILE,NO,ARTIST,TITLE,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM,"
    "ORG_ALBUM,ORG_LYRIC,ORG_ARTIST,ORG_YEAR";

class ListRoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
    files = {F("music/one.mp3"), F("music/two, \"quoted\".mp3"), F("music/𠮷 three.mp3")};
    testing::WriteMp3(files[0], "One", "Artist", "Enc");
    testing::WriteMp3(files[1], "Two");
    testing::WriteMp3(files[2], "Three");
    ASSERT_EQ(AddFiles(grid, files, messages).added, 3);
  }
  std::string F(std::string_view name) const { return dir.File(name); }

  // Writes the list, reads it into `back` and checks that the same files came.
  Lines WriteAndReadBack(const std::string& list, TrackGrid& back) {
    EXPECT_TRUE(WriteList(grid, settings, list).written);
    AddFiles(back, {list}, messages);
    EXPECT_EQ(back.FileRowCount(), 3);
    for (int row = 1; row < back.RowCount() && row <= 3; ++row)
      EXPECT_EQ(platform::FullPath(back.FullPathOf(row)), files[row - 1]);
    EXPECT_TRUE(presenter.texts.empty());
    return DecodeListText(ReadBytes(list));
  }

  testing::TempDir dir;
  Settings settings;
  testing::RecordingPresenter presenter;
  Messages messages{settings, presenter};
  TrackGrid grid;
  Lines files;
};

TEST_F(ListRoundTripTest, PlaylistsReadBackWithFullOrRelativePaths) {
  for (bool relative : {false, true}) {
    settings.AbsolutePath = relative;
    for (const char* name : {"lists/all.m3u", "lists/all.PLS"}) {
      TrackGrid back;
      const Lines lines = WriteAndReadBack(F(name), back);
      // "𠮷" has no CP932 form: the file is UTF-8 with a mark.
      EXPECT_TRUE(ReadBytes(F(name)).starts_with(kUtf8Bom));
      EXPECT_EQ(lines[1], relative ? "../music/two, \"quoted\".mp3" : files[1]);
    }
  }
  // A list beside its tracks names them bare.
  TrackGrid back;
  EXPECT_EQ(WriteAndReadBack(F("music/here.m3u"), back)[0], "one.mp3");
}

TEST_F(ListRoundTripTest, CsvGivesBackEveryFieldButTheFiveRenamedOnes) {
  for (int row = 1; row <= 3; ++row)
    for (int f = colNo; f <= colOrgYear; ++f)
      grid.SetFieldCell(static_cast<Field>(f), row, "v, \"" + std::to_string(row * 100 + f) + "\"");
  grid.SetFieldCell(colComposer, 2, "");
  settings.AbsolutePath = true;

  TrackGrid back;
  const Lines lines = WriteAndReadBack(F("lists/all.csv"), back);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], kAllColumns);
  EXPECT_TRUE(lines[2].starts_with("\"../music/two, \"\"quoted\"\".mp3\","));
  EXPECT_NE(lines[2].find(",\" \","), std::string::npos);  // the empty composer
  for (int row = 1; row <= 3; ++row) {
    EXPECT_TRUE(back.IsRowChanged(row));
    for (int f = colNo; f <= colOrgYear; ++f) {
      const Field field = static_cast<Field>(f);
      // Under their written names the encoder and the Org fields are not
      // read: they stay as the files' tags give them.
      const bool renamed = field == colEncoder || field >= colOrgAlbum;
      EXPECT_EQ(back.FieldCell(field, row), renamed ? (row == 1 && field == colEncoder ? "Enc" : "")
                                                    : grid.FieldCell(field, row))
          << FieldLetter(field) << row;
    }
  }
}

TEST_F(ListRoundTripTest, CsvColumnsFollowMovedColumnsAndFlags) {
  for (int row = 1; row <= 3; ++row) grid.SetFieldCell(colNo, row, std::to_string(row));
  for (Field f : {colArtist, colOrgAlbum, colOrgLyricist, colOrgArtist, colOrgYear})
    settings.CSV[static_cast<std::size_t>(f - colNo)] = false;
  // Title dragged in front of the track number.
  ASSERT_TRUE(grid.MoveColumn(grid.Layout().Position(colTitle), 7));
  TrackGrid back;
  EXPECT_EQ(WriteAndReadBack(F("lists/moved.csv"), back)[0],
            "FILE,TITLE,NO,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM");
  EXPECT_EQ(back.FieldCell(colNo, 3), "3");
  // The file name dragged away: whatever stands first after the path is
  // never written, and neither is the file name column.
  ASSERT_TRUE(grid.MoveColumn(grid.Layout().Position(colFile), 12));
  ASSERT_EQ(grid.Layout().FieldAt(6), colTitle);
  TrackGrid again;
  EXPECT_EQ(WriteAndReadBack(F("lists/moved.csv"), again)[0],
            "FILE,NO,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM");
  EXPECT_EQ(again.FieldCell(colNo, 2), "2");
}

TEST(ListWriting, EmptyListsOtherExtensionsAndFailures) {
  testing::TempDir dir;
  TrackGrid grid;
  Settings settings;
  settings.CSV.fill(false);
  ASSERT_TRUE(WriteList(grid, settings, dir.File("e.m3u")).written);
  EXPECT_EQ(ReadBytes(dir.File("e.m3u")), "\r\n");
  ASSERT_TRUE(WriteList(grid, settings, dir.File("f.csv")).written);
  EXPECT_EQ(ReadBytes(dir.File("f.csv")), "FILE\r\n\"\"\r\n");  // one empty value needs quotes
  for (const char* name : {"x.txt", "noext", "x.csv.bak"}) {
    const ListWriteResult r = WriteList(grid, settings, dir.File(name));
    EXPECT_FALSE(r.written || !r.error.empty()) << name;
  }
  EXPECT_EQ(testing::CountEntries(dir.Path()), 2);
  // A failure is shown naming the file.
  testing::RecordingPresenter presenter;
  Messages messages(settings, presenter);
  EXPECT_FALSE(SaveList(grid, settings, dir.File("no/x.pls"), messages));
  ASSERT_EQ(presenter.texts.size(), 1u);
  EXPECT_TRUE(presenter.texts[0].starts_with(dir.File("no/x.pls") + "\n"));
}

}  // namespace
}  // namespace quilmark
