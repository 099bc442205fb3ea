// Lists written here read back into the same track list: playlists and CSV
// files, relative or full paths, moved columns, text CP932 cannot hold.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lists/add_files.h"
#include "lists/list_test_support.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "tag/comma_text.h"
#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

using testing::ReadBytes;
using testing::WriteMp3;
using Lines = std::vector<std::string>;

constexpr Field kRenamed[] = {colEncoder, colOrgAlbum, colOrgLyricist, colOrgArtist, colOrgYear};

bool IsRenamed(Field f) {
  for (Field r : kRenamed)
    if (r == f) return true;
  return false;
}

class ListRoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
    for (const char* name : {"music/one.mp3", "music/two, \"quoted\".mp3", "music/𠮷 three.mp3"})
      files.push_back(F(name));
    WriteMp3(files[0], "One", "Artist", "Enc");
    WriteMp3(files[1], "Two");
    WriteMp3(files[2], "Three");
    ASSERT_EQ(AddFiles(grid, files, messages).added, 3);
  }

  std::string F(std::string_view name) const { return dir.File(name); }

  std::vector<std::string> ReadBack(const std::string& list, TrackGrid& into) {
    AddFiles(into, {list}, messages);
    std::vector<std::string> paths;
    for (int row = 1; row < into.RowCount(); ++row) paths.push_back(into.FullPathOf(row));
    return paths;
  }

  Lines FileLines(const std::string& path) { return DecodeListText(ReadBytes(path)); }

  testing::TempDir dir;
  Settings settings;
  testing::RecordingPresenter presenter;
  Messages messages{settings, presenter};
  TrackGrid grid;
  std::vector<std::string> files;
};

TEST_F(ListRoundTripTest, PlaylistsWithFullPathsReadBackCompletely) {
  for (const char* name : {"lists/all.m3u", "lists/all.PLS"}) {
    ASSERT_TRUE(WriteList(grid, settings, F(name)).written);
    // The "𠮷" has no CP932 form: the file is UTF-8 with a mark.
    EXPECT_TRUE(ReadBytes(F(name)).starts_with(kUtf8Bom));
    EXPECT_EQ(FileLines(F(name)), files);
    TrackGrid back;
    EXPECT_EQ(ReadBack(F(name), back), files);
    EXPECT_EQ(back.FieldCell(colTitle, 3), "Three");
  }
  EXPECT_TRUE(presenter.texts.empty());
}

TEST_F(ListRoundTripTest, RelativePathsClimbOutOfTheListFolderAndReadBack) {
  settings.AbsolutePath = true;
  ASSERT_TRUE(WriteList(grid, settings, F("lists/rel.m3u")).written);
  EXPECT_EQ(FileLines(F("lists/rel.m3u")),
            (Lines{"../music/one.mp3", "../music/two, \"quoted\".mp3", "../music/𠮷 three.mp3"}));
  TrackGrid back;
  const std::vector<std::string> paths = ReadBack(F("lists/rel.m3u"), back);
  ASSERT_EQ(paths.size(), 3u);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(paths[i], F("lists/") + FileLines(F("lists/rel.m3u"))[i]);
    EXPECT_EQ(platform::FullPath(paths[i]), files[i]);
  }

  // A list beside its tracks names them bare, in CSV as well.
  ASSERT_TRUE(WriteList(grid, settings, F("music/here.csv")).written);
  const Lines csv = FileLines(F("music/here.csv"));
  ASSERT_EQ(csv.size(), 4u);
  EXPECT_TRUE(csv[1].starts_with("one.mp3,"));
  EXPECT_TRUE(csv[2].starts_with("\"two, \"\"quoted\"\".mp3\","));
  TrackGrid back2;
  EXPECT_EQ(ReadBack(F("music/here.csv"), back2), files);
}

