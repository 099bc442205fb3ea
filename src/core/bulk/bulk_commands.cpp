#include "bulk/bulk_commands.h"

#include "bulk/bulk_dialogs.h"
#include "bulk/convert_cells.h"
#include "bulk/target_cells.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "ui/busy_indicator.h"
#include "ui/msgbox.h"

namespace quilmark {

BulkCommands::BulkCommands(TrackEditor& editor, TrackGrid& grid, GridViewPort& view, UndoList& undo,
                           Messages& messages, BulkDialogs& dialogs, BusyIndicator& busy,
                           const TextWidth& measure)
    : editor_(editor),
      grid_(grid),
      view_(view),
      undo_(undo),
      messages_(messages),
      dialogs_(dialogs),
      busy_(busy),
      measure_(measure) {}

bool BulkCommands::Apply(std::vector<CellChange> changes, bool checkNumbers, int& changed) {
  if (checkNumbers) {
    const std::optional<int> applied =
        ApplyCheckedChanges(grid_, undo_, messages_, std::move(changes), &measure_);
    if (!applied) return false;
    changed = *applied;
  } else {
    changed = ApplyChanges(grid_, undo_, std::move(changes), &measure_);
  }
  editor_.UpdateEditActions(view_.CurrentColumn());
  return true;
}

// A block chooses the columns it shows; with one cell selected the last
// choice stands (all shown columns the first time).
void BulkCommands::actEditReplaceExecute() {
  if (grid_.IsEmptyList() || !editor_.FinishEdit()) return;
  const CellBlock block = view_.SelectedBlock();
  FindReplaceOptions options = lastReplace_;
  if (!replacedBefore_ || !block.IsSingleCell()) options.fields = SelectedFields(grid_, block);
  options.selectedRowsOnly = block.SpansRows();
  if (!dialogs_.AskFindReplace(options, block.SpansRows())) return;
  lastReplace_ = options;
  replacedBefore_ = true;
  BusyScope wait(busy_);
  ReplacePlan plan =
      PlanReplace(grid_, TargetRows(grid_, block, options.selectedRowsOnly), options);
  if (!plan.error.empty()) {
    messages_.msgbox(MSG_BAD_PATTERN, options.find + "\n" + plan.error);
    return;
  }
  int changed = 0;
  if (Apply(std::move(plan.changes), true, changed)) {
    busy_.SetStatusText(ReplaceStatusText(plan.replacements));
  }
}

void BulkCommands::actEditNumberTracksExecute() {
  if (grid_.IsEmptyList() || !editor_.FinishEdit()) return;
  const CellBlock block = view_.SelectedBlock();
  NumberingOptions options = lastNumbering_;
  options.selectedRowsOnly = block.SpansRows();
  const int selected = block.SpansRows() ? static_cast<int>(FileRowsOf(grid_, block).size()) : 0;
  if (!dialogs_.AskNumbering(options, selected, grid_.FileRowCount())) return;
  lastNumbering_ = options;
  const std::vector<int> rows = TargetRows(grid_, block, options.selectedRowsOnly);
  int changed = 0;
  if (Apply(PlanNumbering(grid_, rows, options), false, changed)) {
    busy_.SetStatusText(NumberingStatusText(static_cast<int>(rows.size())));
  }
}

void BulkCommands::Convert(platform::TextConversion conversion) {
  if (grid_.IsEmptyList() || !editor_.FinishEdit()) return;
  BusyScope wait(busy_);
  int changed = 0;
  if (Apply(PlanConversion(grid_, view_.SelectedBlock(), conversion), true, changed)) {
    busy_.SetStatusText(ConversionStatusText(changed));
  }
}

}  // namespace quilmark
