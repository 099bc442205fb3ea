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

BulkCommands::BulkCommands(const GridSession& session, BulkDialogs& dialogs)
    : session_(session), dialogs_(dialogs) {}

bool BulkCommands::Apply(std::vector<CellChange> changes, bool checkNumbers, int& changed) {
  if (checkNumbers) {
    const std::optional<int> applied = ApplyCheckedChanges(
        session_.grid, session_.undo, session_.messages, std::move(changes), &session_.measure);
    if (!applied) return false;
    changed = *applied;
  } else {
    changed = ApplyChanges(session_.grid, session_.undo, std::move(changes), &session_.measure);
  }
  session_.editor.UpdateEditActions(session_.view.CurrentColumn());
  return true;
}

// A block chooses the columns it shows; with one cell selected the last
// choice stands (all shown columns the first time).
void BulkCommands::actEditReplaceExecute() {
  if (session_.grid.IsEmptyList() || !session_.editor.FinishEdit()) return;
  const CellBlock block = session_.view.SelectedBlock();
  FindReplaceOptions options = lastReplace_;
  if (!replacedBefore_ || !block.IsSingleCell())
    options.fields = SelectedFields(session_.grid, block);
  options.selectedRowsOnly = block.SpansRows();
  if (!dialogs_.AskFindReplace(options, block.SpansRows())) return;
  lastReplace_ = options;
  replacedBefore_ = true;
  BusyScope wait(session_.busy);
  ReplacePlan plan = PlanReplace(
      session_.grid, TargetRows(session_.grid, block, options.selectedRowsOnly), options);
  if (!plan.error.empty()) {
    session_.messages.msgbox(MSG_BAD_PATTERN, options.find + "\n" + plan.error);
    return;
  }
  int changed = 0;
  if (Apply(std::move(plan.changes), true, changed)) {
    session_.busy.SetStatusText(ReplaceStatusText(plan.replacements));
  }
}

void BulkCommands::actEditNumberTracksExecute() {
  if (session_.grid.IsEmptyList() || !session_.editor.FinishEdit()) return;
  const CellBlock block = session_.view.SelectedBlock();
  NumberingOptions options = lastNumbering_;
  options.selectedRowsOnly = block.SpansRows();
  const int selected =
      block.SpansRows() ? static_cast<int>(FileRowsOf(session_.grid, block).size()) : 0;
  if (!dialogs_.AskNumbering(options, selected, session_.grid.FileRowCount())) return;
  lastNumbering_ = options;
  const std::vector<int> rows = TargetRows(session_.grid, block, options.selectedRowsOnly);
  int changed = 0;
  if (Apply(PlanNumbering(session_.grid, rows, options), false, changed)) {
    session_.busy.SetStatusText(NumberingStatusText(static_cast<int>(rows.size())));
  }
}

void BulkCommands::Convert(platform::TextConversion conversion) {
  if (session_.grid.IsEmptyList() || !session_.editor.FinishEdit()) return;
  BusyScope wait(session_.busy);
  int changed = 0;
  if (Apply(PlanConversion(session_.grid, session_.view.SelectedBlock(), conversion), true,
            changed)) {
    session_.busy.SetStatusText(ConversionStatusText(changed));
  }
}

}  // namespace quilmark