TEST_F(ListRoundTripTest, CsvGivesBackEveryFieldButTheFiveRenamedOnes) {
  for (int row = 1; row <= 3; ++row)
    for (int f = colNo; f <= colOrgYear; ++f)
      grid.SetFieldCell(static_cast<Field>(f), row,
                        std::string(1, FieldLetter(static_cast<Field>(f))) + " v, \"" +
                            std::to_string(row) + "\"");
  grid.SetFieldCell(colComposer, 2, "");

  ASSERT_TRUE(WriteList(grid, settings, F("lists/all.csv")).written);
  const Lines lines = FileLines(F("lists/all.csv"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "FILE,NO,ARTIST,TITLE,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,"
            "BPM,ORG_ALBUM,ORG_LYRIC,ORG_ARTIST,ORG_YEAR");
  EXPECT_NE(lines[2].find(",\" \","), std::string::npos);  // the empty composer

  TrackGrid back;
  EXPECT_EQ(ReadBack(F("lists/all.csv"), back), files);
  for (int row = 1; row <= 3; ++row) {
    EXPECT_TRUE(back.IsRowChanged(row));
    for (int f = colNo; f <= colOrgYear; ++f) {
      const Field field = static_cast<Field>(f);
      if (IsRenamed(field)) continue;
      EXPECT_EQ(back.FieldCell(field, row), grid.FieldCell(field, row)) << FieldLetter(field);
    }
  }
  // Under the written names the encoder and the Org fields stay as the
  // files' tags give them.
  EXPECT_EQ(back.FieldCell(colEncoder, 1), "Enc");
  EXPECT_EQ(back.FieldCell(colOrgAlbum, 1), "");
  EXPECT_EQ(back.FieldCell(colOrgYear, 2), "");
}

TEST_F(ListRoundTripTest, CsvColumnsFollowMovedColumnsAndFlags) {
  for (int row = 1; row <= 3; ++row) {
    grid.SetFieldCell(colNo, row, std::to_string(row));
    grid.SetFieldCell(colAlbum, row, "Album " + std::to_string(row));
  }
  settings.CSV[colArtist - colNo] = false;
  for (Field f : {colOrgAlbum, colOrgLyricist, colOrgArtist, colOrgYear})
    settings.CSV[static_cast<std::size_t>(f - colNo)] = false;

  // Title dragged in front of the track number.
  ASSERT_TRUE(grid.MoveColumn(grid.Layout().Position(colTitle), 7));
  ASSERT_TRUE(WriteList(grid, settings, F("lists/moved.csv")).written);
  Lines lines = FileLines(F("lists/moved.csv"));
  EXPECT_EQ(lines[0],
            "FILE,TITLE,NO,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM");
  EXPECT_EQ(lines[1], files[0] +
                          ",One,1,\"Album 1\",\" \",\" \",\" \",\" \",\" \",\" \",Enc,"
                          "\" \",\" \"");

  // The file name dragged away: whatever stands first after the path is
  // never written, and neither is the file name column.
  ASSERT_TRUE(grid.MoveColumn(grid.Layout().Position(colFile), 12));
  ASSERT_EQ(grid.Layout().FieldAt(6), colTitle);
  ASSERT_TRUE(WriteList(grid, settings, F("lists/moved.csv")).written);
  lines = FileLines(F("lists/moved.csv"));
  EXPECT_EQ(lines[0],
            "FILE,NO,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,URL,BPM");
  EXPECT_TRUE(lines[2].starts_with(QuoteCommaItem(files[1]) + ",2,\"Album 2\","));

  TrackGrid back;
  EXPECT_EQ(ReadBack(F("lists/moved.csv"), back), files);
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(back.FieldCell(colNo, row), std::to_string(row));
    EXPECT_EQ(back.FieldCell(colAlbum, row), "Album " + std::to_string(row));
  }
}

TEST(ListWriting, EmptyListsNoFlagsAndOtherExtensions) {
  testing::TempDir dir;
  TrackGrid grid;
  Settings settings;
  ASSERT_TRUE(WriteList(grid, settings, dir.File("e.m3u")).written);
  EXPECT_EQ(ReadBytes(dir.File("e.m3u")), "\r\n");
  ASSERT_TRUE(WriteList(grid, settings, dir.File("e.csv")).written);
  std::string blanks;
  for (int i = 0; i < 17; ++i) blanks += ",\" \"";
  EXPECT_EQ(ReadBytes(dir.File("e.csv")),
            "FILE,NO,ARTIST,TITLE,ALBUM,YEAR,GENRE,COMMENT,LYRICIST,COMPOSER,COPYRIGHT,ENCODER,"
            "URL,BPM,ORG_ALBUM,ORG_LYRIC,ORG_ARTIST,ORG_YEAR\r\n" +
                blanks + "\r\n");

  settings.CSV.fill(false);
  ASSERT_TRUE(WriteList(grid, settings, dir.File("f.csv")).written);
  EXPECT_EQ(ReadBytes(dir.File("f.csv")), "FILE\r\n\"\"\r\n");

  for (const char* name : {"x.txt", "noext", "x.csv.bak", "x."}) {
    const ListWriteResult r = WriteList(grid, settings, dir.File(name));
    EXPECT_FALSE(r.written);
    EXPECT_TRUE(r.error.empty());
  }
  EXPECT_EQ(testing::CountEntries(dir.Path()), 3);

  // A failure names the file and leaves what was there.
  testing::RecordingPresenter presenter;
  Messages messages(settings, presenter);
  ASSERT_EQ(mkdir(dir.File("ro").c_str(), 0500), 0);
  if (access(dir.File("ro").c_str(), W_OK) != 0) {  // not when running as root
    EXPECT_FALSE(SaveList(grid, settings, dir.File("ro/x.pls"), messages));
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_TRUE(presenter.texts[0].starts_with(dir.File("ro/x.pls") + "\n"));
  }
}

}  // namespace
}  // namespace quilmark
