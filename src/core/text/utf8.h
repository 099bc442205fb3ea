// Well-formed UTF-8: no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quilmark {

// Where the first byte that breaks the form is; npos when none does.
std::size_t IllFormedUtf8At(std::string_view bytes);

inline bool IsWellFormedUtf8(std::string_view bytes) {
  return IllFormedUtf8At(bytes) == std::string_view::npos;
}

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace quilmark
