#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

// Restores the working folder a test changed.
class WorkingFolder {
 public:
  WorkingFolder() : saved_(CurrentDirectory()) {}
  ~WorkingFolder() { SetCurrentDirectory(saved_); }

 private:
  std::string saved_;
};

TEST(PathParts, EitherSlashSeparatesFolderAndName) {
  EXPECT_EQ(FolderPart("/music/a.mp3"), "/music/");
  EXPECT_EQ(FileNamePart("/music/a.mp3"), "a.mp3");
  EXPECT_EQ(FolderPart("C:\\music\\sub/a.mp3"), "C:\\music\\sub/");
  EXPECT_EQ(FileNamePart("C:\\music\\sub/a.mp3"), "a.mp3");
  EXPECT_EQ(FolderPart("..\\a.mp3"), "..\\");
  EXPECT_EQ(FolderPart("a.mp3"), "");
  EXPECT_EQ(FileNamePart("a.mp3"), "a.mp3");
  EXPECT_EQ(FolderPart("/music/"), "/music/");
  EXPECT_EQ(FileNamePart("/music/"), "");
  EXPECT_EQ(FolderPart(""), "");
  EXPECT_EQ(FileNamePart(""), "");
}

TEST(PathParts, ExtensionIsUpperCasedFromTheLastDotOfTheName) {
  EXPECT_EQ(UpperExtension("song.mp3"), ".MP3");
  EXPECT_EQ(UpperExtension("/a/b.tar.Gz"), ".GZ");
  EXPECT_EQ(UpperExtension("list.M3u"), ".M3U");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(UpperExtension("/my.music/track"), "");
  EXPECT_EQ(UpperExtension("C:\\my.music\\track"), "");
  EXPECT_EQ(UpperExtension("name."), ".");
  EXPECT_EQ(UpperExtension(""), "");
  // Only ASCII letters change; the bytes of other text stay as they are.
  EXPECT_EQ(UpperExtension("曲.ｍｐ3"), ".ｍｐ3");
}

TEST(FullPath, ResolvesDotsSlashesAndBackslashes) {
  EXPECT_EQ(FullPath("/a/b/../c"), "/a/c");
  EXPECT_EQ(FullPath("/a/./b/."), "/a/b");
  EXPECT_EQ(FullPath("//a///b//"), "/a/b");
  EXPECT_EQ(FullPath("\\a\\b\\..\\c.mp3"), "/a/c.mp3");
  EXPECT_EQ(FullPath("/a/b/../../.."), "/");
  EXPECT_EQ(FullPath("/../x"), "/x");
  EXPECT_EQ(FullPath("/a/..b/c.."), "/a/..b/c..");  // names that merely start with dots
  EXPECT_EQ(FullPath(""), "");
}

TEST(FullPath, RelativePathsStartAtTheWorkingFolder) {
  testing::TempDir dir;
  WorkingFolder restore;
  ASSERT_TRUE(SetCurrentDirectory(dir.Path()));
  std::string here = CurrentDirectory();
  ASSERT_FALSE(here.empty());
  EXPECT_EQ(FullPath("x.mp3"), here + "/x.mp3");
  EXPECT_EQ(FullPath("./sub\\..\\x.mp3"), here + "/x.mp3");
  EXPECT_EQ(FullPath("."), here);
  EXPECT_EQ(FullPath(".."), FolderPart(here).substr(0, FolderPart(here).size() - 1));
  EXPECT_FALSE(SetCurrentDirectory(dir.File("missing")));
  EXPECT_EQ(CurrentDirectory(), here);
}

// Callers compare paths by their full form, so a normal absolute path must
// come back unchanged and any other spelling must not.
TEST(FullPath, IsTheIdentityExactlyOnNormalAbsolutePaths) {
  for (const char* normal : {"/", "/a", "/a/b.mp3", "/a b/c..d/.e", "/曲/歌.mp3"}) {
    EXPECT_EQ(FullPath(normal), normal) << normal;
    EXPECT_EQ(FullPath(FullPath(normal)), normal) << normal;
  }
  for (const char* other :
       {"a", "/a/", "//a", "/a//b", "/./a", "/a/.", "/a/../a", "\\a", "/a\\b", "./a", "/.."}) {
    std::string full = FullPath(other);
    EXPECT_NE(full, other) << other;
    EXPECT_EQ(FullPath(full), full) << other;
  }
}

}  // namespace
}  // namespace quilmark::platform
