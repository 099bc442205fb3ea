// Sorting by a column: the column's text first, case ignored, then the rest
// of the row; cells and marks move with their row.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

// The sort follows the user's locale; these orders are those of Japanese,
// whatever locale runs the tests (Thai, for one, ignores punctuation).
const bool kJapaneseCollation = setenv("LC_ALL", "ja_JP.UTF-8", 1) == 0;

// Sorts by `key` and lists the `shown` cells in their new order.
std::string SortBy(EditorStage& s, Field key, Field shown) {
  EXPECT_TRUE(kJapaneseCollation);
  s.view.SetCurrentCell(s.Pos(key), 1);
  s.editor.actEditSortExecute();
  std::string out;
  for (int r = 1; r < s.grid.RowCount(); ++r) out += s.At(shown, r) + " ";
  return out;
}

TEST(Sort, KeysCompareAsCaseFreeText) {
  const struct {
    std::vector<std::string> titles;
    const char* sorted;
  } cases[] = {{{"b", "abc", "A", "", "ab"}, " A ab abc b "}, {{"9", "2", "10", "1"}, "1 10 2 9 "}};
  for (const auto& c : cases) {
    EditorStage s;
    for (const std::string& t : c.titles) s.AddFile("f.mp3", t);
    EXPECT_EQ(SortBy(s, colTitle, colTitle), c.sorted);
  }
}

// Keys that are equal, or differ only in width or accents, leave the order
// to the rest of the row whenever that differs at a stronger level.
TEST(Sort, KeysThatCompareEqualLeaveTheOrderToTheRestOfTheRow) {
  for (const auto& [first, second] : {std::pair{"same", "same"}, {"ｱ", "ア"}, {"é", "e"}}) {
    EditorStage s;
    s.AddFile("b.mp3", second);
    s.AddFile("a.mp3", first);
    s.grid.SetCell(colWork, 1, "Title=z");
    s.grid.SetCell(colWork, 2, "Title=a");
    EXPECT_EQ(SortBy(s, colTitle, colFile), "a.mp3 b.mp3 ") << first << " " << second;
  }
}

TEST(Sort, RowsMoveWholeWithTheirMarksAndAnEmptyListIsUntouched) {
  EditorStage s;
  for (const char* t : {"b", "a", "c"}) s.AddFile(std::string(t) + ".mp3", t);
  s.grid.SetCell(colCommentLong, 1, "long of b");
  s.grid.MarkRowChanged(1);
  TrackGrid::Row moved = s.grid.RowCells(1);
  EXPECT_EQ(SortBy(s, colTitle, colFile), "a.mp3 b.mp3 c.mp3 ");
  moved[colRowNo] = "2";
  EXPECT_EQ(s.grid.RowCells(2), moved);  // changed mark and hidden cells included
  EXPECT_EQ(s.grid.ChangedRowCount(), 1);
  EXPECT_TRUE(s.undo.Empty());
  EditorStage empty;
  SortBy(empty, colTitle, colTitle);
  EXPECT_EQ(empty.grid.RowCells(1), TrackGrid::Row{});
}

}  // namespace
}  // namespace quilmark::testing
