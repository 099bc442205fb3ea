// Files read, written, copied and replaced where other users, odd file
// kinds, full disks and killed runs meet the program: only regular files,
// never a wait, exact ranges, a replacement that keeps what the old file
// had, and leftovers of killed runs tidied.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/replacement.h"
#include "platform_test_support.h"

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
  TempDir dir_;
};

TEST_F(FileIo, ReadsWholeFilesAndExactRanges) {
  const std::string path = dir_.File("a.bin");
  WriteBytes(path, "0123456789");
  File file = *File::Open(path, File::Mode::Read);
  char buffer[8] = {};
  EXPECT_EQ(file.ReadAt(7, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  // Only two bytes left: a failure with a reason of its own.
  EXPECT_EQ(file.ReadExactlyAt(8, buffer, 4).Error().Reason(), "the file ended early");

  const std::string content = Pattern(200000);
  WriteBytes(path, content);
  EXPECT_EQ(ReadWholeFile(path, content.size()), content);
  EXPECT_TRUE(ReadWholeFile(path, content.size() - 1).Error().Is(std::errc::file_too_large));
  // A huge file is refused by its size before a byte is read.
  ASSERT_EQ(truncate(path.c_str(), off_t{4} << 30), 0);
  EXPECT_TRUE(ReadWholeFile(path, 64 << 20).Error().Is(std::errc::file_too_large));
  EXPECT_FALSE(ReadWholeFile(dir_.Path(), 100));  // a folder is no file
}

TEST_F(FileIo, CopyFromCopiesExactlyTheRangeAcrossChunkBoundaries) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  const std::string source = Pattern(2 * kMiB + 4099);
  WriteBytes(dir_.File("src.bin"), source);
  File from = *File::Open(dir_.File("src.bin"), File::Mode::Read);
  for (auto [offset, size] : {std::pair{0ul, 0ul}, {7ul, kMiB + 1}, {0ul, source.size()}}) {
    File to = *File::Open(dir_.File("dst.bin"), File::Mode::Truncate);
    ASSERT_TRUE(to.Write("head") && to.CopyFrom(from, offset, size) && to.Write("tail"));
    ASSERT_TRUE(to.Close());
    EXPECT_TRUE(ReadBytes(dir_.File("dst.bin")) == "head" + source.substr(offset, size) + "tail")
        << offset << "+" << size;
  }
  // A range past the end of the source is a failure, not a short copy.
  File to = *File::Open(dir_.File("short.bin"), File::Mode::Truncate);
  EXPECT_FALSE(to.CopyFrom(from, source.size() - 10, 11));
  // A full disk in the second chunk of a large copy is a failure.
  platform::testing::FailWritesAfter(kMiB + 12345);
  EXPECT_FALSE(to.CopyFrom(from, 0, source.size()));
  platform::testing::FailWritesAfter(std::nullopt);
}

// Where blocks cannot be shared, or no whole block lies in the range,
// nothing is written and the caller copies instead. (What is shared, and
// where, is checked by the saves that share the audio on such a file
// system.)
TEST_F(FileIo, ShareFromSaysWhenItCannotAndWritesNothing) {
  const std::string source = Pattern(5 * 4096 + 300);
  WriteBytes(dir_.File("src.bin"), source);
  File plain = *File::Open(dir_.File("src.bin"), File::Mode::Read);
  File empty = *File::Open(dir_.File("dst.bin"), File::Mode::Truncate);
  IoResult<bool> none = empty.ShareFrom(plain, 5, 3 * 4096);
  ASSERT_TRUE(none);
  if (!*none) {
    EXPECT_EQ(empty.Size(), 0u);
  }
}

// Run apart with a time limit: opening a FIFO used to wait for a writer for
// ever. A save opens the file it replaces by its name in the folder.
TEST(OpeningFiles, OnlyRegularFilesAndNothingWaits) {
  TempDir dir;
  const std::string pipe = dir.File("pipe.mp3");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const auto run = RunInChild(
      [&] {
        const IoResult<Folder> folder = Folder::Open(dir.Path());
        return !File::Open(pipe, File::Mode::Read) &&
               ReadWholeFile(pipe, 1000).Error().Reason() == kNotRegularFile && folder &&
               File::OpenIn(*folder, "pipe.mp3", File::Mode::Read).Error().Reason() ==
                   kNotRegularFile;
      },
      std::chrono::seconds(5));
  EXPECT_TRUE(run.finished) << "an open waited";
  EXPECT_TRUE(run.passed);
}

TEST(Replacing, KeepsOwnerGroupModeAndExtendedAttributes) {
  TempDir dir;
  const std::string path = dir.File("list.m3u");
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 02640), 0);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.c_str(), 4242, 4343), 0);
  }
  // A tagger's or a desktop's note on the file (ACLs are kept the same way).
  const bool xattrs = setxattr(path.c_str(), "user.note", "kept", 4, 0) == 0;
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);

  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadBytes(path), "new");
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file, not the old one patched
  EXPECT_EQ(std::tuple(after.st_mode & 07777, after.st_uid, after.st_gid),
            std::tuple(before.st_mode & 07777, before.st_uid, before.st_gid));
  EXPECT_EQ(CountEntries(dir.Path()), 1);
  if (!xattrs) GTEST_SKIP() << "the test folder's file system has no extended attributes";
  char note[8] = {};
  EXPECT_EQ(getxattr(path.c_str(), "user.note", note, sizeof note), 4);
  EXPECT_STREQ(note, "kept");
}

