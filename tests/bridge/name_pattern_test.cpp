// Patterns read file names into fields and fill fields into names; a text
// that is no pattern says why.
#include "bridge/name_pattern.h"

#include <gtest/gtest.h>

namespace quilmark {
namespace {

TEST(NamePattern, RefusedPatternsSayWhy) {
  using U = PatternUse;
  for (auto [text, use, error] : {
           std::tuple{"%title", U::TagsFromNames, "% が閉じていません。"},
           {"%titel%", U::NamesFromTags, "知らない項目です: %titel%"},
           {"%artist%/%title%", U::TagsFromNames,
            "パターンにフォルダの区切り（/ や \\）は使えません。"},
           {"%track%%title%", U::TagsFromNames,
            "項目と項目の間には区切りの文字が必要です: %title%"},
           {"%title% - %TITLE%", U::TagsFromNames, "同じ項目が 2 回あります: %TITLE%"},
           {"%dummy% - %title%", U::NamesFromTags,
            "%dummy% はファイル名からタグを設定するときだけ使えます。"},
           {"100%% %dummy%", U::TagsFromNames, "タグの項目（%title% など）がありません。"},
       }) {
    const ParsedPattern parsed = NamePattern::Parse(text, use);
    EXPECT_FALSE(parsed.pattern) << text;
    EXPECT_EQ(parsed.error, error) << text;
  }
  // Making names, a field may come twice and two may touch.
  EXPECT_TRUE(NamePattern::Parse("%track%%title% (%title%)", U::NamesFromTags).pattern);
}

TEST(NamePattern, NamesFitOrNotAndEachPlaceholderTakesTheShortestText) {
  for (auto [pattern, stem, values] : {
           std::tuple{"%track% - %artist% - %title%", "01 - A - T", "01|A|T"},
           {"%track% - %artist% - %title%", "01 - A - B - C", "01|A|B - C"},
           {"%track% - %artist% - %title%", "01 - A", "no"},
           {"%Artist% - %dummy% - %title%", "A - 2001 - T", "A|T"},
           {"(%year%) %album% [%dummy%]", "(1999) 青 [FLAC]", "1999|青"},
           {"(%year%) %album% [%dummy%]", "(1999) 青 [FLAC] x", "no"},  // the end must fit
           {"%title% (live)", "Song (live) (live)", "Song (live)"},     // backtracks
           {"%title% 100%%", "Yes 100%", "Yes"},
           {"%artist% - %title%", " - ", "|"},  // empty values fit
       }) {
    const ParsedPattern parsed = NamePattern::Parse(pattern, PatternUse::TagsFromNames);
    ASSERT_TRUE(parsed.pattern) << parsed.error;
    const auto matched = parsed.pattern->Match(stem);
    std::string got = matched ? "" : "no";
    for (std::size_t i = 0; matched && i < matched->size(); ++i) {
      got += (i ? "|" : "") + (*matched)[i];
    }
    EXPECT_EQ(got, values) << pattern << " / " << stem;
  }
}

// A name that nearly fits in many ways is decided in time proportional to
// parts times positions, not to the ways.
TEST(NamePattern, ManyNearMissesAreDecidedQuickly) {
  const ParsedPattern parsed =
      NamePattern::Parse("%track%-%artist%-%title%-%album%-%year%-%genre%-%comment%-%composer%!",
                         PatternUse::TagsFromNames);
  ASSERT_TRUE(parsed.pattern);
  EXPECT_FALSE(parsed.pattern->Match(std::string(250, '-')));
}

}  // namespace
}  // namespace quilmark
