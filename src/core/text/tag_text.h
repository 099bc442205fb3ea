// Tag text between the program's UTF-8 and the bytes in a file.
//
// Reading works out the encoding from the bytes: a byte-order mark makes
// UTF-16; other text is legacy text, read as its tag's LegacyReading says.
// Writing encodes as the Charset says. A NUL inside a text is held as the
// two characters "\0" (the NUL escape); bytes no decoding could read are
// held as raw bytes (text/raw_bytes.h) and written back as they came. Byte
// rules that concern Shift-JIS work on the code page 932 form of the text,
// so files come out as Windows writes them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/charset.h"
#include "text/legacy_reading.h"

namespace quilmark {

// Bytes of a tag text to UTF-8. UTF-16 (with its mark) converts without
// loss; legacy text as `legacy` says (Japanese: see DecodeJapanese). NULs
// become "\0": always for EUC-JP and UTF-16, for the others only when
// `escapeNul` is set (a NUL then ends nothing). Without the flag they are
// read as a zero-terminated string and end at their first NUL.
std::string DecodeTagText(std::string_view bytes, bool escapeNul,
                          LegacyReading legacy = LegacyReading::Japanese);

// UTF-8 text to the bytes of `charset`: CP932 bytes, EUC-JP bytes, a
// byte-order mark and UTF-16 units, or UTF-8. No terminator. Raw bytes go
// back as themselves into Shift-JIS and EUC-JP and as the Latin-1 character
// of their value into UTF-16 and UTF-8 (the ID3 meaning of a legacy byte). A character
// `charset` has no form for becomes "?", and `exact`, when given, tells
// whether none did.
std::string EncodeTagText(std::string_view text, Charset charset, bool* exact = nullptr);

// Bytes written in `charset`, read as their writer means them (no
// detection): the text a reader has to give back for the write to count.
std::string DecodeTagTextAs(std::string_view bytes, Charset charset, bool escapeNul);

// True for the charsets that write legacy text (encoding byte 0).
constexpr bool IsLegacyCharset(Charset charset) {
  return charset == Charset::ShiftJis || charset == Charset::EucJp;
}

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
