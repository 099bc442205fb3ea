// Which cells can be typed into, what a finished edit leaves behind, Escape,
// and the genre and comment dialogs run from their cells.
#include <gtest/gtest.h>

#include "editor_harness.h"
#include "tracklist/cell_rules.h"

namespace quilmark::testing {
namespace {

TEST(CellRules, ClassesAndMasksFollowTheFieldWhereverItStands) {
  TrackGrid grid;
  const ColumnLayout& layout = grid.Layout();
  EXPECT_EQ(ClassOfColumn(layout, layout.Position(colPath)), CellClass::NotTyped);
  EXPECT_EQ(ClassOfColumn(layout, layout.Position(colFile)), CellClass::NotTyped);
  EXPECT_EQ(ClassOfColumn(layout, layout.Position(colGenre)), CellClass::GenreDialog);
  EXPECT_EQ(ClassOfColumn(layout, layout.Position(colComment)), CellClass::CommentDialog);
  EXPECT_EQ(ClassOfColumn(layout, layout.Position(colBPM)), CellClass::Typed);
  EXPECT_EQ(ClassOfColumn(layout, colWork), CellClass::NotTyped);
  EXPECT_EQ(ClassOfColumn(layout, colRowNo), CellClass::NotTyped);
  EXPECT_EQ(ClassOfColumn(layout, 30), CellClass::NotTyped);

  EXPECT_EQ(EditMaskFor(layout, layout.Position(colNo)), "0000;0");
  EXPECT_EQ(EditMaskFor(layout, layout.Position(colYear)), "0000;0");
  EXPECT_EQ(EditMaskFor(layout, layout.Position(colBPM)), "");
  EXPECT_EQ(EditMaskFor(layout, layout.Position(colOrgYear)), "");

  // The Year field dragged to the front: position 5 now edits a year.
  ASSERT_TRUE(grid.MoveColumn(grid.Layout().Position(colYear), 5));
  EXPECT_EQ(EditMaskFor(grid.Layout(), 5), "0000;0");
  EXPECT_TRUE(IsNumericColumn(grid.Layout(), 5));
  EXPECT_EQ(EditKeyFor(grid.Layout(), 5), "Year");
  EXPECT_EQ(ClassOfColumn(grid.Layout(), grid.Layout().Position(colPath)), CellClass::NotTyped);
}

TEST(CellRules, DigitsCheck) {
  EXPECT_TRUE(IsAllDigits(""));
  EXPECT_TRUE(IsAllDigits("0123456789"));
  EXPECT_FALSE(IsAllDigits("12a"));
  EXPECT_FALSE(IsAllDigits(" 12"));
  EXPECT_FALSE(IsAllDigits("１２"));  // full-width digits are double-byte
  EXPECT_FALSE(IsAllDigits("-1"));

  EditorStage s;
  const int r = s.AddFile("/m/", "a.mp3", "x");
  s.grid.SetFieldCell(colYear, r, "");
  EXPECT_TRUE(IsCellValueValid(s.grid, s.Pos(colYear), r));
  s.grid.SetFieldCell(colOrgYear, r, "19９9");
  EXPECT_FALSE(IsCellValueValid(s.grid, s.Pos(colOrgYear), r));
  s.grid.SetFieldCell(colTitle, r, "abc");  // not a numeric column
  EXPECT_TRUE(IsCellValueValid(s.grid, s.Pos(colTitle), r));
}

TEST(CellEditing, OnlyTypedCellsOfFileRowsAcceptTyping) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "x");
  for (Field f : {colPath, colFile, colGenre, colComment}) {
    s.Select(f, 1);
    EXPECT_FALSE(s.editor.EditingAllowed()) << FieldLetter(f);
    EXPECT_FALSE(s.view.BeginEdit());
  }
  s.Select(colArtist, 1);
  EXPECT_TRUE(s.editor.EditingAllowed());
  ASSERT_TRUE(s.view.BeginEdit());
  EXPECT_EQ(s.view.mask, "");
  s.view.PressEnter();
  s.Select(colYear, 1);
  ASSERT_TRUE(s.view.BeginEdit());
  EXPECT_EQ(s.view.mask, "0000;0");

