// Tag text between the program's UTF-8 and the bytes in a file.
//
// Reading works out the encoding from the bytes alone (see DetectTextCode);
// writing encodes as the Charset says. A NUL inside a text is held as the
// two characters "\0" (the NUL escape). Byte rules that concern Shift-JIS
// work on the code page 932 form of the text, so files come out as Windows
// writes them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/charset.h"

namespace quilmark {

// Bytes of a tag text to UTF-8. UTF-16 (with its mark) converts without
// loss; EUC-JP goes through its Shift-JIS form; anything else is taken as
// code page 932. NULs become "\0": always for EUC-JP and UTF-16, for
// Shift-JIS only when `escapeNul` is set (a NUL then ends nothing). Without
// the flag a Shift-JIS text is read as a zero-terminated string and ends at
// its first NUL.
std::string DecodeTagText(std::string_view bytes, bool escapeNul);

// UTF-8 text to the bytes of `charset`: CP932 bytes, EUC-JP bytes, or a
// byte-order mark and UTF-16 units. No terminator.
std::string EncodeTagText(std::string_view text, Charset charset);

// Every NUL byte as the two characters "\0".
std::string EscapeNul(std::string_view bytes);

// The byte length of the text's code page 932 form (the length the tag
// arithmetic counts in).
std::size_t Cp932Length(std::string_view text);

// Cuts text to fit an ID3v1 field of `maxBytes` in `charset`, without
// splitting a double-byte character or a UTF-16 surrogate pair; returns the
// encoded bytes (at most maxBytes of them, the byte-order mark included).
std::string FitV1Text(std::string_view text, std::size_t maxBytes, Charset charset);

}  // namespace quilmark
