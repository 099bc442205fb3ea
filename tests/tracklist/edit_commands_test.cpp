// The edit commands with their questions and undo: clipboard, fill, row
// removal, clearing the list and clearing tags.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

using Command = void (TrackEditor::*)();

bool Shown(const EditorStage& s, const std::string& text) {
  for (const std::string& shown : s.presenter.shown) {
    if (shown.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(Clipboard, CutPasteAndUndoOnATitleCell) {
  EditorStage s;
  s.AddFile("a.mp3", "abc");
  s.AddFile("b.mp3", "zzz");
  s.Select(colTitle, 1);
  EXPECT_FALSE(s.view.actions.paste);  // nothing on the clipboard yet
  s.editor.actEditCutExecute();
  EXPECT_EQ(s.At(colTitle, 1), "");
  EXPECT_TRUE(s.view.actions.paste && s.view.actions.undo);
  s.Select(colTitle, 2);
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.At(colTitle, 2), "abc");
  EXPECT_TRUE(s.grid.IsRowChanged(2));
  s.Undo(2);
  EXPECT_EQ(s.At(colTitle, 2), "zzz");
  EXPECT_EQ(s.At(colTitle, 1), "abc");
  EXPECT_TRUE(s.grid.IsRowChanged(1));  // stays marked

  // While the editor is open the commands are the editor's own.
  s.view.Type("typed");
  for (Command c : {&TrackEditor::actEditCutExecute, &TrackEditor::actEditPasteExecute,
                    &TrackEditor::actEditUndoExecute}) {
    (s.editor.*c)();
  }
  EXPECT_EQ(s.view.editorCommands, 3);
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_TRUE(s.presenter.shown.empty());
}

// The placeholder row holds no file: no command may change or mark it.
TEST(EmptyList, NothingTouchesOrMarksThePlaceholder) {
  EditorStage s;
  s.Select(colGenre, 1);
  EXPECT_EQ(s.view.actions, EditActions{});
  s.clipboard.SetText("x");
  s.dialogs.genreAnswer = "Rock";
  for (Command c : {&TrackEditor::actEditDeleteCellExecute, &TrackEditor::actEditPasteExecute,
                    &TrackEditor::actEditCutExecute, &TrackEditor::actEditColFillExecute,
                    &TrackEditor::actEditDeleteRowExecute, &TrackEditor::actEditEraseTagExecute,
                    &TrackEditor::actEditEraseTagAllExecute, &TrackEditor::actEditSortExecute,
                    &TrackEditor::grDblClick}) {
    (s.editor.*c)();
  }
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_EQ(s.dialogs.runs + s.presenter.shown.size(), 0u);
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
  EXPECT_EQ(s.At(colTitle, 1), "one");
  EXPECT_EQ(s.At(colTitle, 4), "four");
}

TEST(DeleteRowAndClearList, AskFirstRenumberAndKeepThePlaceholder) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile(f, "a long title");
  s.Select(colTitle, 2);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditDeleteRowExecute();
  s.editor.actEditClearExecute();
  EXPECT_EQ(s.presenter.shown.at(0).rfind("/m/b.mp3", 0), 0u);
  EXPECT_TRUE(Shown(s, "この行をリストから削除しますか？"));
  EXPECT_TRUE(Shown(s, "リストをクリアしますか？"));
  EXPECT_EQ(s.grid.FileRowCount(), 3);

  s.presenter.answer = IDOK;
  s.editor.actEditDeleteRowExecute();
  ASSERT_EQ(s.grid.FileRowCount(), 2);
  EXPECT_EQ(s.At(colFile, 2), "c.mp3");
  EXPECT_EQ(s.grid.Cell(colRowNo, 2), "2");
  s.editor.actEditDeleteRowExecute();  // the last row: the selection stays inside
  EXPECT_EQ(s.view.row, 1);
  s.editor.actEditDeleteCellExecute();
  s.editor.actEditClearExecute();
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_TRUE(s.grid.IsEmptyList());
  EXPECT_EQ(s.grid.ColumnWidth(s.Pos(colTitle)), s.measure.Width("タイトル") + 4);
  EXPECT_EQ(s.undo.Count(), 1u);  // the records stay
}

TEST(EraseTags, KeepNumberPathAndFileClearTheRestAndMark) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3"}) {
    const int r = s.AddFile(f, "title");
    s.grid.SetCell(colCommentLang, r, "eng");
    s.grid.SetFieldCell(colOrgYear, r, "1970");
  }
  s.Select(colArtist, 1);
  s.editor.actEditEraseTagExecute();
  EXPECT_TRUE(Shown(s, "/m/a.mp3"));
  EXPECT_EQ(s.grid.ChangedRowCount(), 1);
  s.editor.actEditEraseTagAllExecute();
  for (int r = 1; r <= 2; ++r) {
    TrackGrid::Row expected{};
    for (Field kept : {colPath, colFile}) expected[s.Pos(kept)] = s.At(kept, r);
    expected[colRowNo] = std::to_string(r);
    expected[colChanged] = "*";
    EXPECT_EQ(s.grid.RowCells(r), expected) << r;
  }
  EXPECT_EQ(s.At(colFile, 2), "b.mp3");
}

TEST(QuestionsOff, EveryQuestionTakesItsDefaultWithoutShowing) {
  EditorStage s(/*writeConfirm=*/false);
  s.presenter.answer = IDCANCEL;  // would refuse, were it asked
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile(f, "t");
  s.Select(colTitle, 1);
  s.editor.actEditEraseTagExecute();
  EXPECT_EQ(s.At(colTitle, 1), "");
  s.editor.actEditDeleteRowExecute();
  EXPECT_EQ(s.grid.FileRowCount(), 2);
  s.editor.actEditEraseTagAllExecute();
  EXPECT_EQ(s.grid.ChangedRowCount(), 2);
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.grid.IsEmptyList());
  EXPECT_TRUE(s.presenter.shown.empty());

  s.AddFile("d.mp3", "t");  // a notice is still shown
  s.Select(colTitle, 1);
  s.editor.actEditPasteExecute();
  EXPECT_TRUE(Shown(s, "貼り付けできません。"));
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
  for (const std::vector<std::string>& step : std::vector<std::vector<std::string>>{
           {"A", "B", "t2"}, {"A", "", "t2"}, {"t1", "", "t2"}, {"t1", "", "t2"}}) {
    s.Undo();
    EXPECT_EQ((std::vector<std::string>{s.At(colTitle, 1), s.At(colArtist, 1), s.At(colTitle, 2)}),
              step);
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
  EXPECT_EQ(s.At(colTitle, 2), "b");
  EXPECT_EQ(s.At(colFile, 2), "c.mp3");
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_EQ(s.grid.RowCount(), 4);

  s.editor.actEditDeleteCellExecute();
  s.editor.actEditClearExecute();
  s.Undo();  // nothing reaches the placeholder
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
}

}  // namespace
}  // namespace quilmark::testing
