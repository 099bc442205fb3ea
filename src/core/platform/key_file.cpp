#include "platform/key_file.h"

#include <algorithm>

#include "platform/xdg_text.h"

namespace quilmark::platform {

std::optional<std::string> KeyFileValue(const std::vector<std::string>& lines,
                                        std::string_view group, std::string_view key) {
  bool inGroup = false;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      inGroup = line == "[" + std::string(group) + "]";
      continue;
    }
    if (!inGroup || line.empty() || line.front() == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (TrimBlanks(std::string_view(line).substr(0, eq)) == key) {
      return TrimBlanks(std::string_view(line).substr(eq + 1));
    }
  }
  return std::nullopt;
}

void SetKeyFileValue(std::vector<std::string>& lines, std::string_view group, std::string_view key,
                     const std::optional<std::string>& value) {
  const std::string header = "[" + std::string(group) + "]";
  auto groupStart = std::find(lines.begin(), lines.end(), header);
  if (groupStart == lines.end()) {
    if (!value) return;
    lines.insert(lines.begin(), header);
    groupStart = lines.begin();
  }
  auto it = groupStart + 1;
  for (; it != lines.end() && (it->empty() || it->front() != '['); ++it) {
    const auto eq = it->find('=');
    if (it->empty() || it->front() == '#' || eq == std::string::npos) continue;
    if (TrimBlanks(std::string_view(*it).substr(0, eq)) != key) continue;
    if (value) {
      *it = std::string(key) + "=" + *value;
    } else {
      lines.erase(it);
    }
    return;
  }
  if (!value) return;
  // Before the blank lines that close the group.
  auto insertAt = it;
  while (insertAt != groupStart + 1 && (insertAt - 1)->empty()) --insertAt;
  lines.insert(insertAt, std::string(key) + "=" + *value);
}

std::string UnescapeString(std::string_view raw) {
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\' || i + 1 == raw.size()) {
      out += raw[i];
      continue;
    }
    switch (raw[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += raw[i];
        break;
    }
  }
  return out;
}

std::string EscapeString(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

std::vector<std::string> ListValue(const std::optional<std::string>& raw) {
  return raw ? NonEmpty(Split(*raw, ';')) : std::vector<std::string>{};
}

std::string JoinList(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += item + ";";
  return out;
}

}  // namespace quilmark::platform
