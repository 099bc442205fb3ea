#include "tracklist/undo_list.h"

#include <charconv>

#include "text/comma_text.h"

namespace quilmark {

namespace {

// The value of a "name=value" item when its name is `name` (exact case:
// the records are only ever written here).
std::optional<std::string_view> ValueOf(std::string_view item, std::string_view name) {
  if (item.size() <= name.size() || item.substr(0, name.size()) != name ||
      item[name.size()] != '=') {
    return std::nullopt;
  }
  return item.substr(name.size() + 1);
}

std::optional<int> ParseIndex(std::string_view digits) {
  int value = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (ec != std::errc() || ptr != end || digits.empty() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

void UndoList::Push(std::string_view oldText, int column, int row) {
  items_.push_back(Encode(UndoRecord{std::string(oldText), column, row}));
}

std::optional<UndoRecord> UndoList::Last() const {
  if (items_.empty()) return std::nullopt;
  return Decode(items_.back());
}

void UndoList::PopLast() {
  if (!items_.empty()) items_.pop_back();
}

std::string UndoList::Encode(const UndoRecord& record) {
  return JoinCommaText({"Text=" + record.text, "Col=" + std::to_string(record.column),
                        "Row=" + std::to_string(record.row)});
}

std::optional<UndoRecord> UndoList::Decode(std::string_view item) {
  const std::vector<std::string> parts = SplitCommaText(item);
  if (parts.size() != 3) return std::nullopt;
  const auto text = ValueOf(parts[0], "Text");
  const auto col = ValueOf(parts[1], "Col");
  const auto row = ValueOf(parts[2], "Row");
  if (!text || !col || !row) return std::nullopt;
  const auto column = ParseIndex(*col);
  const auto rowIndex = ParseIndex(*row);
  if (!column || !rowIndex) return std::nullopt;
  return UndoRecord{std::string(*text), *column, *rowIndex};
}

}  // namespace quilmark
