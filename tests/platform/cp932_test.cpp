#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace quilmark::platform {
namespace {

using namespace std::string_literals;

// The characters where code page 932 tables disagree: Windows rejects the
// first form and writes only the second (full-width) one.
TEST(Cp932WindowsTable, RejectsTheCharactersWindowsCannotWrite) {
  for (const char* utf8 : {"\u301C", "\u2016", "\u2212", "\u00A5"}) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp932(utf8, &lossless), "?") << utf8;
    EXPECT_FALSE(lossless) << utf8;
    EXPECT_FALSE(IsCp932Representable(utf8)) << utf8;
  }
}

TEST(Cp932WindowsTable, WritesTheWindowsCounterparts) {
  EXPECT_EQ(Utf8ToCp932("\uFF5E"), "\x81\x60");  // FULLWIDTH TILDE
  EXPECT_EQ(Utf8ToCp932("\u2225"), "\x81\x61");  // PARALLEL TO
  EXPECT_EQ(Utf8ToCp932("\uFF0D"), "\x81\x7C");  // FULLWIDTH HYPHEN-MINUS
  EXPECT_EQ(Utf8ToCp932("\uFFE5"), "\x81\x8F");  // FULLWIDTH YEN SIGN
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\uFF5E");
  EXPECT_EQ(Cp932ToUtf8("\x81\x61"), "\u2225");
  EXPECT_EQ(Cp932ToUtf8("\x81\x7C"), "\uFF0D");
  EXPECT_EQ(Cp932ToUtf8("\x81\x8F"), "\uFFE5");
}

TEST(Cp932WindowsTable, NecAndIbmExtensions) {
  EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "\u2460");  // circled digit one
  EXPECT_EQ(Utf8ToCp932("\u2460"), "\x87\x40");
  // Small Roman numeral one exists twice (NEC-selected IBM row and IBM row);
  // both read as the same character, which is written in the IBM form.
  EXPECT_EQ(Cp932ToUtf8("\xEE\xEF"), "\u2170");
  EXPECT_EQ(Cp932ToUtf8("\xFA\x40"), "\u2170");
  EXPECT_EQ(Utf8ToCp932("\u2170"), "\xFA\x40");
  // NEC row 13 duplicates of JIS symbols are written in the JIS form.
  EXPECT_EQ(Cp932ToUtf8("\x87\x90"), "\u2252");
  EXPECT_EQ(Utf8ToCp932("\u2252"), "\x81\xE0");
  // User-defined area.
  EXPECT_EQ(Cp932ToUtf8("\xF0\x40"), "\uE000");
}

TEST(Cp932WindowsTable, SingleBytesBelow0x80AreAscii) {
  // Includes 0x5C and 0x7E (backslash and tilde, not yen and overline) and
  // the control codes 0x1A, 0x1C and 0x7F, which some IBM tables exchange.
  std::string all;
  for (int b = 0; b < 0x80; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Cp932ToUtf8(all), all);
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp932(all, &lossless), all);
  EXPECT_TRUE(lossless);
  // The same bytes inside non-ASCII text, which takes the converter path.
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x1A\x1C\x7F\x5C\x7E"s), "\u3042\x1A\x1C\x7F\\~");
  EXPECT_EQ(Utf8ToCp932("\u3042\x1A\x1C\x7F\\~"), "\x82\xA0\x1A\x1C\x7F\x5C\x7E");
}

TEST(Cp932WindowsTable, HalfWidthKatakana) {
  EXPECT_EQ(Cp932ToUtf8("\xB1\xDD\xA1\xDF"), "\uFF71\uFF9D\uFF61\uFF9F");
  EXPECT_EQ(Utf8ToCp932("\uFF71\uFF9D\uFF61\uFF9F"), "\xB1\xDD\xA1\xDF");
}

TEST(Cp932WindowsTable, EveryDoubleByteCharacterRereadsTheSame) {
  // Decoding, encoding and decoding again must give the same character for
  // every pair the table knows (duplicates may change bytes, not meaning).
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = Cp932ToUtf8(bytes);
      if (text == "\uFFFD") continue;
      bool lossless = false;
      const std::string back = Utf8ToCp932(text, &lossless);
      ASSERT_TRUE(lossless) << std::hex << lead << " " << trail;
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
      ASSERT_EQ(Cp932ToUtf8(back), text) << std::hex << lead << " " << trail;
    }
  }
}

TEST(Cp932Decoding, InvalidBytesBecomeReplacementCharacter) {
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\uFFFD");  // lead byte cut off at the end
  EXPECT_EQ(Cp932ToUtf8("\x80"), "\uFFFD");
  EXPECT_EQ(Cp932ToUtf8("\xA0"), "\uFFFD");
  EXPECT_EQ(Cp932ToUtf8("\xFF"), "\uFFFD");
  EXPECT_EQ(Cp932ToUtf8("\x85\x40"), "\uFFFD");  // unassigned pair
  // A lead byte before a byte that cannot trail: the second byte survives.
  EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), "\uFFFD x");
}

TEST(Cp932Decoding, NulStaysNul) {
  EXPECT_EQ(Cp932ToUtf8("a\0b"s), "a\0b"s);
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\0\x82\xA2"s), "\u3042\0\u3044"s);
  EXPECT_EQ(Utf8ToCp932("\u3042\0\u3044"s), "\x82\xA0\0\x82\xA2"s);
}

TEST(Cp932Encoding, UnmappableBecomesQuestionMark) {
  bool lossless = true;
  EXPECT_EQ(Utf8ToCp932("a\u00E9b", &lossless), "a?b");  // Latin-1, not in the table
  EXPECT_FALSE(lossless);
  // A character outside the BMP is one replacement, not one per surrogate.
  EXPECT_EQ(Utf8ToCp932("x\U0001F600y", &lossless), "x?y");
  EXPECT_FALSE(lossless);
  // Ill-formed UTF-8 cannot be written either.
  EXPECT_EQ(Utf8ToCp932("a\xC3", &lossless), "a?");
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp932("\u65E5\u672C", &lossless), "\x93\xFA\x96\x7B");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf8ToCp932("", &lossless), "");
  EXPECT_TRUE(lossless);
}

TEST(Utf16Conversion, RoundTripsAllOfUnicode) {
  const std::string text = "a\u00E9\u3042\uFF71\U0001F600\U0010FFFF";
  const std::u16string units = Utf8ToUtf16(text);
  EXPECT_EQ(units, u"a\u00E9\u3042\uFF71\U0001F600\U0010FFFF");
  EXPECT_EQ(Utf16ToUtf8(units), text);
  EXPECT_EQ(Utf16ToUtf8(u"a\0b"s), "a\0b"s);
}

TEST(Utf16Conversion, IllFormedInputBecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\uFFFDb");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00)}), "\uFFFD");
}

TEST(Cp932Threads, ConvertersDoNotInterfere) {
  const std::string sjis = "\x93\xFA\x96\x7B\x8C\xEA\xB1\x87\x40";
  const std::string utf8 = "\u65E5\u672C\u8A9E\uFF71\u2460";
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        bool lossless = (i % 2 == 0);
        if (Cp932ToUtf8(sjis) != utf8) ++failures[t];
        if (Utf8ToCp932(i % 2 ? utf8 : utf8 + "\u00E9", &lossless) == sjis) {
          if (!lossless) ++failures[t];
        } else if (lossless) {
          ++failures[t];
        }
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace quilmark::platform
