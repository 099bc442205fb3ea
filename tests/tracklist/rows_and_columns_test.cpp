// The grid document's rows: removal and reordering, and the path index
// behind ContainsPath. (Stored column orders are tried by the settings'
// tests, dragged columns by the window's and the list round trip.)
#include <gtest/gtest.h>

#include <string>

#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

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
