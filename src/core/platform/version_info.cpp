#include "platform/version_info.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <limits>

#include "platform/ascii.h"

namespace quilmark::platform {

namespace {

std::uint32_t LoadLe(std::span<const unsigned char> bytes, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | bytes[at + static_cast<std::size_t>(i)];
  return v;
}

// A file read by absolute offset, every read checked against its size.
class BoundedFile {
 public:
  explicit BoundedFile(const std::string& path) : in_(path, std::ios::binary) {
    if (!in_) return;
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    if (end < 0) return;
    size_ = static_cast<std::uint64_t>(end);
    ok_ = true;
  }
  bool Ok() const { return ok_; }
  std::uint64_t Size() const { return size_; }

  // Fills `out` with `length` bytes at `offset`; false when they are not all
  // inside the file.
  bool Read(std::uint64_t offset, std::uint64_t length, std::vector<unsigned char>& out) {
    if (!ok_ || offset > size_ || length > size_ - offset) return false;
    if (length > std::numeric_limits<std::size_t>::max()) return false;
    out.assign(static_cast<std::size_t>(length), 0);
    if (length == 0) return true;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(length));
    return static_cast<std::uint64_t>(in_.gcount()) == length;
  }

 private:
  std::ifstream in_;
  std::uint64_t size_ = 0;
  bool ok_ = false;
};

// Reads integers of either byte order from a buffer whose bounds the caller
// has checked.
struct ElfFields {
  bool bigEndian = false;
  std::uint64_t Get(const std::vector<unsigned char>& b, std::size_t at, int width) const {
    std::uint64_t v = 0;
    for (int i = 0; i < width; ++i) {
      const int index = bigEndian ? i : width - 1 - i;
      v = (v << 8) | b[at + static_cast<std::size_t>(index)];
    }
    return v;
  }
};

struct SectionHeader {
  std::uint32_t name = 0;
  std::uint32_t type = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint32_t link = 0;
};

constexpr std::uint32_t kShtNobits = 8;
constexpr std::uint64_t kShnXindex = 0xFFFF;
// More sections than this is not a program file we made.
constexpr std::uint64_t kMaxSections = 1u << 16;
constexpr std::uint64_t kMaxNameTable = 1u << 20;

}  // namespace

std::optional<VersionInfo> VersionInfo::Parse(std::span<const unsigned char> block) {
  const std::size_t headerSize = kVersionMagic.size() + 4;
  if (block.size() < headerSize) return std::nullopt;
  if (std::string_view(reinterpret_cast<const char*>(block.data()), kVersionMagic.size()) !=
      kVersionMagic) {
    return std::nullopt;
  }
  const std::uint32_t count = LoadLe(block, kVersionMagic.size(), 4);
  VersionInfo info;
  std::size_t at = headerSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (block.size() - at < 4) return std::nullopt;
    const std::size_t keyLength = LoadLe(block, at, 2);
    const std::size_t valueLength = LoadLe(block, at + 2, 2);
    at += 4;
    if (block.size() - at < keyLength + valueLength) return std::nullopt;
    const char* base = reinterpret_cast<const char*>(block.data()) + at;
    info.entries_.emplace_back(std::string(base, keyLength),
                               std::string(base + keyLength, valueLength));
    at += keyLength + valueLength;
  }
  return info;
}

std::optional<std::string> VersionInfo::Query(std::string_view path) const {
  for (const auto& [key, value] : entries_) {
    if (EqualsIgnoringAsciiCase(key, path)) return value;
  }
  return std::nullopt;
}

