// A window-less stage for TrackEditor: a grid view scripted like the widget,
// a presenter that records what was shown and dialogs that answer for the user.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/recording_presenter.h"
#include "tracklist/edit_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"
#include "ui/clipboard.h"
#include "ui/msgbox.h"
#include "ui/text_width.h"

namespace quilmark::testing {

// Answers with the stored texts, or cancels when there are none.
struct ScriptedDialogs : EditDialogs {
  bool SelectGenre(std::string& genre) override { return Answer(genre, genreAnswer); }
  bool EditComment(CommentTexts& texts) override {
    commentGiven = texts;
    return Answer(texts, commentAnswer);
  }
  template <typename T>
  bool Answer(T& value, const std::optional<T>& answer) {
    ++runs;
    if (answer) value = *answer;
    return answer.has_value();
  }
  std::optional<std::string> genreAnswer;
  std::optional<CommentTexts> commentAnswer;
  CommentTexts commentGiven;
  int runs = 0;
};

// A selection move asks grSelectCell first; every keystroke reports
// grSetEditText, and closing reports once more after the current cell moved.
struct ScriptedView : GridViewPort {
  TrackEditor* editor = nullptr;
  int column = 0, row = 1;
  bool open = false;
  std::string text;
  int editorCommands = 0;  // undo, cut, copy, paste taken by the editor

  int CurrentColumn() const override { return column; }
  int CurrentRow() const override { return row; }
  void SetCurrentCell(int c, int r) override { column = c, row = r, block.reset(); }
  CellBlock SelectedBlock() const override { return block ? *block : CellBlock::At(column, row); }
  void SelectBlock(const CellBlock& b) override { block = b; }
  std::optional<CellBlock> block;  // more than the current cell
  bool IsEditorOpen() const override { return open; }
  void OpenEditor() override {
    if (open) return;
    open = true;
    text = editor->grGetEditText(column, row);
  }
  void CloseEditor() override {
    if (open) open = false, editor->grSetEditText(column, row, text, false);
  }
  void SetEditorText(const std::string& t) override { text = t; }
  bool EditorHasSelection() const override { return false; }
  void EditorUndo() override { ++editorCommands; }
  void EditorRedo() override { ++editorCommands; }
  void EditorCut() override { ++editorCommands; }
  void EditorCopy() override { ++editorCommands; }
  void EditorPaste() override { ++editorCommands; }

  // --- the user
  bool Click(int c, int r) {
    if (!editor->grSelectCell(c, r)) return false;
    std::swap(column, c), std::swap(row, r);
    block.reset();
    if (open) open = false, editor->grSetEditText(c, r, text, false);
    return true;
  }
  // Types the editor's whole new text, one keystroke per character.
  void Type(const std::string& newText) {
    if (!open && editor->EditingAllowed()) OpenEditor();
    if (!open) return;
    for (std::size_t n = 1; n <= newText.size(); ++n) Change(newText.substr(0, n));
  }
  void Change(const std::string& t) { editor->grSetEditText(column, row, text = t, true); }
  void Press(TrackEditor::Key key) {
    editor->grKeyDown(key);
    if (key == TrackEditor::Key::Enter) CloseEditor();
  }
};

// Files in a grid, the editor and everything it talks to.
struct EditorStage {
  explicit EditorStage(bool confirm = true) : writeConfirm(confirm) {}

  int AddFile(const std::string& file, const std::string& title = {}) {
    const int r = grid.AppendRow();
    grid.SetFieldCell(colPath, r, "/m/");
    grid.SetFieldCell(colFile, r, file);
    grid.SetFieldCell(colTitle, r, title);
    grid.SetCell(colWork, r, title.empty() ? "" : "Title=" + title);
    return r;
  }
  int Pos(Field f) const { return grid.Layout().Position(f); }
  // The rows top down as "file:cell", '*' after a changed row's, by blanks.
  std::string Listing(Field f = colTitle) const {
    std::string rows;
    for (int r = 1; r <= grid.FileRowCount(); ++r) {
      rows += (r > 1 ? " " : "") + At(colFile, r) + ":" + At(f, r);
      rows += grid.IsRowChanged(r) ? "*" : "";
    }
    return rows;
  }
  const std::string& At(Field f, int r) const { return grid.FieldCell(f, r); }
  void Select(Field f, int r) { ASSERT_TRUE(view.Click(Pos(f), r)); }
  // Types into a cell and leaves it with Enter.
  void Edit(Field f, int r, const std::string& text) {
    Select(f, r);
    view.Type(text);
    view.Press(TrackEditor::Key::Enter);
  }
  void Undo(int times = 1) {
    while (times-- > 0) editor.actEditUndoExecute();
  }
  // Selects the block from (f1, r1) to (f2, r2), the current cell at the
  // second corner, as a click and a Shift+click do.
  void SelectBlock(Field f1, int r1, Field f2, int r2) {
    Select(f1, r1);
    view.SetCurrentCell(Pos(f2), r2);
    view.block = CellBlock{std::min(Pos(f1), Pos(f2)), std::min(r1, r2), std::max(Pos(f1), Pos(f2)),
                           std::max(r1, r2)};
    editor.SelectionChanged();
  }

  bool writeConfirm;
  RecordingPresenter presenter;
  Messages messages{writeConfirm, presenter};
  MemoryClipboard clipboard;
  ScriptedDialogs dialogs;
  NullBusyIndicator busy;
  FixedTextWidth measure{6};
  UndoList undo;
  TrackGrid grid;
  ScriptedView view;
  TrackEditor editor{grid, view, messages, clipboard, dialogs, busy, measure, undo};
  bool wired = (view.editor = &editor, true);
};

}  // namespace quilmark::testing
