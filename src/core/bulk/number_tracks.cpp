#include "bulk/number_tracks.h"

#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

std::string Padded(int n, int digits) {
  std::string text = std::to_string(n);
  if (n >= 0 && static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

}  // namespace

std::string TrackNumberText(int n, int last, const NumberingOptions& options) {
  std::string text = Padded(n, options.digits);
  if (options.withTotal) text += "/" + Padded(last, options.digits);
  return text;
}

std::vector<CellChange> PlanNumbering(const TrackGrid& grid, const std::vector<int>& rows,
                                      const NumberingOptions& options) {
  std::vector<CellChange> changes;
  const int column = grid.Layout().Position(colNo);
  const int last = options.start + static_cast<int>(rows.size()) - 1;
  int n = options.start;
  for (int row : rows) changes.push_back({column, row, TrackNumberText(n++, last, options)});
  return changes;
}

std::string NumberingStatusText(int rows) {
  return std::to_string(rows) + " 行に番号を付けました。";
}

}  // namespace quilmark
