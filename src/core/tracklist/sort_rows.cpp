#include "tracklist/sort_rows.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/collation.h"
#include "text/comma_text.h"
#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

constexpr std::size_t kKeyPadding = 32;

// Item `item` of a row's sort line, with the comma before it: 0 is the sort
// key, 1..32 the cells. False past the last.
bool AppendLineItem(const TrackGrid& grid, int column, int row, int item, std::string& out) {
  if (item == 0) {
    AppendQuoted(out, grid.Cell(column, row) + std::string(kKeyPadding, ' '));
    return true;
  }
  if (item > kColumnCount) return false;
  out += ',';
  AppendCommaItem(out, grid.RowCells(row)[static_cast<std::size_t>(item - 1)]);
  return true;
}

}  // namespace

void SortRowsByColumn(TrackGrid& grid, int column) {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  SortRowsByColumn(grid, column, collator);
}

namespace {

// The primary level of a collation key: the bytes before the first level
// separator (0x01), which never occurs inside a primary weight.
std::string_view PrimaryPart(std::string_view key) {
  return key.substr(0, std::min(key.find('\x01'), key.size()));
}

// A key text holding a long run of non-alphanumerics (32 or more, such as
// spaces, ideographic spaces or ignorable characters) could make one row's
// key look like the start of another's at the primary level; such rows are
// always compared by their whole lines.
bool HasLongSymbolRun(std::string_view text) {
  std::size_t run = 0;
  for (char ch : text) {
    const bool alnum =
        (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    run = alnum ? 0 : run + 1;
    if (run >= kKeyPadding) return true;
  }
  return false;
}

}  // namespace

// The order is that of comparing whole row lines. Computing a collation key
// of every whole line costs several times more than keys of the sort
// column alone, so each row gets the key of its line's first item (the
// column's text, its padding, the quotes and the comma), and whole lines
// are compared only where those keys cannot decide:
// - two rows whose first items differ at the primary level are ordered by
//   that difference, as the whole lines are, since the primary level of a
//   line is the primary level of its first item followed by that of the
//   rest;
// - rows whose first items are equal at the primary level (or where one's
//   is a prefix of the other's) are ordered by comparing their whole lines.
//   Such rows usually share the column's text and differ soon after it, so
//   each line is converted item by item only as far as a comparison reads
//   it, where a key of the line would have covered all of it.
// Where no first item's primary level is a prefix of another's (a text
// would need a long run of blanks or symbols for that), the rows are first
// sorted by those primary levels alone and then each run of equal ones by
// the whole lines: the same order, with no key compared twice within a run.
void SortRowsByColumn(TrackGrid& grid, int column, const platform::LocaleCollator& collator) {
  const int count = grid.FileRowCount();
  if (count == 0) return;
  const auto n = static_cast<std::size_t>(count);

  std::vector<std::string> itemKeys(n);
  std::vector<std::string_view> primary(n);
  std::vector<bool> wholeLineOnly(n);
  bool anyWholeLineOnly = false;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& text = grid.Cell(column, static_cast<int>(i) + 1);
    itemKeys[i] = collator.SortKey(QuoteAlways(text + std::string(kKeyPadding, ' ')) + ",");
    primary[i] = PrimaryPart(itemKeys[i]);
    wholeLineOnly[i] = HasLongSymbolRun(text);
    anyWholeLineOnly = anyWholeLineOnly || wholeLineOnly[i];
  }

  // Each row's line, item by item.
  std::vector<std::optional<platform::LocaleCollator::LazyText>> lines(n);
  auto line = [&](int row) -> platform::LocaleCollator::LazyText& {
    auto& text = lines[static_cast<std::size_t>(row - 1)];
    if (!text) {
      text.emplace([&grid, column, row](std::size_t item, std::string& piece) {
        return AppendLineItem(grid, column, row, static_cast<int>(item), piece);
      });
    }
    return *text;
  };
  // Items the two rows have alike are passed over unconverted: the
  // comparison starts at the comma before the first that differs.
  auto lineBefore = [&](int a, int b) {
    std::size_t same = 0;
    if (grid.Cell(column, a) == grid.Cell(column, b)) {
      const TrackGrid::Row &x = grid.RowCells(a), &y = grid.RowCells(b);
      same = 1;
      while (same <= x.size() && x[same - 1] == y[same - 1]) ++same;
    }
    return collator.Compare(line(a), line(b), same) < 0;
  };
  auto primaryOf = [&](int row) { return primary[static_cast<std::size_t>(row - 1)]; };

  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 1);
  if (!anyWholeLineOnly) {
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return primaryOf(a) < primaryOf(b); });
    bool prefixes = false;
    for (std::size_t k = 0; k + 1 < n && !prefixes; ++k) {
      const std::string_view p = primaryOf(order[k]), q = primaryOf(order[k + 1]);
      prefixes = p.size() < q.size() && q.starts_with(p);
    }
    if (!prefixes) {
      for (auto run = order.begin(); run != order.end();) {
        const std::string_view p = primaryOf(*run);
        const auto end =
            std::find_if(run + 1, order.end(), [&](int row) { return primaryOf(row) != p; });
        std::sort(run, end, lineBefore);
        run = end;
      }
      grid.ReorderRows(order);
      return;
    }
  }

  auto before = [&](int a, int b) {
    if (!wholeLineOnly[static_cast<std::size_t>(a - 1)] &&
        !wholeLineOnly[static_cast<std::size_t>(b - 1)]) {
      const std::string_view p = primaryOf(a), q = primaryOf(b);
      const int c = std::memcmp(p.data(), q.data(), std::min(p.size(), q.size()));
      if (c != 0) return c < 0;
    }
    return lineBefore(a, b);
  };
  std::sort(order.begin(), order.end(), before);
  grid.ReorderRows(order);
}

}  // namespace quilmark
