#include "tracklist/track_editor.h"

#include "tag/tag_values.h"
#include "tracklist/block_clipboard.h"
#include "tracklist/cell_rules.h"
#include "tracklist/edit_commands.h"
#include "tracklist/edit_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/sort_rows.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"
#include "ui/clipboard.h"
#include "ui/msgbox.h"

namespace quilmark {

namespace {

// The files of the rows, one per line; a long list ends with how many more.
std::string NameRows(const TrackGrid& grid, const std::vector<int>& rows) {
  constexpr std::size_t kNamed = 10;
  std::string names;
  for (std::size_t i = 0; i < rows.size() && i < kNamed; ++i) {
    if (i > 0) names += '\n';
    names += grid.FullPathOf(rows[i]);
  }
  if (rows.size() > kNamed) names += "\nほか " + std::to_string(rows.size() - kNamed) + " ファイル";
  return names;
}

}  // namespace

TrackEditor::TrackEditor(TrackGrid& grid, GridViewPort& view, Messages& messages,
                         Clipboard& clipboard, EditDialogs& dialogs, BusyIndicator& busy,
                         const TextWidth& measure, UndoList& undo)
    : grid_(grid),
      view_(view),
      messages_(messages),
      clipboard_(clipboard),
      dialogs_(dialogs),
      busy_(busy),
      measure_(measure),
      undo_(undo) {}

bool TrackEditor::CurrentCell(int& column, int& row) const {
  column = view_.CurrentColumn();
  row = view_.CurrentRow();
  return column >= 0 && column < kColumnCount && row >= 1 && row < grid_.RowCount();
}

// --- grid events

bool TrackEditor::HeldCellMayBeLeft() const {
  if (!held_) return true;
  return IsCellValueValid(grid_, held_->column, held_->row) ||
         grid_.Cell(held_->column, held_->row) == held_->textBefore;
}

void TrackEditor::ReturnToHeldCell() {
  if (view_.CurrentColumn() != held_->column || view_.CurrentRow() != held_->row) {
    view_.SetCurrentCell(held_->column, held_->row);
  }
  view_.OpenEditor();
}

void TrackEditor::AllowEditingAt(int column, int row) {
  editingAllowed_ = IsCellTypable(grid_, column, row);
  view_.SetEditingAllowed(editingAllowed_);
  UpdateEditActions(column);
}

// Each attempt to leave checks the edited cell again, so correcting the
// text (or Escape back to a valid one) lets the user move on.
bool TrackEditor::grSelectCell(int column, int row) {
  if (!HeldCellMayBeLeft()) {
    ReturnToHeldCell();
    return false;
  }
  held_.reset();
  if (column < kFixedColumnCount || column >= kColumnCount || row < 1 || row >= grid_.RowCount() ||
      !grid_.Layout().ColumnVisible[column]) {
    return false;
  }
  AllowEditingAt(column, row);
  return true;
}

std::string TrackEditor::grGetEditMask(int column, int row) const {
  return std::string(EditMaskFor(grid_.Layout(), column));
}

std::string TrackEditor::grGetEditText(int column, int row) {
  editOldText_ = grid_.Cell(column, row);
  return editOldText_;
}

// The closing call may come after the grid moved its current cell on; the
// check and the record therefore address (column, row), the cell that was
// edited, so a user's edit is never left unrecorded and unmarked.
void TrackEditor::grSetEditText(int column, int row, const std::string& text, bool editorOpen) {
  if (!IsCellTypable(grid_, column, row)) return;
  const std::string oldText = editOldText_;  // reopening the editor replaces it
  if (!held_ || held_->column != column || held_->row != row) {
    held_ = HeldCell{column, row, oldText};
  }
  grid_.SetCell(column, row, text);
  if (editorOpen) {
    StoreEditInWork(column, row, false);
    return;
  }
  const bool changed = grid_.Cell(column, row) != oldText;
  StoreEditInWork(column, row, changed);
  if (changed) {
    RecordChange(grid_, undo_, column, row, oldText);
    grid_.MarkRowChanged(row);
    UpdateEditActions(view_.CurrentColumn());
  }
  if (HeldCellMayBeLeft()) {
    held_.reset();
  } else if (view_.CurrentColumn() != column || view_.CurrentRow() != row) {
    ReturnToHeldCell();
  }
}

// The finished edit's value under its colWork key; colWork is rewritten on
// every call, changed or not, as the document has always done.
void TrackEditor::StoreEditInWork(int column, int row, bool changed) {
  TagValues work = TagValues::FromCommaText(grid_.Cell(colWork, row));
  if (changed) {
    const std::string_view key = EditKeyFor(grid_.Layout(), column);
    if (!key.empty()) work.Set(key, grid_.Cell(column, row));
  }
  grid_.SetCell(colWork, row, work.ToCommaText());
}

bool TrackEditor::FinishEdit() {
  if (!HeldCellMayBeLeft()) {
    ReturnToHeldCell();
    return false;
  }
  if (view_.IsEditorOpen()) view_.CloseEditor();
  held_.reset();
  return true;
}

// --- column layout

void TrackEditor::KeepCurrentCellShown() {
  const int row = view_.CurrentRow();
  const std::optional<int> shown = grid_.Layout().NearestShownPosition(view_.CurrentColumn());
  if (shown && *shown != view_.CurrentColumn()) view_.SetCurrentCell(*shown, row);
  AllowEditingAt(view_.CurrentColumn(), row);
}

bool TrackEditor::MoveColumn(int from, int to) {
  if (!FinishEdit()) return false;
  const std::optional<Field> current = grid_.Layout().FieldAt(view_.CurrentColumn());
  if (!grid_.MoveColumn(from, to)) return false;
  if (current) view_.SetCurrentCell(grid_.Layout().Position(*current), view_.CurrentRow());
  KeepCurrentCellShown();
  return true;
}

bool TrackEditor::ShowColumn(int position, bool visible) {
  if (!FinishEdit()) return false;
  grid_.SetColumnVisible(position, visible, measure_);
  KeepCurrentCellShown();
  return true;
}

bool TrackEditor::actShowHideColExecute() { return ShowColumn(view_.CurrentColumn(), false); }

bool TrackEditor::SetTagColumnsVisible(bool visible) {
  if (!FinishEdit()) return false;
  grid_.SetTagColumnsVisible(visible, measure_);
  KeepCurrentCellShown();
  return true;
}

void TrackEditor::grKeyDown(Key key) {
  if (view_.IsEditorOpen()) {
    if (key == Key::Escape) {
      int c = 0, r = 0;
      if (CurrentCell(c, r) && IsCellTypable(grid_, c, r)) {
        grid_.SetCell(c, r, editOldText_);
        view_.SetEditorText(editOldText_);
      }
      view_.CloseEditor();
    }
    if (view_.IsEditorOpen()) {
      ApplyEditorSelection(actions_, view_.EditorHasSelection());
      view_.EditActionsChanged(actions_);
    }
    return;
  }
  if (key == Key::Enter) grDblClick();
}

void TrackEditor::grDblClick() {
  switch (ClassOfColumn(grid_.Layout(), view_.CurrentColumn())) {
    case CellClass::GenreDialog:
      actEditGenreExecute();
      break;
    case CellClass::CommentDialog:
      actEditv2CommentExecute();
      break;
    default:
      break;
  }
}

void TrackEditor::UpdateEditActions(int column) {
  CellBlock selection = view_.SelectedBlock();
  if (!selection.Contains(column, view_.CurrentRow())) {
    selection = CellBlock::At(column, view_.CurrentRow());
  }
  actions_ = ComputeEditActions(grid_, selection, !undo_.Empty(), undo_.CanRedo(),
                                clipboard_.Text().has_value());
  view_.EditActionsChanged(actions_);
}

void TrackEditor::SelectionChanged() { UpdateEditActions(view_.CurrentColumn()); }

std::optional<CellBlock> TrackEditor::SelectedBlock() const {
  const CellBlock block = view_.SelectedBlock();
  if (block.IsSingleCell()) return std::nullopt;
  return block;
}

// --- dialogs

void TrackEditor::FitColumn(int column) { grid_.FitColumnWidth(column, measure_); }

// The genre cell is addressed through the layout, not the current column,
// so that the undo record always names the cell that changed.
void TrackEditor::actEditGenreExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !IsFileRow(grid_, r)) return;
  const int g = grid_.Layout().Position(colGenre);
  BusyScope wait(busy_);
  std::string genre = grid_.Cell(g, r);
  if (!dialogs_.SelectGenre(genre)) return;
  editOldText_ = grid_.Cell(g, r);
  grid_.SetCell(g, r, std::move(genre));
  FitColumn(g);
  RecordChange(grid_, undo_, g, r, editOldText_);
  grid_.MarkRowChanged(r);
}

