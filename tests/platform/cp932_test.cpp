// Code page 932 as Windows writes it, to and from UTF-8.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace quilmark::platform {
namespace {

using namespace std::string_literals;

TEST(Cp932, ExtensionsKanaAndTheCharactersTablesDisagreeOnFollowWindows) {
  struct Case {
    const char *bytes, *text, *written;
  };
  for (Case c : {
           // Other tables give these bytes the first of each pair; Windows
           // the second (full-width) one, and the first has no form at all.
           Case{"\x81\x60", "\uFF5E", "\x81\x60"}, Case{"", "\u301C", "?"},
           Case{"\x81\x61", "\u2225", "\x81\x61"}, Case{"", "\u2016", "?"},
           Case{"\x81\x7C", "\uFF0D", "\x81\x7C"}, Case{"", "\u2212", "?"},
           Case{"\x81\x8F", "\uFFE5", "\x81\x8F"}, Case{"", "\u00A5", "?"},
           Case{"\x87\x40", "\u2460", "\x87\x40"},  // circled digit one (NEC row 13)
           Case{"\xEE\xEF", "\u2170", "\xFA\x40"},  // small roman one, NEC-selected IBM row...
           Case{"\xFA\x40", "\u2170", "\xFA\x40"},  // ...and IBM row: written in the IBM form
           Case{"\x87\x90", "\u2252", "\x81\xE0"},  // NEC duplicate of a JIS symbol
           Case{"\xB1\xDD\xA1\xDF", "\uFF71\uFF9D\uFF61\uFF9F", "\xB1\xDD\xA1\xDF"},
           Case{"\x83\x5C\x5C", "\u30BD\\", "\x83\x5C\x5C"},  // 5C trailing, then alone
       }) {
    if (*c.bytes) {
      EXPECT_EQ(Cp932ToUtf8(c.bytes), c.text) << c.text;
    }
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp932(c.text, &lossless), c.written) << c.text;
    EXPECT_EQ(lossless, std::string(c.written) != "?") << c.text;
  }
}

TEST(Cp932, AsciiStaysAndInvalidInputHasADefinedReplacement) {
  // 0x5C and 0x7E are backslash and tilde, and 0x1A, 0x1C and 0x7F stay
  // where some IBM tables exchange them; NUL stays too.
  std::string all;
  for (int b = 0; b < 0x80; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Cp932ToUtf8(all), all);
  EXPECT_EQ(Utf8ToCp932(all), all);
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x5C\0\x82\xA2"s), "\u3042\\\0\u3044"s);

  for (auto [bytes, text] : {std::pair{"a\x81", "a\uFFFD"},  // lead byte cut off at the end
                             {"\xA0", "\uFFFD"},
                             {"\x85\x40", "\uFFFD"},        // unassigned pair
                             {"\x81\x20x", "\uFFFD x"}}) {  // the byte that cannot trail survives
    EXPECT_EQ(Cp932ToUtf8(bytes), text);
  }
  // Unmappable text: one "?" per character, a surrogate pair included.
  for (auto [text, bytes] :
       {std::pair{"a\u00E9b", "a?b"}, {"x\U0001F600y", "x?y"}, {"a\xC3", "a?"}}) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp932(text, &lossless), bytes);
    EXPECT_FALSE(lossless);
  }
}

}  // namespace
}  // namespace quilmark::platform
