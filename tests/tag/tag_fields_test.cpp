// The tag value list and the genre names.
#include <gtest/gtest.h>

#include <string>

#include "tag/genre_table.h"
#include "tag/tag_values.h"

namespace quilmark {
namespace {

TEST(TagValues, OrderCaseAndEmptyValues) {
  TagValues v = TagValues::FromCommaText("Title=one,Artist=two,Album=three");
  v.Set("TITLE", "uno");  // the same key: replaced in place, its name kept
  EXPECT_EQ(v.ToCommaText(), "Title=uno,Artist=two,Album=three");
  v.Set("title", "");  // an empty value removes the line; setting again appends
  v.Set(keys::Title, "t");
  EXPECT_EQ(v.ToCommaText(), "Artist=two,Album=three,Title=t");
  EXPECT_EQ(v.Get("ALBUM"), "three");
  EXPECT_EQ(v.Get("Albu"), "");

  v.Set(keys::Comment, "   \\0long\r\ntext, \"quoted\"");
  v.Set(keys::URL, "http://x/?a=b=c");
  EXPECT_EQ(TagValues::FromCommaText(v.ToCommaText()), v);
  // Items a list cannot hold are dropped.
  EXPECT_EQ(TagValues::FromCommaText("noequals,=novalue,Empty=,Title=a,title=b").ToCommaText(),
            "Title=a");
}

// A name read back finds its number whatever its case; a number in
// parentheses is no name.
TEST(GenreTable, EveryNameFindsItsNumber) {
  EXPECT_EQ(GenreNumber("(17)"), 255);
  for (int n = 0; n < kGenreTableSize; ++n) EXPECT_EQ(GenreNumber(GenreName(n)), n) << n;
}

}  // namespace
}  // namespace quilmark
