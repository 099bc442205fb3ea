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

NameCommands::NameCommands(const GridSession& session, NameDialogs& dialogs)
    : session_(session), dialogs_(dialogs) {}

void NameCommands::actToolTagsFromNamesExecute() {
  if (session_.grid.IsEmptyList() || !session_.editor.FinishEdit()) return;
  const std::vector<int> rows = FileRowsOf(session_.grid, session_.view.SelectedBlock());
  std::string pattern = tagsPattern_;
  const auto preview = [&](const std::string& p) {
    return PreviewOf(session_.grid, PlanTagsFromNames(session_.grid, rows, p));
  };
  if (!dialogs_.AskNamePattern(PatternUse::TagsFromNames, pattern, preview)) return;
  tagsPattern_ = pattern;
  BusyScope wait(session_.busy);
  const TagsFromNamesPlan plan = PlanTagsFromNames(session_.grid, rows, pattern);
  if (!plan.error.empty()) {
    session_.messages.Notice(plan.error);
    return;
  }
  ApplyChanges(session_.grid, session_.undo, plan.changes);
  for (Field f : plan.fields)
    session_.grid.FitColumnWidth(session_.grid.Layout().Position(f), session_.measure);
  const auto changed = std::count_if(plan.rows.begin(), plan.rows.end(), [](const auto& row) {
    return row.status == NameRowStatus::Changes;
  });
  session_.busy.SetStatusText(std::to_string(changed) + " 行のタグをファイル名から設定しました");
  session_.editor.UpdateEditActions(session_.view.CurrentColumn());
}

void NameCommands::actToolNamesFromTagsExecute() {
  if (session_.grid.IsEmptyList() || !session_.editor.FinishEdit()) return;
  const std::vector<int> rows = FileRowsOf(session_.grid, session_.view.SelectedBlock());
  std::string pattern = namesPattern_;
  const auto preview = [&](const std::string& p) {
    return PreviewOf(PlanRenames(session_.grid, rows, p));
  };
  if (!dialogs_.AskNamePattern(PatternUse::NamesFromTags, pattern, preview)) return;
  namesPattern_ = pattern;
  RowRenames renamed;
  {
    BusyScope wait(session_.busy);
    // Planned again: the folder may have changed while the dialog was open.
    const RenamePlan plan = PlanRenames(session_.grid, rows, pattern);
    if (!plan.error.empty()) {
      session_.messages.Notice(plan.error);
      return;
    }
    UndoStepScope step(session_.undo);
    renamed = RenameRowFiles(session_.grid, session_.undo, plan.renames);
    for (const RenameRecord& done : renamed.done) session_.undo.Push(done);
  }
  session_.grid.FitColumnWidth(session_.grid.Layout().Position(colFile), session_.measure);
  session_.busy.SetStatusText(std::to_string(renamed.done.size()) +
                              " 個のファイル名を変更しました");
  for (const std::string& text : GroupedReportTexts(renamed.refused))
    session_.messages.Notice(text);
  session_.editor.UpdateEditActions(session_.view.CurrentColumn());
}

}  // namespace quilmark
