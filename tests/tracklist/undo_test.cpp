// The undo stack: its records survive any cell text, undo runs in reverse,
// and records whose cell is gone are dropped instead of written past the end.
#include <gtest/gtest.h>

#include "editor_harness.h"

namespace quilmark::testing {
namespace {

TEST(UndoRecords, AnyCellTextSurvivesTheRecord) {
  for (const std::string text :
       {"", "plain", "with space", "a,b", "say \"hi\"", "x=y", "Text=z,Col=9", "line\r\nbreak",
        "日本語のタイトル", " lead", "\"", "tab\there"}) {
    UndoList list;
    list.Push(text, 9, 3);
    ASSERT_TRUE(list.Last().has_value()) << text;
    EXPECT_EQ(*list.Last(), (UndoRecord{text, 9, 3})) << text;
  }
  EXPECT_EQ(UndoList::Encode({"a b", 9, 12}), "\"Text=a b\",Col=9,Row=12");
}

TEST(UndoRecords, MalformedItemsDecodeToNothing) {
  for (const std::string item :
       {"", "garbage", "Text=a,Col=9", "Text=a,Col=x,Row=1", "Text=a,Col=9,Row=-1",
        "Text=a,Col=9,Row=99999999999999999999", "Col=9,Text=a,Row=1", "Text=a,Col=9,Row=1,Extra=2",
        "\"Text=a,Col=9,Row=1", "Text=a,Col=,Row=1", "Text=a,Col=9,Row=1x"}) {
    EXPECT_FALSE(UndoList::Decode(item).has_value()) << item;
  }
}

TEST(Undo, ThreeEditsAreUndoneInReverseAndAFourthDoesNothing) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "t1");
  s.AddFile("/m/", "b.mp3", "t2");
  s.Select(colTitle, 1);
  s.view.Type("A");
  s.Select(colArtist, 1);
  s.view.Type("B");
  s.Select(colTitle, 2);
  s.view.Type("C");
  s.Select(colTitle, 1);
  ASSERT_EQ(s.undo.Count(), 3u);

  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 2), "t2");
  EXPECT_EQ(s.Field_(colArtist, 1), "B");
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colArtist, 1), "");
  EXPECT_EQ(s.Field_(colTitle, 1), "A");
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 1), "t1");
  EXPECT_TRUE(s.undo.Empty());

  const TrackGrid::Row before = s.grid.RowCells(1);
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.grid.RowCells(1), before);
}

TEST(Undo, RecordsAddressPositionsNotRows) {
  EditorStage s;
  for (const char* t : {"r1", "r2", "r3"}) s.AddFile("/m/", std::string(t) + ".mp3", t);
  s.Select(colTitle, 2);
  s.editor.actEditDeleteCellExecute();  // record for row 2
  s.Select(colTitle, 1);
  s.editor.actEditDeleteRowExecute();
  ASSERT_EQ(s.grid.FileRowCount(), 2);
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colFile, 2), "r3.mp3");
  EXPECT_EQ(s.Field_(colTitle, 2), "r2");  // lands on the former row 3
}

TEST(Undo, RecordsWhoseRowIsGoneAreSkippedAndRemoved) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "a");
  s.AddFile("/m/", "b.mp3", "b");
  s.AddFile("/m/", "c.mp3", "c");
  s.Select(colTitle, 1);
  s.editor.actEditDeleteCellExecute();  // row 1: still there later
  s.Select(colTitle, 3);
  s.editor.actEditDeleteCellExecute();  // row 3: gone after the removal
  s.editor.actEditDeleteRowExecute();
  ASSERT_EQ(s.grid.RowCount(), 3);
  ASSERT_EQ(s.undo.Count(), 2u);

  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.grid.RowCount(), 3);
  EXPECT_EQ(s.Field_(colTitle, 1), "a");  // the next record was applied
  EXPECT_TRUE(s.undo.Empty());
}

TEST(Undo, AfterClearingTheListNothingReachesThePlaceholder) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "a");
  s.Select(colTitle, 1);
  s.editor.actEditDeleteCellExecute();
  s.editor.actEditClearExecute();
  ASSERT_EQ(s.undo.Count(), 1u);  // clearing the list keeps the records
  s.editor.actEditUndoExecute();
  EXPECT_TRUE(s.undo.Empty());
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
}

TEST(Undo, InEditorModeTheEditorUndoesItsOwnText) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "a");
  s.Select(colTitle, 1);
  s.editor.actEditDeleteCellExecute();
  s.view.Type("xyz");
  s.editor.actEditUndoExecute();
  s.editor.actEditUndoHiddenExecute();
  EXPECT_EQ(s.view.editorUndos, 2);
  EXPECT_EQ(s.undo.Count(), 1u);
  s.view.PressEnter();
  s.editor.actEditUndoHiddenExecute();  // nothing without an editor
  EXPECT_EQ(s.view.editorUndos, 2);
}

// A row written to its file has its mark cleared; undoing an edit afterwards
// makes the cell differ from the file again, so the row is marked.
TEST(Undo, UndoAfterWritingMarksTheRowAgain) {
  EditorStage s;
  s.AddFile("/m/", "a.mp3", "a");
  s.Select(colTitle, 1);
  s.view.Type("b");
  s.view.PressEnter();
  s.grid.ClearRowChanged(1);  // the save succeeded
  s.editor.actEditUndoExecute();
  EXPECT_EQ(s.Field_(colTitle, 1), "a");
  EXPECT_TRUE(s.grid.IsRowChanged(1));
}

}  // namespace
}  // namespace quilmark::testing
