// The numeric check that keeps the selection on a cell holding anything but
// digits, played as the grid widget sends its events.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

TEST(ValidationLatch, BadBpmKeepsTheSelectionUntilCorrected) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.AddFile("/m/", "b.mp3");
  const int bpm = s.Pos(colBPM);
  s.grid.SetFieldCell(colBPM, 1, "90");
  s.Select(colBPM, 1);
  s.view.Type("12a");
  EXPECT_FALSE(s.view.Click(bpm + 1, 1));  // the arrow key
  EXPECT_EQ(s.view.column, bpm);
  EXPECT_EQ(s.view.row, 1);
  EXPECT_TRUE(s.view.open);
  EXPECT_FALSE(s.view.Click(bpm, 2));  // nor a click elsewhere
  EXPECT_TRUE(s.undo.Empty());

  s.view.Change("120");
  EXPECT_TRUE(s.view.Click(bpm + 1, 1));
  EXPECT_EQ(s.Field_(colBPM, 1), "120");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  ASSERT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"90", bpm, 1}));
  EXPECT_EQ(s.WorkValue(1, "Bpm"), "120");
  EXPECT_FALSE(s.editor.ValidationPending() && s.editor.ValidationFailed());
}

// A non-digit as the very first keystroke fails the first check; correcting
// it must free the selection again rather than hold it for the rest of the run.
TEST(ValidationLatch, FailedFirstKeystrokeIsLiftedOnceTheTextIsDigits) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  const int year = s.Pos(colOrgYear);
  s.Select(colOrgYear, 1);
  s.view.Type("x");
  EXPECT_TRUE(s.editor.ValidationFailed());
  EXPECT_FALSE(s.view.Click(year - 1, 1));
  s.view.Change("");
  s.view.Change("1999");
  EXPECT_TRUE(s.view.Click(year - 1, 1));
  EXPECT_FALSE(s.editor.ValidationFailed());
  EXPECT_EQ(s.Field_(colOrgYear, 1), "1999");
  EXPECT_EQ(s.undo.Count(), 1u);

  // Escape back to the valid old text also lets the user go.
  s.Select(colBPM, 1);
  s.view.Type("q");
  s.view.PressEscape();
  EXPECT_TRUE(s.view.Click(year, 1));
  EXPECT_EQ(s.Field_(colBPM, 1), "");
  EXPECT_EQ(s.undo.Count(), 1u);
}

TEST(ValidationLatch, EmptyAndDigitTextsPassDoubleByteFails) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.grid.SetFieldCell(colYear, 1, "2001");
  s.Select(colYear, 1);
  s.view.Type("");  // cleared
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 1));
  EXPECT_EQ(s.Field_(colYear, 1), "");
  EXPECT_EQ(s.undo.Count(), 1u);

  s.Select(colNo, 1);
  s.view.Type("1");
  s.view.Change("1２");
  EXPECT_FALSE(s.view.Click(s.Pos(colTitle), 1));
}

// Leaving a valid edit for a numeric cell that already holds a bad value
// (read so from its file): the edit just closed is still recorded and its
// row marked; the check concerns the cell being closed.
TEST(ValidationLatch, ClosingEditIsCheckedAndRecordedOnItsOwnCell) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "old");
  s.grid.SetFieldCell(colBPM, 1, "fast");
  s.Select(colTitle, 1);
  s.view.Type("new");
  ASSERT_TRUE(s.view.Click(s.Pos(colBPM), 1));
  EXPECT_EQ(s.Field_(colTitle, 1), "new");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  ASSERT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"old", s.Pos(colTitle), 1}));
  EXPECT_EQ(s.WorkValue(1, "Title"), "new");
  EXPECT_FALSE(s.view.open);
  EXPECT_EQ(s.view.column, s.Pos(colBPM));
}

// The editor closed with Enter on a bad value: the edit is recorded, but
// the selection still cannot leave until the text is digits.
TEST(ValidationLatch, EnterRecordsTheBadValueThenLeavingIsRefused) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.Select(colBPM, 1);
  s.view.Type("1");
  s.view.Change("1b");
  s.view.PressEnter();
  EXPECT_FALSE(s.view.open);
  EXPECT_EQ(s.undo.Count(), 1u);
  EXPECT_FALSE(s.view.Click(s.Pos(colTitle), 1));
  EXPECT_TRUE(s.view.open);  // reopened on the bad cell
  EXPECT_EQ(s.editor.EditOldText(), "1b");
  s.view.Change("1");
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 1));
  EXPECT_EQ(s.undo.Count(), 2u);
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colBPM, 1), "1b");
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colBPM, 1), "");
}

// When the editor was closed on a bad value without the selection being
// asked (the widget closed it after moving on), the editor comes back on
// that cell.
TEST(ValidationLatch, BadClosedCellBringsTheEditorBackToIt) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3");
  s.grid.SetFieldCell(colBPM, 1, "x");
  s.Select(colBPM, 1);
  ASSERT_TRUE(s.view.BeginEdit());
  s.view.column = s.Pos(colTitle);  // moved without a selection check
  s.view.open = false;
  s.editor.grSetEditText(s.Pos(colBPM), 1, "x", false);
  EXPECT_EQ(s.view.column, s.Pos(colBPM));
  EXPECT_TRUE(s.view.open);
  EXPECT_TRUE(s.editor.ValidationFailed());
  EXPECT_TRUE(s.undo.Empty());  // nothing changed
}

}  // namespace
}  // namespace quilmark::testing
