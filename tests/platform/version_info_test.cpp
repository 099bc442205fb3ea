// The version block: built at compile time, found in an ELF file's sections,
// and read back without trusting anything the file says.
#include "platform/version_info.h"

#include <gtest/gtest.h>

#include <array>
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
    {"\\StringFileInfo\\041103A4\\LegalCopyright", "Copyright (C) 2024 QUIL"},
};
constexpr std::size_t kSize = VersionBlockSize(kEntries);
constexpr auto kBlock = BuildVersionBlock<kSize>(kEntries);

// This test program carries a block of its own, as the editor does.
__attribute__((section(".quilmark_version"), used)) const std::array<unsigned char, kSize>
    kOwnBlock = kBlock;

std::string AsString(std::span<const unsigned char> bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(VersionBlock, QueriesFindTheStringsOfTheFirstTranslation) {
  const auto info = VersionInfo::Parse(kBlock);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->Query("\\VarFileInfo\\Translation"), std::string("\x11\x04\xA4\x03", 4));
  EXPECT_EQ(info->Query("\\stringfileinfo\\041103a4\\fileversion"), "2.5.1");
  EXPECT_EQ(info->Query("\\StringFileInfo\\04110000\\FileVersion"), std::nullopt);

  EXPECT_EQ(StringFileInfoPath(0x0411, 0x03A4, "FileVersion"),
            "\\StringFileInfo\\041103A4\\FileVersion");
  const VersionStrings strings = QueryVersionStrings(*info);
  EXPECT_EQ(strings.fileVersion, "2.5.1");
  EXPECT_EQ(strings.legalCopyright, "Copyright (C) 2024 QUIL");
}

TEST(VersionBlock, WithoutATranslationNoStringIsAskedFor) {
  constexpr VersionEntry entries[] = {
      {"\\StringFileInfo\\00000000\\FileVersion", "9.9"},
      {"\\StringFileInfo\\041103A4\\FileVersion", "2.5.1"},
  };
  constexpr auto block = BuildVersionBlock<VersionBlockSize(entries)>(entries);
  const auto info = VersionInfo::Parse(block);
  ASSERT_TRUE(info.has_value());
  const VersionStrings strings = QueryVersionStrings(*info);
  EXPECT_EQ(strings.fileVersion, std::nullopt);
  EXPECT_EQ(strings.legalCopyright, std::nullopt);
}

TEST(VersionBlock, AMissingStringLeavesOnlyThatOneUnset) {
  constexpr VersionEntry entries[] = {
      {"\\VarFileInfo\\Translation", {kJapanese.data(), kJapanese.size()}},
      {"\\StringFileInfo\\041103A4\\LegalCopyright", std::string_view("(C) QUIL\0pad", 12)},
  };
  constexpr auto block = BuildVersionBlock<VersionBlockSize(entries)>(entries);
  const VersionStrings strings = QueryVersionStrings(*VersionInfo::Parse(block));
  EXPECT_EQ(strings.fileVersion, std::nullopt);
  EXPECT_EQ(strings.legalCopyright, "(C) QUIL");  // up to its terminator
}

TEST(VersionBlock, EveryTruncationAndABadMagicAreRefused) {
  for (std::size_t n = 0; n < kBlock.size(); ++n) {
    EXPECT_FALSE(VersionInfo::Parse(std::span(kBlock.data(), n)).has_value()) << n;
  }
  auto bad = kBlock;
  bad[0] = 'X';
  EXPECT_FALSE(VersionInfo::Parse(bad).has_value());
  // An entry count far beyond the data.
  auto many = kBlock;
  many[8] = 0xFF;
  many[9] = 0xFF;
  EXPECT_FALSE(VersionInfo::Parse(many).has_value());
}

// --- ELF files -------------------------------------------------------------

struct Section {
  std::string name;
  std::string contents;
  std::uint32_t type = 1;  // PROGBITS
};

// A minimal ELF file: header, the sections' contents, the name table and the
// section header table, in either class and byte order.
class ElfMaker {
 public:
  ElfMaker(bool is64, bool bigEndian) : is64_(is64), big_(bigEndian) {}

