// Header row, widths, show/hide and column drags of the track list.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tag/comma_text.h"
#include "tracklist/text_width.h"
#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

// One unit per byte, so expected widths are easy to read.
class ByteWidth : public TextWidth {
 public:
  int Width(std::string_view text) const override { return static_cast<int>(text.size()); }
};

void ExpectConsistent(const TrackGrid& grid) {
  const ColumnLayout& layout = grid.Layout();
  std::set<int> positions(layout.FieldColumn.begin(), layout.FieldColumn.end());
  ASSERT_EQ(positions.size(), static_cast<std::size_t>(kFieldCount));
  EXPECT_EQ(*positions.begin(), kFirstFieldPosition);
  EXPECT_EQ(*positions.rbegin(), kLastFieldPosition);
  for (int k = 0; k < kFieldCount; ++k) {
    const Field f = static_cast<Field>(k);
    EXPECT_EQ(grid.Cell(layout.Position(f), 0), FieldHeader(f)) << "field " << k;
  }
}

TEST(TrackGridColumnsTest, HeaderRowFollowsTheLayout) {
  ColumnLayout layout = ColumnLayout::Default();
  layout.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  TrackGrid grid(layout);
  const std::vector<std::string> titles = SplitCommaText(grid.MakeColumnTitles());
  ASSERT_EQ(titles.size(), 24u);
  EXPECT_EQ(titles[0], "Work");
  EXPECT_EQ(titles[1], "*");
  EXPECT_EQ(titles[2], "コメント言語");
  EXPECT_EQ(titles[3], "コメント長文");
  EXPECT_EQ(titles[4], "№");
  EXPECT_EQ(titles[5], "ファイル名");
  EXPECT_EQ(titles[6], "パス");
  EXPECT_EQ(titles[23], "Org年");
  for (int p = 0; p < 24; ++p) EXPECT_EQ(grid.Cell(p, 0), titles[p]);
  EXPECT_EQ(grid.Cell(24, 0), "");
  EXPECT_EQ(grid.Layout().ColOrder(), "BACDEFGHIJKLMNOPQRS");
}

TEST(TrackGridColumnsTest, FitGivesWidestTextPlusFourOrHides) {
  ColumnLayout layout = ColumnLayout::Default();
  layout.ApplyShowCol("1111111111111111110");  // Org年 hidden
  TrackGrid grid(layout);
  const int row = grid.AppendRow();
  grid.SetFieldCell(colTitle, row, "a rather long title");
  grid.SetFieldCell(colOrgYear, row, "1999");
  grid.SetCell(colWork, row, "Title=a rather long title");
  ByteWidth measure;
  grid.FitColumnWidth(-1, measure);

  EXPECT_EQ(grid.ColumnWidth(grid.Layout().Position(colTitle)), 19 + 4);
  EXPECT_EQ(grid.ColumnWidth(grid.Layout().Position(colArtist)),
            static_cast<int>(FieldHeader(colArtist).size()) + 4);  // header only
  EXPECT_EQ(grid.ColumnWidth(colRowNo), static_cast<int>(std::string("№").size()) + 4);
  EXPECT_EQ(grid.ColumnWidth(grid.Layout().Position(colOrgYear)), -1);
  for (int p : {colWork, colChanged, colCommentLang, colCommentLong, 24, 31}) {
    EXPECT_EQ(grid.ColumnWidth(p), -1) << p;
  }

  // One column at a time; a column measuring nothing is hidden.
  grid.SetFieldCell(colTitle, row, "");
  grid.FitColumnWidth(grid.Layout().Position(colTitle), measure);
  EXPECT_EQ(grid.ColumnWidth(9), static_cast<int>(FieldHeader(colTitle).size()) + 4);
  grid.MutableLayout().ColumnVisible[30] = true;
  grid.FitColumnWidth(30, measure);
  EXPECT_EQ(grid.ColumnWidth(30), -1);
  grid.FitColumnWidth(32, measure);  // no such column: nothing happens
  grid.FitColumnWidth(-2, measure);
}

TEST(TrackGridColumnsTest, ShowAllAndHideAllTouchOnlyPositionsSevenOnwards) {
  TrackGrid grid;
  ByteWidth measure;
  grid.SetColumnVisible(5, false, measure);
  grid.SetTagColumnsVisible(true, measure);
  EXPECT_FALSE(grid.Layout().ColumnVisible[5]);
  EXPECT_EQ(grid.ColumnWidth(5), -1);
  EXPECT_TRUE(grid.Layout().ColumnVisible[6]);

  grid.SetTagColumnsVisible(false, measure);
  EXPECT_TRUE(grid.Layout().ColumnVisible[6]);
  EXPECT_NE(grid.ColumnWidth(6), -1);
  for (int p = 7; p <= 23; ++p) {
    EXPECT_FALSE(grid.Layout().ColumnVisible[p]);
    EXPECT_EQ(grid.ColumnWidth(p), -1);
  }
  EXPECT_TRUE(grid.Layout().ColumnVisible[colRowNo]);
  EXPECT_EQ(grid.Layout().ShowCol(), "0100000000000000000");

  // Fixed and spare positions cannot be shown or hidden by a command.
  grid.SetColumnVisible(colRowNo, false, measure);
  grid.SetColumnVisible(colWork, true);
  grid.SetColumnVisible(24, true, measure);
  EXPECT_TRUE(grid.Layout().ColumnVisible[colRowNo]);
  EXPECT_FALSE(grid.Layout().ColumnVisible[colWork]);
  EXPECT_FALSE(grid.Layout().ColumnVisible[24]);
}

