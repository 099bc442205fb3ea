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

TEST(VersionBlock, TruncationsAndBadMagicAreRefused) {
  for (std::size_t n = 0; n < kBlock.size(); ++n) {
    EXPECT_FALSE(VersionInfo::Parse(std::span(kBlock.data(), n)).has_value()) << n;
  }
  auto bad = kBlock;
  bad[0] = 'X';
  EXPECT_FALSE(VersionInfo::Parse(bad).has_value());
}

void Put(std::string& b, std::size_t at, int width, std::uint64_t v) {
  for (int i = 0; i < width; ++i) b[at + i] = static_cast<char>(v >> 8 * i);
}

// A minimal 64-bit little-endian ELF file: header, the section's contents,
// the name table, then the section headers (none, the section, the names).
std::string MakeElf(const std::string& name, const std::string& contents, std::uint32_t type = 1) {
  const std::string names = '\0' + name + '\0' + ".shstrtab" + '\0';
  std::string file(64, '\0'), table(3 * 64, '\0');
  file.replace(0, 7, "\177ELF\2\1\1");
  Put(file, 0x28, 8, 64 + contents.size() + names.size());
  Put(file, 0x3A, 2, 64);
  Put(file, 0x3C, 2, 3);
  Put(file, 0x3E, 2, 2);
  auto section = [&](int i, std::size_t nameAt, std::uint32_t kind, std::size_t at,
                     std::size_t size) {
    Put(table, 64 * i, 4, nameAt);
    Put(table, 64 * i + 4, 4, kind);
    Put(table, 64 * i + 24, 8, at);
    Put(table, 64 * i + 32, 8, size);
  };
  section(1, 1, type, 64, contents.size());
  section(2, name.size() + 2, 3, 64 + contents.size(), names.size());  // SHT_STRTAB
  return file + contents + names + table;
}

TEST(ElfVersionBlock, NothingComesFromMissingTruncatedOrLyingFiles) {
  TempDir dir;
  const std::string good = MakeElf(".quilmark_version", kBlockText);
  auto readable = [&](const std::string& bytes) {
    WriteBytes(dir.File("f"), bytes);
    return ReadVersionInfo(dir.File("f")).has_value();
  };
  ASSERT_TRUE(readable(good));
  EXPECT_FALSE(ReadVersionInfo(dir.Path()).has_value());
  std::vector<std::string> bad = {MakeElf(".text", kBlockText),
                                  MakeElf(".quilmark_version", "hello"),
                                  MakeElf(".quilmark_version", kBlockText, 8)};  // SHT_NOBITS
  for (std::size_t n = 0; n < good.size(); ++n) bad.push_back(good.substr(0, n));
  const std::size_t block = good.size() - 2 * 64, names = good.size() - 64;
  // Each would read outside the file or the name table: the block's offset
  // and size, a name past the table, the last name unterminated.
  for (auto [at, width, value] :
       {std::tuple<std::size_t, int, std::uint64_t>{block + 24, 8, ~0ull - 4},
        {block + 32, 8, 1ull << 40},
        {block, 4, 0xFFFFFF},
        {names + 32, 8, 1 + std::strlen(".quilmark_version")}}) {
    Put(bad.emplace_back(good), at, width, value);
  }
  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(readable(bad[i])) << i;
}

}  // namespace
}  // namespace quilmark::platform
