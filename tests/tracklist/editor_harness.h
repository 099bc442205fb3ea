// A window-less stage for TrackEditor: a scripted grid view that calls the
// editor back the way the grid widget does, a message presenter that
// records what was shown, an in-memory clipboard and dialogs that answer
// for the user.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "messages/busy_indicator.h"
#include "messages/msgbox.h"
#include "settings/settings.h"
#include "tag/tag_values.h"
#include "tracklist/clipboard.h"
#include "tracklist/edit_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/text_width.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"

namespace quilmark::testing {

class RecordingPresenter : public MessagePresenter {
 public:
  int Show(const std::string& text, const std::string&, unsigned) override {
    shown.push_back(text);
    return answer;
  }
  std::vector<std::string> shown;
  int answer = IDOK;
};

class ScriptedDialogs : public EditDialogs {
 public:
  bool SelectGenre(std::string& genre) override {
    ++genreRuns;
    genreGiven = genre;
    if (!genreAnswer) return false;
    genre = *genreAnswer;
    return true;
  }
  bool EditComment(CommentTexts& texts) override {
    ++commentRuns;
    commentGiven = texts;
    if (!commentAnswer) return false;
    texts = *commentAnswer;
    return true;
  }
  std::optional<std::string> genreAnswer;
  std::optional<CommentTexts> commentAnswer;
  std::string genreGiven;
  CommentTexts commentGiven;
  int genreRuns = 0, commentRuns = 0;
};

class CountingBusy : public BusyIndicator {
 public:
  void SetBusy(bool busy) override {
    if (busy) ++shown;
    isBusy = busy;
  }
  void SetStatusText(const std::string&) override {}
  int shown = 0;
  bool isBusy = false;
};

// Plays the grid widget: selection moves ask grSelectCell first, the editor
// opens through grGetEditMask / grGetEditText, every keystroke reports
// grSetEditText, and closing reports once more after the current cell moved.
class ScriptedView : public GridViewPort {
 public:
  TrackEditor* editor = nullptr;
  int column = 0, row = 1;
  bool open = false;
  std::string text;
  std::string mask;
  int editorOpenCount = 0;
  bool selection = false;
  EditActions lastActions;
  int editorUndos = 0, editorCuts = 0, editorCopies = 0, editorPastes = 0;

  int CurrentColumn() const override { return column; }
  int CurrentRow() const override { return row; }
  void SetCurrentCell(int c, int r) override {
    column = c;
    row = r;
  }
  bool IsEditorOpen() const override { return open; }
  void OpenEditor() override {
    if (open) return;
    open = true;
    ++editorOpenCount;
    mask = editor->grGetEditMask(column, row);
    text = editor->grGetEditText(column, row);
  }
  void CloseEditor() override {
    if (!open) return;
    open = false;
    editor->grSetEditText(column, row, text, false);
  }
  void SetEditorText(const std::string& t) override { text = t; }
  bool EditorHasSelection() const override { return selection; }
  void EditorUndo() override { ++editorUndos; }
  void EditorCut() override { ++editorCuts; }
  void EditorCopy() override { ++editorCopies; }
  void EditorPaste() override { ++editorPastes; }
  void EditActionsChanged(const EditActions& a) override { lastActions = a; }

  // --- the user
  bool Click(int c, int r) {
    if (!editor->grSelectCell(c, r)) return false;
    const int oldColumn = column, oldRow = row;
    column = c;
    row = r;
    if (open) {
      open = false;
      editor->grSetEditText(oldColumn, oldRow, text, false);
    }
    return true;
  }
  // Opens the editor as typing or F2 does; false where typing is not allowed.
  bool BeginEdit() {
    if (!editor->EditingAllowed()) return false;
    OpenEditor();
    return true;
  }
  // Types the editor's whole new text, one keystroke per character, as the
  // widget reports each change.
  void Type(const std::string& newText) {
    if (!open && !BeginEdit()) return;
    for (std::size_t n = 1; n <= newText.size(); ++n) Change(newText.substr(0, n));
    if (newText.empty()) Change("");
  }
  void Change(const std::string& t) {
    text = t;
    editor->grSetEditText(column, row, text, true);
  }
  void PressEnter() {
    editor->grKeyDown(TrackEditor::Key::Enter);
    if (open) CloseEditor();
  }
  void PressEscape() { editor->grKeyDown(TrackEditor::Key::Escape); }
};

// A grid of files with tag texts, the editor and everything it talks to.
struct EditorStage {
  explicit EditorStage(bool writeConfirm = true) { settings.WriteConfirm = writeConfirm; }

  // Adds a file row: path, file and a title; other fields by SetField.
  int AddFile(const std::string& path, const std::string& file, const std::string& title = {}) {
    const int r = grid.AppendRow();
    grid.SetFieldCell(colPath, r, path);
    grid.SetFieldCell(colFile, r, file);
    grid.SetFieldCell(colTitle, r, title);
    TagValues work;
    work.Set("Title", title);
    grid.SetCell(colWork, r, work.ToCommaText());
    return r;
  }
  int Pos(Field f) const { return grid.Layout().Position(f); }
  const std::string& Field_(Field f, int r) const { return grid.FieldCell(f, r); }
  void Select(Field f, int r) { ASSERT_TRUE(view.Click(Pos(f), r)); }
  std::string WorkValue(int r, const std::string& key) const {
    return TagValues::FromCommaText(grid.Cell(colWork, r)).Get(key);
  }

  Settings settings;
  RecordingPresenter presenter;
  Messages messages{settings, presenter};
  MemoryClipboard clipboard;
  ScriptedDialogs dialogs;
  CountingBusy busy;
  FixedTextWidth measure{6};
  UndoList undo;
  TrackGrid grid;
  ScriptedView view;
  TrackEditor editor{grid, view, messages, clipboard, dialogs, busy, measure, undo};

  EditorStage(const EditorStage&) = delete;
  EditorStage& operator=(const EditorStage&) = delete;

 private:
  struct Wire {
    Wire(ScriptedView& v, TrackEditor& e) { v.editor = &e; }
  } wire_{view, editor};
};

}  // namespace quilmark::testing