TEST(TrackGridColumnsTest, DraggedColumnTakesCellsWidthHeaderAndFlag) {
  TrackGrid grid;
  ByteWidth measure;
  const int row = grid.AppendRow();
  grid.SetFieldCell(colPath, row, "/m/");
  grid.SetFieldCell(colFile, row, "a.mp3");
  grid.SetFieldCell(colTitle, row, "Song");
  grid.SetFieldCell(colArtist, row, "Band");
  grid.FitColumnWidth(-1, measure);
  const int titleWidth = grid.ColumnWidth(9);

  // Title (position 9) dragged to 5: path and the others shift right.
  ASSERT_TRUE(grid.MoveColumn(9, 5));
  ExpectConsistent(grid);
  EXPECT_EQ(grid.Layout().Position(colTitle), 5);
  EXPECT_EQ(grid.Layout().Position(colPath), 6);
  EXPECT_EQ(grid.Layout().Position(colArtist), 9);
  EXPECT_EQ(grid.Cell(5, row), "Song");
  EXPECT_EQ(grid.FieldCell(colArtist, row), "Band");
  EXPECT_EQ(grid.ColumnWidth(5), titleWidth);
  EXPECT_EQ(grid.Layout().ColOrder().substr(0, 5), "BCDEA");
  EXPECT_TRUE(grid.ContainsPath("/m/a.mp3"));
  EXPECT_EQ(grid.FullPathOf(row), "/m/a.mp3");

  // The Title action now hides position 5; show all does not bring it back.
  grid.ToggleColumnVisible(grid.Layout().Position(colTitle), measure);
  EXPECT_FALSE(grid.Layout().IsFieldShown(colTitle));
  EXPECT_EQ(grid.ColumnWidth(5), -1);
  grid.SetTagColumnsVisible(true, measure);
  EXPECT_FALSE(grid.Layout().IsFieldShown(colTitle));
  EXPECT_EQ(grid.Layout().ShowCol()[colTitle], '0');

  // A hidden column keeps its flag through later drags, either way.
  ASSERT_TRUE(grid.MoveColumn(5, 23));
  ExpectConsistent(grid);
  EXPECT_EQ(grid.Layout().Position(colTitle), 23);
  EXPECT_FALSE(grid.Layout().ColumnVisible[23]);
  EXPECT_TRUE(grid.Layout().ColumnVisible[5]);
  EXPECT_EQ(grid.Cell(23, row), "Song");
}

TEST(TrackGridColumnsTest, ManyDragsKeepFieldsAPermutationAndRefuseOtherPositions) {
  TrackGrid grid;
  ColumnLayout before = grid.Layout();
  for (int i = 0; i < 200; ++i) {
    const int from = 5 + (i * 7) % 19;
    const int to = 5 + (i * 11 + 3) % 19;
    ASSERT_TRUE(grid.MoveColumn(from, to));
  }
  ExpectConsistent(grid);
  int shown = 0;
  for (int p = 5; p <= 23; ++p) shown += grid.Layout().ColumnVisible[p];
  EXPECT_EQ(shown, 19);

  before = grid.Layout();
  for (auto [from, to] : {std::pair{4, 10}, {10, 4}, {24, 10}, {10, 24}, {-1, 5}, {0, 31}}) {
    EXPECT_FALSE(grid.MoveColumn(from, to)) << from << "->" << to;
  }
  EXPECT_EQ(grid.Layout().FieldColumn, before.FieldColumn);
  EXPECT_EQ(grid.Cell(4, 0), "№");
}

TEST(TrackGridColumnsTest, HeaderOverwrittenBeforeADragStillLeavesAPermutation) {
  TrackGrid grid;
  grid.SetCell(10, 0, "");  // no field has this header any more
  ASSERT_TRUE(grid.MoveColumn(10, 6));
  EXPECT_EQ(grid.Layout().Position(colAlbum), 6);
  EXPECT_EQ(grid.Layout().Position(colFile), 7);
  std::set<int> positions(grid.Layout().FieldColumn.begin(), grid.Layout().FieldColumn.end());
  EXPECT_EQ(positions.size(), static_cast<std::size_t>(kFieldCount));
}

}  // namespace
}  // namespace quilmark
