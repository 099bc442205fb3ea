// Small text rules shared by the desktop's files (desktop entries, the MIME
// database, mimeapps.list) and by the environment's lists of folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii.h"

namespace quilmark::platform {

// The parts between separators, empty ones included ("a::b" gives three).
std::vector<std::string> Split(std::string_view text, char separator);
std::vector<std::string> NonEmpty(std::vector<std::string> parts);
// Without blanks, tabs and CRs around it.
std::string TrimBlanks(std::string_view s);

// The lines of a small text file, a CR before each line end dropped; none
// for a file that cannot be read or is larger than any such file is.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// An environment variable's value, or `fallback` when it is unset or empty.
std::string EnvironmentOr(const char* name, std::string fallback);

}  // namespace quilmark::platform
