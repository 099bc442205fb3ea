// Typing into cells as the grid widget reports it: what a finished edit
// leaves behind, Escape, what a number may become, and the genre and
// comment dialogs. (The window's tests hold the selection on a bad number.)
#include <gtest/gtest.h>

#include "editor_harness.h"
#include "tracklist/cell_rules.h"

namespace quilmark::testing {
namespace {

using Key = TrackEditor::Key;

TEST(CellEditing, OnlyAFinishedChangeIsRecordedMarkedAndKeptInWork) {
  EditorStage s;
  s.AddFile("a.mp3", "Same");
  s.Select(colTitle, 1);
  s.view.Type("Sam");
  s.view.Change("Same");  // the old text typed back
  s.Select(colTitle, 1);
  s.view.Type("Gone");
  s.view.Press(Key::Escape);
  s.Select(colArtist, 1);
  EXPECT_EQ(s.Listing(), "a.mp3:Same");
  EXPECT_TRUE(s.undo.Empty());
  s.Edit(colTitle, 1, "same");  // letter case counts as a change
  EXPECT_EQ(s.Listing(), "a.mp3:same*");
  EXPECT_EQ(s.undo.Last(), (UndoStep{{{"/m/a.mp3", colTitle, "Same", "same"}}}));
  EXPECT_EQ(s.grid.Cell(colWork, 1), "Title=same");
}

// What a number a file gave may become, by typing or by a command over many
// cells: fewer characters and other digits, never a character it lacked.
TEST(NumericRule, ATextFromAFileGainsNoCharacterButDigits) {
  const struct {
    const char* before;
    const char* after;
    bool kept;
  } cases[] = {
      {"3/12", "3/13", true},  {"3/12", "313", true},   {"2001年", "02年", true},
      {"3/12", "3-12", false}, {"3/12", "3//1", false}, {"12/3", "3/12", true},
      {"/1a", "a/1", false},   {"あア", "ぢ", false},  // the bytes of two characters spell a third
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeepsNonDigitsOf(c.before, c.after), c.kept) << c.before << " -> " << c.after;
  }
}

TEST(Dialogs, EnterAndDoubleClickOpenGenreAndCommentWithOneUndoEntry) {
  EditorStage s;
  s.AddFile("a.mp3");
  s.grid.SetFieldCell(colGenre, 1, "Rock");
  s.grid.SetCell(colCommentLang, 1, "eng");
  s.Select(colGenre, 1);
  EXPECT_FALSE(s.editor.EditingAllowed());  // never typed into
  s.dialogs.genreAnswer = "Jazz";
  s.view.Press(Key::Enter);
  EXPECT_EQ(s.At(colGenre, 1), "Jazz");
  s.dialogs.genreAnswer.reset();  // the user cancels
  s.editor.grDblClick();
  s.Select(colComment, 1);
  s.dialogs.commentAnswer = CommentTexts{"jpn", "新しい", "長い\r\n文"};
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.commentGiven.language, "eng");
  EXPECT_EQ(s.grid.Cell(colCommentLong, 1), "長い\r\n文");
  s.Select(colTitle, 1);  // no dialog elsewhere
  s.editor.grDblClick();
  EXPECT_EQ(s.dialogs.runs, 3);
  s.Undo(2);
  EXPECT_EQ(s.At(colComment, 1), "");
  EXPECT_EQ(s.At(colGenre, 1), "Rock");
}

}  // namespace
}  // namespace quilmark::testing
