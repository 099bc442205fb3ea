// The version block read back from a block and from ELF files, without
// trusting anything the file says.
#include "platform/version_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

constexpr auto kJapanese = TranslationBytes(0x0411, 0x03A4);
constexpr VersionEntry kEntries[] = {
    {"\\VarFileInfo\\Translation", {kJapanese.data(), kJapanese.size()}},
    {"\\StringFileInfo\\041103A4\\FileVersion", "2.5.1"},
    {"\\StringFileInfo\\041103A4\\LegalCopyright", std::string_view("(C) QUIL\0pad", 12)},
};
constexpr auto kBlock = BuildVersionBlock<VersionBlockSize(kEntries)>(kEntries);
const std::string kBlockText(reinterpret_cast<const char*>(kBlock.data()), kBlock.size());

TEST(VersionBlock, StringsComeFromTheFirstTranslationOnly) {
  const auto info = VersionInfo::Parse(kBlock);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->Query("\\stringfileinfo\\041103a4\\fileversion"), "2.5.1");
  const VersionStrings strings = QueryVersionStrings(*info);
  EXPECT_EQ(strings.fileVersion, "2.5.1");
  EXPECT_EQ(strings.legalCopyright, "(C) QUIL");  // up to its terminator

  constexpr VersionEntry untranslated[] = {{"\\StringFileInfo\\041103A4\\FileVersion", "2.5.1"}};
  constexpr auto block = BuildVersionBlock<VersionBlockSize(untranslated)>(untranslated);
  EXPECT_EQ(QueryVersionStrings(*VersionInfo::Parse(block)).fileVersion, std::nullopt);
}

TEST(VersionBlock, TruncationsBadMagicAndHugeCountsAreRefused) {
  for (std::size_t n = 0; n < kBlock.size(); ++n) {
    EXPECT_FALSE(VersionInfo::Parse(std::span(kBlock.data(), n)).has_value()) << n;
  }
  auto bad = kBlock;
  bad[0] = 'X';
  EXPECT_FALSE(VersionInfo::Parse(bad).has_value());
  auto many = kBlock;
  many[8] = many[9] = 0xFF;
  EXPECT_FALSE(VersionInfo::Parse(many).has_value());
}

struct Section {
  std::string name, contents;
  std::uint32_t type = 1;  // PROGBITS
};

// A minimal ELF file (header, contents, name table, section headers) in
// either class and byte order.
struct Elf {
  bool is64 = true, big = false;

  void Put(std::string& b, std::size_t at, int width, std::uint64_t v) const {
    for (int i = 0; i < width; ++i)
      b[at + i] = static_cast<char>(v >> 8 * (big ? width - 1 - i : i));
  }

  std::string Make(std::vector<Section> sections) const {
    const std::size_t header = is64 ? 64 : 52, entry = is64 ? 64 : 40;
    const int w = is64 ? 8 : 4;
    sections.push_back({".shstrtab", "", 3});
    std::string names(1, '\0'), body, table(entry, '\0');
    std::vector<std::size_t> nameAt;
    for (const Section& s : sections) nameAt.push_back(names.size()), names += s.name + '\0';
    sections.back().contents = names;
    for (std::size_t i = 0; i < sections.size(); ++i) {
      std::string e(entry, '\0');
      Put(e, 0, 4, nameAt[i]);
      Put(e, 4, 4, sections[i].type);
      Put(e, is64 ? 24 : 16, w, header + body.size());
      Put(e, is64 ? 32 : 20, w, sections[i].contents.size());
      body += sections[i].contents;
      table += e;
    }
    std::string file(header, '\0');
    file.replace(0, 7,
                 std::string(1, '\x7F') + "ELF" + char(is64 ? 2 : 1) + char(big ? 2 : 1) + '\1');
    Put(file, 16, 2, 2);  // ET_EXEC
    const std::size_t shoff = is64 ? 0x28 : 0x20;
    Put(file, shoff, w, header + body.size());
    Put(file, shoff + w + 10, 2, entry);
    Put(file, shoff + w + 12, 2, sections.size() + 1);
    Put(file, shoff + w + 14, 2, sections.size());
    return file + body + table;
  }
};

TEST(ElfVersionBlock, FoundInEveryClassAndByteOrder) {
  TempDir dir;
  for (bool is64 : {true, false}) {
    for (bool big : {false, true}) {
      WriteBytes(dir.File("prog"),
                 Elf{is64, big}.Make(
                     {{".text", "\x90\xC3"}, {".quilmark_version", kBlockText}, {".data", "xyz"}}));
      const auto info = ReadVersionInfo(dir.File("prog"));
      ASSERT_TRUE(info.has_value()) << is64 << big;
      EXPECT_EQ(QueryVersionStrings(*info).fileVersion, "2.5.1");
    }
  }
}

TEST(ElfVersionBlock, NothingComesFromMissingTruncatedLyingOrGarbageFiles) {
  TempDir dir;
  const Elf elf;
  const std::string good = elf.Make({{".quilmark_version", kBlockText}});
  auto readable = [&](const std::string& bytes) {
    WriteBytes(dir.File("f"), bytes);
    return ReadVersionInfo(dir.File("f")).has_value();
  };
  ASSERT_TRUE(readable(good));
  EXPECT_FALSE(ReadVersionInfo(dir.File("missing")).has_value());
  EXPECT_FALSE(ReadVersionInfo(dir.Path()).has_value());
  std::vector<std::string> bad = {
      elf.Make({{".text", "\xC3"}}), elf.Make({{".quilmark_version", "hello"}}),
      elf.Make({{".quilmark_version", kBlockText, 8}}),  // NOBITS: no room in the file
      "#!/bin/sh\necho hi\n"};
  for (std::size_t n = 0; n < good.size(); ++n) bad.push_back(good.substr(0, n));
  const std::size_t block = good.size() - 2 * 64, names = good.size() - 64;
  // Section table offset, entry size, count (0: an extended count left at
  // zero), name table index; the block's and the name table's offset and size
  // out of the file; a name past the table; the last name unterminated.
  const struct {
    std::size_t at;
    int width;
    std::uint64_t value;
  } lies[] = {{0x28, 8, ~0ull - 10},
              {0x3A, 2, 8},
              {0x3C, 2, 0xFFF0},
              {0x3C, 2, 0},
              {0x3E, 2, 77},
              {block + 24, 8, ~0ull - 4},
              {block + 32, 8, 1ull << 40},
              {names + 32, 8, ~0ull},
              {block, 4, 0xFFFFFF},
              {names + 32, 8, 1 + std::strlen(".quilmark_version")}};
  for (const auto& lie : lies) {
    bad.push_back(good);
    elf.Put(bad.back(), lie.at, lie.width, lie.value);
  }
  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(readable(bad[i])) << i;

  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    std::string bytes =
        std::string(1, '\x7F') + "ELF" + char(1 + round % 2) + char(1 + round / 2 % 2);
    for (int i = 0; i < 250; ++i)
      bytes += static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
    WriteBytes(dir.File("junk"), bytes);
    (void)ReadElfSection(dir.File("junk"), ".quilmark_version");  // must simply return
  }
}

}  // namespace
}  // namespace quilmark::platform
