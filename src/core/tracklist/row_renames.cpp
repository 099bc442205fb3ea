#include "tracklist/row_renames.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "platform/paths.h"
#include "platform/rename_no_replace.h"
#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

std::string RefusalReason(const platform::IoError& error) {
  if (error.Is(std::errc::file_exists)) return "同じ名前のファイルがすでにあります";
  return error.Reason();
}

}  // namespace

RowRenames RenameRowFiles(TrackGrid& grid, UndoList& undo,
                          const std::vector<RenameRecord>& renames) {
  RowRenames result;
  std::unordered_map<std::string, int> rowOf;
  for (int row = grid.RowCount() - 1; row >= 1; --row) rowOf[grid.FullPathOf(row)] = row;
  GridBatch batch(grid);
  for (const RenameRecord& rename : renames) {
    const auto it = rowOf.find(rename.from);
    if (rename.from.empty() || it == rowOf.end()) {
      result.outcomes.push_back(RenameOutcome::NotListed);
      continue;
    }
    if (const platform::IoStatus moved = platform::RenameWithoutReplacing(rename.from, rename.to);
        !moved) {
      result.outcomes.push_back(RenameOutcome::Refused);
      result.refused.push_back(
          {rename.from, kRenameRefused,
           platform::FileNamePart(rename.to) + ": " + RefusalReason(moved.Error())});
      continue;
    }
    const int row = it->second;
    rowOf.erase(it);
    rowOf[rename.to] = row;
    grid.SetRowPath(row, rename.to);
    result.outcomes.push_back(RenameOutcome::Done);
    result.done.push_back(rename);
  }
  undo.FilesRenamed(result.done);
  return result;
}

}  // namespace quilmark
