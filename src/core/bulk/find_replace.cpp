#include "bulk/find_replace.h"

#include "platform/text_replace.h"
#include "tracklist/track_grid.h"

namespace quilmark {

ReplacePlan PlanReplace(const TrackGrid& grid, const std::vector<int>& rows,
                        const FindReplaceOptions& options) {
  ReplacePlan plan;
  if (options.find.empty()) return plan;
  platform::TextReplacer replacer(options.find, options.replace,
                                  {options.regex, options.caseSensitive});
  if (!replacer.Error().empty()) {
    plan.error = replacer.Error();
    return plan;
  }
  std::vector<int> columns;
  for (Field field : options.fields) {
    if (field != colPath && field != colFile) columns.push_back(grid.Layout().Position(field));
  }
  for (int row : rows) {
    for (int column : columns) {
      const std::string& text = grid.Cell(column, row);
      int count = 0;
      std::string replaced = replacer.Replace(text, count);
      if (!replacer.Error().empty()) return ReplacePlan{{}, 0, replacer.Error()};
      plan.replacements += count;
      if (replaced != text) plan.changes.push_back({column, row, std::move(replaced)});
    }
  }
  return plan;
}

std::string ReplaceStatusText(int replacements) {
  if (replacements == 0) return "見つかりませんでした。";
  return std::to_string(replacements) + " 件置換しました。";
}

}  // namespace quilmark