  EditorStage empty;
  empty.Select(colTitle, 1);  // the placeholder row
  EXPECT_FALSE(empty.editor.EditingAllowed());

  EditorStage hidden;
  hidden.AddFile("/m/", "a.mp3");
  hidden.grid.SetColumnVisible(hidden.Pos(colAlbum), false);
  EXPECT_FALSE(hidden.view.Click(hidden.Pos(colAlbum), 1));
  EXPECT_FALSE(hidden.view.Click(colRowNo, 1));
}

TEST(CellEditing, FinishedEditIsRecordedMarkedAndKeptInWork) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "Old");
  s.AddFile("/m/", "b.mp3", "Other");
  s.Select(colTitle, 1);
  s.view.Type("New");
  EXPECT_EQ(s.editor.EditOldText(), "Old");
  EXPECT_FALSE(s.grid.IsRowChanged(1));  // nothing recorded while typing
  EXPECT_TRUE(s.undo.Empty());
  s.Select(colTitle, 2);

  EXPECT_EQ(s.Field_(colTitle, 1), "New");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_FALSE(s.grid.IsRowChanged(2));
  ASSERT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"Old", s.Pos(colTitle), 1}));
  EXPECT_EQ(s.WorkValue(1, "Title"), "New");
}

TEST(CellEditing, EditKeysReplaceFileLinesWithoutRegardToCase) {
  EditorStage s;
  const int r = s.AddFile("/m/", "a.mp3", "t");
  TagValues work;
  work.Set("URL", "http://old");
  work.Set("Encoded", "enc");
  s.grid.SetCell(colWork, r, work.ToCommaText());

  s.Select(colURL, r);
  s.view.Type("http://new");
  s.view.PressEnter();
  s.Select(colEncoder, r);
  s.view.Type("me");
  s.view.PressEnter();

  const TagValues after = TagValues::FromCommaText(s.grid.Cell(colWork, r));
  EXPECT_EQ(after.Get("URL"), "http://new");  // "Url" replaced the "URL" line
  EXPECT_EQ(after.Get("Encoded"), "enc");     // "Encoder" is a line of its own
  EXPECT_EQ(after.Get("Encoder"), "me");
  EXPECT_EQ(s.undo.Count(), 2u);
}

TEST(CellEditing, RetypingTheOldTextLeavesNoTrace) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "Same");
  s.AddFile("/m/", "b.mp3");
  s.Select(colTitle, 1);
  s.view.Type("Sam");
  s.view.Change("Same");
  s.Select(colTitle, 2);
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_FALSE(s.grid.IsRowChanged(1));

  // Letter case counts as a change.
  s.Select(colTitle, 1);
  s.view.Type("same");
  s.view.PressEnter();
  EXPECT_EQ(s.undo.Count(), 1u);
  EXPECT_TRUE(s.grid.IsRowChanged(1));
}

TEST(CellEditing, EscapeRestoresTheOldTextAndRecordsNothing) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "Keep");
  s.AddFile("/m/", "b.mp3");
  s.Select(colTitle, 1);
  s.view.Type("Gone");
  s.view.PressEscape();
  EXPECT_FALSE(s.view.open);
  EXPECT_EQ(s.Field_(colTitle, 1), "Keep");
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_FALSE(s.grid.IsRowChanged(1));
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 2));
  EXPECT_EQ(s.WorkValue(1, "Title"), "Keep");
}

TEST(CellEditing, EditorSelectionDecidesCutAndCopyWhileTyping) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colTitle, 1);
  EXPECT_TRUE(s.view.lastActions.cut);
  s.view.Type("abc");
  s.view.selection = false;
  s.editor.grKeyDown(TrackEditor::Key::Other);
  EXPECT_FALSE(s.view.lastActions.cut);
  EXPECT_FALSE(s.view.lastActions.copyHidden);
  s.view.selection = true;
  s.editor.grKeyDown(TrackEditor::Key::Other);
  EXPECT_TRUE(s.view.lastActions.cut && s.view.lastActions.cutHidden);
  EXPECT_TRUE(s.view.lastActions.copy && s.view.lastActions.copyHidden);
}

