// Bytes that no decoding could read, carried in the program's UTF-8 text as
// the private-use characters platform::kRawByteBase + byte. A value the
// user did not touch thus goes back into its file as it came, and survives
// undo, sorting, the clipboard and CSV files on the way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "text/utf8.h"

namespace quilmark::raw_bytes {

// The four UTF-8 bytes of kRawByteBase + b are F3 B0 (80 | b >> 6) (80 | b & 3F).
inline constexpr std::size_t kLength = 4;

inline void Append(std::string& text, std::uint8_t byte) {
  AppendUtf8(text, platform::kRawByteBase + byte);
}

// The byte whose character starts at `i`, if one does.
inline std::optional<std::uint8_t> At(std::string_view text, std::size_t i) {
  if (text.size() - i < kLength || text[i] != '\xF3' || text[i + 1] != '\xB0') return std::nullopt;
  const auto hi = static_cast<std::uint8_t>(text[i + 2]),
             lo = static_cast<std::uint8_t>(text[i + 3]);
  if ((hi != 0x82 && hi != 0x83) || (lo & 0xC0) != 0x80) return std::nullopt;
  return static_cast<std::uint8_t>((hi & 0x3F) << 6 | (lo & 0x3F));
}

// Calls onText for each run of ordinary text and onByte for each raw byte,
// in order.
template <typename OnText, typename OnByte>
void Split(std::string_view text, OnText onText, OnByte onByte) {
  std::size_t start = 0, i = 0;
  while ((i = text.find('\xF3', i)) != std::string_view::npos) {
    if (const std::optional<std::uint8_t> byte = At(text, i)) {
      if (i > start) onText(text.substr(start, i - start));
      onByte(*byte);
      i += kLength;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) onText(text.substr(start));
}

}  // namespace quilmark::raw_bytes
