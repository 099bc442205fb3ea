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

TEST(VersionBlock, StringsComeFromTheTranslationUpToTheirTerminator) {
  const auto info = VersionInfo::Parse(kBlock);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->Query("\\stringfileinfo\\041103a4\\fileversion"), "2.5.1");
  EXPECT_EQ(QueryVersionStrings(*info).legalCopyright, "(C) QUIL");

  constexpr VersionEntry untranslated[] = {{"\\StringFileInfo\\041103A4\\FileVersion", "2.5.1"}};
  constexpr auto block = BuildVersionBlock<VersionBlockSize(untranslated)>(untranslated);
  EXPECT_EQ(QueryVersionStrings(*VersionInfo::Parse(block)).fileVersion, std::nullopt);
}

TEST(VersionBlock, TruncationsBadMagicAndHugeCountsAreRefused) {
  for (std::size_t n = 0; n < kBlock.size(); ++n) {
    EXPECT_FALSE(VersionInfo::Parse(std::span(kBlock.data(), n)).has_value()) << n;
  }
  auto bad = kBlock, many = kBlock;
  bad[0] = 'X';
  many[8] = many[9] = 0xFF;
  EXPECT_FALSE(VersionInfo::Parse(bad).has_value());
  EXPECT_FALSE(VersionInfo::Parse(many).has_value());
}

void Put(std::string& b, std::size_t at, int width, std::uint64_t v) {
  for (int i = 0; i < width; ++i) b[at + i] = static_cast<char>(v >> 8 * i);
}

struct Section {
  std::string name, contents;
  std::uint32_t type = 1;  // PROGBITS
};

// A minimal 64-bit little-endian ELF file: header, contents, name table,
// section headers.
std::string MakeElf(std::vector<Section> sections) {
  sections.push_back({".shstrtab", "", 3});
  std::string names(1, '\0'), body, table(64, '\0');
  std::vector<std::size_t> nameAt;
  for (const Section& s : sections) nameAt.push_back(names.size()), names += s.name + '\0';
  sections.back().contents = names;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    std::string e(64, '\0');
    Put(e, 0, 4, nameAt[i]);
    Put(e, 4, 4, sections[i].type);
    Put(e, 24, 8, 64 + body.size());
    Put(e, 32, 8, sections[i].contents.size());
    body += sections[i].contents;
    table += e;
  }
  std::string file(64, '\0');
  file.replace(0, 7, "\177ELF\2\1\1");
  Put(file, 16, 2, 2);  // ET_EXEC
  Put(file, 0x28, 8, 64 + body.size());
  Put(file, 0x3A, 2, 64);
  Put(file, 0x3C, 2, sections.size() + 1);
  Put(file, 0x3E, 2, sections.size());
  return file + body + table;
}

TEST(ElfVersionBlock, NothingComesFromMissingTruncatedOrLyingFiles) {
  TempDir dir;
  const std::string good = MakeElf({{".text", "\x90\xC3"}, {".quilmark_version", kBlockText}});
  auto readable = [&](const std::string& bytes) {
    WriteBytes(dir.File("f"), bytes);
    return ReadVersionInfo(dir.File("f")).has_value();
  };
  ASSERT_TRUE(readable(good));
  EXPECT_FALSE(ReadVersionInfo(dir.Path()).has_value());
  std::vector<std::string> bad = {
      MakeElf({{".text", "\xC3"}}), MakeElf({{".quilmark_version", "hello"}}),
      MakeElf({{".quilmark_version", kBlockText, 8}})};  // NOBITS: no room in the file
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
  for (const auto& lie : lies) Put(bad.emplace_back(good), lie.at, lie.width, lie.value);
  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(readable(bad[i])) << i;
}

}  // namespace
}  // namespace quilmark::platform
