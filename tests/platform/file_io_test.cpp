// Reading, writing and copying file bytes, a full disk included, and the
// times a file keeps.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform_test_support.h"
#include "support/xfs_image.h"

namespace quilmark::platform {
namespace {

// Bytes that differ at every position, so that a chunk copied twice or
// skipped shows up.
std::string Pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return s;
}

class FileIo : public ::testing::Test {
 protected:
  void TearDown() override { platform::testing::FailWritesAfter(std::nullopt); }
  TempDir dir_;
};

TEST_F(FileIo, OpenModesReadsAndWholeFilesKeepTheirPromises) {
  const std::string path = dir_.File("a.bin");
  EXPECT_TRUE(File::Open(path, File::Mode::Read).Error().Is(std::errc::no_such_file_or_directory));
  EXPECT_TRUE(File::Open(path, File::Mode::CreateNew)->Write("first"));
  EXPECT_TRUE(File::Open(path, File::Mode::CreateNew).Error().Is(std::errc::file_exists));
  EXPECT_EQ(ReadBytes(path), "first");
  EXPECT_TRUE(File::Open(path, File::Mode::Truncate)->Write("0123456789"));
  File file = *File::Open(path, File::Mode::Read);
  char buffer[8] = {};
  EXPECT_EQ(file.ReadAt(7, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  // Only two bytes left: a failure with a reason of its own.
  EXPECT_EQ(file.ReadExactlyAt(8, buffer, 4).Error().Reason(), "the file ended early");
  EXPECT_FALSE(file.Write("x"));  // opened for reading

  const std::string content = Pattern(200000);
  WriteBytes(path, content);
  EXPECT_EQ(ReadWholeFile(path, content.size()), content);
  EXPECT_TRUE(ReadWholeFile(path, content.size() - 1).Error().Is(std::errc::file_too_large));
  EXPECT_FALSE(ReadWholeFile(dir_.Path(), 100));  // a folder is no file

  // Times to the nanosecond, before 1970 too.
  for (std::int64_t t : {std::int64_t{1'234'567'890'123'456'789}, std::int64_t{-1'500'000'000}}) {
    ASSERT_TRUE(SetLastWriteTime(path, t)) << t;
    EXPECT_EQ(LastWriteTime(path), t);
  }
  EXPECT_FALSE(LastWriteTime(dir_.File("missing")) || SetLastWriteTime(dir_.File("missing"), 0));
}

TEST_F(FileIo, CopyFromCopiesExactlyTheRangeAcrossChunkBoundaries) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  const std::string source = Pattern(2 * kMiB + 4099);
  WriteBytes(dir_.File("src.bin"), source);
  File from = *File::Open(dir_.File("src.bin"), File::Mode::Read);
  for (auto [offset, size] :
       {std::pair{0ul, 0ul}, {5ul, kMiB}, {7ul, kMiB + 1}, {0ul, source.size()}}) {
    File to = *File::Open(dir_.File("dst.bin"), File::Mode::Truncate);
    ASSERT_TRUE(to.Write("head") && to.CopyFrom(from, offset, size) && to.Write("tail"));
    ASSERT_TRUE(to.Close());
    EXPECT_TRUE(ReadBytes(dir_.File("dst.bin")) == "head" + source.substr(offset, size) + "tail")
        << offset << "+" << size;
  }
  // A range past the end of the source is a failure, not a short copy.
  File to = *File::Open(dir_.File("short.bin"), File::Mode::Truncate);
  EXPECT_FALSE(to.CopyFrom(from, source.size() - 10, 11));

  // A full disk stops writes and copies exactly at its limit, the second
  // chunk of a large copy included.
  platform::testing::FailWritesAfter(10);
  File a = *File::Open(dir_.File("a.bin"), File::Mode::Truncate);
  EXPECT_TRUE(a.Write("12345678"));
  EXPECT_TRUE(a.Write("abcdef").Error().Is(std::errc::no_space_on_device));
  ASSERT_TRUE(a.Close());
  EXPECT_EQ(ReadBytes(dir_.File("a.bin")), "12345678ab");
  platform::testing::FailWritesAfter(kMiB + 12345);
  File b = *File::Open(dir_.File("b.bin"), File::Mode::Truncate);
  EXPECT_FALSE(b.CopyFrom(from, 0, source.size()));
  ASSERT_TRUE(b.Close());
  EXPECT_EQ(ReadBytes(dir_.File("b.bin")).size(), kMiB + 12345);
}

TEST_F(FileIo, ShareFromPutsTheRangeAtItsOffsetOrSaysItCannot) {
  const std::string source = Pattern(5 * 4096 + 300);
  // Where blocks cannot be shared (or none is whole) nothing is written.
  WriteBytes(dir_.File("src.bin"), source);
  File plain = *File::Open(dir_.File("src.bin"), File::Mode::Read);
  File empty = *File::Open(dir_.File("dst.bin"), File::Mode::Truncate);
  IoResult<bool> none = empty.ShareFrom(plain, 5, 3 * 4096);
  ASSERT_TRUE(none);
  if (!*none) EXPECT_EQ(empty.Size(), 0u);

  const ::quilmark::testing::XfsImage xfs(std::uint64_t{300} << 20);
  if (!xfs.Mounted()) GTEST_SKIP() << "no file system that shares blocks: " << xfs.Why();
  WriteBytes(xfs.Path() + "src.bin", source);
  File from = *File::Open(xfs.Path() + "src.bin", File::Mode::Read);
  struct Case {
    std::uint64_t offset, size;
    bool shared;
  };
  for (const Case& c :
       {Case{5, 3 * 4096, true}, Case{4096, 8192, true}, Case{100, source.size() - 100, true},
        Case{0, source.size(), true}, Case{10, 4096, false}, Case{4096, 4095, false}}) {
    File to = *File::Open(xfs.Path() + "dst.bin", File::Mode::Truncate);
    IoResult<bool> shared = to.ShareFrom(from, c.offset, c.size);
    ASSERT_TRUE(shared);
    EXPECT_EQ(*shared, c.shared) << c.offset << "+" << c.size;
    if (!*shared) {
      EXPECT_EQ(to.Size(), 0u);
      continue;
    }
    ASSERT_TRUE(to.Write("tail") && to.Close());
    EXPECT_TRUE(ReadBytes(xfs.Path() + "dst.bin") ==
                std::string(c.offset, '\0') + source.substr(c.offset, c.size) + "tail")
        << c.offset << "+" << c.size;
  }
}

}  // namespace
}  // namespace quilmark::platform
