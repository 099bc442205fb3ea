// Western legacy text: Windows-1252, which taggers write under the ID3
// encoding byte for ISO-8859-1 (the two differ only in 0x80..0x9F, where
// Latin-1 has control codes no title holds).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilmark {

// Every byte is a character: the five bytes Windows-1252 leaves undefined
// become the C1 controls of their value, so nothing is lost.
std::string DecodeWindows1252(std::string_view bytes);

// Each byte as the character of its value: what a writer of ISO-8859-1
// means.
std::string DecodeLatin1(std::string_view bytes);

// The text as ISO-8859-1 bytes, or nullopt when a character lies above
// U+00FF. Raw bytes (text/raw_bytes.h) are written as themselves.
std::optional<std::string> EncodeLatin1(std::string_view text);

}  // namespace quilmark
