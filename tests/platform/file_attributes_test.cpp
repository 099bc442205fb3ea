// What the file system keeps beside a file's bytes, and files made, renamed
// and removed by name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

TEST(Attributes, LastWriteTime) {
  TempDir dir;
  const std::string a = dir.File("a"), missing = dir.File("missing");
  WriteBytes(a, "x");
  for (std::int64_t t : {std::int64_t{1'234'567'890'123'456'789}, std::int64_t{-1'500'000'000}}) {
    ASSERT_TRUE(SetLastWriteTime(a, t)) << t;
    EXPECT_EQ(LastWriteTime(a), t);
  }
  EXPECT_FALSE(LastWriteTime(missing) || SetLastWriteTime(missing, 0));
}

TEST(FileNames, KindsRenameAndRemove) {
  TempDir dir;
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("old"), "old");
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(dir.File("new")));
  EXPECT_TRUE(RenameFile(dir.File("new"), dir.File("old")));  // replaces the target
  EXPECT_EQ(ReadBytes(dir.File("old")), "new");
  EXPECT_FALSE(Exists(dir.File("new")));
  EXPECT_FALSE(RenameFile(dir.File("new"), dir.File("old")));
  EXPECT_TRUE(RemoveFile(dir.File("old")));
  EXPECT_FALSE(RemoveFile(dir.File("old")) || Exists(dir.File("old")));
}

}  // namespace
}  // namespace quilmark::platform
