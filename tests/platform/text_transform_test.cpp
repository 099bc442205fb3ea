// The text conversions and find-and-replace that edits of many cells use.
#include "platform/text_transform.h"

#include <gtest/gtest.h>

#include "platform/text_replace.h"

namespace quilmark::platform {
namespace {

TEST(TextConversion, EachTouchesItsOwnCharactersOnly) {
  using C = TextConversion;
  const struct {
    C conversion;
    const char *in, *out;
  } cases[] = {
      {C::AsciiToFullwidth, "Abc 1!ｶﾅ", "Ａｂｃ　１！ｶﾅ"},
      {C::AsciiToHalfwidth, "Ａｂｃ　１！カナ「」", "Abc 1!カナ「」"},
      {C::KatakanaToFullwidth, "ｶﾞｷﾞｸﾞ ﾊﾟﾝﾀﾞ｡Ａ", "ガギグ パンダ。Ａ"},
      {C::KatakanaToHalfwidth, "ザ・ガード「あ」ー", "ｻﾞ･ｶﾞｰﾄﾞ「あ」ｰ"},
      {C::HiraganaToKatakana, "さくら ｶﾀｶﾅ ゔ", "サクラ ｶﾀｶﾅ ヴ"},
      {C::KatakanaToHiragana, "サクラ ｻｸﾗ abc", "さくら さくら abc"},
      {C::Upper, "the beatles ｂ", "THE BEATLES Ｂ"},
      {C::Lower, "THE Beatles", "the beatles"},
      {C::Title, "THE long and winding ROAD", "The Long And Winding Road"},
      {C::TidySpaces, " \t a   b　　c  ", "a b　c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextConverter(c.conversion).Apply(c.in), c.out) << c.in;
  }
}

TEST(TextReplace, PlainOrPatternWithOrWithoutCase) {
  const struct {
    const char *find, *replace;
    TextReplacer::Options options;
    const char* in;
    const char* out;
    int count;
  } cases[] = {
      {"a", "b", {false, false}, "aAxa", "bbxb", 3},
      {"a", "b", {false, true}, "aAxa", "bAxb", 2},
      {".", "$1\\", {false, true}, "a.b", "a$1\\b", 1},  // plain: nothing is special
      {"(\\d+)-(\\d+)", "$2/$1", {true, false}, "1-12 x", "12/1 x", 1},
      {"^", "Disc 1 ", {true, false}, "Title", "Disc 1 Title", 1},
      {"ｶ", "カ", {false, true}, "ｶｶ", "カカ", 2},
      {"z", "y", {true, true}, "abc", "abc", 0},
  };
  for (const auto& c : cases) {
    TextReplacer replacer(c.find, c.replace, c.options);
    ASSERT_EQ(replacer.Error(), "") << c.find;
    int count = -1;
    EXPECT_EQ(replacer.Replace(c.in, count), c.out) << c.find;
    EXPECT_EQ(count, c.count) << c.find;
  }
}

TEST(TextReplace, ABadPatternGroupOrEndlessSearchIsAnErrorAndChangesNothing) {
  EXPECT_NE(TextReplacer("(a", "", {true, false}).Error(), "");
  TextReplacer group("a", "$2", {true, false});
  int count = -1;
  EXPECT_EQ(group.Replace("abc", count), "abc");
  EXPECT_EQ(count, 0);
  EXPECT_NE(group.Error(), "");
  TextReplacer endless("(a+)+b", "", {true, false});  // stopped, not left to run
  EXPECT_EQ(endless.Replace(std::string(40, 'a'), count), std::string(40, 'a'));
  EXPECT_NE(endless.Error(), "");
}

}  // namespace
}  // namespace quilmark::platform
