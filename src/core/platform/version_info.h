// The program's version block and its reader.
//
// The build places the block, an array of bytes, in an ELF section of the
// executable (kVersionSectionName). Layout, all numbers little-endian:
//   "QMKVER01"                      8-byte magic
//   u32 count                       number of entries
//   count × { u16 keyLength, u16 valueLength, key bytes, value bytes }
// Keys are the query paths of the version information
// ("\VarFileInfo\Translation", "\StringFileInfo\041103A4\FileVersion", ...);
// values are raw bytes (the translation is one u32: language in the low
// half, code page in the high half; strings are UTF-8).
//
// The builder below is constexpr, so the writer (a generated source file) and
// the reader share one definition of the layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark::platform {

inline constexpr std::string_view kVersionSectionName = ".quilmark_version";
inline constexpr std::string_view kVersionMagic = "QMKVER01";
// No block is larger than this; a section claiming more is not ours.
inline constexpr std::size_t kMaxVersionBlockSize = 64 * 1024;

struct VersionEntry {
  std::string_view key;
  std::string_view value;
};

constexpr std::size_t VersionBlockSize(std::span<const VersionEntry> entries) {
  std::size_t size = kVersionMagic.size() + 4;
  for (const VersionEntry& e : entries) size += 4 + e.key.size() + e.value.size();
  return size;
}

template <std::size_t N>
constexpr std::array<unsigned char, N> BuildVersionBlock(std::span<const VersionEntry> entries) {
  std::array<unsigned char, N> block{};
  std::size_t at = 0;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) block[at++] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
  };
  for (char c : kVersionMagic) block[at++] = static_cast<unsigned char>(c);
  put(static_cast<std::uint32_t>(entries.size()), 4);
  for (const VersionEntry& e : entries) {
    put(static_cast<std::uint32_t>(e.key.size()), 2);
    put(static_cast<std::uint32_t>(e.value.size()), 2);
    for (char c : e.key) block[at++] = static_cast<unsigned char>(c);
    for (char c : e.value) block[at++] = static_cast<unsigned char>(c);
  }
  return block;
}

// The four bytes of a translation entry.
constexpr std::array<char, 4> TranslationBytes(std::uint16_t language, std::uint16_t codePage) {
  return {static_cast<char>(language & 0xFF), static_cast<char>(language >> 8),
          static_cast<char>(codePage & 0xFF), static_cast<char>(codePage >> 8)};
}

class VersionInfo {
 public:
  // nullopt when `block` is not a well-formed version block.
  static std::optional<VersionInfo> Parse(std::span<const unsigned char> block);

  // The value stored under a query path (letter case ignored, as the
  // system's own query does), or nullopt.
  std::optional<std::string> Query(std::string_view path) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// The bytes of a named section of an ELF file, or nullopt when the file is
// not a readable ELF file or has no such section. Every offset and size read
// from the file is checked against the file before it is used.
std::optional<std::vector<unsigned char>> ReadElfSection(const std::string& filePath,
                                                         std::string_view sectionName);

// The version block of a program file; nullopt when it has none.
std::optional<VersionInfo> ReadVersionInfo(const std::string& programPath);

// The running program's own file ("/proc/self/exe" resolved).
std::string OwnProgramPath();

// What the version dialog shows: the file version and copyright strings of
// the block's first translation. Each is nullopt when the block lacks it;
// both are when there is no translation entry to form the query paths with.
struct VersionStrings {
  std::optional<std::string> fileVersion;
  std::optional<std::string> legalCopyright;
};
VersionStrings QueryVersionStrings(const VersionInfo& info);

// "\StringFileInfo\%04X%04X\<name>".
std::string StringFileInfoPath(std::uint16_t language, std::uint16_t codePage,
                               std::string_view name);

}  // namespace quilmark::platform
