// Sorting by a column: the column's text first, case ignored, then the rest
// of the row; cells and marks move with their row.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "editor_harness.h"
#include "platform/collation.h"
#include "tracklist/sort_rows.h"

namespace quilmark::testing {
namespace {

std::vector<std::string> Column(const TrackGrid& grid, Field f) {
  std::vector<std::string> out;
  for (int r = 1; r < grid.RowCount(); ++r) out.push_back(grid.FieldCell(f, r));
  return out;
}

struct SortStage : EditorStage {
  void Titles(std::initializer_list<const char*> titles) {
    int n = 0;
    for (const char* t : titles) AddFile("/m/", "f" + std::to_string(++n) + ".mp3", t);
  }
  void SortBy(Field f) {
    view.SetCurrentCell(Pos(f), 1);
    editor.actEditSortExecute();
  }
};

TEST(Sort, CaseIsIgnoredAndShorterTextComesFirst) {
  SortStage s;
  s.Titles({"b", "abc", "A", "c", "ab"});
  s.SortBy(colTitle);
  EXPECT_EQ(Column(s.grid, colTitle), (std::vector<std::string>{"A", "ab", "abc", "b", "c"}));
}

TEST(Sort, NumbersCompareAsText) {
  SortStage s;
  s.Titles({"x", "y", "z"});
  const char* numbers[] = {"2", "10", "1"};
  for (int r = 1; r <= 3; ++r) s.grid.SetFieldCell(colNo, r, numbers[r - 1]);
  s.SortBy(colNo);
  EXPECT_EQ(Column(s.grid, colNo), (std::vector<std::string>{"1", "10", "2"}));
}

TEST(Sort, EmptyKeysComeBeforeLettersAndDigits) {
  SortStage s;
  s.Titles({"b", "", "1", ""});
  s.SortBy(colTitle);
  EXPECT_EQ(Column(s.grid, colTitle), (std::vector<std::string>{"", "", "1", "b"}));
}

TEST(Sort, EqualKeysAreOrderedByTheRestOfTheRowFromWorkOn) {
  SortStage s;
  s.Titles({"same", "same", "same"});
  s.grid.SetCell(colWork, 1, "Title=same,Year=2003");
  s.grid.SetCell(colWork, 2, "Title=same,Year=2001");
  s.grid.SetCell(colWork, 3, "Title=same,Year=2002");
  s.SortBy(colTitle);
  EXPECT_EQ(Column(s.grid, colFile), (std::vector<std::string>{"f2.mp3", "f3.mp3", "f1.mp3"}));

  // Sorting by path: one folder's rows then follow the rest of the row.
  SortStage p;
  p.AddFile("/b/", "1.mp3", "t");
  p.AddFile("/a/", "2.mp3", "t");
  p.AddFile("/a/", "1.mp3", "t");
  p.SortBy(colPath);
  EXPECT_EQ(Column(p.grid, colPath), (std::vector<std::string>{"/a/", "/a/", "/b/"}));
}

TEST(Sort, WholeRowsMoveMarksIncludedAndRowsAreRenumbered) {
  SortStage s;
  s.Titles({"c", "a", "b"});
  s.grid.SetCell(colCommentLong, 1, "long of c");
  s.grid.MarkRowChanged(1);
  const TrackGrid::Row rowC = s.grid.RowCells(1);
  const std::size_t undoBefore = s.undo.Count();
  s.SortBy(colTitle);
  EXPECT_EQ(Column(s.grid, colTitle), (std::vector<std::string>{"a", "b", "c"}));
  TrackGrid::Row expected = rowC;
  expected[colRowNo] = "3";
  EXPECT_EQ(s.grid.RowCells(3), expected);
  EXPECT_TRUE(s.grid.IsRowChanged(3));
  EXPECT_FALSE(s.grid.IsRowChanged(1));
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(s.grid.Cell(colRowNo, r), std::to_string(r));
  EXPECT_EQ(s.undo.Count(), undoBefore);
  EXPECT_EQ(s.grid.ChangedRowCount(), 1);
}

TEST(Sort, EmptyListIsUntouchedAndOneRowIsOnlyRenumbered) {
  SortStage s;
  s.SortBy(colTitle);
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});

  s.Titles({"only"});
  s.grid.SetCell(colRowNo, 1, "7");
  s.SortBy(colTitle);
  EXPECT_EQ(s.grid.Cell(colRowNo, 1), "1");
  EXPECT_EQ(s.Field_(colTitle, 1), "only");
}

// Keys that differ only in width or accents leave the decision to the rest
// of the row whenever that differs at a stronger level: here colWork.
TEST(Sort, KeysDifferingOnlyInWidthDoNotOverrideTheRestOfTheRow) {
  for (const auto& [first, second] :
       {std::pair{"ア", "ｱ"}, std::pair{"ｱ", "ア"}, std::pair{"é", "e"}, std::pair{"e", "é"}}) {
    SortStage s;
    s.AddFile("/m/", "b.mp3", second);
    s.AddFile("/m/", "a.mp3", first);
    s.grid.SetCell(colWork, 1, "Title=z");
    s.grid.SetCell(colWork, 2, "Title=a");
    s.SortBy(colTitle);
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
  SortStage s;
  for (int i = 0; i < 300; ++i) {
    const int r = s.AddFile("/" + pick() + "/", pick() + ".mp3", pick());
    s.grid.SetFieldCell(colArtist, r, pick());
    s.grid.SetCell(colWork, r, "Title=" + pick());
    s.grid.SetCell(colCommentLong, r, std::to_string(i));  // identifies the row
  }
  for (Field f : {colTitle, colArtist, colPath}) {
    std::vector<std::string> before(300);  // by identity
    for (int r = 1; r < s.grid.RowCount(); ++r) {
      before[std::stoul(s.grid.Cell(colCommentLong, r))] = SortLine(s.grid, s.Pos(f), r);
    }
    s.SortBy(f);
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
