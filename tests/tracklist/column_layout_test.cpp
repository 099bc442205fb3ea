// Column order and visibility: the stored ColOrder / ShowCol, the show and
// hide commands, and columns dragged to other positions.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tracklist/text_width.h"
#include "tracklist/track_grid.h"

namespace quilmark {
namespace {

// Fields stand at a permutation of 5..23 and each header names its field.
void ExpectConsistent(const TrackGrid& grid) {
  const ColumnLayout& layout = grid.Layout();
  const std::set<int> positions(layout.FieldColumn.begin(), layout.FieldColumn.end());
  ASSERT_EQ(positions.size(), static_cast<std::size_t>(kFieldCount));
  EXPECT_EQ(*positions.begin(), kFirstFieldPosition);
  EXPECT_EQ(*positions.rbegin(), kLastFieldPosition);
  for (int k = 0; k < kFieldCount; ++k) {
    EXPECT_EQ(grid.Cell(layout.Position(Field(k)), 0), FieldHeader(Field(k))) << "field " << k;
  }
}

TEST(ColumnLayout, ShowColFollowsFieldsAndMalformedValuesFallBack) {
  ColumnLayout layout = ColumnLayout::Default();
  ASSERT_TRUE(layout.ApplyColOrder("BACDEFGHIJKLMNOPQRS"));
  // The first ShowCol character belongs to the path, which now stands at 6.
  ASSERT_TRUE(layout.ApplyShowCol("0111111111111111111"));
  EXPECT_TRUE(layout.ColumnVisible[5]);
  EXPECT_FALSE(layout.ColumnVisible[6]);
  EXPECT_EQ(layout.ShowCol(), "0111111111111111111");
  ExpectConsistent(TrackGrid(layout));

  for (std::string_view bad : {"ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQRSA", "AACDEFGHIJKLMNOPQRS",
                               "ABCDEFGHIJKLMNOPQRT", "abcdefghijklmnopqrs"}) {
    EXPECT_FALSE(layout.ApplyColOrder(bad)) << bad;
    EXPECT_EQ(layout.ColOrder(), "ABCDEFGHIJKLMNOPQRS") << bad;
    layout.ApplyColOrder("SRQPONMLKJIHGFEDCBA");
  }
  EXPECT_FALSE(layout.ApplyShowCol("000"));  // wrong length: all shown
  EXPECT_EQ(layout.ShowCol(), "1111111111111111111");
  ASSERT_TRUE(
      layout.ApplyShowCol("1x1 1Y1\x01"
                          "11111111111"));  // only '1' shows
  EXPECT_EQ(layout.ShowCol(), "1010101011111111111");
  EXPECT_TRUE(layout.ColumnVisible[colRowNo]);
  EXPECT_FALSE(layout.ColumnVisible[colWork] || layout.ColumnVisible[24]);
}

TEST(ColumnLayout, ShowAllAndHideAllTouchOnlyPositionsSevenOnwards) {
  TrackGrid grid;
  const FixedTextWidth measure;
  grid.SetColumnVisible(5, false, measure);
  grid.SetTagColumnsVisible(true, measure);
  EXPECT_EQ(grid.ColumnWidth(5), -1);
  grid.SetTagColumnsVisible(false, measure);
  EXPECT_EQ(grid.Layout().ShowCol(), "0100000000000000000");
  EXPECT_GT(grid.ColumnWidth(6), 0);
  EXPECT_EQ(grid.ColumnWidth(7), -1);
  // Fixed and spare positions cannot be shown or hidden by a command.
  grid.SetColumnVisible(colRowNo, false, measure);
  grid.SetColumnVisible(24, true, measure);
  EXPECT_TRUE(grid.Layout().ColumnVisible[colRowNo]);
  EXPECT_FALSE(grid.Layout().ColumnVisible[24]);
}

TEST(ColumnLayout, DraggedColumnTakesCellsWidthAndFlagAndFieldsStayAPermutation) {
  TrackGrid grid;
  const FixedTextWidth measure;
  const int row = grid.AppendRow();
  grid.SetFieldCell(colTitle, row, "Song of some length");
  grid.FitColumnWidth(-1, measure);
  const int titleWidth = grid.ColumnWidth(9);
  ASSERT_TRUE(grid.MoveColumn(9, 5));  // the others shift right
  ExpectConsistent(grid);
  EXPECT_EQ(grid.Cell(5, row), "Song of some length");
  EXPECT_EQ(grid.ColumnWidth(5), titleWidth);
  EXPECT_EQ(grid.Layout().ColOrder().substr(0, 5), "BCDEA");

  // Hidden at position 5, show all leaves it hidden; the flag travels on.
  grid.ToggleColumnVisible(5, measure);
  grid.SetTagColumnsVisible(true, measure);
  ASSERT_TRUE(grid.MoveColumn(5, 23));
  EXPECT_FALSE(grid.Layout().IsFieldShown(colTitle));
  EXPECT_TRUE(grid.Layout().ColumnVisible[5]);

  for (int i = 0; i < 200; ++i) ASSERT_TRUE(grid.MoveColumn(5 + i * 7 % 19, 5 + (i * 11 + 3) % 19));
  ExpectConsistent(grid);
  EXPECT_EQ(grid.FieldCell(colTitle, row), "Song of some length");
  const auto before = grid.Layout().FieldColumn;
  for (auto [from, to] : {std::pair{4, 10}, {10, 4}, {24, 10}, {10, 24}, {-1, 5}}) {
    EXPECT_FALSE(grid.MoveColumn(from, to)) << from << "->" << to;
  }
  EXPECT_EQ(grid.Layout().FieldColumn, before);

  grid.SetCell(10, 0, "");  // a header overwritten no longer names its field
  ASSERT_TRUE(grid.MoveColumn(10, 6));
  const std::set<int> positions(grid.Layout().FieldColumn.begin(), grid.Layout().FieldColumn.end());
  EXPECT_EQ(positions.size(), static_cast<std::size_t>(kFieldCount));
}

}  // namespace
}  // namespace quilmark