std::optional<std::vector<unsigned char>> ReadElfSection(const std::string& filePath,
                                                         std::string_view sectionName) {
  BoundedFile file(filePath);
  if (!file.Ok()) return std::nullopt;
  std::vector<unsigned char> ident;
  if (!file.Read(0, 16, ident)) return std::nullopt;
  if (ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F') {
    return std::nullopt;
  }
  const bool is64 = ident[4] == 2;
  if (!is64 && ident[4] != 1) return std::nullopt;
  if (ident[5] != 1 && ident[5] != 2) return std::nullopt;
  ElfFields f{ident[5] == 2};

  std::vector<unsigned char> header;
  if (!file.Read(0, is64 ? 64 : 52, header)) return std::nullopt;
  const std::uint64_t shoff = is64 ? f.Get(header, 0x28, 8) : f.Get(header, 0x20, 4);
  const std::uint64_t shentsize = f.Get(header, is64 ? 0x3A : 0x2E, 2);
  std::uint64_t shnum = f.Get(header, is64 ? 0x3C : 0x30, 2);
  std::uint64_t shstrndx = f.Get(header, is64 ? 0x3E : 0x32, 2);
  const std::uint64_t minEntry = is64 ? 64 : 40;
  if (shoff == 0 || shentsize < minEntry) return std::nullopt;

  auto readSection = [&](std::uint64_t index, SectionHeader& out) {
    std::vector<unsigned char> raw;
    if (index > kMaxSections) return false;
    if (shoff > file.Size()) return false;
    const std::uint64_t at = shoff + index * shentsize;
    if (!file.Read(at, minEntry, raw)) return false;
    out.name = static_cast<std::uint32_t>(f.Get(raw, 0, 4));
    out.type = static_cast<std::uint32_t>(f.Get(raw, 4, 4));
    out.offset = is64 ? f.Get(raw, 24, 8) : f.Get(raw, 16, 4);
    out.size = is64 ? f.Get(raw, 32, 8) : f.Get(raw, 20, 4);
    out.link = static_cast<std::uint32_t>(f.Get(raw, is64 ? 40 : 24, 4));
    return true;
  };

  // Files with very many sections keep the true counts in section 0.
  if (shnum == 0 || shstrndx == kShnXindex) {
    SectionHeader first;
    if (!readSection(0, first)) return std::nullopt;
    if (shnum == 0) shnum = first.size;
    if (shstrndx == kShnXindex) shstrndx = first.link;
  }
  if (shnum == 0 || shnum > kMaxSections || shstrndx >= shnum) return std::nullopt;
  if (shnum * shentsize > file.Size()) return std::nullopt;

  SectionHeader names;
  if (!readSection(shstrndx, names) || names.type == kShtNobits || names.size > kMaxNameTable) {
    return std::nullopt;
  }
  std::vector<unsigned char> nameTable;
  if (!file.Read(names.offset, names.size, nameTable)) return std::nullopt;

  for (std::uint64_t i = 1; i < shnum; ++i) {
    SectionHeader section;
    if (!readSection(i, section)) return std::nullopt;
    if (section.name >= nameTable.size()) continue;
    const char* start = reinterpret_cast<const char*>(nameTable.data()) + section.name;
    const std::size_t room = nameTable.size() - section.name;
    std::size_t length = 0;
    while (length < room && start[length] != '\0') ++length;
    if (length == room) continue;  // unterminated name
    if (std::string_view(start, length) != sectionName) continue;
    if (section.type == kShtNobits || section.size > kMaxVersionBlockSize) return std::nullopt;
    std::vector<unsigned char> contents;
    if (!file.Read(section.offset, section.size, contents)) return std::nullopt;
    return contents;
  }
  return std::nullopt;
}

std::optional<VersionInfo> ReadVersionInfo(const std::string& programPath) {
  const auto block = ReadElfSection(programPath, kVersionSectionName);
  if (!block) return std::nullopt;
  return VersionInfo::Parse(*block);
}

std::string OwnProgramPath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    if (buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string StringFileInfoPath(std::uint16_t language, std::uint16_t codePage,
                               std::string_view name) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "\\StringFileInfo\\%04X%04X\\", language, codePage);
  return std::string(buffer) + std::string(name);
}

VersionStrings QueryVersionStrings(const VersionInfo& info) {
  VersionStrings result;
  const auto translation = info.Query("\\VarFileInfo\\Translation");
  // Without a translation there is no language to ask for.
  if (!translation || translation->size() < 4) return result;
  const auto* t = reinterpret_cast<const unsigned char*>(translation->data());
  const auto language = static_cast<std::uint16_t>(t[0] | (t[1] << 8));
  const auto codePage = static_cast<std::uint16_t>(t[2] | (t[3] << 8));
  auto text = [&](std::string_view name) -> std::optional<std::string> {
    auto value = info.Query(StringFileInfoPath(language, codePage, name));
    if (!value) return std::nullopt;
    // Strings may carry their terminator; the label shows up to it.
    if (const auto nul = value->find('\0'); nul != std::string::npos) value->resize(nul);
    return value;
  };
  result.fileVersion = text("FileVersion");
  result.legalCopyright = text("LegalCopyright");
  return result;
}

}  // namespace quilmark::platform
