// Japanese text as the program handles it: its order in the user's locale,
// code page 932 as Windows writes it, and the conversions and
// find-and-replace that edits of many cells use.
#include <gtest/gtest.h>

#include <string>

#include "platform/collation.h"
#include "platform/cp932.h"
#include "platform/text_replace.h"
#include "platform/text_transform.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

using Case = LocaleCollator::Case;

int Sign(int v) { return (v > 0) - (v < 0); }

// Case is the only difference ever ignored (width and kana type stay
// apart), case only breaks ties, digits are text; sort keys order alike.
TEST(Collation, CaseIsTheOnlyDifferenceIgnoredAndSortKeysAgree) {
  const struct {
    const char *a, *b;
    int ignored, sensitive;
  } pairs[] = {
      {"abc", "ABC", 0, -1}, {"Ａｂｃ", "ａＢＣ", 0, 1}, {"ｱ", "ア", 1, 1},
      {"あ", "ア", -1, -1},  {"abc", "ａｂｃ", -1, -1},  {"apple", "Banana", -1, -1},
      {"10", "9", -1, -1},   {"a\xFF\xC3", "a", 1, 1},   {"曲a", "\t", 1, 1},
  };
  for (const char *locale : {"ja", "root", "en_US"}) {
    for (Case rule : {Case::Ignored, Case::Sensitive}) {
      const LocaleCollator collator(rule, locale);
      for (const auto &p : pairs) {
        SCOPED_TRACE(std::string(locale) + " " + p.a + " " + p.b);
        const int sign = Sign(collator.Compare(p.a, p.b));
        EXPECT_EQ(sign, rule == Case::Ignored ? p.ignored : p.sensitive);
        EXPECT_EQ(Sign(collator.SortKey(p.a).compare(collator.SortKey(p.b))), sign);
      }
    }
  }
}

// Invalid bytes and unmappable text have a defined replacement: U+FFFD
// read, one "?" per character written, a surrogate pair included.
TEST(Cp932, WindowsTableKanaAndDefinedReplacementsBothWays) {
  struct Row {
    const char *bytes, *text, *written;
  };
  for (Row c : {
           // Other tables give these bytes the first character; Windows the
           // second (full-width) one, and the first has no form at all. The
           // rest of the Windows table (NEC and IBM rows) is ICU's own.
           Row{"\x81\x60", "\uFF5E", "\x81\x60"}, Row{"", "\u301C", "?"},
           Row{"\xB1\xDD\xA1\xDF", "\uFF71\uFF9D\uFF61\uFF9F", "\xB1\xDD\xA1\xDF"},
           // 5C trailing, then alone: backslash, as 7E is tilde.
           Row{"\x83\x5C\x5C~", "\u30BD\\~", "\x83\x5C\x5C~"},
           // Between kana, where some IBM tables exchange 1A, 1C and 7F.
           Row{"\x82\xA0\x1A\x1C\x7F\x82\xA2", "\u3042\x1A\x1C\x7F\u3044",
               "\x82\xA0\x1A\x1C\x7F\x82\xA2"},
           Row{"a\x81", "a\uFFFD", "a?"},        // lead byte cut off at the end
           Row{"\x85\x40", "\uFFFD", "?"},       // unassigned pair
           Row{"\x81\x20x", "\uFFFD x", "? x"},  // the byte that cannot trail survives
           Row{"", "x\U0001F600\u00E9", "x??"}, Row{"", "a\xC3", "a?"},  // past the BMP; broken
       }) {
    if (*c.bytes) {
      EXPECT_EQ(Cp932ToUtf8(c.bytes), c.text) << c.text;
    }
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp932(c.text, &lossless), c.written) << c.text;
    EXPECT_EQ(lossless, std::string(c.written).find('?') == std::string::npos) << c.text;
  }
}

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
      {C::Title, "THE long and winding ROAD", "The Long And Winding Road"},
      {C::TidySpaces, " \t a   b　　c  ", "a b　c"},
  };
  for (const auto &c : cases) EXPECT_EQ(TextConverter(c.conversion).Apply(c.in), c.out) << c.in;
}

// A bad pattern or group, or a search that would not end, is an error and
// changes nothing.
TEST(TextReplace, PlainOrPatternWithOrWithoutCaseAndErrorsChangeNothing) {
  struct Row {
    const char *find, *replace;
    TextReplacer::Options options;
    std::string in, out;
    int count;
    bool error;
  };
  const std::string kLong(40, 'a');
  const Row cases[] = {
      {"a", "b", {false, false}, "aAxa", "bbxb", 3, false},
      {"a", "b", {false, true}, "aAxa", "bAxb", 2, false},
      {".", "$1\\", {false, true}, "a.b", "a$1\\b", 1, false},  // plain: nothing
                                                                // is special
      {"(\\d+)-(\\d+)", "$2/$1", {true, false}, "1-12 x", "12/1 x", 1, false},
      {"^", "Disc 1 ", {true, false}, "Title", "Disc 1 Title", 1, false},
      {"(a", "", {true, false}, "a", "a", 0, true},
      {"a", "$2", {true, false}, "abc", "abc", 0, true},
      {"(a+)+b", "", {true, false}, kLong, kLong, 0, true},  // stopped, not left
                                                             // to run
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.find);
    TextReplacer replacer(c.find, c.replace, c.options);
    int count = -1;
    EXPECT_EQ(replacer.Replace(c.in, count), c.out);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(replacer.Error() != "", c.error);
  }
}

}  // namespace
}  // namespace quilmark::platform
