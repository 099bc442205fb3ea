// Japanese legacy text: Shift-JIS (code page 932) or EUC-JP, told apart by
// their byte pairs.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

struct JapaneseText {
  std::string text;
  // Every byte was part of a character, none of the user-defined area.
  bool clean = true;
};

// EUC-JP when DetectTextCode finds only EUC-JP pairs, else code page 932;
// when that reading cannot read every byte and the other one can, the
// other one. Bytes neither could read stay as raw bytes (text/raw_bytes.h).
// A NUL becomes "\0", except that code page 932 text without `escapeNul`
// ends at its first NUL (a zero-terminated string); EUC-JP escapes always.
JapaneseText DecodeJapanese(std::string_view bytes, bool escapeNul);

// Text known to be code page 932 or EUC-JP, by the same rules: the
// reading a writer means its bytes to get.
JapaneseText DecodeShiftJis(std::string_view bytes, bool escapeNul);
JapaneseText DecodeEucJp(std::string_view bytes);

}  // namespace quilmark
