// The edit commands: clipboard, clear, fill, row removal, clearing the list
// and clearing tags, with their questions.
#include <gtest/gtest.h>

#include "editor_harness.h"
#include "messages/msgbox.h"

namespace quilmark::testing {
namespace {

TEST(Clipboard, CutPasteAndUndoOnATitleCell) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "abc");
  s.AddFile("/m/", "b.mp3", "zzz");
  s.Select(colTitle, 1);
  s.editor.actEditCutExecute();
  EXPECT_EQ(s.clipboard.Text(), "abc");
  EXPECT_EQ(s.Field_(colTitle, 1), "");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_TRUE(s.view.lastActions.paste);  // cut refreshed the states

  s.Select(colTitle, 2);
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.Field_(colTitle, 2), "abc");
  EXPECT_TRUE(s.grid.IsRowChanged(2));
  EXPECT_EQ(s.editor.EditOldText(), "zzz");

  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 2), "zzz");
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 1), "abc");
  EXPECT_TRUE(s.grid.IsRowChanged(1));  // stays marked
  EXPECT_TRUE(s.presenter.shown.empty());
}

TEST(Clipboard, PasteTakesTheTextWholeAndUnchecked) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.grid.SetFieldCell(colYear, 1, "1999");
  s.Select(colYear, 1);
  s.clipboard.SetText("not, a\tyear\r\n");
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.Field_(colYear, 1), "not, a\tyear\r\n");
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colYear, 1), "1999");

  s.editor.actEditCopyExecute();
  EXPECT_EQ(s.clipboard.Text(), "1999");
}

TEST(Clipboard, PasteWithoutTextSaysSoEvenWithQuestionsOff) {
  EditorStage s(/*writeConfirm=*/false);
  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colTitle, 1);
  s.editor.actEditPasteExecute();
  ASSERT_EQ(s.presenter.shown.size(), 1u);
  EXPECT_NE(s.presenter.shown[0].find("貼り付けできません。"), std::string::npos);
  EXPECT_EQ(s.Field_(colTitle, 1), "t");
  EXPECT_TRUE(s.undo.Empty());
}

TEST(Clipboard, InEditorModeTheEditorHandlesIt) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colTitle, 1);
  s.view.Type("typed");
  s.editor.actEditCutExecute();
  s.editor.actEditCopyExecute();
  s.editor.actEditPasteExecute();
  s.editor.actEditCutHiddenExecute();
  s.editor.actEditCopyHiddenExecute();
  s.editor.actEditPasteHiddenExecute();
  EXPECT_EQ(s.view.editorCuts, 2);
  EXPECT_EQ(s.view.editorCopies, 2);
  EXPECT_EQ(s.view.editorPastes, 2);
  EXPECT_FALSE(s.clipboard.Text().has_value());
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_TRUE(s.presenter.shown.empty());  // an empty clipboard is the editor's matter
}

TEST(EmptyList, ClipboardDisabledAndNothingMarksThePlaceholder) {
  EditorStage s;
  s.Select(colTitle, 1);
  EXPECT_FALSE(s.view.lastActions.cut || s.view.lastActions.copy || s.view.lastActions.paste);
  s.clipboard.SetText("x");
  s.editor.actEditDeleteCellExecute();
  s.editor.actEditPasteExecute();
  s.editor.actEditCutExecute();
  s.editor.actEditColFillExecute();
  s.editor.actEditDeleteRowExecute();
  s.editor.actEditEraseTagExecute();
  s.editor.actEditEraseTagAllExecute();
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
  EXPECT_EQ(s.grid.ChangedRowCount(), 0);
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_TRUE(s.presenter.shown.empty());
}

TEST(ClearCell, ClearsAnySelectableCellWithUndo) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colFile, 1);
  s.editor.actEditDeleteCellExecute();
  EXPECT_EQ(s.Field_(colFile, 1), "");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colFile, 1), "a.mp3");
}

TEST(FillColumn, EveryOtherRowIsRecordedAndMarked) {
  EditorStage s;
  for (const char* t : {"one", "two", "two", "four"}) s.AddFile("/m/", std::string(t) + ".mp3", t);
  s.Select(colTitle, 2);
  s.editor.actEditColFillExecute();
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(s.Field_(colTitle, r), "two") << r;
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_FALSE(s.grid.IsRowChanged(2));
  EXPECT_TRUE(s.grid.IsRowChanged(3));  // already equal, still marked
  EXPECT_TRUE(s.grid.IsRowChanged(4));
  ASSERT_EQ(s.undo.Count(), 3u);
  s.editor.actEditUndoExecute();
  s.editor.actEditUndoExecute();
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 1), "one");
  EXPECT_EQ(s.Field_(colTitle, 4), "four");
}

