// Tag text between the program's UTF-8 and the bytes in a file.
//
// Reading works out the encoding from the bytes alone (a byte-order mark,
// else a count of Shift-JIS and EUC-JP byte pairs); writing encodes as the
// Charset setting says. A NUL inside a text is held as the two characters
// "\0" (the NUL escape). Byte rules that concern Shift-JIS work on the
// code page 932 form of the text, so files come out as Windows writes them.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

// What DetectTextCode found.
enum TextCode : int {
  kTextAscii = 0,      // no double-byte character (or undecidable)
  kTextSjis = 1,
  kTextEuc = 2,
  kTextMixed = -1,     // both kinds of pair found
  kTextUtf16Le = 4,    // starts with FF FE
  kTextUtf16Be = 5,    // starts with FE FF
};

// Charset setting values.
enum Charset : int { kCharsetSjis = 0, kCharsetEuc = 1, kCharsetUtf16Le = 2, kCharsetUtf16Be = 3 };

TextCode DetectTextCode(std::string_view bytes);

// Bytes of a tag text to UTF-8. UTF-16 (with its mark) converts without
// loss; EUC-JP goes through its Shift-JIS form; anything else is taken as
// code page 932. NULs become "\0": always for EUC-JP and UTF-16, for
// Shift-JIS only when `escapeNul` is set (a NUL then ends nothing). Without
// the flag a Shift-JIS text is read as a zero-terminated string and ends at
// its first NUL.
std::string DecodeTagText(std::string_view bytes, bool escapeNul);

// UTF-8 text to the bytes of `charset` (an out-of-range value counts as
// Shift-JIS): CP932 bytes, EUC-JP bytes, or a byte-order mark and UTF-16
// units (FF FE little-endian for 2, FE FF big-endian for 3). No terminator.
std::string EncodeTagText(std::string_view text, int charset);

// The byte-level conversions between Shift-JIS and EUC-JP.
std::string SjisToEuc(std::string_view sjis);
std::string EucToSjis(std::string_view euc);  // NULs come out as "\0"
std::string EscapeNul(std::string_view bytes);

// Line ends: every CR LF, lone CR and lone LF becomes CR LF / CRs removed.
std::string ToCrLf(std::string_view text);
std::string ToLf(std::string_view text);

// The byte length of the text's code page 932 form (the length the tag
// arithmetic counts in).
std::size_t Cp932Length(std::string_view text);

// Cuts text to fit an ID3v1 field of `maxBytes` in `charset`, without
// splitting a double-byte character or a UTF-16 surrogate pair; returns the
// encoded bytes (at most maxBytes of them, the byte-order mark included).
std::string FitV1Text(std::string_view text, std::size_t maxBytes, int charset);

}  // namespace quilmark
