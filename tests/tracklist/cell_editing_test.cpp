// Typing into cells as the grid widget reports it: which cells accept it,
// what a finished edit leaves behind, Escape, the numeric check that holds
// the selection, and the genre and comment dialogs.
#include <gtest/gtest.h>

#include "editor_harness.h"
#include "tag/tag_values.h"

namespace quilmark::testing {
namespace {

using Key = TrackEditor::Key;

TEST(CellEditing, OnlyTypedCellsOfFileRowsAcceptTypingWithTheirFieldsMask) {
  EditorStage s;
  s.AddFile("a.mp3");
  ASSERT_TRUE(s.grid.MoveColumn(s.Pos(colYear), 5));  // mask and key go with the field
  const struct {
    Field field;
    bool typed;
    const char* mask;
  } cases[] = {{colPath, false, ""},    {colFile, false, ""}, {colGenre, false, ""},
               {colComment, false, ""}, {colBPM, true, ""},   {colYear, true, "0000;0"}};
  for (const auto& c : cases) {
    s.Edit(c.field, 1, "1");
    EXPECT_EQ(s.editor.EditingAllowed(), c.typed) << FieldLetter(c.field);
    EXPECT_EQ(s.view.mask, c.mask) << FieldLetter(c.field);
    EXPECT_EQ(s.At(c.field, 1) == "1", c.typed) << FieldLetter(c.field);
  }
  EXPECT_EQ(TagValues::FromCommaText(s.grid.Cell(colWork, 1)).Get("Year"), "1");

  s.grid.SetColumnVisible(s.Pos(colAlbum), false);
  EXPECT_FALSE(s.view.Click(s.Pos(colAlbum), 1));
  EXPECT_FALSE(s.view.Click(colRowNo, 1));
  EditorStage empty;
  empty.Select(colTitle, 1);  // the placeholder row
  EXPECT_FALSE(empty.editor.EditingAllowed());
}

TEST(CellEditing, FinishedEditIsRecordedMarkedAndKeptInWork) {
  EditorStage s;
  s.AddFile("a.mp3", "Old");
  s.AddFile("b.mp3");
  s.grid.SetCell(colWork, 1, "Title=Old,URL=http://old,Encoded=enc");
  s.Select(colTitle, 1);
  s.view.Type("New");
  EXPECT_TRUE(s.undo.Empty());  // nothing recorded while typing
  s.Select(colTitle, 2);
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_FALSE(s.grid.IsRowChanged(2));
  ASSERT_EQ(s.undo.Count(), 1u);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"Old", s.Pos(colTitle), 1}));

  s.Edit(colURL, 1, "new");
  s.Edit(colEncoder, 1, "new");
  const TagValues work = TagValues::FromCommaText(s.grid.Cell(colWork, 1));
  EXPECT_EQ(work.Get("Title"), "New");
  EXPECT_EQ(work.Get("URL"), "new");      // "Url" replaced the "URL" line
  EXPECT_EQ(work.Get("Encoded"), "enc");  // "Encoder" is a line of its own
  EXPECT_EQ(work.Get("Encoder"), "new");
}

TEST(CellEditing, RetypingTheOldTextOrEscapeLeavesNoTrace) {
  EditorStage s;
  s.AddFile("a.mp3", "Same");
  s.Select(colTitle, 1);
  s.view.Type("Sam");
  s.view.Change("Same");
  s.Select(colTitle, 1);
  s.view.Type("Gone");
  s.view.Press(Key::Escape);
  EXPECT_FALSE(s.view.open);
  s.Select(colArtist, 1);
  EXPECT_EQ(s.At(colTitle, 1), "Same");
  EXPECT_EQ(s.grid.Cell(colWork, 1), "Title=Same");
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_FALSE(s.grid.IsRowChanged(1));

  s.Edit(colTitle, 1, "same");  // letter case counts as a change
  EXPECT_TRUE(s.grid.IsRowChanged(1));
}

