#include "tracklist/sort_rows.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "platform/collation.h"
#include "text/comma_text.h"
#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

constexpr std::size_t kKeyPadding = 32;

}  // namespace

std::string SortLine(const TrackGrid& grid, int column, int row) {
  const TrackGrid::Row& cells = grid.RowCells(row);
  std::string line = QuoteAlways(grid.Cell(column, row) + std::string(kKeyPadding, ' '));
  for (const std::string& cell : cells) {
    line += ',';
    line += QuoteCommaItem(cell);
  }
  return line;
}

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
// column's text, its padding, the quotes and the comma) and its whole-line
// key is computed only when needed:
// - two rows whose first items differ at the primary level are ordered by
//   that difference, as the whole lines are, since the primary level of a
//   line is the primary level of its first item followed by that of the
//   rest;
// - rows whose first items are equal at the primary level (or where one's
//   is a prefix of the other's) are ordered by their whole-line keys,
//   computed once per row on first use.
// The comparisons are then byte comparisons: O(n log n) in all, with at
// most one whole-line key per row.
void SortRowsByColumn(TrackGrid& grid, int column, const platform::LocaleCollator& collator) {
  const int count = grid.FileRowCount();
  if (count == 0) return;
  const auto n = static_cast<std::size_t>(count);

  std::vector<std::string> itemKeys(n);
  std::vector<std::string_view> primary(n);
  std::vector<bool> wholeLineOnly(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& text = grid.Cell(column, static_cast<int>(i) + 1);
    itemKeys[i] = collator.SortKey(QuoteAlways(text + std::string(kKeyPadding, ' ')) + ",");
    primary[i] = PrimaryPart(itemKeys[i]);
    wholeLineOnly[i] = HasLongSymbolRun(text);
  }

  std::vector<std::string> lineKeys(n);
  std::vector<bool> haveLineKey(n, false);
  auto lineKey = [&](std::size_t i) -> const std::string& {
    if (!haveLineKey[i]) {
      lineKeys[i] = collator.SortKey(SortLine(grid, column, static_cast<int>(i) + 1));
      haveLineKey[i] = true;
    }
    return lineKeys[i];
  };

  auto before = [&](int a, int b) {
    const auto i = static_cast<std::size_t>(a - 1), j = static_cast<std::size_t>(b - 1);
    if (!wholeLineOnly[i] && !wholeLineOnly[j]) {
      const std::string_view p = primary[i], q = primary[j];
      const int c = std::memcmp(p.data(), q.data(), std::min(p.size(), q.size()));
      if (c != 0) return c < 0;
    }
    return lineKey(i) < lineKey(j);
  };

  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 1);
  std::sort(order.begin(), order.end(), before);
  grid.ReorderRows(order);
}

}  // namespace quilmark
