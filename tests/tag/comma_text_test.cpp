#include "tag/comma_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace quilmark {
namespace {

using namespace std::string_literals;
using Items = std::vector<std::string>;

TEST(CommaTextQuoting, QuotesOnlyWhatTheSplitterWouldBreak) {
  EXPECT_EQ(QuoteCommaItem("abc"), "abc");
  EXPECT_EQ(QuoteCommaItem("Title=\u65E5\u672C"), "Title=\u65E5\u672C");  // bytes >= 0x80 stay bare
  EXPECT_EQ(QuoteCommaItem("a b"), "\"a b\"");
  EXPECT_EQ(QuoteCommaItem("a,b"), "\"a,b\"");
  EXPECT_EQ(QuoteCommaItem("a\tb"), "\"a\tb\"");
  EXPECT_EQ(QuoteCommaItem("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(QuoteCommaItem("!"), "!");  // 33 is the first byte left bare
  EXPECT_EQ(QuoteAlways("abc"), "\"abc\"");
  EXPECT_EQ(QuoteAlways("a\"b"), "\"a\"\"b\"");
}

TEST(CommaTextQuoting, EmptyItemIsQuotedSoItSurvivesAtTheEnd) {
  EXPECT_EQ(QuoteCommaItem(""), "\"\"");
  EXPECT_EQ(JoinCommaText({"a", ""}), "a,\"\"");
  EXPECT_EQ(SplitCommaText(JoinCommaText({"a", ""})), (Items{"a", ""}));
  EXPECT_EQ(SplitCommaText(JoinCommaText({""})), (Items{""}));
  EXPECT_EQ(JoinCommaText({}), "");
  EXPECT_EQ(SplitCommaText(JoinCommaText({})), Items{});
}

TEST(CommaTextSplitting, ClassicRules) {
  EXPECT_EQ(SplitCommaText("a,b,c"), (Items{"a", "b", "c"}));
  EXPECT_EQ(SplitCommaText("a, b"), (Items{"a", "b"}));      // comma and blank
  EXPECT_EQ(SplitCommaText("a,,b"), (Items{"a", "", "b"}));  // empty item between
  EXPECT_EQ(SplitCommaText(",a"), (Items{"", "a"}));
  EXPECT_EQ(SplitCommaText("a,"), (Items{"a"}));        // trailing comma adds none
  EXPECT_EQ(SplitCommaText("a b"), (Items{"a", "b"}));  // a blank separates too
  EXPECT_EQ(SplitCommaText("  a \t, b  "), (Items{"a", "b"}));
  EXPECT_EQ(SplitCommaText(""), Items{});
  EXPECT_EQ(SplitCommaText(" \t\r\n"), Items{});
  EXPECT_EQ(SplitCommaText("\"a, b\",c"), (Items{"a, b", "c"}));
  EXPECT_EQ(SplitCommaText("\"a\"\"b\""), (Items{"a\"b"}));
  EXPECT_EQ(SplitCommaText("\"\""), (Items{""}));
  // Text straight after a closing quote starts the next item.
  EXPECT_EQ(SplitCommaText("\"ab\"cd,e"), (Items{"ab", "cd", "e"}));
  // A quote inside a bare item is an ordinary byte.
  EXPECT_EQ(SplitCommaText("ab\"c,d"), (Items{"ab\"c", "d"}));
  // Multi-byte characters are never cut.
  EXPECT_EQ(SplitCommaText("\u65E5\u672C,\uFF71 \u3042"),
            (Items{"\u65E5\u672C", "\uFF71", "\u3042"}));
}

TEST(CommaTextSplitting, JoinThenSplitGivesTheItemsBack) {
  const Items items = {"plain",
                       "with space",
                       "",
                       "comma,inside",
                       "\"quoted\"",
                       "tab\tand\nline",
                       "Title=\u65E5\u672C\u8A9E",
                       "\"",
                       "a\0b"s,
                       " lead",
                       "trail ",
                       "\x01",
                       ""};
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
}

TEST(CommaTextHostileInput, UnbalancedQuoteRunsToTheEnd) {
  EXPECT_EQ(SplitCommaText("a,\"b,c"), (Items{"a", "b,c"}));
  EXPECT_EQ(SplitCommaText("\""), (Items{""}));
  EXPECT_EQ(SplitCommaText("\"abc\"\""), (Items{"abc\""}));
}

TEST(CommaTextHostileInput, NulOutsideQuotesEndsTheText) {
  EXPECT_EQ(SplitCommaText("a,b\0c,d"s), (Items{"a", "b"}));
  EXPECT_EQ(SplitCommaText("ab\"c\0d\",e"s), (Items{"ab\"c"}));
  EXPECT_EQ(SplitCommaText("\0a"s), Items{});
  EXPECT_EQ(SplitCommaText("\"x\0y\",z"s), (Items{"x\0y"s, "z"}));
}

TEST(CommaTextHostileInput, BinaryBytesNeverHang) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 151 + 7) % 256);
  const Items items = SplitCommaText(junk);
  EXPECT_FALSE(items.empty());
  // Every byte of every item came from the input, so nothing was invented.
  std::size_t total = 0;
  for (const auto& item : items) total += item.size();
  EXPECT_LE(total, junk.size());
}

TEST(CommaTextHostileInput, MegabyteLinesTakeLinearTime) {
  const auto start = std::chrono::steady_clock::now();
  const std::string quotes(4 << 20, '"');  // pairs of doubled quotes, unterminated
  const Items fromQuotes = SplitCommaText(quotes);
  ASSERT_EQ(fromQuotes.size(), 1u);
  EXPECT_EQ(fromQuotes[0].size(), (quotes.size() - 2) / 2);

  std::string commas(4 << 20, ',');
  EXPECT_EQ(SplitCommaText(commas).size(), commas.size());  // one empty item per comma

  const std::string big(2 << 20, 'x');
  const Items round = SplitCommaText(JoinCommaText({big, big + " y"}));
  ASSERT_EQ(round.size(), 2u);
  EXPECT_EQ(round[1], big + " y");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace quilmark
