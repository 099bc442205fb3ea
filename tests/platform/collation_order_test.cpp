// Text order as the user's locale gives it: case ignored where asked, width
// and kana type always kept apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/collation.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

using Case = LocaleCollator::Case;
using Pair = std::pair<const char*, const char*>;

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Collation, CaseIsTheOnlyDifferenceIgnoredAndTextIsNoNumber) {
  for (const char* locale : {"ja", "root", "en_US"}) {
    SCOPED_TRACE(locale);
    LocaleCollator ignored(Case::Ignored, locale), sensitive(Case::Sensitive, locale);
    for (auto [a, b] : {Pair{"abc", "ABC"}, Pair{"Ａｂｃ", "ａＢＣ"}}) {
      EXPECT_EQ(ignored.Compare(a, b), 0) << a << " " << b;
      EXPECT_NE(sensitive.Compare(a, b), 0) << a << " " << b;
    }
    // Width and kana type stay apart even with case ignored.
    for (auto [a, b] : {Pair{"ｱ", "ア"}, Pair{"あ", "ア"}, Pair{"abc", "ａｂｃ"}}) {
      EXPECT_NE(ignored.Compare(a, b), 0) << a << " " << b;
    }
    // Letters first, case only breaking ties; digits as text.
    for (auto [a, b] : {Pair{"apple", "Banana"}, Pair{"ABC", "abd"}, Pair{"10", "9"}}) {
      EXPECT_LT(ignored.Compare(a, b), 0) << a << " " << b;
      EXPECT_LT(sensitive.Compare(a, b), 0) << a << " " << b;
    }
  }
  // Japanese order: kana before kanji, kanji by reading (亜 あ before 一 い).
  LocaleCollator ja(Case::Ignored, "ja");
  for (auto [a, b] : {Pair{"Z", "あ"}, Pair{"か", "亜"}, Pair{"亜", "一"}}) {
    EXPECT_LT(ja.Compare(a, b), 0) << a << " " << b;
  }
  const std::string broken = "a\xFF\xC3";
  EXPECT_EQ(ja.Compare(broken, broken), 0);
  EXPECT_NE(ja.Compare(broken, "a"), 0);
}

TEST(Collation, DefaultLocaleComesFromTheEnvironment) {
  ScopedEnv env;
  env.Set("LC_ALL", std::nullopt).Set("LC_COLLATE", std::nullopt).Set("LANG", "C.UTF-8");
  EXPECT_LT(LocaleCollator(Case::Ignored).Compare("亜", "一"), 0);  // no locale: Japanese
  env.Set("LC_ALL", "en_US.UTF-8");                                 // the root order puts 一 first
  EXPECT_GT(LocaleCollator(Case::Ignored).Compare("亜", "一"), 0);
  EXPECT_EQ(LocaleCollator(Case::Ignored).Compare("x", "X"), 0);
}

// A list sorted once by keys and once by comparisons must come out the same.
TEST(Collation, SortKeysOrderLikeCompare) {
  const std::vector<std::string> sample = {"abc", "ABC", "Abd", "10", "9",        "ｱ", "ア",
                                           "あ",  "ｶﾞ",  "亜",  "一", "",         "ß", "ss",
                                           "é",   "Ｅ",  "曲a", "\t", "a\xFF\xC3"};
  for (Case rule : {Case::Ignored, Case::Sensitive}) {
    for (const char* locale : {"ja", "root"}) {
      LocaleCollator collator(rule, locale);
      for (const std::string& a : sample) {
        for (const std::string& b : sample) {
          EXPECT_EQ(Sign(collator.SortKey(a).compare(collator.SortKey(b))),
                    Sign(collator.Compare(a, b)))
              << locale << " '" << a << "' vs '" << b << "'";
        }
      }
    }
  }
}

}  // namespace
}  // namespace quilmark::platform