TEST(Replacing, FollowsLinksAndRefusesWhatMayNotBeWritten) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("real").c_str(), 0700), 0);
  WriteBytes(dir.File("real/a.csv"), "old");
  ASSERT_EQ(symlink("real/a.csv", dir.File("link.csv").c_str()), 0);
  ASSERT_EQ(symlink("link.csv", dir.File("chain.csv").c_str()), 0);
  ASSERT_EQ(symlink("real/new.csv", dir.File("dangling.csv").c_str()), 0);
  EXPECT_TRUE(WriteFileAtomically(dir.File("chain.csv"), "new"));
  EXPECT_TRUE(WriteFileAtomically(dir.File("dangling.csv"), "made"));
  EXPECT_EQ(ReadBytes(dir.File("real/a.csv")), "new");
  EXPECT_EQ(ReadBytes(dir.File("real/new.csv")), "made");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.csv")));

  // Read-only for its owner: refused, for root too, and left as it was.
  WriteBytes(dir.File("ro.m3u"), "keep");
  ASSERT_EQ(chmod(dir.File("ro.m3u").c_str(), 0444), 0);
  EXPECT_EQ(WriteFileAtomically(dir.File("ro.m3u"), "x").Error().Reason(), kReadOnlyFile);
  EXPECT_EQ(ReadBytes(dir.File("ro.m3u")), "keep");
  // Nor is what is no regular file (a rename would take a FIFO's place).
  ASSERT_EQ(mkfifo(dir.File("pipe.m3u").c_str(), 0600), 0);
  EXPECT_EQ(WriteFileAtomically(dir.File("pipe.m3u"), "x").Error().Reason(), kNotRegularFile);
  EXPECT_EQ(CountEntries(dir.Path()), 6);
  EXPECT_EQ(CountEntries(dir.File("real")), 2);
}

TEST(Replacing, LeftoversOfKilledRunsGoAndNothingElse) {
  TempDir dir;
  const std::string leftover = dir.File("QMK0123ABCD"), busy = dir.File("QMK00000002");
  for (const char* name : {"QMK0123ABCD", "QMK00000002", "QMK0000000X", "QMK000000001", "a.mp3"}) {
    WriteBytes(dir.File(name), "x");
  }
  ASSERT_EQ(symlink("a.mp3", dir.File("QMK00000003").c_str()), 0);
  // A save in progress holds its file locked.
  const int held = open(busy.c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  int expected = 5;
  if (geteuid() == 0) {  // another user's file is theirs to tidy
    WriteBytes(dir.File("QMK00000004"), "x");
    ASSERT_EQ(chown(dir.File("QMK00000004").c_str(), 4242, 4242), 0);
    ++expected;
  }

  LeftoverSweep sweep;
  sweep.Sweep(*Folder::Open(dir.Path()));
  EXPECT_FALSE(Exists(leftover));
  EXPECT_EQ(CountEntries(dir.Path()), expected);
  close(held);
  // Once per folder and run: a later leftover waits for the next run.
  sweep.Sweep(*Folder::Open(dir.Path()));
  EXPECT_TRUE(Exists(busy));
  EXPECT_EQ(RemoveLeftovers(*Folder::Open(dir.Path())), 1);
}

// A full disk half-way through, with the system's unnamed temporary files
// and without them: reported as what it is, the old file stays and no
// temporary file is left behind.
TEST(Replacing, AFullDiskLeavesTheOldFileAndNothingElse) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    TempDir dir;
    const std::string path = dir.File("s.txt");
    testing::UseNamedTempFiles(named);
    EXPECT_TRUE(WriteFileAtomically(path, "old"));
    testing::FailWritesAfter(50000);
    EXPECT_TRUE(WriteFileAtomically(path, std::string(100000, 'x'))
                    .Error()
                    .Is(std::errc::no_space_on_device));
    testing::FailWritesAfter(std::nullopt);
    testing::UseNamedTempFiles(false);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(CountEntries(dir.Path()), 1);
  }
}

}  // namespace
}  // namespace quilmark::platform
