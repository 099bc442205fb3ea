// Comma text: what is quoted, how lines split, and lines no list holds.
#include "text/comma_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quilmark {
namespace {

using namespace std::string_literals;
using Items = std::vector<std::string>;

TEST(CommaText, QuotesOnlyWhatTheSplitterWouldBreak) {
  EXPECT_EQ(QuoteCommaItem("Title=\u65E5\u672C"), "Title=\u65E5\u672C");  // high bytes stay bare
  EXPECT_EQ(QuoteCommaItem("!"), "!");  // 33 is the first byte left bare
  EXPECT_EQ(QuoteCommaItem("a b"), "\"a b\"");
  EXPECT_EQ(QuoteCommaItem("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(QuoteAlways("a\"b"), "\"a\"\"b\"");
  // An empty item is quoted, or it would vanish at the end of a list.
  EXPECT_EQ(JoinCommaText({"a", ""}), "a,\"\"");

  const Items items = {"plain",      "with space",     "",     "comma,inside",
                       "\"quoted\"", "tab\tand\nline", "\"",   "a\0b"s,
                       " lead",      "trail ",         "\x01", ""};
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(SplitCommaText(JoinCommaText({""})), (Items{""}));
}

TEST(CommaText, SplittingRulesAndHostileInput) {
  const std::pair<std::string, Items> cases[] = {
      {"a, b", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a"}},  // a trailing comma adds no item
      {"  a \t, b  ", {"a", "b"}},
      {" \t\r\n", {}},
      {"\"a, b\",c", {"a, b", "c"}},
      {"\"ab\"cd,e", {"ab", "cd", "e"}},  // text after a closing quote starts an item
      {"ab\"c,d", {"ab\"c", "d"}},        // a quote inside a bare item is a byte
      {"\u65E5\u672C,\uFF71 \u3042", {"\u65E5\u672C", "\uFF71", "\u3042"}},
      // Unbalanced quotes run to the end.
      {"a,\"b,c", {"a", "b,c"}},
      {"\"", {""}},
      // A NUL outside quotes ends the text.
      {"a,b\0c,d"s, {"a", "b"}},
      {"\"x\0y\",z"s, {"x\0y"s, "z"}},
  };
  for (const auto& [text, items] : cases) EXPECT_EQ(SplitCommaText(text), items) << text;
}

// Lines of megabytes of quotes or commas: a split that went back over what
// it had read would take hours here, and the test's time limit catches it.
TEST(CommaText, MegabyteLinesOfQuotesAndCommas) {
  const std::string quotes(4 << 20, '"');  // doubled quotes, unterminated
  const Items fromQuotes = SplitCommaText(quotes);
  ASSERT_EQ(fromQuotes.size(), 1u);
  EXPECT_EQ(fromQuotes[0].size(), (quotes.size() - 2) / 2);
  EXPECT_EQ(SplitCommaText(std::string(4 << 20, ',')).size(), std::size_t{4 << 20});
}

}  // namespace
}  // namespace quilmark
