// Rows of the track list: placeholder, append, removal with renumbering,
// reordering, the changed mark, and the path index behind ContainsPath.
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
  return row;
}

std::vector<std::string> Titles(const TrackGrid& grid) {
  std::vector<std::string> titles;
  for (int r = 1; r < grid.RowCount(); ++r) titles.push_back(grid.FieldCell(colTitle, r));
  return titles;
}

void ExpectNumbered(const TrackGrid& grid) {
  for (int r = 1; r < grid.RowCount(); ++r) EXPECT_EQ(grid.Cell(colRowNo, r), std::to_string(r));
}

struct Recorder : GridObserver {
  int resets = 0, appended = 0, marks = 0, cells = 0;
  void CellChanged(int, int) override { ++cells; }
  void RowsReset() override { ++resets; }
  void RowAppended(int) override { ++appended; }
  void RowMarkChanged(int) override { ++marks; }
};

TEST(TrackGridRowsTest, EmptyListIsOnePlaceholderThatTheFirstFileFills) {
  TrackGrid grid;
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_TRUE(grid.IsEmptyList());
  EXPECT_EQ(grid.FileRowCount(), 0);

  EXPECT_EQ(AddFile(grid, "/m/", "a.mp3"), 1);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(colRowNo, 1), "1");
  EXPECT_EQ(AddFile(grid, "/m/", "b.mp3"), 2);
  EXPECT_EQ(grid.FileRowCount(), 2);
  EXPECT_EQ(grid.FullPathOf(2), "/m/b.mp3");
}

TEST(TrackGridRowsTest, RemovingRowTwoOfFiveMovesWholeRowsUpAndRenumbers) {
  TrackGrid grid;
  for (int i = 1; i <= 5; ++i) {
    const int row = AddFile(grid, "/m/", std::to_string(i) + ".mp3");
    for (int c = 0; c < kColumnCount; ++c) {
      if (c != colRowNo && c != grid.Layout().Position(colPath) &&
          c != grid.Layout().Position(colFile)) {
        grid.SetCell(c, row, "r" + std::to_string(i) + "c" + std::to_string(c));
      }
    }
  }
  grid.RemoveRow(2);
  ASSERT_EQ(grid.RowCount(), 5);
  ExpectNumbered(grid);
  EXPECT_EQ(Titles(grid), (std::vector<std::string>{"r1c9", "r3c9", "r4c9", "r5c9"}));
  // All 32 cells travelled, hidden work columns included.
  EXPECT_EQ(grid.Cell(colWork, 2), "r3c0");
  EXPECT_EQ(grid.Cell(colCommentLong, 4), "r5c3");
  EXPECT_EQ(grid.Cell(31, 3), "r4c31");
  EXPECT_FALSE(grid.ContainsPath("/m/2.mp3"));
  EXPECT_TRUE(grid.ContainsPath("/m/5.mp3"));
}

TEST(TrackGridRowsTest, RemovingTheOnlyRowLeavesThePlaceholder) {
  TrackGrid grid;
  AddFile(grid, "/m/", "a.mp3");
  grid.MarkRowChanged(1);
  grid.RemoveRow(1);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_TRUE(grid.IsEmptyList());
  EXPECT_EQ(grid.ChangedRowCount(), 0);
  EXPECT_FALSE(grid.ContainsPath("/m/a.mp3"));

  // Removing from an empty list, or a row that does not exist, does nothing.
  grid.RemoveRow(1);
  grid.RemoveRow(7);
  grid.RemoveRow(-1);
  EXPECT_EQ(grid.RowCount(), 2);

  EXPECT_EQ(AddFile(grid, "/m/", "b.mp3"), 1);
  EXPECT_EQ(grid.Cell(colRowNo, 1), "1");
  EXPECT_TRUE(grid.ContainsPath("/m/b.mp3"));
}