  std::string Make(const std::vector<Section>& sections) const {
    std::string names(1, '\0');
    std::vector<std::uint32_t> nameOffsets;
    for (const Section& s : sections) {
      nameOffsets.push_back(static_cast<std::uint32_t>(names.size()));
      names += s.name + '\0';
    }
    const std::uint32_t shstrtabName = static_cast<std::uint32_t>(names.size());
    names += std::string(".shstrtab") + '\0';

    const std::size_t headerSize = is64_ ? 64 : 52;
    const std::size_t entrySize = is64_ ? 64 : 40;
    std::string body;
    std::vector<std::size_t> offsets;
    for (const Section& s : sections) {
      offsets.push_back(headerSize + body.size());
      body += s.contents;
    }
    const std::size_t namesOffset = headerSize + body.size();
    body += names;
    const std::size_t shoff = headerSize + body.size();
    const std::size_t shnum = sections.size() + 2;

    std::string file(headerSize, '\0');
    file[0] = 0x7F, file[1] = 'E', file[2] = 'L', file[3] = 'F';
    file[4] = is64_ ? 2 : 1;
    file[5] = big_ ? 2 : 1;
    file[6] = 1;
    Put(file, 16, 2, 2);  // ET_EXEC
    if (is64_) {
      Put(file, 0x28, 8, shoff);
      Put(file, 0x3A, 2, entrySize);
      Put(file, 0x3C, 2, shnum);
      Put(file, 0x3E, 2, shnum - 1);
    } else {
      Put(file, 0x20, 4, shoff);
      Put(file, 0x2E, 2, entrySize);
      Put(file, 0x30, 2, shnum);
      Put(file, 0x32, 2, shnum - 1);
    }
    file += body;
    file += std::string(entrySize, '\0');  // the null section
    for (std::size_t i = 0; i < sections.size(); ++i) {
      file += Entry(nameOffsets[i], sections[i].type, offsets[i], sections[i].contents.size());
    }
    file += Entry(shstrtabName, 3, namesOffset, names.size());
    return file;
  }

  std::size_t HeaderSize() const { return is64_ ? 64 : 52; }

  void Put(std::string& bytes, std::size_t at, int width, std::uint64_t v) const {
    for (int i = 0; i < width; ++i) {
      const int shift = big_ ? 8 * (width - 1 - i) : 8 * i;
      bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> shift) & 0xFF);
    }
  }

 private:
  std::string Entry(std::uint32_t name, std::uint32_t type, std::uint64_t offset,
                    std::uint64_t size) const {
    std::string e(is64_ ? 64 : 40, '\0');
    Put(e, 0, 4, name);
    Put(e, 4, 4, type);
    if (is64_) {
      Put(e, 24, 8, offset);
      Put(e, 32, 8, size);
    } else {
      Put(e, 16, 4, offset);
      Put(e, 20, 4, size);
    }
    return e;
  }

  bool is64_;
  bool big_;
};

const std::string kBlockText = AsString(kBlock);

TEST(ElfVersionBlock, FoundInEveryClassAndByteOrder) {
  TempDir dir;
  for (bool is64 : {true, false}) {
    for (bool big : {false, true}) {
      const std::string path = dir.File("prog");
      WriteBytes(path, ElfMaker(is64, big).Make({{".text", "\x90\x90\xC3"},
                                                 {".quilmark_version", kBlockText},
                                                 {".data", "xyz"}}));
      const auto info = ReadVersionInfo(path);
      ASSERT_TRUE(info.has_value()) << is64 << big;
      EXPECT_EQ(QueryVersionStrings(*info).fileVersion, "2.5.1");
    }
  }
}

