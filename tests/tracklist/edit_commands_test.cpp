// The edit commands with their questions and undo: row removal, clearing
// the list and clearing tags, and the sort.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "editor_harness.h"
#include "platform/collation.h"
#include "text/comma_text.h"

namespace quilmark::testing {
namespace {

using Command = void (TrackEditor::*)();

// The placeholder row holds no file: no command may change or mark it.
TEST(EmptyList, NothingTouchesOrMarksThePlaceholder) {
  EditorStage s;
  s.Select(colTitle, 1);
  EXPECT_FALSE(s.editor.EditingAllowed());
  EXPECT_EQ(s.editor.Actions(), EditActions{});
  s.clipboard.SetText("x");
  for (Command c : {&TrackEditor::actEditDeleteCellExecute, &TrackEditor::actEditPasteExecute,
                    &TrackEditor::actEditCutExecute, &TrackEditor::actEditColFillExecute,
                    &TrackEditor::actEditDeleteRowExecute, &TrackEditor::actEditEraseTagExecute,
                    &TrackEditor::actEditEraseTagAllExecute, &TrackEditor::actEditSortExecute}) {
    (s.editor.*c)();
  }
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
  EXPECT_TRUE(s.undo.Empty() && s.presenter.texts.empty());
}

TEST(DeleteRowAndClearList, AskFirstRenumberAndKeepThePlaceholder) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile(f, "a long title");
  s.Select(colTitle, 2);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditDeleteRowExecute();
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.presenter.Shown("/m/b.mp3") &&
              s.presenter.Shown("この行をリストから削除しますか？"));
  EXPECT_TRUE(s.presenter.Shown("リストをクリアしますか？"));
  EXPECT_EQ(s.grid.FileRowCount(), 3);
  s.presenter.answer = IDOK;
  s.editor.actEditDeleteRowExecute();
  EXPECT_EQ(s.At(colFile, 2), "c.mp3");
  EXPECT_EQ(s.grid.Cell(colRowNo, 2), "2");
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.grid.IsEmptyList() && s.grid.RowCount() == 2);
}

TEST(EraseTags, KeepNumberPathAndFileClearTheRestAndMark) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3"}) s.grid.SetFieldCell(colYear, s.AddFile(f, "t"), "1");
  s.Select(colArtist, 2);
  s.editor.actEditEraseTagExecute();
  EXPECT_TRUE(s.presenter.Shown("/m/b.mp3"));
  EXPECT_EQ(s.grid.ChangedRowCount(), 1);
  s.editor.actEditEraseTagAllExecute();
  for (int r = 1; r <= 2; ++r) {
    TrackGrid::Row expected{};
    expected[s.Pos(colPath)] = "/m/";
    expected[s.Pos(colFile)] = r == 1 ? "a.mp3" : "b.mp3";
    expected[colRowNo] = std::to_string(r);
    expected[colChanged] = "*";
    EXPECT_EQ(s.grid.RowCells(r), expected) << r;
  }
}

TEST(QuestionsOff, EveryQuestionTakesItsDefaultWithoutShowing) {
  EditorStage s(/*writeConfirm=*/false);
  s.presenter.answer = IDCANCEL;  // would refuse, were it asked
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile(f, "t");
  s.Select(colTitle, 1);
  s.editor.actEditEraseTagExecute();
  s.editor.actEditDeleteRowExecute();
  EXPECT_EQ(s.grid.FileRowCount(), 2);
  s.editor.actEditEraseTagAllExecute();
  EXPECT_EQ(s.grid.ChangedRowCount(), 2);
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.grid.IsEmptyList() && s.presenter.texts.empty());
}

// A saved row has its mark cleared; an undo then makes the cell differ from
// the file again, so the row must be marked.
TEST(Undo, ThreeEditsAreUndoneInReverseAndMarkTheirRowsAgain) {
  EditorStage s;
  s.AddFile("a.mp3", "t1");
  s.AddFile("b.mp3", "t2");
  s.Edit(colTitle, 1, "A");
  s.Edit(colArtist, 1, "B");
  s.Edit(colTitle, 2, "C");
  s.grid.ClearRowChanged(1);  // both saved
  s.grid.ClearRowChanged(2);
  for (const char* step : {"A B t2", "A  t2", "t1  t2", "t1  t2"}) {
    s.Undo();
    EXPECT_EQ(s.At(colTitle, 1) + " " + s.At(colArtist, 1) + " " + s.At(colTitle, 2), step);
  }
  EXPECT_EQ(s.grid.ChangedRowCount(), 2);
}

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

// The sort takes shortcuts through the sort column's collation keys and
// compares the rest of a line only as far as it must; the order must still
// be that of comparing whole row lines: where keys are equal or differ only
// in width or accents, and where a long run of blanks makes one key's start
// look like another's whole.
TEST(Sort, OrderAgreesWithComparingWholeLines) {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  std::vector<std::string> words = {"a",  "A", "ab", "",    "1",   "10",    "9", "あ",
                                    "ア", "ｱ", "亜", "a b", "a,b", "\"q\"", "É", "e"};
  for (const bool blankRun : {false, true}) {
    if (blankRun) words.push_back("a" + std::string(40, ' ') + "b");
    std::mt19937 random(12345);
    auto pick = [&] { return words[random() % words.size()]; };
    EditorStage s;
    for (int i = 0; i < 200; ++i) {
      const int r = s.AddFile(pick() + ".mp3", pick());
      s.grid.SetCell(colWork, r, "Title=" + pick());
      s.grid.SetCell(colCommentLong, r, std::to_string(i));  // identifies the row
    }
    auto line = [&](int r) {
      std::vector<std::string> items{s.At(colTitle, r) + std::string(32, ' ')};
      for (const std::string& cell : s.grid.RowCells(r)) items.push_back(cell);
      return JoinCommaText(items);
    };
    std::vector<std::string> before(200);
    for (int r = 1; r < s.grid.RowCount(); ++r)
      before[std::stoul(s.grid.Cell(colCommentLong, r))] = line(r);
    SortBy(s, colTitle, colTitle);
    auto lineOf = [&](int r) { return before[std::stoul(s.grid.Cell(colCommentLong, r))]; };
    for (int r = 1; r + 1 < s.grid.RowCount(); ++r)
      ASSERT_LE(collator.Compare(lineOf(r), lineOf(r + 1)), 0) << blankRun << "\n"
                                                               << lineOf(r) << "\n"
                                                               << lineOf(r + 1);
  }
}

}  // namespace
}  // namespace quilmark::testing
