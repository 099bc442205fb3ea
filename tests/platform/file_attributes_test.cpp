#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

TEST(FileKinds, FilesAndFoldersAreToldApart) {
  TempDir dir;
  WriteBytes(dir.File("f"), "x");
  EXPECT_TRUE(FileExists(dir.File("f")));
  EXPECT_FALSE(DirectoryExists(dir.File("f")));
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.File("missing")));
  EXPECT_FALSE(DirectoryExists(dir.File("missing")));
}

TEST(TempFiles, AreNewFilesNamedByPrefixAndHexDigits) {
  TempDir dir;
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    auto path = MakeTempFile(dir.Path(), "QMK");
    ASSERT_TRUE(path);
    EXPECT_EQ(FolderPart(*path), dir.Path());
    std::string name = FileNamePart(*path);
    ASSERT_GT(name.size(), 3u);
    EXPECT_EQ(name.substr(0, 3), "QMK");
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEFabcdef", 3), std::string::npos) << name;
    EXPECT_TRUE(FileExists(*path));
    EXPECT_EQ(ReadBytes(*path), "");
    EXPECT_TRUE(seen.insert(*path).second) << "name given twice: " << *path;
  }
  // Without a trailing separator the folder is still the folder.
  std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
  auto inside = MakeTempFile(folder, "x");
  ASSERT_TRUE(inside);
  EXPECT_EQ(FolderPart(*inside), dir.Path());
  EXPECT_FALSE(MakeTempFile(dir.File("missing"), "QMK"));
}

TEST(TempFiles, TempFolderEndsWithASeparatorAndFollowsTmpdir) {
  const char* saved = std::getenv("TMPDIR");
  std::string restore = saved ? saved : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(TempFolder(), "/var/tmp/");
  unsetenv("TMPDIR");
  EXPECT_EQ(TempFolder(), "/tmp/");
  if (saved) setenv("TMPDIR", restore.c_str(), 1);
}

TEST(ReadOnly, TogglesTheOwnersWriteBitAndNothingElse) {
  TempDir dir;
  std::string path = dir.File("song.mp3");
  WriteBytes(path, "x");
  ASSERT_EQ(chmod(path.c_str(), 0664), 0);
  EXPECT_EQ(IsReadOnly(path), false);

  EXPECT_TRUE(SetReadOnly(path, true));
  EXPECT_EQ(IsReadOnly(path), true);
  EXPECT_EQ(GetAttributes(path)->mode, 0444u);

  EXPECT_TRUE(SetReadOnly(path, false));
  EXPECT_EQ(IsReadOnly(path), false);
  EXPECT_EQ(GetAttributes(path)->mode, 0644u);

  EXPECT_EQ(IsReadOnly(dir.File("missing")), std::nullopt);
  EXPECT_FALSE(SetReadOnly(dir.File("missing"), true));
}

TEST(Attributes, ModeComesBackAndOwnershipIsKeptWithoutPrivilege) {
  TempDir dir;
  std::string original = dir.File("a"), rewritten = dir.File("b");
  WriteBytes(original, "x");
  WriteBytes(rewritten, "y");
  ASSERT_EQ(chmod(original.c_str(), 0751), 0);
  auto attributes = GetAttributes(original);
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->mode, 0751u);
  EXPECT_EQ(attributes->owner, getuid());

  ASSERT_TRUE(SetAttributes(rewritten, *attributes));
  EXPECT_EQ(GetAttributes(rewritten)->mode, 0751u);

  // Giving the file to someone else is refused to an ordinary user; the
  // mode is set all the same and the call still succeeds.
  if (getuid() != 0) {
    FileAttributes foreign = *attributes;
    foreign.owner = 0;
    foreign.mode = 0600;
    EXPECT_TRUE(SetAttributes(rewritten, foreign));
    EXPECT_EQ(GetAttributes(rewritten)->mode, 0600u);
    EXPECT_EQ(GetAttributes(rewritten)->owner, getuid());
  }
  EXPECT_FALSE(SetAttributes(dir.File("missing"), *attributes));
  EXPECT_FALSE(GetAttributes(dir.File("missing")));
}

TEST(LastWrite, TimeRoundTripsToTheNanosecond) {
  TempDir dir;
  std::string path = dir.File("t");
  WriteBytes(path, "x");
  for (std::int64_t t : {std::int64_t{1'234'567'890'123'456'789}, std::int64_t{1'000'000'000},
                         std::int64_t{-1'500'000'000}}) {
    ASSERT_TRUE(SetLastWriteTime(path, t)) << t;
    EXPECT_EQ(LastWriteTime(path), t);
  }
  EXPECT_EQ(LastWriteTime(dir.File("missing")), std::nullopt);
  EXPECT_FALSE(SetLastWriteTime(dir.File("missing"), 0));
}

TEST(RemoveAndRename, ReplaceAndDeleteFiles) {
  TempDir dir;
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("old"), "old");
  EXPECT_TRUE(RenameFile(dir.File("new"), dir.File("old")));
  EXPECT_EQ(ReadBytes(dir.File("old")), "new");
  EXPECT_FALSE(Exists(dir.File("new")));
  EXPECT_FALSE(RenameFile(dir.File("new"), dir.File("old")));
  EXPECT_TRUE(RemoveFile(dir.File("old")));
  EXPECT_FALSE(RemoveFile(dir.File("old")));
  EXPECT_FALSE(Exists(dir.File("old")));
}

}  // namespace
}  // namespace quilmark::platform
