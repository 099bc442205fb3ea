// Files opened and replaced where other users, odd file kinds and killed
// runs meet the program: only regular files, never a wait, a replacement
// that keeps what the old file had, and leftovers of killed runs tidied.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/replacement.h"
#include "platform_test_support.h"
#include "support/child_run.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::CountEntries;
using quilmark::testing::RunInChild;

TEST(OpeningFiles, OnlyRegularFilesAndNothingWaits) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe.mp3").c_str(), 0600), 0);
  // Run apart with a time limit: opening a FIFO used to wait for a writer
  // for ever.
  const auto run = RunInChild(
      [&] {
        bool ok = true;
        for (const std::string& path : {dir.File("pipe.mp3"), std::string("/dev/null")}) {
          for (File::Mode mode : {File::Mode::Read, File::Mode::ReadWrite, File::Mode::Truncate})
            ok = ok && !File::Open(path, mode);
          const IoResult<std::string> whole = ReadWholeFile(path, 1000);
          ok = ok && !whole && whole.Error().Reason() == kNotRegularFile;
        }
        // A save opens the file it replaces by its name in the folder.
        const IoResult<Folder> folder = Folder::Open(dir.Path());
        ok =
            ok && folder &&
            File::OpenIn(*folder, "pipe.mp3", File::Mode::Read).Error().Reason() == kNotRegularFile;
        return ok;
      },
      std::chrono::seconds(5));
  EXPECT_TRUE(run.finished) << "an open waited";
  EXPECT_TRUE(run.passed);

  // A huge file is refused by its size before a byte is read.
  const std::string huge = dir.File("huge");
  WriteBytes(huge, "");
  ASSERT_EQ(truncate(huge.c_str(), off_t{4} << 30), 0);
  EXPECT_TRUE(ReadWholeFile(huge, 64 << 20).Error().Is(std::errc::file_too_large));
}

TEST(Replacing, KeepsOwnerGroupModeAndExtendedAttributes) {
  TempDir dir;
  const std::string path = dir.File("list.m3u");
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 02640), 0);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.c_str(), 4242, 4343), 0);
  }
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
  if (!xattrs) GTEST_SKIP() << "the test folder's file system has no extended attributes";
  char note[8] = {};
  EXPECT_EQ(getxattr(path.c_str(), "user.note", note, sizeof note), 4);
  EXPECT_STREQ(note, "kept");
  EXPECT_EQ(CountEntries(dir.Path()), 1);
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
  struct stat st {};
  ASSERT_EQ(lstat(dir.File("chain.csv").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));

  // Read-only for its owner: refused, for root too, and left as it was.
  WriteBytes(dir.File("ro.m3u"), "keep");
  ASSERT_EQ(chmod(dir.File("ro.m3u").c_str(), 0444), 0);
  EXPECT_EQ(WriteFileAtomically(dir.File("ro.m3u"), "x").Error().Reason(), kReadOnlyFile);
  EXPECT_EQ(ReadBytes(dir.File("ro.m3u")), "keep");
  // Neither a FIFO nor a folder is ever replaced.
  ASSERT_EQ(mkfifo(dir.File("pipe.m3u").c_str(), 0600), 0);
  ASSERT_EQ(mkdir(dir.File("folder.m3u").c_str(), 0700), 0);
  EXPECT_EQ(WriteFileAtomically(dir.File("pipe.m3u"), "x").Error().Reason(), kNotRegularFile);
  EXPECT_TRUE(
      WriteFileAtomically(dir.File("folder.m3u"), "x").Error().Is(std::errc::is_a_directory));
  EXPECT_EQ(CountEntries(dir.Path()), 7);
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
  // A folder that does not exist is reported, not made.
  TempDir dir;
  EXPECT_TRUE(WriteFileAtomically(dir.File("no/such.txt"), "x")
                  .Error()
                  .Is(std::errc::no_such_file_or_directory));
}

}  // namespace
}  // namespace quilmark::platform