void TrackEditor::actEditv2CommentExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !IsFileRow(grid_, r)) return;
  const int k = grid_.Layout().Position(colComment);
  BusyScope wait(busy_);
  CommentTexts texts{grid_.Cell(colCommentLang, r), grid_.Cell(k, r),
                     grid_.Cell(colCommentLong, r)};
  if (!dialogs_.EditComment(texts)) return;
  editOldText_ = grid_.Cell(k, r);
  grid_.SetCell(colCommentLang, r, std::move(texts.language));
  grid_.SetCell(k, r, std::move(texts.description));
  grid_.SetCell(colCommentLong, r, std::move(texts.longText));
  FitColumn(k);
  RecordChange(grid_, undo_, k, r, editOldText_);
  grid_.MarkRowChanged(r);
}

// --- commands

// A file the system would not rename back (or again) is named with why;
// its rename stays where it was, to be tried again.
void TrackEditor::TellRefused(const StepResult& result) {
  for (const std::string& text : GroupedReportTexts(result.refused)) messages_.Notice(text);
}

// The enabled states follow at once, so that Redo is there right after
// an Undo (and Undo after a command) without moving the selection first.
void TrackEditor::actEditUndoExecute() {
  if (view_.IsEditorOpen()) {
    view_.EditorUndo();
    return;
  }
  TellRefused(UndoLastChange(grid_, undo_));
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::actEditRedoExecute() {
  if (view_.IsEditorOpen()) {
    view_.EditorRedo();
    return;
  }
  TellRefused(RedoLastChange(grid_, undo_));
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::actEditSelectAllExecute() {
  if (!FinishEdit()) return;
  view_.SelectBlock(WholeList(grid_));
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::actEditFillSelectionExecute() {
  UndoStepScope step(undo_);
  if (!FinishEdit()) return;
  int c = 0, r = 0;
  const std::optional<CellBlock> block = SelectedBlock();
  if (CurrentCell(c, r) && block && block->SpansRows()) {
    FillColumn(grid_, undo_, c, r, FileRowsOf(grid_, *block));
  }
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::actEditCopyExecute() {
  if (view_.IsEditorOpen()) {
    view_.EditorCopy();
    return;
  }
  int c = 0, r = 0;
  if (const std::optional<CellBlock> block = SelectedBlock()) {
    clipboard_.SetText(BlockText(grid_, *block));
  } else if (CurrentCell(c, r)) {
    clipboard_.SetText(grid_.Cell(c, r));
  }
}

void TrackEditor::actEditCutExecute() {
  int c = 0, r = 0;
  const bool hasCell = CurrentCell(c, r);
  const std::optional<CellBlock> block = SelectedBlock();
  if (view_.IsEditorOpen()) {
    view_.EditorCut();
  } else if (block) {
    if (FinishEdit()) {
      clipboard_.SetText(BlockText(grid_, *block));
      ApplyChanges(grid_, undo_, PlanClear(grid_, *block));
    }
  } else if (hasCell && IsChangeableCell(grid_, c, r) && FinishEdit()) {
    clipboard_.SetText(grid_.Cell(c, r));
    editOldText_ = grid_.Cell(c, r);
    ChangeCell(grid_, undo_, c, r, std::string());
  }
  if (hasCell) UpdateEditActions(c);
}

void TrackEditor::actEditPasteExecute() {
  if (view_.IsEditorOpen()) {
    view_.EditorPaste();
    return;
  }
  const std::optional<std::string> text = clipboard_.Text();
  if (!text) {
    messages_.msgbox(MSG_CANNOT_PASTE);
    return;
  }
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !FinishEdit()) return;
  if (const std::optional<CellBlock> block = SelectedBlock()) {
    ApplyCheckedChanges(grid_, undo_, messages_, PlanPaste(grid_, *block, *text), &measure_);
  } else if (IsChangeableCell(grid_, c, r)) {
    editOldText_ = grid_.Cell(c, r);
    ChangeCell(grid_, undo_, c, r, *text);
  }
  UpdateEditActions(c);
}

void TrackEditor::actEditDeleteCellExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !FinishEdit()) return;
  if (const std::optional<CellBlock> block = SelectedBlock()) {
    ApplyChanges(grid_, undo_, PlanClear(grid_, *block));
  } else {
    ChangeCell(grid_, undo_, c, r, std::string());
  }
  UpdateEditActions(c);
}

void TrackEditor::actEditColFillExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !FinishEdit()) return;
  const std::optional<CellBlock> block = SelectedBlock();
  FillColumn(grid_, undo_, c, r,
             block && block->SpansRows() ? FileRowsOf(grid_, *block) : std::vector<int>{});
  UpdateEditActions(c);
}

