#include "tag/tag_values.h"

#include <algorithm>

#include "text/comma_text.h"

namespace quilmark {
namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

}  // namespace

void TagValues::Set(std::string_view key, std::string_view value) {
  auto it = std::find_if(lines_.begin(), lines_.end(),
                         [&](const auto& line) { return SameName(line.first, key); });
  if (value.empty()) {
    if (it != lines_.end()) lines_.erase(it);
    return;
  }
  if (it != lines_.end()) {
    it->second.assign(value);
  } else {
    lines_.emplace_back(std::string(key), std::string(value));
  }
}

std::string TagValues::Get(std::string_view key) const {
  for (const auto& [name, value] : lines_) {
    if (SameName(name, key)) return value;
  }
  return {};
}

// Item by item into one string: a list of items first would cost a string
// for each, for every file read.
std::string TagValues::ToCommaText() const {
  std::string text, item;
  for (const auto& [name, value] : lines_) {
    if (!text.empty()) text += ',';
    item.assign(name).append(1, '=').append(value);
    AppendCommaItem(text, item);
  }
  return text;
}

// The text normally comes from ToCommaText. Items that a TagValues could not
// hold (no "=", an empty name or value, a name already seen) are dropped, so
// the result keeps the list's rules whatever the text was.
TagValues TagValues::FromCommaText(std::string_view text) {
  TagValues values;
  for (const std::string& item : SplitCommaText(text)) {
    const std::size_t eq = item.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == item.size()) continue;
    const std::string_view name = std::string_view(item).substr(0, eq);
    if (!values.Get(name).empty()) continue;
    values.lines_.emplace_back(std::string(name), item.substr(eq + 1));
  }
  return values;
}

}  // namespace quilmark
