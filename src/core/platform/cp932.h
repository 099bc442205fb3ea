// Conversions between the program's UTF-8 text and Windows code page 932
// (Shift-JIS with the NEC and IBM extensions), the encoding that tags,
// playlists and CSV files written on Japanese Windows carry.
//
// The table is the Windows one: a character that Windows cannot write in
// code page 932 (U+301C WAVE DASH, U+2016, U+2212, U+00A5 among them) is
// unmappable here too, so files come out as Windows programs write them.
#pragma once

#include <string>
#include <string_view>

namespace quilmark::platform {

// Written in place of a character that code page 932 cannot hold.
inline constexpr char kCp932Replacement = '?';

// A byte that no decoding could read is kept in the text as the character
// kRawByteBase + byte (private use, plane 15), so that a write can put it
// back as it came. Code page 932 has no form for these characters.
inline constexpr char32_t kRawByteBase = 0xF0000;

// What decoding makes of bytes that are no character of code page 932.
enum class Undecodable {
  Replace,    // U+FFFD
  KeepBytes,  // each byte as its raw-byte character (bytes below 0x80 as themselves)
};

// Decodes code page 932 bytes; a NUL byte stays a NUL character. `clean`,
// when given, tells whether every byte was part of a character, and none
// of the user-defined area (which no text from elsewhere uses).
std::string Cp932ToUtf8(std::string_view cp932, Undecodable undecodable = Undecodable::Replace,
                        bool* clean = nullptr);

// Encodes UTF-8 text as code page 932. Characters without a CP932 form
// become kCp932Replacement; `lossless`, when given, tells whether none did
// and the bytes decode back to the same text.
std::string Utf8ToCp932(std::string_view utf8, bool* lossless = nullptr);

// UTF-8 <-> UTF-16 without loss (ill-formed input becomes U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace quilmark::platform
