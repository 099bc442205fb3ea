// Undo puts the old text back into the same field of the same file, however
// the rows and columns moved in between; a record whose file left the list
// is skipped.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

// Three files, titles t1..t3; row 1's title edited to "z".
struct EditedStage : EditorStage {
  EditedStage() {
    for (const char* f : {"a", "b", "c"}) AddFile(f, std::string("t") + "123"[n++]);
    Edit(colTitle, 1, "z");
  }
  int n = 0;
};

// Dragging the path column onto the title's place puts the path where the
// title stood, and a sort or a removal moves the file's row: the old text
// still goes back into the same field of the same file. The record of a
// removed file is dropped, the one before it applying in the same step;
// nothing reaches the placeholder of a cleared list.
TEST(UndoIdentity, TheSameFieldOfTheSameFileIsRestoredWhereverItMoved) {
  EditedStage s;
  ASSERT_TRUE(s.grid.MoveColumn(s.Pos(colPath), s.Pos(colTitle)));
  s.view.SetCurrentCell(s.Pos(colTitle), 1);
  s.editor.actEditSortExecute();  // "z" goes last
  s.Undo();
  EXPECT_EQ(s.Listing(), "b:t2 c:t3 a:t1*");

  s.Edit(colTitle, 3, "again");
  s.Edit(colTitle, 1, "b-new");
  s.Select(colTitle, 1);
  s.editor.actEditDeleteRowExecute();  // b goes, a moves up
  s.Undo();
  EXPECT_EQ(s.Listing(), "c:t3 a:t1*");
  EXPECT_TRUE(s.undo.Empty());
  s.editor.actEditDeleteCellExecute();
  s.editor.actEditClearExecute();
  s.Undo();
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
}

// A saved row has its mark cleared; an undo then makes the cell differ from
// the file again, so the row must be marked.
TEST(UndoRedo, StepsGoBackAndForthWholeAndANewEditForgetsWhatWasUndone) {
  EditedStage s;  // step 1: a's title "z"
  s.Select(colTitle, 1);
  s.grid.ClearRowChanged(1);
  s.editor.actEditColFillExecute();         // step 2: every title "z"
  EXPECT_EQ(s.Listing(), "a:z b:z* c:z*");  // the rows it changed, not the one it copied
  s.Undo(2);
  EXPECT_EQ(s.Listing(), "a:t1* b:t2* c:t3*");
  s.editor.actEditRedoExecute();
  EXPECT_EQ(s.Listing(), "a:z* b:t2* c:t3*");
  s.editor.actEditRedoExecute();
  EXPECT_EQ(s.Listing(), "a:z* b:z* c:z*");
  s.Undo();
  s.Edit(colArtist, 2, "new");  // forgets the undone fill
  EXPECT_FALSE(s.undo.CanRedo() || s.editor.Actions().redo);
  s.Select(colTitle, 3);
  s.view.Type("abc");  // while typing, Redo and Paste are the editor's own
  s.editor.actEditRedoExecute();
  s.editor.actEditPasteExecute();
  EXPECT_EQ(s.view.editorCommands, 2);
}

// Records name files by their current paths: a rename (here two that
// trade a name in one go) reaches both sides and the open step, and
// leaves the rename records themselves as they were.
TEST(UndoIdentity, RecordsFollowRenamedFilesOnBothSides) {
  UndoList undo;
  undo.Push({"/m/a.mp3", colTitle, "1", "2"});
  undo.Push({"/m/b.mp3", colAlbum, "3", "4"});
  undo.MoveToRedo(*undo.TakeUndo());
  undo.FilesRenamed({{"/m/a.mp3", "/m/c.mp3"}, {"/m/b.mp3", "/m/a.mp3"}});
  EXPECT_EQ(undo.Last(), (UndoStep{{{"/m/c.mp3", colTitle, "1", "2"}}}));
  EXPECT_EQ(undo.TakeRedo(), (UndoStep{{{"/m/a.mp3", colAlbum, "3", "4"}}}));
  {
    UndoStepScope command(undo);
    undo.Push(RenameRecord{"/m/c.mp3", "/m/d.mp3"});
    undo.Push({"/m/c.mp3", colYear, "", "5"});
    undo.FilesRenamed({{"/m/c.mp3", "/m/d.mp3"}});
  }
  EXPECT_EQ(undo.Last(), (UndoStep{{{"/m/d.mp3", colYear, "", "5"}}, {{"/m/c.mp3", "/m/d.mp3"}}}));
}

}  // namespace
}  // namespace quilmark::testing