TEST(ElfVersionBlock, AbsentWhenTheFileHasNoBlockOrIsNoElf) {
  TempDir dir;
  WriteBytes(dir.File("plain"), ElfMaker(true, false).Make({{".text", "\xC3"}}));
  EXPECT_FALSE(ReadVersionInfo(dir.File("plain")).has_value());
  // A section of that name that is not a block, or takes no room in the file.
  WriteBytes(dir.File("other"), ElfMaker(true, false).Make({{".quilmark_version", "hello"}}));
  EXPECT_FALSE(ReadVersionInfo(dir.File("other")).has_value());
  WriteBytes(dir.File("nobits"),
             ElfMaker(true, false).Make({{".quilmark_version", kBlockText, 8}}));
  EXPECT_FALSE(ReadVersionInfo(dir.File("nobits")).has_value());
  WriteBytes(dir.File("script"), "#!/bin/sh\necho hi\n");
  EXPECT_FALSE(ReadVersionInfo(dir.File("script")).has_value());
  EXPECT_FALSE(ReadVersionInfo(dir.File("missing")).has_value());
  EXPECT_FALSE(ReadVersionInfo(dir.Path()).has_value());  // a folder
}

TEST(ElfVersionBlock, EveryTruncationOfTheFileIsReadSafely) {
  TempDir dir;
  const std::string whole =
      ElfMaker(true, false).Make({{".quilmark_version", kBlockText}, {".x", "1"}});
  for (std::size_t n = 0; n < whole.size(); ++n) {
    WriteBytes(dir.File("cut"), whole.substr(0, n));
    EXPECT_FALSE(ReadVersionInfo(dir.File("cut")).has_value()) << n;
  }
}

TEST(ElfVersionBlock, LyingHeadersAreNotFollowed) {
  TempDir dir;
  const ElfMaker maker(true, false);
  const std::string good = maker.Make({{".quilmark_version", kBlockText}});
  const std::size_t shoff = good.size() - 3 * 64;
  auto variant = [&](auto change) {
    std::string bytes = good;
    change(bytes);
    WriteBytes(dir.File("bad"), bytes);
    return ReadVersionInfo(dir.File("bad")).has_value();
  };
  ASSERT_TRUE(variant([](std::string&) {}));
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, 0x28, 8, ~0ull - 10); }));  // shoff
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, 0x3A, 2, 8); }));           // entry size
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, 0x3C, 2, 0xFFF0); }));      // count
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, 0x3E, 2, 77); }));          // name table
  // The block's offset and size, and the name table's, pointing out of the file.
  const std::size_t blockEntry = shoff + 64;
  const std::size_t namesEntry = shoff + 128;
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, blockEntry + 24, 8, ~0ull - 4); }));
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, blockEntry + 32, 8, 1ull << 40); }));
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, namesEntry + 32, 8, ~0ull); }));
  // A name offset past the table, and a table without its last terminator.
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, blockEntry, 4, 0xFFFFFF); }));
  EXPECT_FALSE(variant([&](std::string& b) {
    maker.Put(b, namesEntry + 32, 8, 1 + std::strlen(".quilmark_version"));
  }));
  // Extended numbering with a zero count in section 0.
  EXPECT_FALSE(variant([&](std::string& b) { maker.Put(b, 0x3C, 2, 0); }));
}

TEST(ElfVersionBlock, GarbageAfterTheMagicIsHarmless) {
  TempDir dir;
  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    std::string bytes =
        "\x7F"
        "ELF";
    bytes += static_cast<char>(1 + round % 2);
    bytes += static_cast<char>(1 + (round / 2) % 2);
    for (int i = 0; i < 250; ++i) {
      seed = seed * 1103515245u + 12345u;
      bytes += static_cast<char>(seed >> 24);
    }
    WriteBytes(dir.File("junk"), bytes);
    (void)ReadElfSection(dir.File("junk"), ".quilmark_version");  // must simply return
  }
}

TEST(ElfVersionBlock, TheRunningProgramReadsItsOwnBlock) {
  const std::string self = OwnProgramPath();
  ASSERT_FALSE(self.empty());
  const auto info = ReadVersionInfo(self);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(QueryVersionStrings(*info).legalCopyright, "Copyright (C) 2024 QUIL");
  EXPECT_EQ(kOwnBlock.size(), kSize);
}

}  // namespace
}  // namespace quilmark::platform
