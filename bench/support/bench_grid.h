// A large track list to run commands on, and the editor over it without a
// window: a view whose current cell and block the benchmark sets, no
// questions asked, no dialogs. Also the cost of filling a list.
#pragma once

#include <string>
#include <vector>

#include "support/bench_files.h"
#include "tracklist/edit_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"
#include "ui/clipboard.h"
#include "ui/msgbox.h"
#include "ui/text_width.h"

namespace quilmark::bench {

// CPU seconds of the best of `runs` adds of `names` to a fresh list, no
// questions asked. Ends the program when not `expected` files were added or
// anything was to be told: the benchmark would have measured something else.
double AddSeconds(const std::vector<std::string>& names, int expected, int runs);

// `rows` rows of made-up tags (nearly distinct titles, repeating albums and
// artists, Japanese among them), the same for the same seed.
TrackGrid MakeGrid(int rows, unsigned seed);

class NullView : public GridViewPort {
 public:
  int column = 9, row = 1;
  CellBlock block = CellBlock::At(9, 1);
  int CurrentColumn() const override { return column; }
  int CurrentRow() const override { return row; }
  void SetCurrentCell(int c, int r) override { column = c, row = r, block = CellBlock::At(c, r); }
  CellBlock SelectedBlock() const override { return block; }
  void SelectBlock(const CellBlock& b) override { block = b; }
  bool IsEditorOpen() const override { return false; }
  void OpenEditor() override {}
  void CloseEditor() override {}
  void SetEditorText(const std::string&) override {}
  bool EditorHasSelection() const override { return false; }
  void EditorUndo() override {}
  void EditorRedo() override {}
  void EditorCut() override {}
  void EditorCopy() override {}
  void EditorPaste() override {}
};

class NoDialogs : public EditDialogs {
 public:
  bool SelectGenre(std::string&) override { return false; }
  bool EditComment(CommentTexts&) override { return false; }
};

// A grid and the editor over it, questions off.
struct EditorRig {
  explicit EditorRig(TrackGrid g) : grid(std::move(g)) {}
  TrackGrid grid;
  bool questions = false;
  SilentPresenter presenter;
  Messages messages{questions, presenter};
  MemoryClipboard clipboard;
  NoDialogs dialogs;
  NullBusyIndicator busy;
  FixedTextWidth measure;
  UndoList undo;
  NullView view;
  TrackEditor editor{grid, view, messages, clipboard, dialogs, busy, measure, undo};
};

}  // namespace quilmark::bench
