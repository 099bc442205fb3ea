// Text order as the user's locale gives it: case ignored where asked, width
// and kana type always kept apart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/collation.h"

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
    for (auto [a, b] : {Pair{"ｱ", "ア"}, Pair{"あ", "ア"}, Pair{"abc", "ａｂｃ"}}) {
      EXPECT_NE(ignored.Compare(a, b), 0) << a << " " << b;
      EXPECT_NE(sensitive.Compare(a, b), 0) << a << " " << b;
    }
    // Letters first, case only breaking ties; digits as text.
    for (auto [a, b] : {Pair{"apple", "Banana"}, Pair{"APPLE", "banana"}, Pair{"ABC", "abd"},
                        Pair{"10", "9"}, Pair{"", "a"}}) {
      EXPECT_LT(ignored.Compare(a, b), 0) << a << " " << b;
      EXPECT_LT(sensitive.Compare(a, b), 0) << a << " " << b;
    }
  }
  // Japanese order: kana before kanji, kanji by reading (亜 あ before 一 い).
  LocaleCollator ja(Case::Ignored, "ja");
  for (auto [a, b] : {Pair{"Z", "あ"}, Pair{"あ", "か"}, Pair{"か", "亜"}, Pair{"亜", "一"}})
    EXPECT_LT(ja.Compare(a, b), 0) << a << " " << b;
  const std::string broken = "a\xFF\xC3";
  EXPECT_EQ(ja.Compare(broken, broken), 0);
  EXPECT_NE(ja.Compare(broken, "a"), 0);
  EXPECT_FALSE(ja.SortKey(broken).empty());
}

TEST(Collation, DefaultLocaleComesFromTheEnvironment) {
  const char* names[3] = {"LC_ALL", "LC_COLLATE", "LANG"};
  std::vector<std::pair<const char*, std::string>> saved;
  for (const char* name : names) {
    if (const char* v = std::getenv(name)) saved.emplace_back(name, v);
    unsetenv(name);
  }
  setenv("LANG", "C.UTF-8", 1);  // no locale: Japanese order
  EXPECT_LT(LocaleCollator(Case::Ignored).Compare("亜", "一"), 0);
  setenv("LC_ALL", "en_US.UTF-8", 1);  // the root order puts 一 first
  EXPECT_GT(LocaleCollator(Case::Ignored).Compare("亜", "一"), 0);
  EXPECT_EQ(LocaleCollator(Case::Ignored).Compare("x", "X"), 0);
  for (const char* name : names) unsetenv(name);
  for (const auto& [name, value] : saved) setenv(name, value.c_str(), 1);
}

// A list sorted once by keys and once by comparisons must come out the same.
TEST(Collation, SortKeysOrderLikeCompare) {
  const std::vector<std::string> sample = {"abc", "ABC", "Abd", "abc ", "10", "9",  "ｱ",
                                           "ア",  "あ",  "ガ",  "カ",   "亜", "一", "",
                                           "ß",   "ss",  "SS",  "é",    "e",  "Ｅ", "ab",
                                           "曲A", "曲a", "z\n", "\t",   "ｶﾞ", "ヴ", "ＡＢＣ"};
  for (Case rule : {Case::Ignored, Case::Sensitive}) {
    for (const char* locale : {"ja", "root"}) {
      LocaleCollator collator(rule, locale);
      for (const std::string& a : sample) {
        const std::string keyA = collator.SortKey(a);
        for (const std::string& b : sample) {
          EXPECT_EQ(Sign(keyA.compare(collator.SortKey(b))), Sign(collator.Compare(a, b)))
              << locale << " '" << a << "' vs '" << b << "'";
        }
      }
    }
  }
}

}  // namespace
}  // namespace quilmark::platform
