// The byte rules shared by the Japanese text codecs: reading a byte past the
// end as the zero that a zero-filled buffer would hold there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quilmark::text_bytes {

// Byte i of the text, or the zero that would follow it in a zero-filled
// buffer: the byte rules pair a lead byte at the end with that zero.
inline std::uint8_t ByteAt(std::string_view bytes, std::size_t i) {
  return i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
}

inline bool InRange(std::uint8_t c, std::uint8_t lo, std::uint8_t hi) { return c >= lo && c <= hi; }

}  // namespace quilmark::text_bytes
