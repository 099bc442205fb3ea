// Letter case of ASCII text, the rule that names in files and formats use
// (extensions, MIME types, version keys, CSV headers); other bytes, those
// of multi-byte characters included, are compared as they are.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace quilmark::platform {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline std::string AsciiLowerCase(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace quilmark::platform
