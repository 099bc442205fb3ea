// Code page 932 as Windows writes it, to and from UTF-8.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace quilmark::platform {
namespace {

using namespace std::string_literals;

TEST(Cp932, CharactersTheTablesDisagreeOnFollowWindows) {
  // Other tables write the first character of each pair to the bytes that
  // Windows gives only the second (full-width) one.
  struct Pair {
    const char *rejected, *written, *bytes;
  };
  for (Pair p : {Pair{"\u301C", "\uFF5E", "\x81\x60"}, Pair{"\u2016", "\u2225", "\x81\x61"},
                 Pair{"\u2212", "\uFF0D", "\x81\x7C"}, Pair{"\u00A5", "\uFFE5", "\x81\x8F"}}) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp932(p.rejected, &lossless), "?") << p.rejected;
    EXPECT_FALSE(lossless) << p.rejected;
    EXPECT_EQ(Utf8ToCp932(p.written), p.bytes) << p.written;
    EXPECT_EQ(Cp932ToUtf8(p.bytes), p.written) << p.written;
  }
}

TEST(Cp932, ExtensionsAndKanaReadAndWriteInTheWindowsForm) {
  struct Case {
    const char *bytes, *text, *written;
  };
  for (Case c : {
           Case{"\x87\x40", "\u2460", "\x87\x40"},  // circled digit one (NEC row 13)
           Case{"\xEE\xEF", "\u2170", "\xFA\x40"},  // small roman one, NEC-selected IBM row...
           Case{"\xFA\x40", "\u2170", "\xFA\x40"},  // ...and IBM row: written in the IBM form
           Case{"\x87\x90", "\u2252", "\x81\xE0"},  // NEC duplicate of a JIS symbol
           Case{"\xB1\xDD\xA1\xDF", "\uFF71\uFF9D\uFF61\uFF9F", "\xB1\xDD\xA1\xDF"},
           Case{"\x83\x5C\x5C", "\u30BD\\", "\x83\x5C\x5C"},  // 5C trailing, then alone
       }) {
    EXPECT_EQ(Cp932ToUtf8(c.bytes), c.text) << c.text;
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp932(c.text, &lossless), c.written) << c.text;
    EXPECT_TRUE(lossless) << c.text;
  }
}

TEST(Cp932, BytesBelow0x80AreAsciiEvenBesideDoubleBytes) {
  // 0x5C and 0x7E are backslash and tilde, and 0x1A, 0x1C and 0x7F stay
  // where some IBM tables exchange them; NUL stays too.
  std::string all;
  for (int b = 0; b < 0x80; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Cp932ToUtf8(all), all);
  EXPECT_EQ(Utf8ToCp932(all), all);
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x5C\0\x82\xA2"s), "\u3042\\\0\u3044"s);
}

TEST(Cp932, InvalidInputHasADefinedReplacement) {
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