TEST(TrackGridRowsTest, ContainsPathFollowsEveryChange) {
  TrackGrid grid;
  AddFile(grid, "/m/", "a.mp3");
  AddFile(grid, "/m/", "b.mp3");
  AddFile(grid, "/x/", "a.mp3");
  EXPECT_TRUE(grid.ContainsPath("/m/a.mp3"));
  EXPECT_TRUE(grid.ContainsPath("/x/a.mp3"));
  EXPECT_FALSE(grid.ContainsPath("/m/"));
  EXPECT_FALSE(grid.ContainsPath(""));  // the placeholder shows no file
  EXPECT_FALSE(grid.ContainsPath("/M/A.MP3"));

  // Renaming through the file cell.
  grid.SetFieldCell(colFile, 2, "c.mp3");
  EXPECT_FALSE(grid.ContainsPath("/m/b.mp3"));
  EXPECT_TRUE(grid.ContainsPath("/m/c.mp3"));

  // The same path twice: still listed until both rows are gone.
  grid.SetFieldCell(colPath, 3, "/m/");
  EXPECT_FALSE(grid.ContainsPath("/x/a.mp3"));
  grid.RemoveRow(1);
  EXPECT_TRUE(grid.ContainsPath("/m/a.mp3"));
  grid.RemoveRow(2);
  EXPECT_FALSE(grid.ContainsPath("/m/a.mp3"));

  // Whole-row replacement.
  TrackGrid::Row cells = grid.RowCells(1);
  cells[grid.Layout().Position(colFile)] = "d.mp3";
  grid.SetRowCells(1, cells);
  EXPECT_FALSE(grid.ContainsPath("/m/c.mp3"));
  EXPECT_TRUE(grid.ContainsPath("/m/d.mp3"));

  // Reordering keeps every path listed.
  AddFile(grid, "/m/", "e.mp3");
  ASSERT_TRUE(grid.ReorderRows({2, 1}));
  EXPECT_EQ(grid.FullPathOf(1), "/m/e.mp3");
  EXPECT_TRUE(grid.ContainsPath("/m/e.mp3"));
  EXPECT_TRUE(grid.ContainsPath("/m/d.mp3"));

  // A layout changed behind the grid's back still answers by what is shown.
  ColumnLayout swapped = ColumnLayout::Default();
  swapped.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  grid.MutableLayout() = swapped;
  EXPECT_FALSE(grid.ContainsPath("/m/e.mp3"));
  EXPECT_TRUE(grid.ContainsPath("e.mp3/m/"));

  grid.ClearRows();
  EXPECT_FALSE(grid.ContainsPath("e.mp3/m/"));
  EXPECT_TRUE(grid.IsEmptyList());
}

TEST(TrackGridRowsTest, ReorderMovesCellsRenumbersAndRefusesNonPermutations) {
  TrackGrid grid;
  for (const char* title : {"x", "y", "z"}) {
    const int row = AddFile(grid, "/m/", std::string(title) + ".mp3");
    grid.SetFieldCell(colTitle, row, title);
  }
  grid.MarkRowChanged(3);
  ASSERT_TRUE(grid.ReorderRows({3, 1, 2}));
  EXPECT_EQ(Titles(grid), (std::vector<std::string>{"z", "x", "y"}));
  EXPECT_TRUE(grid.IsRowChanged(1));
  ExpectNumbered(grid);

  for (const std::vector<int>& bad : std::vector<std::vector<int>>{
           {1, 2}, {1, 2, 3, 4}, {1, 1, 2}, {0, 1, 2}, {1, 2, 4}, {-1, 2, 3}}) {
    EXPECT_FALSE(grid.ReorderRows(bad));
  }
  EXPECT_EQ(Titles(grid), (std::vector<std::string>{"z", "x", "y"}));
  TrackGrid empty;
  EXPECT_TRUE(empty.ReorderRows({}));
  EXPECT_FALSE(empty.ReorderRows({1}));
}

TEST(TrackGridRowsTest, ChangedMarkIsCountedAndObserved) {
  TrackGrid grid;
  Recorder recorder;
  grid.AddObserver(&recorder);
  AddFile(grid, "/m/", "a.mp3");
  AddFile(grid, "/m/", "b.mp3");
  EXPECT_EQ(recorder.appended, 2);

  grid.MarkRowChanged(2);
  EXPECT_TRUE(grid.IsRowChanged(2));
  EXPECT_EQ(grid.Cell(colChanged, 2), "*");
  EXPECT_EQ(grid.ChangedRowCount(), 1);
  EXPECT_EQ(recorder.marks, 1);
  grid.ClearRowChanged(2);
  EXPECT_EQ(grid.ChangedRowCount(), 0);
  EXPECT_EQ(recorder.marks, 2);
  grid.MarkRowChanged(0);  // the header is not a file
  grid.MarkRowChanged(9);
  EXPECT_EQ(grid.ChangedRowCount(), 0);

  grid.RemoveObserver(&recorder);
  grid.MarkRowChanged(1);
  EXPECT_EQ(recorder.marks, 2);
}

TEST(TrackGridRowsTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  TrackGrid grid;
  grid.SetCell(32, 1, "x");
  grid.SetCell(-1, 1, "x");
  grid.SetCell(5, 2, "x");
  EXPECT_EQ(grid.Cell(32, 1), "");
  EXPECT_EQ(grid.Cell(5, 99), "");
  EXPECT_EQ(grid.Cell(-3, -3), "");
  EXPECT_EQ(grid.RowCount(), 2);
}

TEST(TrackGridRowsTest, ManyRowsStayCheap) {
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
