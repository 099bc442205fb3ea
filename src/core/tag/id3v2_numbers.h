// The byte orders of ID3v2 numbers: plain big-endian (v2.2/v2.3 frame sizes,
// flags) and synchsafe, 7 bits a byte (tag sizes, v2.4 frame sizes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quilmark {

inline std::uint32_t ReadBigEndian(std::string_view bytes) {
  std::uint32_t n = 0;
  for (char c : bytes) n = (n << 8) | static_cast<unsigned char>(c);
  return n;
}

// The high bit of each byte is masked off.
inline std::uint32_t ReadSynchsafe(std::string_view bytes) {
  std::uint32_t n = 0;
  for (char c : bytes) n = (n << 7) | (static_cast<unsigned char>(c) & 0x7F);
  return n;
}

inline void AppendBigEndian(std::string& out, std::uint32_t n, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
}

inline void AppendSynchsafe(std::string& out, std::uint32_t n) {
  for (int shift : {21, 14, 7, 0}) out.push_back(static_cast<char>((n >> shift) & 0x7F));
}

}  // namespace quilmark