TEST(FillColumn, CommentFillCopiesOnlyTheVisibleText) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.AddFile("/m/", "b.mp3");
  s.grid.SetFieldCell(colComment, 1, "c1");
  s.grid.SetCell(colCommentLong, 1, "long1");
  s.Select(colComment, 1);
  s.editor.actEditColFillExecute();
  EXPECT_EQ(s.Field_(colComment, 2), "c1");
  EXPECT_EQ(s.grid.Cell(colCommentLong, 2), "");
}

TEST(DeleteRow, AsksWithTheFullPathAndRenumbers) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile("/music/", f);
  s.Select(colTitle, 2);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditDeleteRowExecute();
  ASSERT_EQ(s.presenter.shown.size(), 1u);
  EXPECT_EQ(s.presenter.shown[0].rfind("/music/b.mp3", 0), 0u);
  EXPECT_NE(s.presenter.shown[0].find("この行をリストから削除しますか？"), std::string::npos);
  EXPECT_EQ(s.grid.FileRowCount(), 3);

  s.presenter.answer = IDOK;
  s.editor.actEditDeleteRowExecute();
  ASSERT_EQ(s.grid.FileRowCount(), 2);
  EXPECT_EQ(s.Field_(colFile, 1), "a.mp3");
  EXPECT_EQ(s.Field_(colFile, 2), "c.mp3");
  EXPECT_EQ(s.grid.Cell(colRowNo, 2), "2");

  s.Select(colTitle, 2);
  s.editor.actEditDeleteRowExecute();  // the last row: the selection stays inside
  EXPECT_EQ(s.view.row, 1);
}

TEST(ClearList, KeepsThePlaceholderAndTheUndoRecords) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile("/m/", f, "x");
  s.Select(colTitle, 3);
  s.editor.actEditDeleteCellExecute();
  s.grid.FitColumnWidth(-1, s.measure);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditClearExecute();
  EXPECT_EQ(s.grid.FileRowCount(), 3);
  s.presenter.answer = IDOK;
  s.editor.actEditClearExecute();
  EXPECT_EQ(s.presenter.shown.size(), 2u);
  EXPECT_NE(s.presenter.shown[1].find("リストをクリアしますか？"), std::string::npos);
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_TRUE(s.grid.IsEmptyList());
  EXPECT_EQ(s.view.row, 1);
  EXPECT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(s.grid.ColumnWidth(s.Pos(colTitle)), s.measure.Width("タイトル") + 4);
  EXPECT_FALSE(s.view.lastActions.cut);
  EXPECT_TRUE(s.view.lastActions.undo);
}

TEST(EraseTags, KeepNumberPathAndFileClearTheRestAndMark) {
  EditorStage s;
  for (const char* f : {"a.mp3", "b.mp3"}) {
    const int r = s.AddFile("/m/", f, "title");
    s.grid.SetFieldCell(colGenre, r, "Rock");
    s.grid.SetCell(colCommentLang, r, "eng");
    s.grid.SetCell(colCommentLong, r, "long");
    s.grid.SetFieldCell(colOrgYear, r, "1970");
  }
  s.Select(colArtist, 1);
  s.editor.actEditEraseTagExecute();
  EXPECT_NE(s.presenter.shown.at(0).find("/m/a.mp3"), std::string::npos);
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_FALSE(s.grid.IsRowChanged(2));
  EXPECT_EQ(s.Field_(colTitle, 2), "title");

  s.editor.actEditEraseTagAllExecute();
  for (int r = 1; r <= 2; ++r) {
    const TrackGrid::Row& cells = s.grid.RowCells(r);
    for (int c = 0; c < kColumnCount; ++c) {
      if (c == colRowNo || c == colChanged || c == s.Pos(colPath) || c == s.Pos(colFile)) continue;
      EXPECT_EQ(cells[c], "") << "row " << r << " column " << c;
    }
    EXPECT_EQ(cells[colRowNo], std::to_string(r));
    EXPECT_EQ(s.Field_(colPath, r), "/m/");
    EXPECT_TRUE(s.grid.IsRowChanged(r));
  }
  EXPECT_EQ(s.Field_(colFile, 2), "b.mp3");
  EXPECT_TRUE(s.undo.Empty());
}

TEST(QuestionsOff, EveryQuestionTakesItsDefaultWithoutShowing) {
  EditorStage s(/*writeConfirm=*/false);
  s.presenter.answer = IDCANCEL;  // would refuse, were it asked
  for (const char* f : {"a.mp3", "b.mp3", "c.mp3"}) s.AddFile("/m/", f, "t");
  s.Select(colTitle, 1);
  s.editor.actEditEraseTagExecute();
  EXPECT_EQ(s.Field_(colTitle, 1), "");
  s.editor.actEditDeleteRowExecute();
  EXPECT_EQ(s.grid.FileRowCount(), 2);
  s.editor.actEditEraseTagAllExecute();
  EXPECT_EQ(s.grid.ChangedRowCount(), 2);
  s.editor.actEditClearExecute();
  EXPECT_TRUE(s.grid.IsEmptyList());
  EXPECT_TRUE(s.presenter.shown.empty());
}

}  // namespace
}  // namespace quilmark::testing
