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

// Decodes code page 932 bytes. A byte sequence that is not valid CP932
// becomes U+FFFD; a NUL byte stays a NUL character.
std::string Cp932ToUtf8(std::string_view cp932);

// Encodes UTF-8 text as code page 932. Characters without a CP932 form
// become kCp932Replacement; `lossless`, when given, tells whether none did.
std::string Utf8ToCp932(std::string_view utf8, bool* lossless = nullptr);

// True when every character of the text has a code page 932 form.
bool IsCp932Representable(std::string_view utf8);

// UTF-8 <-> UTF-16 without loss (ill-formed input becomes U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace quilmark::platform
