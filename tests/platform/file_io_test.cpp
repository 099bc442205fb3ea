#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/file.h"
#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

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

TEST_F(FileIo, OpenModesKeepTheirPromises) {
  std::string path = dir_.File("a.bin");
  File missing = File::Open(path, File::Mode::Read);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.LastError(), ENOENT);
  EXPECT_FALSE(File::Open(path, File::Mode::ReadWrite).IsOpen());

  {
    File created = File::Open(path, File::Mode::CreateNew);
    ASSERT_TRUE(created.IsOpen());
    EXPECT_TRUE(created.Write("first"));
  }
  File again = File::Open(path, File::Mode::CreateNew);
  EXPECT_FALSE(again.IsOpen());
  EXPECT_EQ(again.LastError(), EEXIST);
  EXPECT_EQ(ReadBytes(path), "first");

  {
    File emptied = File::Open(path, File::Mode::Truncate);
    ASSERT_TRUE(emptied.IsOpen());
    EXPECT_EQ(emptied.Size(), 0u);
    EXPECT_TRUE(emptied.Write("ab"));
    EXPECT_TRUE(emptied.Write(std::string_view("cd")));
    EXPECT_TRUE(emptied.Close());
  }
  EXPECT_EQ(ReadBytes(path), "abcd");
}

TEST_F(FileIo, ReadsAtOffsetsAndStopsAtTheEnd) {
  std::string path = dir_.File("r.bin");
  WriteBytes(path, "0123456789");
  File file = File::Open(path, File::Mode::Read);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), 10u);
  char buffer[8] = {};
  EXPECT_EQ(file.ReadAt(7, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(file.ReadAt(10, buffer, sizeof buffer), 0u);
  EXPECT_EQ(file.ReadAt(1000, buffer, sizeof buffer), 0u);
  EXPECT_TRUE(file.ReadExactlyAt(2, buffer, 4));
  EXPECT_EQ(std::string(buffer, 4), "2345");
  EXPECT_FALSE(file.ReadExactlyAt(8, buffer, 4));  // only two bytes left
  EXPECT_FALSE(file.Write("x"));                   // opened for reading
}

TEST_F(FileIo, ReadWholeFileHonoursItsLimit) {
  std::string path = dir_.File("whole.bin");
  std::string content = Pattern(200000);
  WriteBytes(path, content);
  EXPECT_EQ(ReadWholeFile(path), content);
  EXPECT_EQ(ReadWholeFile(path, content.size()), content);
  EXPECT_EQ(ReadWholeFile(path, content.size() - 1), std::nullopt);
  WriteBytes(path, "");
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(ReadWholeFile(dir_.File("missing")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir_.Path()), std::nullopt);  // a folder is no file
}

TEST_F(FileIo, CopyFromCopiesExactlyTheRangeAcrossChunkBoundaries) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  std::string source = Pattern(2 * kMiB + 4099);
  WriteBytes(dir_.File("src.bin"), source);
  File from = File::Open(dir_.File("src.bin"), File::Mode::Read);
  ASSERT_TRUE(from.IsOpen());

  struct Range {
    std::uint64_t offset, size;
  };
  for (Range r : {Range{0, 0}, Range{0, 1}, Range{3, kMiB - 1}, Range{5, kMiB}, Range{7, kMiB + 1},
                  Range{10, source.size() - 10}, Range{0, source.size()}}) {
    std::string target = dir_.File("dst.bin");
    File to = File::Open(target, File::Mode::Truncate);
    ASSERT_TRUE(to.IsOpen());
    ASSERT_TRUE(to.Write("head"));
    ASSERT_TRUE(to.CopyFrom(from, r.offset, r.size)) << r.offset << "+" << r.size;
    ASSERT_TRUE(to.Write("tail"));
    ASSERT_TRUE(to.Close());
    EXPECT_TRUE(ReadBytes(target) == "head" + source.substr(r.offset, r.size) + "tail")
        << r.offset << "+" << r.size;
  }

  // A range past the end of the source is a failure, not a short copy.
  File to = File::Open(dir_.File("short.bin"), File::Mode::Truncate);
  EXPECT_FALSE(to.CopyFrom(from, source.size() - 10, 11));
  EXPECT_FALSE(to.CopyFrom(from, source.size() + 1, kMiB + 3));
}

TEST_F(FileIo, InjectedFullDiskStopsWritesAndCopiesAtTheLimit) {
  std::string source = Pattern(3 << 20);
  WriteBytes(dir_.File("src.bin"), source);
  File from = File::Open(dir_.File("src.bin"), File::Mode::Read);

  platform::testing::FailWritesAfter(10);
  File a = File::Open(dir_.File("a.bin"), File::Mode::Truncate);
  EXPECT_TRUE(a.Write("12345678"));
  EXPECT_FALSE(a.Write("abcdef"));
  EXPECT_EQ(a.LastError(), ENOSPC);
  EXPECT_FALSE(a.Write("x"));
  a.Close();
  EXPECT_EQ(ReadBytes(dir_.File("a.bin")), "12345678ab");

  // The limit falls in the middle of the second chunk of a large copy.
  platform::testing::FailWritesAfter((1 << 20) + 12345);
  File b = File::Open(dir_.File("b.bin"), File::Mode::Truncate);
  EXPECT_FALSE(b.CopyFrom(from, 0, source.size()));
  EXPECT_EQ(b.LastError(), ENOSPC);
  b.Close();
  EXPECT_EQ(ReadBytes(dir_.File("b.bin")).size(), (1u << 20) + 12345);

  platform::testing::FailWritesAfter(std::nullopt);
  File c = File::Open(dir_.File("c.bin"), File::Mode::Truncate);
  EXPECT_TRUE(c.CopyFrom(from, 0, source.size()));
  EXPECT_TRUE(c.Write("more"));
}

TEST_F(FileIo, AtomicWriteReplacesWholeOrNotAtAll) {
  std::string path = dir_.File("settings.txt");
  EXPECT_TRUE(WriteFileAtomically(path, "first version"));
  EXPECT_EQ(ReadBytes(path), "first version");
  EXPECT_TRUE(WriteFileAtomically(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");

  // The disk fills half-way through: the old file stays and no temporary
  // file is left behind.
  std::string big = Pattern(100000);
  platform::testing::FailWritesAfter(50000);
  int error = 0;
  EXPECT_FALSE(WriteFileAtomically(path, big, &error));
  EXPECT_EQ(error, ENOSPC);
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_EQ(ReadBytes(path), "second");
  EXPECT_EQ(quilmark::testing::CountEntries(dir_.Path()), 1);

  // A folder that does not exist is reported, not created.
  EXPECT_FALSE(WriteFileAtomically(dir_.File("no/such.txt"), "x", &error));
  EXPECT_EQ(error, ENOENT);
}

TEST_F(FileIo, AtomicWriteKeepsThePermissionsOfTheReplacedFile) {
  std::string path = dir_.File("mode.txt");
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace quilmark::platform
