// Splitting paths, their extensions, and the full form callers compare by.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

TEST(PathParts, EitherSlashSeparatesFolderNameAndExtension) {
  struct Case {
    const char *path, *folder, *name, *extension;
  };
  for (Case c : {
           Case{"/music/a.mp3", "/music/", "a.mp3", ".MP3"},
           Case{"C:\\music\\sub/a.Mp3", "C:\\music\\sub/", "a.Mp3", ".MP3"},
           Case{"..\\b.tar.Gz", "..\\", "b.tar.Gz", ".GZ"}, Case{"a.mp3", "", "a.mp3", ".MP3"},
           Case{"/music/", "/music/", "", ""}, Case{"", "", "", ""},
           Case{"/my.music/track", "/my.music/", "track", ""},  // a folder's dot is no extension
           Case{"name.", "", "name.", "."},
           Case{"曲.ｍｐ3", "", "曲.ｍｐ3", ".ｍｐ3"},  // only ASCII letters change
       }) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(UpperExtension(c.path), c.extension) << c.path;
  }
}

// Callers compare paths by their full form, so a normal absolute path must
// come back unchanged and any other spelling must not.
TEST(FullPath, ResolvesDotsSlashesAndBackslashesAndKeepsNormalPaths) {
  for (auto [path, full] : {std::pair{"/a/b/../c", "/a/c"},
                            {"/a/./b/.", "/a/b"},
                            {"//a///b//", "/a/b"},
                            {"\\a\\b\\..\\c.mp3", "/a/c.mp3"},
                            {"/a/b/../../..", "/"},
                            {"/../x", "/x"},
                            {"/a/..b/c..", "/a/..b/c.."},  // names that merely start with dots
                            {"", ""}}) {
    EXPECT_EQ(FullPath(path), full) << path;
  }
  for (const char* normal : {"/", "/a b/c..d/.e", "/曲/歌.mp3"}) {
    EXPECT_EQ(FullPath(normal), normal) << normal;
  }
  for (const char* other : {"a", "/a/", "/a\\b", "./a", "/.."}) {
    const std::string full = FullPath(other);
    EXPECT_NE(full, other) << other;
    EXPECT_EQ(FullPath(full), full) << other;
  }
}

TEST(FullPath, RelativePathsStartAtTheWorkingFolder) {
  testing::TempDir dir;
  const std::string saved = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectory(dir.Path()));
  const std::string here = CurrentDirectory();
  EXPECT_EQ(FullPath("x.mp3"), here + "/x.mp3");
  EXPECT_EQ(FullPath("./sub\\..\\x.mp3"), here + "/x.mp3");
  EXPECT_EQ(FullPath(".."), FolderPart(here).substr(0, FolderPart(here).size() - 1));
  EXPECT_FALSE(SetCurrentDirectory(dir.File("missing")));
  EXPECT_EQ(CurrentDirectory(), here);
  SetCurrentDirectory(saved);
}

}  // namespace
}  // namespace quilmark::platform
