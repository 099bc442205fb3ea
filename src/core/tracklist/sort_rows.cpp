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

// The start of a row's line after its first item: at least a few bytes,
// cut just after a comma, the one character at which no contraction begins
// or ends and whose weight depends on nothing around it, so that the
// primary level of this start is the start of the primary level of the
// rest of the line. The whole rest where it has no such comma.
void LineStartAfterKey(const TrackGrid& grid, int column, int row, std::string& out) {
  constexpr std::size_t kMinimum = 16;
  for (int item = 1; AppendLineItem(grid, column, row, item, out); ++item) {
    const std::size_t comma = out.find(',', kMinimum);
    if (comma != std::string::npos) {
      out.resize(comma + 1);
      return;
    }
  }
}

}  // namespace

void SortRowsByColumn(TrackGrid& grid, int column) {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  SortRowsByColumn(grid, column, collator);
}

namespace {

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
// what follows the first items: the same order, with no key compared twice
// within a run. Rows alike there (an album's tracks, say) are told apart by
// keys of a short start of the rest of their lines, and by whole lines only
// where those starts are alike too.
void SortRowsByColumn(TrackGrid& grid, int column, const platform::LocaleCollator& collator) {
  const int count = grid.FileRowCount();
  if (count == 0) return;
  const auto n = static_cast<std::size_t>(count);

  std::vector<std::string> primary(n);
  std::vector<bool> wholeLineOnly(n);
  bool anyWholeLineOnly = false;
  std::string item;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& text = grid.Cell(column, static_cast<int>(i) + 1);
    // The quoted text with its padding inside the quotes, and the comma.
    item.clear();
    AppendQuoted(item, text);
    item.pop_back();
    item.append(kKeyPadding, ' ');
    item += "\",";
    primary[i] = collator.PrimaryKey(item);
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
  auto primaryOf = [&](int row) {
    return std::string_view(primary[static_cast<std::size_t>(row - 1)]);
  };
  // Rows alike in their first items' primary levels are ordered as their
  // whole lines are: by the primary level of what follows the first item
  // (the first items add the same bytes to every line's), taken from a
  // short start of it, then by the whole lines where those starts cannot
  // decide. The starts' keys are made in the grid's order, which reads the
  // rows' memory front to back.
  std::vector<std::string> restKeys(n);
  auto sortAlike = [&](std::vector<int>::iterator first, std::vector<int>::iterator last) {
    std::sort(first, last, [&](int a, int b) {
      const std::string &p = restKeys[static_cast<std::size_t>(a - 1)],
                        &q = restKeys[static_cast<std::size_t>(b - 1)];
      const int c = std::memcmp(p.data(), q.data(), std::min(p.size(), q.size()));
      return c != 0 ? c < 0 : lineBefore(a, b);
    });
  };

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
      std::vector<std::pair<std::size_t, std::size_t>> runs;
      std::vector<bool> alike(n);
      for (std::size_t k = 0; k < n;) {
        const std::string_view p = primaryOf(order[k]);
        std::size_t end = k + 1;
        while (end < n && primaryOf(order[end]) == p)
          alike[static_cast<std::size_t>(order[end++] - 1)] = true;
        if (end - k > 1) {
          alike[static_cast<std::size_t>(order[k] - 1)] = true;
          runs.emplace_back(k, end);
        }
        k = end;
      }
      std::string rest;
      for (std::size_t i = 0; i < n; ++i) {
        if (!alike[i]) continue;
        rest.clear();
        LineStartAfterKey(grid, column, static_cast<int>(i) + 1, rest);
        restKeys[i] = collator.PrimaryKey(rest);
      }
      for (const auto& [first, last] : runs) {
        sortAlike(order.begin() + static_cast<std::ptrdiff_t>(first),
                  order.begin() + static_cast<std::ptrdiff_t>(last));
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
