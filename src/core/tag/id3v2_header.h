// The ten bytes that open an ID3v2 tag: "ID3", version, flags and the size
// of what follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quilmark {

inline constexpr std::size_t kId3v2HeaderSize = 10;
// The largest size the four 7-bit size bytes can hold.
inline constexpr std::uint32_t kMaxId3v2Size = 0x0FFFFFFF;

// Header flags.
inline constexpr int kId3v2Unsynchronisation = 0x80;
inline constexpr int kId3v2ExtendedHeader = 0x40;  // versions 2.3 and 2.4
inline constexpr int kId3v22Compressed = 0x40;     // version 2.2
inline constexpr int kId3v2Footer = 0x10;          // version 2.4

struct Id3v2Header {
  int major = 0;
  int revision = 0;
  int flags = 0;
  // Bytes after the header. The four size bytes are weighted by 2^21, 2^14,
  // 2^7 and 1 but taken whole: a byte with its high bit set (which a sound
  // writer never produces) adds its full value rather than being masked.
  std::uint32_t size = 0;
};

// nullopt unless `bytes` holds at least ten bytes beginning with "ID3".
std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes);

// A header for `major` with revision and flags 0; `size` must not exceed
// kMaxId3v2Size.
std::string RenderId3v2Header(int major, std::uint32_t size);

}  // namespace quilmark
