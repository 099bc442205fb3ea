// The grid document: stored column order and visibility, dragged columns,
// row removal and reordering, and the path index behind ContainsPath.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tracklist/track_grid.h"
#include "ui/text_width.h"

namespace quilmark {
namespace {

// Fields stand at a permutation of 5..23 and each header names its field.
void ExpectConsistent(const TrackGrid& grid) {
  std::vector<int> positions(grid.Layout().FieldColumn.begin(), grid.Layout().FieldColumn.end());
  std::ranges::sort(positions);
  for (int k = 0; k < kFieldCount; ++k) {
    EXPECT_EQ(positions.at(k), kFirstFieldPosition + k);
    EXPECT_EQ(grid.Cell(grid.Layout().Position(Field(k)), 0), FieldHeader(Field(k))) << k;
  }
}

TEST(ColumnLayout, ShowColFollowsFieldsAndMalformedValuesFallBack) {
  ColumnLayout layout = ColumnLayout::Default();
  ASSERT_TRUE(layout.ApplyColOrder("BACDEFGHIJKLMNOPQRS"));
  // The first ShowCol character belongs to the path, which now stands at 6.
  ASSERT_TRUE(layout.ApplyShowCol("0111111111111111111"));
  EXPECT_TRUE(layout.ColumnVisible[5] && !layout.ColumnVisible[6]);
  ExpectConsistent(TrackGrid(layout));
  // (The settings' load tries other malformed values.)
  EXPECT_FALSE(layout.ApplyColOrder("ABCDEFGHIJKLMNOPQR"));
  EXPECT_EQ(layout.ColOrder(), "ABCDEFGHIJKLMNOPQRS");
  ASSERT_TRUE(layout.ApplyShowCol("1x1 1Y1011111111111"));  // only '1' shows
  EXPECT_EQ(layout.ShowCol(), "1010101011111111111");
}

TEST(ColumnLayout, DraggedColumnTakesCellsWidthAndFlagAndFieldsStayAPermutation) {
  TrackGrid grid;
  const FixedTextWidth measure;
  const int row = grid.AppendRow();
  grid.SetFieldCell(colTitle, row, "Song of some length");
  grid.FitColumnWidth(-1, measure);
  const int titleWidth = grid.ColumnWidth(9);
  ASSERT_TRUE(grid.MoveColumn(9, 5));  // the others shift right
  EXPECT_EQ(grid.Cell(5, row), "Song of some length");
  EXPECT_EQ(grid.ColumnWidth(5), titleWidth);
  EXPECT_EQ(grid.Layout().ColOrder().substr(0, 5), "BCDEA");
  grid.ToggleColumnVisible(5, measure);  // the hidden flag travels on
  ASSERT_TRUE(grid.MoveColumn(5, 23));
  EXPECT_FALSE(grid.Layout().IsFieldShown(colTitle));
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(grid.MoveColumn(5 + i * 7 % 19, 5 + (i * 11 + 3) % 19));
  ExpectConsistent(grid);
  EXPECT_EQ(grid.FieldCell(colTitle, row), "Song of some length");
  EXPECT_FALSE(grid.MoveColumn(4, 10) || grid.MoveColumn(10, 24));  // fixed and spare stay
}

int AddFile(TrackGrid& grid, const std::string& folder, const std::string& name) {
  const int row = grid.AppendRow();
  grid.SetFieldCell(colPath, row, folder);
  grid.SetFieldCell(colFile, row, name);
  return row;
}

// The file names in row order, checking the numbering on the way.
std::string Rows(const TrackGrid& grid) {
  std::string rows;
  for (int r = 1; r <= grid.FileRowCount(); ++r) {
    EXPECT_EQ(grid.Cell(colRowNo, r), std::to_string(r));
    rows += grid.FieldCell(colFile, r);
  }
  return rows;
}

// Rows go and move whole and are renumbered, and the path index behind
// ContainsPath follows every change: a path held twice is listed until both
// rows are gone. The last file out leaves the placeholder, unmarked, which
// the next fills.
TEST(TrackRows, RemovalAndReorderMoveWholeRowsRenumberAndKeepThePathIndex) {
  TrackGrid grid;
  EXPECT_FALSE(grid.ContainsPath(""));  // the placeholder shows no file
  for (const char* file : {"1", "2", "3", "4", "2"}) AddFile(grid, "/m/", file);
  grid.MarkRowChanged(3);
  EXPECT_FALSE(grid.ContainsPath("/M/1"));
  for (int row : {2, 0, 5, -1}) grid.RemoveRow(row);
  EXPECT_EQ(Rows(grid), "1342");
  EXPECT_TRUE(grid.IsRowChanged(2) && grid.ContainsPath("/m/2"));
  grid.RemoveRow(4);
  EXPECT_FALSE(grid.ContainsPath("/m/2"));
  grid.SetFieldCell(colPath, 3, "/y/");
  EXPECT_TRUE(!grid.ContainsPath("/m/4") && grid.ContainsPath("/y/4"));
  ASSERT_TRUE(grid.ReorderRows({2, 3, 1}));
  EXPECT_FALSE(grid.ReorderRows({1, 1, 2}) || grid.ReorderRows({1, 2}));
  EXPECT_EQ(Rows(grid), "341");
  EXPECT_TRUE(grid.IsRowChanged(1));
  for (int r = 3; r >= 1; --r) grid.RemoveRow(r);
  EXPECT_TRUE(grid.IsEmptyList() && grid.RowCount() == 2 && grid.ChangedRowCount() == 0);
  EXPECT_FALSE(grid.ContainsPath("/m/1") || grid.ContainsPath("/y/4"));
  EXPECT_EQ(AddFile(grid, "/m/", "b.mp3"), 1);
  grid.ClearRows();
  EXPECT_FALSE(grid.ContainsPath("/m/b.mp3"));
}

}  // namespace
}  // namespace quilmark
