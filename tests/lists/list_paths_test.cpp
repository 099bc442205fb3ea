// How list entries name files, and how written lists name them back.
#include <gtest/gtest.h>

#include "lists/list_entry.h"
#include "platform/paths.h"

namespace quilmark {
namespace {

TEST(ResolveListEntry, AbsoluteNormalPathsStayOthersJoinTheListFolder) {
  const std::string list = "/music/lists/a.m3u";
  EXPECT_EQ(ResolveListEntry("/music/pop/x.mp3", list), "/music/pop/x.mp3");
  EXPECT_EQ(ResolveListEntry("x.mp3", list), "/music/lists/x.mp3");
  EXPECT_EQ(ResolveListEntry("../pop/x.mp3", list), "/music/lists/../pop/x.mp3");
  // Absolute but not in normal form: joined, not normalised.
  EXPECT_EQ(ResolveListEntry("/music/../x.mp3", list), "/music/lists//music/../x.mp3");
  EXPECT_EQ(ResolveListEntry("/music//x.mp3", list), "/music/lists//music//x.mp3");
  EXPECT_EQ(ResolveListEntry("", list), "");
  // A relative list name gives relative paths.
  EXPECT_EQ(ResolveListEntry("x.mp3", "lists/a.m3u"), "lists/x.mp3");
  EXPECT_EQ(ResolveListEntry("x.mp3", "a.m3u"), "x.mp3");
}

TEST(ResolveListEntry, BackslashesFromWindowsListsAreSeparators) {
  EXPECT_EQ(ResolveListEntry("..\\pop\\x.mp3", "/m/lists/a.m3u"), "/m/lists/../pop/x.mp3");
  EXPECT_EQ(ResolveListEntry("\\m\\pop\\x.mp3", "/m/lists/a.m3u"), "/m/pop/x.mp3");
}

TEST(MakeRelativePath, ClimbsAndDescendsFromTheListFolder) {
  EXPECT_EQ(MakeRelativePath("/d/lists/", "/d/lists/a.mp3"), "a.mp3");
  EXPECT_EQ(MakeRelativePath("/d/lists/", "/d/music/pop/a.mp3"), "../music/pop/a.mp3");
  EXPECT_EQ(MakeRelativePath("/d/lists/sub/", "/x.mp3"), "../../../x.mp3");
  EXPECT_EQ(MakeRelativePath("/", "/d/a.mp3"), "d/a.mp3");
  EXPECT_EQ(MakeRelativePath("/d/", "/d/e/f/a b.mp3"), "e/f/a b.mp3");
  // A path that climbs still lands on the same file.
  EXPECT_EQ(MakeRelativePath("/d/lists/", "/d/lists/../music/a.mp3"), "../music/a.mp3");
}

TEST(MakeRelativePath, LetterCaseAndRootsAreTakenSeriously) {
  // On a case-sensitive file system /d/Lists is another folder; a bare
  // name would point at the wrong file.
  EXPECT_EQ(MakeRelativePath("/d/lists/", "/d/Lists/a.mp3"), "../Lists/a.mp3");
  // Nothing to relate a relative path to: it stays as it is.
  EXPECT_EQ(MakeRelativePath("/d/lists/", "a.mp3"), "a.mp3");
  EXPECT_EQ(MakeRelativePath("/d/lists/", ""), "");
}

TEST(MakeRelativePath, ResolvesBackFromTheBaseToTheSameFile) {
  const std::string base = "/srv/a/b/";
  for (const char* target : {"/srv/a/b/c.mp3", "/srv/x/y/z.mp3", "/srv/a/b/c/d/e.mp3", "/q.mp3"}) {
    const std::string relative = MakeRelativePath(base, target);
    EXPECT_EQ(platform::FullPath(base + relative), target) << relative;
    EXPECT_EQ(platform::FullPath(ResolveListEntry(relative, base + "list.m3u")), target);
  }
}

}  // namespace
}  // namespace quilmark
