// What the bytes of a tag text say about their encoding: a byte-order mark,
// else a count of Shift-JIS and EUC-JP byte pairs.
#pragma once

#include <string_view>

namespace quilmark {

enum class TextCode {
  Ascii,  // no double-byte character (or undecidable)
  ShiftJis,
  EucJp,
  Mixed,    // both kinds of pair found
  Utf16Le,  // starts with FF FE
  Utf16Be,  // starts with FE FF
};

TextCode DetectTextCode(std::string_view bytes);

}  // namespace quilmark
