#include "text/western_text.h"

#include <cstdint>

#include "text/raw_bytes.h"
#include "text/utf8.h"

namespace quilmark {

namespace {

// 0x80..0x9F; the undefined five keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) {
    const auto c = static_cast<std::uint8_t>(ch);
    AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c);
  }
  return out;
}

std::string DecodeLatin1(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) AppendUtf8(out, static_cast<std::uint8_t>(c));
  return out;
}

std::optional<std::string> EncodeLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool fits = true;
  raw_bytes::Split(
      text,
      [&](std::string_view part) {
        for (std::size_t i = 0; i < part.size() && fits; ++i) {
          const auto c = static_cast<std::uint8_t>(part[i]);
          if (c < 0x80) {
            out += static_cast<char>(c);
          } else if ((c == 0xC2 || c == 0xC3) && i + 1 < part.size()) {
            // U+0080..U+00FF: two bytes in UTF-8.
            out +=
                static_cast<char>((c & 0x03) << 6 | (static_cast<std::uint8_t>(part[++i]) & 0x3F));
          } else {
            fits = false;
          }
        }
      },
      [&](std::uint8_t byte) { out += static_cast<char>(byte); });
  if (!fits) return std::nullopt;
  return out;
}

}  // namespace quilmark
