#include "tag/tag_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quilmark {
namespace {

std::vector<std::string> Lines(const TagValues& v) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < v.Count(); ++i) out.push_back(v.Name(i) + "=" + v.Value(i));
  return out;
}

TEST(TagValuesOrder, SetReplacesInPlaceAndAppendsNewKeys) {
  TagValues v;
  v.Set(keys::Title, "one");
  v.Set(keys::Artist, "two");
  v.Set(keys::Album, "three");
  v.Set(keys::Title, "uno");
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Title=uno", "Artist=two", "Album=three"}));
  // A name in another letter case is the same key: its line keeps its name.
  v.Set("ARTIST", "dos");
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Title=uno", "Artist=dos", "Album=three"}));
}

TEST(TagValuesOrder, EmptyValueRemovesAndSettingAgainAppends) {
  TagValues v;
  v.Set(keys::Title, "");
  EXPECT_TRUE(v.Empty());
  v.Set(keys::Title, "t");
  v.Set(keys::Artist, "a");
  v.Set(keys::Album, "b");
  v.Set("title", "");
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Artist=a", "Album=b"}));
  v.Set(keys::Title, "t2");
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Artist=a", "Album=b", "Title=t2"}));
  v.Remove(0);
  v.Remove(99);  // out of range: nothing
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Album=b", "Title=t2"}));
}

TEST(TagValuesLookup, GetIgnoresAsciiCaseOnly) {
  TagValues v;
  v.Set(keys::OrgYear, "1999");
  EXPECT_EQ(v.Get("orgyear"), "1999");
  EXPECT_EQ(v.Get("ORGYEAR"), "1999");
  EXPECT_EQ(v.Get("OrgYea"), "");
  EXPECT_EQ(v.Get("OrgYearX"), "");
  EXPECT_EQ(v.Get(""), "");
}

TEST(TagValuesCommaText, RoundTripKeepsOrderAndAwkwardValues) {
  TagValues v;
  v.Set(keys::Title, "A title, with \"quotes\"");
  v.Set(keys::Comment, "   \\0long\r\ntext");
  v.Set(keys::URL, "http://x/?a=b=c");
  v.Set(keys::Artist, "\u65E5\u672C\u8A9E");
  v.Set(keys::TagVersion, "3");
  const std::string text = v.ToCommaText();
  EXPECT_EQ(TagValues::FromCommaText(text), v);
  EXPECT_EQ(TagValues::FromCommaText(text).Get(keys::URL), "http://x/?a=b=c");
}

TEST(TagValuesCommaText, ExactForm) {
  TagValues v;
  v.Set(keys::Title, "abc");
  v.Set(keys::Artist, "a b");
  EXPECT_EQ(v.ToCommaText(), "Title=abc,\"Artist=a b\"");
  EXPECT_EQ(TagValues().ToCommaText(), "");
}

TEST(TagValuesCommaText, ItemsAListCannotHoldAreDropped) {
  const TagValues v = TagValues::FromCommaText("noequals,=novalue,Empty=,Title=a,title=b,Year=1");
  EXPECT_EQ(Lines(v), (std::vector<std::string>{"Title=a", "Year=1"}));
}

}  // namespace
}  // namespace quilmark
