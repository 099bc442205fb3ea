// An open editor meets a command: the edit is finished and checked first,
// a bad number stops the command, the current cell never stays on a hidden
// column or on a cell it may not type into, and the path and file name of
// a row never change.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

using Command = void (TrackEditor::*)();

struct TwoFiles : EditorStage {
  TwoFiles() {
    AddFile("b.mp3", "b");
    AddFile("a.mp3", "a");
  }
};

// A bad number in the editor: no command that reads or moves cells runs,
// and the editor stays open on that cell. (The window's tests try the sort
// with a good edit open, a bad number the file gave, and the correction.)
TEST(EditorAndCommands, ABadNumberInTheEditorStopsEveryCommand) {
  TwoFiles s;
  s.Select(colBPM, 2);
  s.view.Type("1２");  // full-width digits are no digits
  const TrackGrid::Row row1 = s.grid.RowCells(1);
  for (Command command :
       {&TrackEditor::actEditSortExecute, &TrackEditor::actEditColFillExecute,
        &TrackEditor::actEditDeleteRowExecute, &TrackEditor::actEditClearExecute,
        &TrackEditor::actEditEraseTagExecute, &TrackEditor::actEditEraseTagAllExecute,
        &TrackEditor::actEditDeleteCellExecute}) {
    (s.editor.*command)();
    EXPECT_TRUE(s.view.open && s.view.row == 2 && s.view.column == s.Pos(colBPM));
  }
  EXPECT_EQ(s.grid.RowCells(1), row1);
  EXPECT_EQ(s.At(colBPM, 2), "1２");
  EXPECT_TRUE(s.presenter.texts.empty());  // not even asked
}

// The path and file name say which file a save writes. (Cut and paste
// over them, the block commands' tests try.)
TEST(EditorAndCommands, PathAndFileNameNeverChange) {
  TwoFiles s;
  for (Field f : {colPath, colFile}) {
    s.Select(f, 1);
    EXPECT_FALSE(s.editor.Actions().deleteCell || s.editor.Actions().cut) << FieldHeader(f);
    s.editor.actEditDeleteCellExecute();
    s.editor.actEditColFillExecute();
  }
  EXPECT_EQ(s.grid.FullPathOf(1) + s.grid.FullPathOf(2), "/m/b.mp3/m/a.mp3");
  EXPECT_TRUE(s.undo.Empty() && s.grid.ChangedRowCount() == 0);
}

// Hiding the current column moves the current cell to the nearest shown
// one; with no tag column left there is nothing to type into. Dragging the
// path onto the place of the current Artist cell: the current cell goes
// with Artist, and typing is allowed exactly where it may be.
TEST(EditorAndCommands, TheCurrentCellNeverStaysOnAHiddenColumnAndFollowsItsField) {
  TwoFiles s;
  s.Select(colTitle, 1);
  s.view.Type("typed");
  ASSERT_TRUE(s.editor.actShowHideColExecute());
  EXPECT_EQ(s.At(colTitle, 1), "typed");
  EXPECT_EQ(s.view.column, s.Pos(colAlbum));
  ASSERT_TRUE(s.editor.ShowColumn(s.Pos(colAlbum), false));
  EXPECT_EQ(s.view.column, s.Pos(colYear));  // nearest; on a tie the right one
  ASSERT_TRUE(s.editor.SetTagColumnsVisible(false));
  EXPECT_EQ(s.view.column, s.Pos(colFile));
  EXPECT_FALSE(s.editor.EditingAllowed());

  ASSERT_TRUE(s.editor.SetTagColumnsVisible(true));
  s.Select(colArtist, 1);
  s.view.Type("dragged");
  ASSERT_TRUE(s.editor.MoveColumn(s.Pos(colPath), s.Pos(colArtist)));
  EXPECT_EQ(s.view.column, s.Pos(colArtist));
  EXPECT_EQ(s.At(colArtist, 1), "dragged");
  EXPECT_TRUE(s.editor.EditingAllowed());
  s.Select(colFile, 1);
  ASSERT_TRUE(s.editor.MoveColumn(s.Pos(colTitle), s.Pos(colFile)));
  EXPECT_EQ(s.view.column, s.Pos(colFile));
  EXPECT_FALSE(s.editor.EditingAllowed());
  s.grid.SetColumnVisible(s.Pos(colArtist), false);  // what a view reports there goes nowhere
  s.editor.grSetEditText(s.Pos(colArtist), 1, "hidden", false);
  EXPECT_EQ(s.At(colArtist, 1), "dragged");
}

}  // namespace
}  // namespace quilmark::testing
