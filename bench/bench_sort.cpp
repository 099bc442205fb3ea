// Sorting 100,000 rows by the title column, against sorting the same key
// strings alone with the same collator (keys computed once per row). Also
// times fill column and clear list at 50,000 and 100,000 rows, which must
// grow linearly.
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

}  // namespace

int main() {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  const TrackGrid original = bench::MakeGrid(kRows, 42);
  const int column = original.Layout().Position(colTitle);

  // Baseline: the key strings alone, keys computed once, indices sorted.
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
  // Best of three, alternating, so a busy machine disturbs both alike.
  double baseline = 1e9, whole = 1e9;
  for (int i = 0; i < 3; ++i) {
    baseline = std::min(baseline, baselineRun());
    whole = std::min(whole, sortRun());
  }
  // Sorting by album: every row ties with the other tracks of its album,
  // so the rest of the row decides within each album.
  double byAlbum = 0;
  {
    TrackGrid grid = original;
    bench::Stopwatch watch;
    SortRowsByColumn(grid, grid.Layout().Position(colAlbum), collator);
    byAlbum = watch.Seconds();
  }

  std::printf("rows %d\n", kRows);
  std::printf("sort by title: %.3f s\n", whole);
  std::printf("baseline (key strings alone): %.3f s\n", baseline);
  std::printf("sort by album (many equal keys): %.3f s\n", byAlbum);

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
  std::printf("ratio %.2f\n", whole / baseline);
  return 0;
}