// Enter records even a bad value, but the selection cannot leave the cell
// and the editor comes back on it until the text is digits.
TEST(ValidationLatch, BadNumberKeepsTheSelectionUntilCorrected) {
  EditorStage s;
  s.AddFile("a.mp3");
  s.AddFile("b.mp3");
  const int bpm = s.Pos(colBPM);
  s.grid.SetFieldCell(colBPM, 1, "90");
  s.Edit(colBPM, 1, "12a");
  for (const char* bad : {"12a", "1２"}) {          // full-width digits are no digits
    EXPECT_FALSE(s.view.Click(bpm + 1, 1)) << bad;  // the arrow key
    EXPECT_FALSE(s.view.Click(bpm, 2)) << bad;      // a click elsewhere
    EXPECT_TRUE(s.view.open && s.view.column == bpm) << bad;
    s.view.Change("1２");
  }
  s.view.Change("120");
  EXPECT_TRUE(s.view.Click(bpm, 2));
  s.Undo();
  EXPECT_EQ(s.At(colBPM, 1), "12a");
  s.Undo();
  EXPECT_EQ(s.At(colBPM, 1), "90");

  s.Edit(colYear, 1, "");  // empty passes
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 1));
}

// A non-digit as the very first keystroke fails the first check; correcting
// it, or Escape back to a valid text, must free the selection again.
TEST(ValidationLatch, FailedFirstKeystrokeIsLiftedOnceTheTextIsValid) {
  EditorStage s;
  s.AddFile("a.mp3");
  s.Select(colOrgYear, 1);
  s.view.Type("x");
  EXPECT_FALSE(s.view.Click(s.Pos(colTitle), 1));
  s.view.Change("");
  s.view.Change("1999");
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 1));
  EXPECT_EQ(s.At(colOrgYear, 1), "1999");

  s.Select(colBPM, 1);
  s.view.Type("q");
  s.view.Press(Key::Escape);
  EXPECT_TRUE(s.view.Click(s.Pos(colTitle), 1));
  EXPECT_EQ(s.undo.Count(), 1u);
}

// Leaving a valid edit for a numeric cell that already holds a bad value:
// the check concerns the cell being closed, whose edit is recorded.
TEST(ValidationLatch, ClosingEditIsCheckedAndRecordedOnItsOwnCell) {
  EditorStage s;
  s.AddFile("a.mp3", "old");
  s.grid.SetFieldCell(colBPM, 1, "fast");
  s.Select(colTitle, 1);
  s.view.Type("new");
  ASSERT_TRUE(s.view.Click(s.Pos(colBPM), 1));
  EXPECT_FALSE(s.view.open);
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"old", s.Pos(colTitle), 1}));
  EXPECT_EQ(s.grid.Cell(colWork, 1), "Title=new");
}

TEST(Dialogs, EnterAndDoubleClickOpenGenreAndCommentWithOneUndoEntry) {
  EditorStage s;
  s.AddFile("a.mp3");
  s.grid.SetFieldCell(colGenre, 1, "Rock");
  s.grid.SetCell(colCommentLang, 1, "eng");
  s.grid.SetFieldCell(colComment, 1, "short");
  s.grid.SetCell(colCommentLong, 1, "long");

  s.Select(colGenre, 1);
  s.dialogs.genreAnswer = "Jazz and Blues Fusion";
  s.view.Press(Key::Enter);
  EXPECT_EQ(s.At(colGenre, 1), "Jazz and Blues Fusion");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
  EXPECT_EQ(s.grid.ColumnWidth(s.Pos(colGenre)), s.measure.Width("Jazz and Blues Fusion") + 4);
  EXPECT_EQ(*s.undo.Last(), (UndoRecord{"Rock", s.Pos(colGenre), 1}));
  s.dialogs.genreAnswer.reset();  // the user cancels
  s.editor.grDblClick();

  s.Select(colComment, 1);
  s.dialogs.commentAnswer = CommentTexts{"jpn", "新しい", "長い\r\n文"};
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.commentGiven.language, "eng");
  EXPECT_EQ(s.dialogs.commentGiven.longText, "long");
  EXPECT_EQ(s.At(colComment, 1), "新しい");
  EXPECT_EQ(s.grid.Cell(colCommentLong, 1), "長い\r\n文");
  EXPECT_EQ(s.undo.Count(), 2u);

  s.Select(colTitle, 1);  // no dialog elsewhere
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.runs, 3);
  s.Undo(2);  // the visible texts come back
  EXPECT_EQ(s.At(colComment, 1), "short");
  EXPECT_EQ(s.At(colGenre, 1), "Rock");
}

}  // namespace
}  // namespace quilmark::testing
