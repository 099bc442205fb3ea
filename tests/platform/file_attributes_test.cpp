// What the file system keeps beside a file's bytes, and files made, renamed
// and removed by name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

TEST(TempFiles, AreNewEmptyFilesNamedByPrefixAndHexDigits) {
  TempDir dir;
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    const auto path = MakeTempFile(dir.Path(), "QMK");
    ASSERT_TRUE(path);
    const std::string name = FileNamePart(*path);
    EXPECT_EQ(FolderPart(*path), dir.Path());
    EXPECT_TRUE(name.starts_with("QMK") && name.size() > 3) << name;
    EXPECT_EQ(ReadBytes(*path), "");
    EXPECT_TRUE(seen.insert(*path).second) << "name given twice: " << *path;
  }
  // Without a trailing separator the folder is still the folder.
  const auto inside = MakeTempFile(dir.Path().substr(0, dir.Path().size() - 1), "x");
  ASSERT_TRUE(inside);
  EXPECT_EQ(FolderPart(*inside), dir.Path());
  EXPECT_TRUE(
      MakeTempFile(dir.File("missing"), "QMK").Error().Is(std::errc::no_such_file_or_directory));

  ScopedEnv env;
  env.Set("TMPDIR", "/var/tmp");
  EXPECT_EQ(TempFolder(), "/var/tmp/");
  env.Set("TMPDIR", std::nullopt);
  EXPECT_EQ(TempFolder(), "/tmp/");
}

TEST(Attributes, ReadOnlyModeAndOwnershipRoundTrip) {
  TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b"), missing = dir.File("missing");
  WriteBytes(a, "x");
  WriteBytes(b, "y");
  // Read-only is the owner's write bit and nothing else.
  ASSERT_EQ(chmod(a.c_str(), 0664), 0);
  EXPECT_TRUE(SetReadOnly(a, true) && IsReadOnly(a) == true);
  EXPECT_EQ(GetAttributes(a)->mode, 0444u);
  EXPECT_TRUE(SetReadOnly(a, false) && IsReadOnly(a) == false);
  EXPECT_EQ(GetAttributes(a)->mode, 0644u);

  ASSERT_EQ(chmod(a.c_str(), 0751), 0);
  const auto attributes = GetAttributes(a);
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->owner, getuid());
  ASSERT_TRUE(SetAttributes(b, *attributes));
  EXPECT_EQ(GetAttributes(b)->mode, 0751u);
  // Giving the file away is refused to an ordinary user; the mode is set
  // all the same and the call succeeds.
  if (getuid() != 0) {
    FileAttributes foreign = *attributes;
    foreign.owner = 0;
    foreign.mode = 0600;
    EXPECT_TRUE(SetAttributes(b, foreign));
    EXPECT_EQ(GetAttributes(b)->mode, 0600u);
    EXPECT_EQ(GetAttributes(b)->owner, getuid());
  }
  for (std::int64_t t : {std::int64_t{1'234'567'890'123'456'789}, std::int64_t{-1'500'000'000}}) {
    ASSERT_TRUE(SetLastWriteTime(a, t)) << t;
    EXPECT_EQ(LastWriteTime(a), t);
  }
  EXPECT_FALSE(IsReadOnly(missing) || GetAttributes(missing) || LastWriteTime(missing));
  EXPECT_FALSE(SetReadOnly(missing, true) || SetAttributes(missing, *attributes) ||
               SetLastWriteTime(missing, 0));
}

TEST(FileNames, KindsRenameAndRemove) {
  TempDir dir;
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("old"), "old");
  EXPECT_TRUE(FileExists(dir.File("new")) && DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(dir.File("new")) || FileExists(dir.Path()));
  EXPECT_TRUE(RenameFile(dir.File("new"), dir.File("old")));  // replaces the target
  EXPECT_EQ(ReadBytes(dir.File("old")), "new");
  EXPECT_FALSE(Exists(dir.File("new")));
  EXPECT_FALSE(RenameFile(dir.File("new"), dir.File("old")));
  EXPECT_TRUE(RemoveFile(dir.File("old")));
  EXPECT_FALSE(RemoveFile(dir.File("old")) || Exists(dir.File("old")));
}

}  // namespace
}  // namespace quilmark::platform
