// Sorting 100,000 rows by the title column (nearly every title differs) and
// by the album column (each album holds some 250 rows, so the rest of the
// row decides within it), each against sorting the column's key strings
// alone with the same collator (keys computed once per row). The ratio is
// the worse of the two. Also times fill column and clear list at 50,000 and
// 100,000 rows, which must grow linearly.
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "platform/collation.h"
#include "support/bench_grid.h"
#include "tracklist/sort_rows.h"

using namespace quilmark;

namespace {

constexpr int kRows = 100000;

struct CommandTimes {
  double fill = 0, clear = 0;
};

CommandTimes TimeCommands(int rows) {
  bench::EditorRig rig(bench::MakeGrid(rows, 7));
  rig.view.SetCurrentCell(rig.grid.Layout().Position(colAlbum), rows / 2);
  TrackEditor& editor = rig.editor;
  CommandTimes t;
  {
    bench::Stopwatch watch;
    editor.actEditColFillExecute();
    t.fill = watch.Seconds();
  }
  {
    bench::Stopwatch watch;
    editor.actEditClearExecute();
    t.clear = watch.Seconds();
  }
  return t;
}

struct SortTimes {
  double sort = 1e9, baseline = 1e9;
  double Ratio() const { return sort / baseline; }
};

// Best of three, alternating, so a busy machine disturbs both alike.
SortTimes TimeSort(const TrackGrid& original, Field field,
                   const platform::LocaleCollator& collator) {
  const int column = original.Layout().Position(field);
  auto baselineRun = [&] {
    bench::Stopwatch watch;
    std::vector<std::string> keys;
    keys.reserve(kRows);
    for (int r = 1; r <= kRows; ++r) {
      keys.push_back(collator.SortKey(original.Cell(column, r) + std::string(32, ' ')));
    }
    std::vector<int> order(kRows);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    return watch.Seconds();
  };
  auto sortRun = [&] {
    TrackGrid grid = original;
    bench::Stopwatch watch;
    SortRowsByColumn(grid, column, collator);
    return watch.Seconds();
  };
  SortTimes t;
  for (int i = 0; i < 3; ++i) {
    t.baseline = std::min(t.baseline, baselineRun());
    t.sort = std::min(t.sort, sortRun());
  }
  return t;
}

}  // namespace

int main() {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  const TrackGrid original = bench::MakeGrid(kRows, 42);
  const SortTimes byTitle = TimeSort(original, colTitle, collator);
  const SortTimes byAlbum = TimeSort(original, colAlbum, collator);

  std::printf("rows %d\n", kRows);
  std::printf("sort by title: %.3f s, its keys alone: %.3f s (%.2fx)\n", byTitle.sort,
              byTitle.baseline, byTitle.Ratio());
  std::printf("sort by album (many equal keys): %.3f s, its keys alone: %.3f s (%.2fx)\n",
              byAlbum.sort, byAlbum.baseline, byAlbum.Ratio());

  CommandTimes half{1e9, 1e9}, full{1e9, 1e9};
  for (int i = 0; i < 3; ++i) {
    const CommandTimes h = TimeCommands(kRows / 2), f = TimeCommands(kRows);
    half = {std::min(half.fill, h.fill), std::min(half.clear, h.clear)};
    full = {std::min(full.fill, f.fill), std::min(full.clear, f.clear)};
  }
  std::printf("fill column %d rows: %.4f s, %d rows: %.4f s (x%.2f)\n", kRows / 2, half.fill, kRows,
              full.fill, full.fill / half.fill);
  std::printf("clear list %d rows: %.4f s, %d rows: %.4f s (x%.2f)\n", kRows / 2, half.clear, kRows,
              full.clear, full.clear / half.clear);
  std::printf("ratio %.2f\n", std::max(byTitle.Ratio(), byAlbum.Ratio()));
  return 0;
}
