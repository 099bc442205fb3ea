#include "tag/frame_map.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tag/tag_values.h"

namespace quilmark {
namespace {

TEST(FrameMapLookup, EitherVersionGivesTheKey) {
  EXPECT_EQ(FrameIdToKey("TIT2"), keys::Title);
  EXPECT_EQ(FrameIdToKey("TT2"), keys::Title);
  EXPECT_EQ(FrameIdToKey("COMM"), keys::Comment);
  EXPECT_EQ(FrameIdToKey("WXX"), keys::URL);
  EXPECT_EQ(FrameIdToKey("TORY"), keys::OrgYear);
  EXPECT_EQ(FrameIdToKey("TPE2"), "");
  EXPECT_EQ(FrameIdToKey("tit2"), "");
  EXPECT_EQ(FrameIdToKey("TIT"), "");
  EXPECT_EQ(FrameIdToKey(""), "");
}

TEST(FrameMapLookup, WriteVersionChoosesTheIdentifier) {
  EXPECT_EQ(KeyToFrameId(keys::OrgYear, 1), "TOR");
  EXPECT_EQ(KeyToFrameId(keys::OrgYear, 0), "TORY");
  EXPECT_EQ(KeyToFrameId(keys::OrgYear, 2), "TORY");
  EXPECT_EQ(KeyToFrameId(keys::OrgYear, -7), "TORY");
  for (std::string_view key :
       {keys::Commentv1, keys::Comment0, keys::Comment2, keys::TagVersion, std::string_view("X")}) {
    EXPECT_EQ(KeyToFrameId(key, 1), "") << key;
    EXPECT_EQ(KeyToFrameId(key, 2), "") << key;
  }
  EXPECT_EQ(KeyToFrameId("title", 2), "");  // keys compare exactly
}

TEST(FrameMapTable, EveryRowMapsBothWaysAndNoIdIsShared) {
  std::set<std::string_view> ids;
  for (const FrameMapEntry& e : FrameMap()) {
    EXPECT_EQ(e.v22.size(), 3u) << e.key;
    EXPECT_EQ(e.v23.size(), 4u) << e.key;
    EXPECT_TRUE(ids.insert(e.v22).second) << e.v22;
    EXPECT_TRUE(ids.insert(e.v23).second) << e.v23;
    EXPECT_EQ(FrameIdToKey(e.v22), e.key);
    EXPECT_EQ(FrameIdToKey(e.v23), e.key);
    EXPECT_EQ(KeyToFrameId(e.key, 1), e.v22);
    EXPECT_EQ(KeyToFrameId(e.key, 2), e.v23);
  }
  EXPECT_EQ(FrameMap().size(), 17u);
}

}  // namespace
}  // namespace quilmark
