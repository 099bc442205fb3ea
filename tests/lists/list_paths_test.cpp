// How list entries name files, and how written lists name them back.
#include <gtest/gtest.h>

#include "lists/list_entry.h"
#include "platform/paths.h"

namespace quilmark {
namespace {

TEST(ResolveListEntry, AbsoluteNormalPathsStayOthersJoinTheListFolder) {
  for (auto [entry, list, file] : {
           std::tuple{"/music/pop/x.mp3", "/music/lists/a.m3u", "/music/pop/x.mp3"},
           {"x.mp3", "/music/lists/a.m3u", "/music/lists/x.mp3"},
           {"../pop/x.mp3", "/music/lists/a.m3u", "/music/lists/../pop/x.mp3"},
           {"..\\pop\\x.mp3", "/m/lists/a.m3u", "/m/lists/../pop/x.mp3"},  // written on Windows
           {"\\m\\pop\\x.mp3", "/m/lists/a.m3u", "/m/pop/x.mp3"},
           // Absolute but not in normal form: joined, not normalised.
           {"/music/../x.mp3", "/music/lists/a.m3u", "/music/lists//music/../x.mp3"},
           {"", "/music/lists/a.m3u", ""},
           {"x.mp3", "lists/a.m3u", "lists/x.mp3"},
       }) {
    EXPECT_EQ(ResolveListEntry(entry, list), file) << entry << " in " << list;
  }
}

TEST(MakeRelativePath, ClimbsAndDescendsFromTheListFolder) {
  for (auto [base, target, relative] : {
           std::tuple{"/d/lists/", "/d/lists/a.mp3", "a.mp3"},
           {"/d/lists/", "/d/music/pop/a.mp3", "../music/pop/a.mp3"},
           {"/d/lists/sub/", "/x.mp3", "../../../x.mp3"},
           {"/", "/d/a.mp3", "d/a.mp3"},
           {"/d/lists/", "/d/lists/../music/a.mp3", "../music/a.mp3"},  // lands on the same file
           {"/d/lists/", "/d/Lists/a.mp3", "../Lists/a.mp3"},           // another folder here
           {"/d/lists/", "a.mp3", "a.mp3"},  // nothing to relate a relative path to
       }) {
    EXPECT_EQ(MakeRelativePath(base, target), relative) << base << " " << target;
    if (target[0] == '/') {
      EXPECT_EQ(platform::FullPath(ResolveListEntry(relative, std::string(base) + "l.m3u")),
                platform::FullPath(target));
    }
  }
}

}  // namespace
}  // namespace quilmark
