// The edit commands with their questions and undo: clipboard, fill, row
// removal, clearing the list and clearing tags.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

using Command = void (TrackEditor::*)();

TEST(Clipboard, CutPasteAndUndoOnATitleCell) {
  EditorStage s;
  s.AddFile("a.mp3", "abc");
  s.AddFile("b.mp3", "zzz");
  s.Select(colTitle, 1);
  EXPECT_FALSE(s.editor.Actions().paste);  // nothing on the clipboard yet
  s.editor.actEditCutExecute();
  EXPECT_TRUE(s.At(colTitle, 1).empty() && s.editor.Actions().paste);
  s.Select(colTitle, 2);
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.At(colTitle, 2), "abc");
  s.Undo(2);
  EXPECT_EQ(s.At(colTitle, 2) + s.At(colTitle, 1), "zzzabc");
  EXPECT_EQ(s.grid.ChangedRowCount(), 2);  // undo leaves the marks
  s.view.Type("typed");                    // while open the commands are the editor's own
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.view.editorCommands, 1);
}

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
  EXPECT_TRUE(s.undo.Empty() && s.presenter.shown.empty());
}

TEST(FillColumn, EveryOtherRowIsRecordedAndMarked) {
  EditorStage s;
  for (const char* t : {"one", "two", "two", "four"}) s.AddFile("f.mp3", t);
  s.Select(colTitle, 2);
  s.editor.actEditColFillExecute();
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(s.At(colTitle, r), "two") << r;
    EXPECT_EQ(s.grid.IsRowChanged(r), r != 2) << r;  // an equal text is marked too
  }
  s.Undo(3);
  EXPECT_EQ(s.At(colTitle, 1) + s.At(colTitle, 4), "onefour");
}

TEST(DeleteRowAndClearList, AskFirstRenumberAndKeepThePlaceholder) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile(f, "a long title");
  s.Select(colTitle, 2);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditDeleteRowExecute();
  s.editor.actEditClearExecute();
  EXPECT_EQ(s.presenter.shown.at(0).rfind("/m/b.mp3", 0), 0u);
  EXPECT_TRUE(s.presenter.Shown("この行をリストから削除しますか？"));
  EXPECT_TRUE(s.presenter.Shown("リストをクリアしますか？"));
  EXPECT_EQ(s.grid.FileRowCount(), 3);
  s.presenter.answer = IDOK;
  s.editor.actEditDeleteRowExecute();
  EXPECT_EQ(s.At(colFile, 2), "c.mp3");
  EXPECT_EQ(s.grid.Cell(colRowNo, 2), "2");
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.grid.IsEmptyList() && s.grid.RowCount() == 2);
  EXPECT_EQ(s.grid.ColumnWidth(s.Pos(colTitle)), s.measure.Width("タイトル") + 4);
}

TEST(EraseTags, KeepNumberPathAndFileClearTheRestAndMark) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3"}) s.grid.SetFieldCell(colYear, s.AddFile(f, "t"), "1970");
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
  EXPECT_TRUE(s.grid.IsEmptyList() && s.presenter.shown.empty());
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

// Records address positions: after a removal one may land on the row that
// moved up, and one whose row is gone is skipped and removed.
TEST(Undo, RecordsWhoseRowIsGoneAreSkippedAndRemoved) {
  EditorStage s;
  for (const char* t : {"a", "b", "c", "d"}) s.AddFile(std::string(t) + ".mp3", t);
  for (int r : {2, 4}) {
    s.Select(colTitle, r);
    s.editor.actEditDeleteCellExecute();
  }
  s.Select(colTitle, 1);
  s.editor.actEditDeleteRowExecute();
  s.Undo();  // row 4's record is dropped, row 2's applied in the same step
  EXPECT_EQ(s.At(colTitle, 2) + s.At(colFile, 2), "bc.mp3");
  EXPECT_TRUE(s.undo.Empty());
  s.editor.actEditDeleteCellExecute();
  s.editor.actEditClearExecute();
  s.Undo();  // nothing reaches the placeholder
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
}

}  // namespace
}  // namespace quilmark::testing