TEST(CellEditing, EnabledStatesFollowListColumnClipboardAndUndo) {
  EditorStage s;
  s.Select(colTitle, 1);  // empty list
  EXPECT_EQ(s.view.lastActions, EditActions{});

  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colFile, 1);
  EditActions copyOnly;
  copyOnly.copy = copyOnly.copyHidden = true;
  EXPECT_EQ(s.view.lastActions, copyOnly);

  s.Select(colTitle, 1);
  EXPECT_TRUE(s.view.lastActions.cut);
  EXPECT_FALSE(s.view.lastActions.paste);  // nothing on the clipboard
  EXPECT_FALSE(s.view.lastActions.undo);
  s.clipboard.SetText("x");
  s.editor.actEditDeleteCellExecute();
  s.Select(colArtist, 1);
  EXPECT_TRUE(s.view.lastActions.paste && s.view.lastActions.pasteHidden);
  EXPECT_TRUE(s.view.lastActions.undo && s.view.lastActions.undoHidden);
}

TEST(GenreAndComment, EnterAndDoubleClickOpenTheDialogAndRecordOneUndoEntry) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.grid.SetFieldCell(colGenre, 1, "Rock");
  s.Select(colGenre, 1);
  s.dialogs.genreAnswer = "Jazz and Blues Fusion";
  s.editor.grKeyDown(TrackEditor::Key::Enter);
  EXPECT_EQ(s.dialogs.genreRuns, 1);
  EXPECT_EQ(s.dialogs.genreGiven, "Rock");
  EXPECT_EQ(s.Field_(colGenre, 1), "Jazz and Blues Fusion");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_EQ(s.busy.shown, 1);
  EXPECT_FALSE(s.busy.isBusy);
  // The column was refitted to the longer text.
  EXPECT_EQ(s.grid.ColumnWidth(s.Pos(colGenre)), s.measure.Width("Jazz and Blues Fusion") + 4);
  ASSERT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"Rock", s.Pos(colGenre), 1}));

  s.dialogs.genreAnswer.reset();  // the user cancels
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.genreRuns, 2);
  EXPECT_EQ(s.undo.Count(), 1u);
  EXPECT_FALSE(s.busy.isBusy);

  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colGenre, 1), "Rock");
}

TEST(GenreAndComment, CommentDialogGetsAndSetsThreeTextsUndoRestoresTheVisibleOne) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.grid.SetCell(colCommentLang, 1, "eng");
  s.grid.SetFieldCell(colComment, 1, "short");
  s.grid.SetCell(colCommentLong, 1, "long\r\ntext");
  s.Select(colComment, 1);
  s.dialogs.commentAnswer = CommentTexts{"jpn", "新しい", "長い\r\n文"};
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.commentGiven.language, "eng");
  EXPECT_EQ(s.dialogs.commentGiven.description, "short");
  EXPECT_EQ(s.dialogs.commentGiven.longText, "long\r\ntext");
  EXPECT_EQ(s.grid.Cell(colCommentLang, 1), "jpn");
  EXPECT_EQ(s.Field_(colComment, 1), "新しい");
  EXPECT_EQ(s.grid.Cell(colCommentLong, 1), "長い\r\n文");
  EXPECT_EQ(s.undo.Count(), 1u);

  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colComment, 1), "short");
  EXPECT_EQ(s.grid.Cell(colCommentLang, 1), "jpn");
}

TEST(GenreAndComment, NoDialogElsewhereOrOnThePlaceholderRow) {
  EditorStage s;
  s.dialogs.genreAnswer = "Rock";
  s.Select(colGenre, 1);  // empty list
  s.editor.grKeyDown(TrackEditor::Key::Enter);
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.genreRuns, 0);
  EXPECT_FALSE(s.grid.IsRowChanged(1));

  s.AddFile("/m/", "a.mp3", "t");
  s.Select(colTitle, 1);
  s.editor.grDblClick();
  s.editor.grKeyDown(TrackEditor::Key::Enter);
  EXPECT_EQ(s.dialogs.genreRuns + s.dialogs.commentRuns, 0);
}

}  // namespace
}  // namespace quilmark::testing
