#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/collation.h"

namespace quilmark::platform {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Collation, IgnoredCaseStillKeepsWidthAndKanaTypeApart) {
  for (const char* locale : {"ja", "root", "en_US"}) {
    LocaleCollator collator(LocaleCollator::Case::Ignored, locale);
    SCOPED_TRACE(locale);
    EXPECT_EQ(collator.Compare("abc", "ABC"), 0);
    EXPECT_EQ(collator.Compare("Ａｂｃ", "ａＢＣ"), 0);  // full-width letters have case too
    EXPECT_NE(collator.Compare("ｱ", "ア"), 0);
    EXPECT_NE(collator.Compare("あ", "ア"), 0);
    EXPECT_NE(collator.Compare("abc", "ａｂｃ"), 0);
    EXPECT_LT(collator.Compare("apple", "Banana"), 0);
    EXPECT_GT(collator.Compare("banana", "APPLE"), 0);
    EXPECT_LT(collator.Compare("10", "9"), 0);  // text, not numbers
    EXPECT_LT(collator.Compare("", "a"), 0);
  }
}

TEST(Collation, SensitiveCaseTellsCaseWidthAndKanaApart) {
  LocaleCollator collator(LocaleCollator::Case::Sensitive, "ja");
  EXPECT_NE(collator.Compare("abc", "ABC"), 0);
  EXPECT_EQ(Sign(collator.Compare("abc", "ABC")), -Sign(collator.Compare("ABC", "abc")));
  EXPECT_NE(collator.Compare("ｱ", "ア"), 0);
  EXPECT_NE(collator.Compare("あ", "ア"), 0);
  EXPECT_EQ(collator.Compare("曲名", "曲名"), 0);
  // Letters are ordered alphabetically first, with case only breaking ties.
  EXPECT_LT(collator.Compare("ABC", "abd"), 0);
  EXPECT_LT(collator.Compare("10", "9"), 0);
}

TEST(Collation, JapaneseOrderPutsKanaBeforeKanjiAndKanjiByReading) {
  LocaleCollator collator(LocaleCollator::Case::Ignored, "ja");
  EXPECT_LT(collator.Compare("あ", "か"), 0);
  EXPECT_LT(collator.Compare("か", "亜"), 0);
  EXPECT_LT(collator.Compare("亜", "一"), 0);  // あ before い, whatever the code points say
  EXPECT_LT(collator.Compare("Z", "あ"), 0);
}

TEST(Collation, BrokenUtf8IsComparedWithoutHarm) {
  LocaleCollator collator(LocaleCollator::Case::Ignored, "ja");
  std::string broken = "a\xFF\xC3";
  EXPECT_EQ(collator.Compare(broken, broken), 0);
  EXPECT_NE(collator.Compare(broken, "a"), 0);
  EXPECT_FALSE(collator.SortKey(broken).empty());
}

TEST(Collation, DefaultLocaleComesFromTheEnvironment) {
  std::string saved[3];
  const char* names[3] = {"LC_ALL", "LC_COLLATE", "LANG"};
  for (int i = 0; i < 3; ++i) {
    const char* v = std::getenv(names[i]);
    saved[i] = v ? v : std::string("\x01");
    unsetenv(names[i]);
  }
  // With no locale set, Japanese order applies: kanji by reading.
  setenv("LANG", "C.UTF-8", 1);
  EXPECT_LT(LocaleCollator(LocaleCollator::Case::Ignored).Compare("亜", "一"), 0);
  // A locale named by the environment is used; the root order puts 一 first.
  setenv("LC_ALL", "en_US.UTF-8", 1);
  EXPECT_GT(LocaleCollator(LocaleCollator::Case::Ignored).Compare("亜", "一"), 0);
  EXPECT_EQ(LocaleCollator(LocaleCollator::Case::Ignored).Compare("x", "X"), 0);
  for (int i = 0; i < 3; ++i) {
    if (saved[i] == "\x01") {
      unsetenv(names[i]);
    } else {
      setenv(names[i], saved[i].c_str(), 1);
    }
  }
}

// Sorting by keys must give the very order that comparing does, or a list
// sorted once by keys and once by comparisons would come out differently.
TEST(Collation, SortKeysOrderLikeCompare) {
  std::vector<std::string> sample = {"abc", "ABC", "Abd", "abc ", "10",  "9",     "ｱ",   "ア",
                                     "あ",  "ガ",  "カ",  "亜",   "一",  "",      "ß",   "ss",
                                     "SS",  "é",   "e",   "Ｅ",   "a-b", "ab",    "曲A", "曲a",
                                     "z\n", "\t",  "ｶﾞ",  "ヴ",   "ゔ",  "ＡＢＣ"};
  for (auto caseRule : {LocaleCollator::Case::Ignored, LocaleCollator::Case::Sensitive}) {
    for (const char* locale : {"ja", "root"}) {
      LocaleCollator collator(caseRule, locale);
      for (const std::string& a : sample) {
        std::string keyA = collator.SortKey(a);
        for (const std::string& b : sample) {
          std::string keyB = collator.SortKey(b);
          int byKey = Sign(keyA.compare(keyB));
          EXPECT_EQ(byKey, Sign(collator.Compare(a, b)))
              << locale << " '" << a << "' vs '" << b << "'";
        }
      }
    }
  }
}

}  // namespace
}  // namespace quilmark::platform
