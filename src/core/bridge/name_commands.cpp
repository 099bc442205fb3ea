#include "bridge/name_commands.h"

#include <algorithm>

#include "bridge/name_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/row_renames.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "ui/busy_indicator.h"
#include "ui/msgbox.h"

namespace quilmark {

NameCommands::NameCommands(TrackEditor& editor, TrackGrid& grid, GridViewPort& view, UndoList& undo,
                           Messages& messages, NameDialogs& dialogs, BusyIndicator& busy,
                           const TextWidth& measure)
    : editor_(editor),
      grid_(grid),
      view_(view),
      undo_(undo),
      messages_(messages),
      dialogs_(dialogs),
      busy_(busy),
      measure_(measure) {}

void NameCommands::actToolTagsFromNamesExecute() {
  if (grid_.IsEmptyList() || !editor_.FinishEdit()) return;
  const std::vector<int> rows = FileRowsOf(grid_, view_.SelectedBlock());
  std::string pattern = tagsPattern_;
  const auto preview = [&](const std::string& p) {
    return PreviewOf(grid_, PlanTagsFromNames(grid_, rows, p));
  };
  if (!dialogs_.AskNamePattern(PatternUse::TagsFromNames, pattern, preview)) return;
  tagsPattern_ = pattern;
  BusyScope wait(busy_);
  const TagsFromNamesPlan plan = PlanTagsFromNames(grid_, rows, pattern);
  if (!plan.error.empty()) {
    messages_.Notice(plan.error);
    return;
  }
  ApplyChanges(grid_, undo_, plan.changes);
  for (Field f : plan.fields) grid_.FitColumnWidth(grid_.Layout().Position(f), measure_);
  const auto changed = std::count_if(plan.rows.begin(), plan.rows.end(), [](const auto& row) {
    return row.status == NameRowStatus::Changes;
  });
  busy_.SetStatusText(std::to_string(changed) + " 行のタグをファイル名から設定しました");
  editor_.UpdateEditActions(view_.CurrentColumn());
}

void NameCommands::actToolNamesFromTagsExecute() {
  if (grid_.IsEmptyList() || !editor_.FinishEdit()) return;
  const std::vector<int> rows = FileRowsOf(grid_, view_.SelectedBlock());
  std::string pattern = namesPattern_;
  const auto preview = [&](const std::string& p) { return PreviewOf(PlanRenames(grid_, rows, p)); };
  if (!dialogs_.AskNamePattern(PatternUse::NamesFromTags, pattern, preview)) return;
  namesPattern_ = pattern;
  RowRenames renamed;
  {
    BusyScope wait(busy_);
    // Planned again: the folder may have changed while the dialog was open.
    const RenamePlan plan = PlanRenames(grid_, rows, pattern);
    if (!plan.error.empty()) {
      messages_.Notice(plan.error);
      return;
    }
    UndoStepScope step(undo_);
    renamed = RenameRowFiles(grid_, undo_, plan.renames);
    for (const RenameRecord& done : renamed.done) undo_.Push(done);
  }
  grid_.FitColumnWidth(grid_.Layout().Position(colFile), measure_);
  busy_.SetStatusText(std::to_string(renamed.done.size()) + " 個のファイル名を変更しました");
  for (const std::string& text : GroupedReportTexts(renamed.refused)) messages_.Notice(text);
  editor_.UpdateEditActions(view_.CurrentColumn());
}

}  // namespace quilmark
