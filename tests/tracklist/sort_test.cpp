// Sorting by a column: the column's text first, case ignored, then the rest
// of the row; cells and marks move with their row.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "editor_harness.h"
#include "platform/collation.h"
#include "tracklist/sort_rows.h"

namespace quilmark::testing {
namespace {

// The sort follows the user's locale; these orders are those of Japanese,
// whatever locale runs the tests (Thai, for one, ignores punctuation).
const bool kJapaneseCollation = setenv("LC_ALL", "ja_JP.UTF-8", 1) == 0;

std::vector<std::string> Column(const TrackGrid& grid, Field f) {
  std::vector<std::string> out;
  for (int r = 1; r < grid.RowCount(); ++r) out.push_back(grid.FieldCell(f, r));
  return out;
}

void SortBy(EditorStage& s, Field f) {
  ASSERT_TRUE(kJapaneseCollation);
  s.view.SetCurrentCell(s.Pos(f), 1);
  s.editor.actEditSortExecute();
}

TEST(Sort, KeysCompareAsCaseFreeText) {
  const struct {
    std::vector<std::string> titles, sorted;
  } cases[] = {
      {{"b", "abc", "A", "c", "ab"}, {"A", "ab", "abc", "b", "c"}},
      {{"9", "2", "10", "1"}, {"1", "10", "2", "9"}},
      {{"b", "", "1", ""}, {"", "", "1", "b"}},
  };
  for (const auto& c : cases) {
    EditorStage s;
    for (const std::string& t : c.titles) s.AddFile("f.mp3", t);
    SortBy(s, colTitle);
    EXPECT_EQ(Column(s.grid, colTitle), c.sorted);
  }
}

TEST(Sort, EqualKeysFollowTheRestOfTheRowAndRowsMoveWhole) {
  EditorStage s;
  for (const char* f : {"f1.mp3", "f2.mp3", "f3.mp3", "f4.mp3"}) s.AddFile(f, "same");
  s.grid.SetFieldCell(colTitle, 4, "a");
  s.grid.SetCell(colWork, 1, "Title=same,Year=2003");
  s.grid.SetCell(colWork, 2, "Title=same,Year=2001");
  s.grid.SetCell(colWork, 3, "Title=same,Year=2002");
  s.grid.SetCell(colCommentLong, 1, "long of f1");
  s.grid.MarkRowChanged(1);
  TrackGrid::Row moved = s.grid.RowCells(1);
  SortBy(s, colTitle);
  EXPECT_EQ(Column(s.grid, colFile),
            (std::vector<std::string>{"f4.mp3", "f2.mp3", "f3.mp3", "f1.mp3"}));
  moved[colRowNo] = "4";
  EXPECT_EQ(s.grid.RowCells(4), moved);  // changed mark and hidden cells included
  EXPECT_EQ(s.grid.ChangedRowCount(), 1);
  EXPECT_TRUE(s.undo.Empty());

  EditorStage empty;
  SortBy(empty, colTitle);
  EXPECT_EQ(empty.grid.RowCount(), 2);
  EXPECT_EQ(empty.grid.RowCells(1), TrackGrid::Row{});
}

// Keys that differ only in width or accents leave the decision to the rest
// of the row whenever that differs at a stronger level: here colWork.
TEST(Sort, KeysDifferingOnlyInWidthDoNotOverrideTheRestOfTheRow) {
  for (const auto& [first, second] :
       {std::pair{"ア", "ｱ"}, std::pair{"ｱ", "ア"}, std::pair{"é", "e"}, std::pair{"e", "é"}}) {
    EditorStage s;
    s.AddFile("b.mp3", second);
    s.AddFile("a.mp3", first);
    s.grid.SetCell(colWork, 1, "Title=z");
    s.grid.SetCell(colWork, 2, "Title=a");
    SortBy(s, colTitle);
    EXPECT_EQ(Column(s.grid, colFile), (std::vector<std::string>{"a.mp3", "b.mp3"}))
        << first << " " << second;
  }
}

// The order must be the one a pairwise comparison of whole row lines (as
// they were before the sort renumbered them) gives, whatever shortcut the
// sort takes to get there.
TEST(Sort, OrderAgreesWithComparingWholeLines) {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  const std::vector<std::string> words = {"a",   "A",     "ab", "b",  "",     "１",    "1",
                                          "10",  "9",     "あ", "ア", "ｱ",    "亜",    "a b",
                                          "a,b", "\"q\"", "É",  "e",  "日本", "にほん"};
  std::mt19937 random(12345);
  auto pick = [&] { return words[random() % words.size()]; };
  EditorStage s;
  for (int i = 0; i < 300; ++i) {
    const int r = s.AddFile(pick() + ".mp3", pick());
    s.grid.SetFieldCell(colPath, r, "/" + pick() + "/");
    s.grid.SetFieldCell(colArtist, r, pick());
    s.grid.SetCell(colWork, r, "Title=" + pick());
    s.grid.SetCell(colCommentLong, r, std::to_string(i));  // identifies the row
  }
  for (Field f : {colTitle, colArtist, colPath}) {
    std::vector<std::string> before(300);  // by identity
    for (int r = 1; r < s.grid.RowCount(); ++r) {
      before[std::stoul(s.grid.Cell(colCommentLong, r))] = SortLine(s.grid, s.Pos(f), r);
    }
    SortBy(s, f);
    auto lineOf = [&](int r) { return before[std::stoul(s.grid.Cell(colCommentLong, r))]; };
    for (int r = 1; r + 1 < s.grid.RowCount(); ++r) {
      ASSERT_LE(collator.Compare(lineOf(r), lineOf(r + 1)), 0)
          << "field " << FieldLetter(f) << " rows " << r << "\n"
          << lineOf(r) << "\n"
          << lineOf(r + 1);
    }
  }
}

}  // namespace
}  // namespace quilmark::testing
