// Paths split and compared by their full form, and new file names: made
// portable from any text, and given to a file only where nothing stands
// yet, however the system renames.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/portable_name.h"
#include "platform/rename_no_replace.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

TEST(PathParts, EitherSlashSeparatesFolderNameAndExtension) {
  for (auto [path, parts] : {
           std::pair{"C:\\music\\sub/a.Mp3", "C:\\music\\sub/|a.Mp3|.MP3"},
           {"/music/", "/music/||"},
           {"/my.music/track", "/my.music/|track|"},  // a folder's dot is no extension
           {"曲.ｍｐ3", "|曲.ｍｐ3|.ｍｐ3"},          // only ASCII letters change
       }) {
    EXPECT_EQ(FolderPart(path) + "|" + FileNamePart(path) + "|" + UpperExtension(path), parts);
  }
}

// Callers compare paths by their full form, so a normal absolute path must
// come back unchanged and any other spelling must not; relative paths
// start at the working folder.
TEST(FullPath, ResolvesDotsSlashesAndBackslashesAndKeepsNormalPaths) {
  for (auto [path, full] : {std::pair{"/a/./b/.", "/a/b"},
                            {"//a///b//", "/a/b"},
                            {"\\a\\b\\..\\c.mp3", "/a/c.mp3"},
                            {"/a/b/../../..", "/"},
                            {"/a/..b/c..", "/a/..b/c.."},  // names that merely start with dots
                            {"/曲/歌.mp3", "/曲/歌.mp3"}}) {
    EXPECT_EQ(FullPath(path), full) << path;
  }
  TempDir dir;
  const std::string saved = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectory(dir.Path()));
  const std::string here = CurrentDirectory();
  EXPECT_EQ(FullPath("./sub\\..\\x.mp3"), here + "/x.mp3");
  EXPECT_EQ(FullPath(".."), FolderPart(here).substr(0, FolderPart(here).size() - 1));
  SetCurrentDirectory(saved);
}

TEST(PortableFileName, ForbiddenCharactersDevicesTrailingDotsAndLength) {
  const std::string longStem = std::string(250, 'x') + "曲";  // 253 bytes
  for (auto [stem, extension, name] : {
           std::tuple<std::string, std::string, std::string>{"AC/DC: Live?\\*\"<>|\t\x7F", ".mp3",
                                                             "AC_DC_ Live_________.mp3"},
           {"con", ".mp3", "con_.mp3"},
           {"Lpt9.live", ".mp3", "Lpt9_.live.mp3"},
           {"COM10", ".mp3", "COM10.mp3"},  // not a device
           {"Mr. ", "", "Mr"},
           {longStem, ".mp3", std::string(250, 'x') + ".mp3"},  // never half a character
       }) {
    EXPECT_EQ(PortableFileName(stem, extension), name) << stem;
  }
}

// Whatever stands at the new name (a file, a folder, a link to nothing)
// stays, and so does the file that was to be renamed; the system's
// no-replace rename and the link-and-remove way behave alike.
TEST(RenameWithoutReplacing, TakesOnlyAFreeName) {
  for (bool linking : {false, true}) {
    SCOPED_TRACE(linking ? "linking" : "no-replace rename");
    testing::RenameByLinking(linking);
    TempDir dir;
    const std::string from = dir.File("old.mp3");
    WriteBytes(from, "song");
    WriteBytes(dir.File("file"), "other");
    ASSERT_EQ(mkdir(dir.File("folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink("gone", dir.File("link").c_str()), 0);
    for (const char* taken : {"file", "folder", "link"}) {
      EXPECT_TRUE(RenameWithoutReplacing(from, dir.File(taken)).Error().Is(std::errc::file_exists))
          << taken;
    }
    EXPECT_EQ(ReadBytes(dir.File("file")), "other");
    ASSERT_TRUE(RenameWithoutReplacing(from, dir.File("new.mp3")));
    EXPECT_EQ(ReadBytes(dir.File("new.mp3")), "song");
    EXPECT_EQ(CountEntries(dir.Path()), 4);  // the old name went
  }
  testing::RenameByLinking(false);
}

}  // namespace
}  // namespace quilmark::platform
