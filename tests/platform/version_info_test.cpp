// The version block read back from a block and from the program's ELF
// file, without trusting the sizes either gives.
#include "platform/version_info.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

constexpr auto kJapanese = TranslationBytes(0x0411, 0x03A4);
constexpr VersionEntry kEntries[] = {
    {"\\VarFileInfo\\Translation", {kJapanese.data(), kJapanese.size()}},
    {"\\StringFileInfo\\041103A4\\FileVersion", "2.5.1"},
    {"\\StringFileInfo\\041103A4\\LegalCopyright", std::string_view("(C) QUIL\0pad", 12)},
};
__attribute__((section(".quilmark_version"), used)) constexpr auto kBlock =
    BuildVersionBlock<VersionBlockSize(kEntries)>(kEntries);

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
}

// The test program carries the block as the program does; section headers
// come last in the file, so a copy cut short has them outside it.
TEST(ElfVersionBlock, ReadFromItsSectionAndNeverFromOutsideTheFile) {
  EXPECT_EQ(QueryVersionStrings(ReadVersionInfo("/proc/self/exe").value()).fileVersion, "2.5.1");
  TempDir dir;
  const std::string self = ReadBytes("/proc/self/exe");
  WriteBytes(dir.File("cut"), self.substr(0, self.size() - 1));
  EXPECT_FALSE(ReadVersionInfo(dir.File("cut")).has_value());
}

}  // namespace
}  // namespace quilmark::platform