// After rows went away the view's current row may lie past the end.
void TrackEditor::KeepCurrentRowInList() {
  const int last = grid_.RowCount() - 1;
  if (view_.CurrentRow() > last) view_.SetCurrentCell(view_.CurrentColumn(), last);
}

void TrackEditor::actEditDeleteRowExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !IsFileRow(grid_, r) || !FinishEdit()) return;
  if (messages_.msgbox(MSG_CONFIRM_DELETE_ROW, grid_.FullPathOf(r)) == IDOK) {
    grid_.RemoveRow(r);
    KeepCurrentRowInList();
  }
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::actEditClearExecute() {
  if (!FinishEdit() || messages_.msgbox(MSG_CONFIRM_CLEAR_LIST) != IDOK) return;
  grid_.ClearRows();
  grid_.FitColumnWidth(-1, measure_);
  KeepCurrentRowInList();
  UpdateEditActions(view_.CurrentColumn());
}

void TrackEditor::tagerasertn(int row) { EraseRowTags(grid_, row); }

// Several selected rows are asked about once, named one per line.
void TrackEditor::actEditEraseTagExecute() {
  int c = 0, r = 0;
  if (!CurrentCell(c, r) || !IsFileRow(grid_, r) || !FinishEdit()) return;
  const std::optional<CellBlock> block = SelectedBlock();
  if (!block || !block->SpansRows()) {
    if (messages_.msgbox(MSG_CONFIRM_ERASE_TAG, grid_.FullPathOf(r)) == IDOK) tagerasertn(r);
    return;
  }
  const std::vector<int> rows = FileRowsOf(grid_, *block);
  if (messages_.msgbox(MSG_CONFIRM_ERASE_SELECTED_TAGS, NameRows(grid_, rows)) != IDOK) return;
  GridBatch batch(grid_);
  for (int row : rows) tagerasertn(row);
}

// With an empty list there is no tag to clear, so there is nothing to ask.
void TrackEditor::actEditEraseTagAllExecute() {
  if (grid_.IsEmptyList() || !FinishEdit()) return;
  if (messages_.msgbox(MSG_CONFIRM_ERASE_ALL_TAGS) != IDOK) return;
  for (int i = 1; i < grid_.RowCount(); ++i) tagerasertn(i);
}

void TrackEditor::actEditSortExecute() {
  const int c = view_.CurrentColumn();
  if (c < 0 || c >= kColumnCount || !FinishEdit()) return;
  SortRowsByColumn(grid_, c);
}

void TrackEditor::actEditUndoHiddenExecute() {
  if (view_.IsEditorOpen()) view_.EditorUndo();
}
void TrackEditor::actEditCutHiddenExecute() {
  if (view_.IsEditorOpen()) view_.EditorCut();
}
void TrackEditor::actEditCopyHiddenExecute() {
  if (view_.IsEditorOpen()) view_.EditorCopy();
}
void TrackEditor::actEditPasteHiddenExecute() {
  if (view_.IsEditorOpen()) view_.EditorPaste();
}

}  // namespace quilmark
