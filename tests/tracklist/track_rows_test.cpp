// Rows of the track list: the placeholder, removal with renumbering,
// reordering, the changed mark and the path index behind ContainsPath.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

int AddFile(TrackGrid& grid, const std::string& folder, const std::string& name) {
  const int row = grid.AppendRow();
  grid.SetFieldCell(colPath, row, folder);
  grid.SetFieldCell(colFile, row, name);
  grid.SetCell(31, row, name.substr(0, name.find('.')));  // a spare cell travels too
  return row;
}

// The spare cells in row order, checking the numbering on the way.
std::vector<std::string> Rows(const TrackGrid& grid) {
  std::vector<std::string> rows;
  for (int r = 1; r <= grid.FileRowCount(); ++r) {
    EXPECT_EQ(grid.Cell(colRowNo, r), std::to_string(r));
    rows.push_back(grid.Cell(31, r));
  }
  return rows;
}

TEST(TrackRows, RemovalAndReorderMoveWholeRowsAndRenumber) {
  TrackGrid grid;
  for (const char* file : {"1.mp3", "2.mp3", "3.mp3", "4.mp3"}) AddFile(grid, "/m/", file);
  grid.MarkRowChanged(3);
  for (int row : {2, 0, 4, -1}) grid.RemoveRow(row);
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_TRUE(grid.IsRowChanged(2));

  ASSERT_TRUE(grid.ReorderRows({2, 3, 1}));
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"3", "4", "1"}));
  EXPECT_TRUE(grid.IsRowChanged(1));
  for (const std::vector<int>& bad : std::vector<std::vector<int>>{
           {1, 2}, {1, 2, 3, 4}, {1, 1, 2}, {0, 1, 2}, {1, 2, 4}, {-1, 2, 3}}) {
    EXPECT_FALSE(grid.ReorderRows(bad));
  }
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"3", "4", "1"}));

  // The last file out leaves the placeholder, unmarked, which the next fills.
  for (int r = 3; r >= 1; --r) grid.RemoveRow(r);
  grid.RemoveRow(1);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_TRUE(grid.IsEmptyList());
  EXPECT_EQ(grid.ChangedRowCount(), 0);
  EXPECT_FALSE(grid.ReorderRows({1}));
  EXPECT_EQ(AddFile(grid, "/m/", "b.mp3"), 1);
  EXPECT_EQ(Rows(grid), (std::vector<std::string>{"b"}));
}

TEST(TrackRows, ChangedMarkIsObservedAndOnlyOnFiles) {
  struct Recorder : GridObserver {
    int marks = 0;
    void RowMarkChanged(int) override { ++marks; }
  } recorder;
  TrackGrid grid;
  grid.AddObserver(&recorder);
  AddFile(grid, "/m/", "a.mp3");
  grid.MarkRowChanged(1);
  EXPECT_EQ(grid.Cell(colChanged, 1), "*");
  grid.ClearRowChanged(1);
  for (int row : {0, 9, -1}) grid.MarkRowChanged(row);
  EXPECT_EQ(grid.ChangedRowCount(), 0);
  EXPECT_EQ(recorder.marks, 2);
  grid.SetCell(32, 1, "x");  // outside the grid: ignored
  grid.SetCell(5, 3, "x");
  EXPECT_EQ(grid.Cell(-3, 99), "");
  EXPECT_EQ(grid.RowCount(), 2);
}

TEST(TrackRows, ContainsPathFollowsEveryChange) {
  TrackGrid grid;
  EXPECT_FALSE(grid.ContainsPath(""));  // the placeholder shows no file
  for (const char* folder : {"/m/", "/m/", "/x/"}) AddFile(grid, folder, "a.mp3");
  EXPECT_TRUE(grid.ContainsPath("/x/a.mp3"));
  EXPECT_FALSE(grid.ContainsPath("/M/A.MP3"));
  grid.SetFieldCell(colPath, 3, "/y/");
  EXPECT_FALSE(grid.ContainsPath("/x/a.mp3"));
  grid.RemoveRow(1);  // the same path twice: listed until both rows are gone
  EXPECT_TRUE(grid.ContainsPath("/m/a.mp3"));
  grid.RemoveRow(1);
  EXPECT_FALSE(grid.ContainsPath("/m/a.mp3"));

  TrackGrid::Row cells = grid.RowCells(1);
  cells[grid.Layout().Position(colFile)] = "d.mp3";
  grid.SetRowCells(1, cells);
  EXPECT_TRUE(grid.ContainsPath("/y/d.mp3"));
  AddFile(grid, "/m/", "e.mp3");
  ASSERT_TRUE(grid.ReorderRows({2, 1}));
  EXPECT_TRUE(grid.ContainsPath("/m/e.mp3") && grid.ContainsPath("/y/d.mp3"));
  // A layout changed behind the grid's back answers by what is shown.
  grid.MutableLayout().ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  EXPECT_TRUE(grid.ContainsPath("e.mp3/m/"));
  grid.ClearRows();
  EXPECT_FALSE(grid.ContainsPath("e.mp3/m/"));
}

TEST(TrackRows, ManyRowsStayCheap) {
  // Quadratic append or look-up would take minutes here.
  TrackGrid grid;
  constexpr int kRows = 100000;
  for (int i = 0; i < kRows; ++i) AddFile(grid, "/music/", std::to_string(i) + ".mp3");
  int found = 0;
  for (int i = 0; i < kRows; ++i)
    found += grid.ContainsPath("/music/" + std::to_string(i) + ".mp3");
  EXPECT_EQ(found, kRows);
  EXPECT_EQ(grid.Cell(colRowNo, kRows), std::to_string(kRows));
}

}  // namespace
}  // namespace quilmark
