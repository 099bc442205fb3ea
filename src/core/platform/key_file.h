// Key files: desktop entries and mimeapps.list, groups of "key=value"
// lines under "[Group]" headers, with '#' comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark::platform {

inline constexpr std::string_view kDesktopEntryGroup = "Desktop Entry";

// The value of `key` in `group`, raw (not unescaped): the first line of the
// group whose name before '=' is the key (blanks around name and value
// trimmed); comments and lines without '=' are passed over.
std::optional<std::string> KeyFileValue(const std::vector<std::string>& lines,
                                        std::string_view group, std::string_view key);

// Replaces (or adds, or with nullopt removes) `key` in `group`, leaving every
// other line as it was. A new key goes before the blank lines that close its
// group; a missing group is added first in the file.
void SetKeyFileValue(std::vector<std::string>& lines, std::string_view group, std::string_view key,
                     const std::optional<std::string>& value);

// The string escapes \s \n \t \r and \\; any other backslash stays as it is.
std::string UnescapeString(std::string_view raw);
// Backslash, line feed, tab and CR escaped (a blank needs none).
std::string EscapeString(std::string_view text);

// A list value: items ended by ';', empty items dropped.
std::vector<std::string> ListValue(const std::optional<std::string>& raw);
std::string JoinList(const std::vector<std::string>& items);

}  // namespace quilmark::platform
