// Tag text in its encodings: what the bytes say they are, the conversions
// both ways, bytes no decoding reads, line ends, and cutting to an ID3v1
// field. Comma text: what is quoted, how lines split, and lines no list
// holds.
#include "text/tag_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/comma_text.h"
#include "text/japanese_text.h"
#include "text/line_ends.h"
#include "text/sjis_euc.h"
#include "text/text_code.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using Items = std::vector<std::string>;

// 日本語 in each encoding.
const std::string kNihongoUtf8 = "\u65E5\u672C\u8A9E";
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoEuc = "\xC6\xFC\xCB\xDC\xB8\xEC";

TEST(TextDetection, ByteOrderMarksAndPairCounts) {
  const std::pair<std::string, TextCode> cases[] = {
      {"plain text", TextCode::Ascii},
      {"\xFF\xFE", TextCode::Utf16Le},
      {"\xFE\xFF\x30\x42", TextCode::Utf16Be},
      {"\xFF", TextCode::Ascii},  // UTF-16 by its mark only: the zero fill is no FE
      {kNihongoSjis, TextCode::ShiftJis},
      {kNihongoEuc, TextCode::EucJp},
      {"\xE0\x80", TextCode::Ascii},  // a lead before a high trail counts nothing
      {"abc\x81", TextCode::Ascii},   // a lead at the end pairs with the zero fill
      // Shift-JIS half-width kana side by side look like EUC-JP pairs...
      {"\xB1\xB2\xB3\xB4", TextCode::EucJp},
      // ...and beside a Shift-JIS double-byte character give both kinds.
      {"\xB1\xB2\x82\xA0", TextCode::Mixed},
      {"\x8E\xB1\x8E\xB2", TextCode::Ascii},  // EUC-JP kana alone count nothing
  };
  for (const auto& [bytes, code] : cases) EXPECT_EQ(DetectTextCode(bytes), code) << bytes;
}

TEST(TextDecoding, ConversionAndNulEscapeFollowTheBytesAndTheTagsReading) {
  using enum LegacyReading;
  const struct {
    std::string bytes;
    bool escapeNul;
    std::string text;
    LegacyReading reading = Japanese;
  } cases[] = {
      {kNihongoSjis, false, kNihongoUtf8},
      {"\xC6\xFC\x8E\xB1", false, "\u65E5\uFF71"},
      {"\xB1\xB2\x82\xA0", false, "\uFF71\uFF72\u3042"},  // mixed: Shift-JIS
      // EUC-JP the pair count took for code page 932, which cannot read it.
      {"x\xEA\xE2", true, "x\u88C4"},
      // é and U+1F600 have no code page 932 form; UTF-16 keeps them, whatever
      // the tag's reading.
      {"\xFF\xFE"s + "a\0\xE9\0\x42\x30\x3D\xD8\x00\xDE"s, false, "a\u00E9\u3042\U0001F600"},
      {"\xFF\xFE"s + "a\0b"s, true, "a", Western},  // odd last byte
      // EUC-JP and UTF-16 always escape their NULs, Shift-JIS only when asked.
      {kNihongoEuc + "\0x"s, false, kNihongoUtf8 + "\\0x"},
      {"\xFF\xFE"s + "a\0\0\0b\0"s, false, "a\\0b"},
      {"engdesc\0long"s, true, "engdesc\\0long"},
      {"abc\0def"s, false, "abc"},
      {"a\0b\0"s, true, "a\\0b\\0"},  // UTF-16 without a mark is no UTF-16
      {"\x93\x80\x81\x9D\xFF", true, "\u201C\u20AC\u0081\u009D\u00FF", Western},  // every byte
      // A text cut inside a character keeps the stray bytes.
      {"ab\xE6\x9B", true, "ab\U000F00E6\U000F009B", Utf8},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecodeTagText(c.bytes, c.escapeNul, c.reading), c.text) << c.bytes;
}

TEST(RawBytes, WhatNoDecodingReadsIsWrittenBackAsItCame) {
  const std::pair<std::string, Charset> damaged[] = {
      {"\x85\x41", Charset::ShiftJis},              // an unassigned pair
      {"ab\x81 c", Charset::ShiftJis},              // a lead byte before a blank
      {"\xFD\xFE\xFF\x80\xA0", Charset::ShiftJis},  // bytes code page 932 never uses
      {kNihongoSjis + "\xEF\x76" + kNihongoSjis, Charset::ShiftJis},
      {kNihongoEuc + "\xA1\x41\x8F\xA1\xA1\xFE\xFE", Charset::EucJp},
  };
  for (const auto& [bytes, charset] : damaged) {
    const JapaneseText read =
        charset == Charset::EucJp ? DecodeEucJp(bytes) : DecodeShiftJis(bytes, true);
    EXPECT_FALSE(read.clean) << bytes;
    bool exact = false;
    EXPECT_EQ(EncodeTagText(read.text, charset, &exact), bytes);
    EXPECT_TRUE(exact);
  }
  // In UTF-16 they are the Latin-1 characters of their values.
  EXPECT_EQ(DecodeTagText(
                EncodeTagText(DecodeShiftJis("\x85\x41\xFD", true).text, Charset::Utf16Le), true),
            "\u0085A\u00FD");
}

TEST(TextEncoding, EachCharsetGivesItsBytesAndReadsBack) {
  EXPECT_EQ(EncodeTagText("\u00E9\U0001F600", Charset::Utf16Le), "\xFF\xFE\xE9\0\x3D\xD8\x00\xDE"s);

  const std::string text = "Title \u65E5\u672C\u8A9E \uFF71\uFF72 \u2460 \uFF5E abc\\d\n";
  for (Charset charset : {Charset::ShiftJis, Charset::EucJp, Charset::Utf16Le, Charset::Utf16Be})
    EXPECT_EQ(DecodeTagText(EncodeTagText(text, charset), true), text) << static_cast<int>(charset);
  const std::string wide = "\u00E9\U0001F600\u301C";  // outside code page 932
  EXPECT_EQ(DecodeTagText(EncodeTagText(wide, Charset::Utf16Be), true), wide);
  bool exact = true;
  EXPECT_EQ(DecodeTagText(EncodeTagText(wide, Charset::ShiftJis, &exact), true), "???");
  EXPECT_FALSE(exact);
  // The IBM rows have no EUC-JP form; UTF-16 holds everything.
  EXPECT_TRUE((EncodeTagText("\u2170", Charset::ShiftJis, &exact), exact));
  EXPECT_FALSE((EncodeTagText("\u2170", Charset::EucJp, &exact), exact));
  EXPECT_EQ(Cp932Length("a" + kNihongoUtf8 + "\uFF71\U0001F600"), 9u);
}

TEST(SjisEucBytes, KnownPairsAndEdges) {
  EXPECT_EQ(SjisToEuc("\x81\x40\x88\x9F\x9F\xFC\xEE\xFC\xB1"),
            "\xA1\xA1\xB0\xA1\xDE\xFE\xFC\xFE\x8E\xB1");
  const std::string unconvertible = "\x80\xA0\xEF\xFA\xFF"s + "a\0"s;
  EXPECT_EQ(SjisToEuc(unconvertible), unconvertible);
  EXPECT_EQ(SjisToEuc("\x81"), "\xA1\xE1");  // a lead at the end pairs with the zero fill
  EXPECT_EQ(EucToSjis("a\x8E"), "a");        // a kana marker with nothing after it
  EXPECT_EQ(EucToSjis("a\x8E\0b"s), "a\\0b");

  std::string sjis;  // every convertible character, there and back
  for (int c = 0x01; c < 0x80; ++c) sjis += static_cast<char>(c);
  for (int c = 0xA1; c <= 0xDF; ++c) sjis += static_cast<char>(c);
  for (int lead = 0x81; lead <= 0xEE; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail != 0x7F) sjis += {static_cast<char>(lead), static_cast<char>(trail)};
    }
  }
  EXPECT_EQ(EucToSjis(SjisToEuc(sjis)), sjis);
}

TEST(LineEnds, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(ToCrLf("a\rb\nc\r\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(ToCrLf("a\n\rb"), "a\r\n\r\nb");    // LF CR: two line ends
  EXPECT_EQ(ToCrLf("a\n\r\nb"), "a\r\n\r\nb");  // LF CR LF: two
  EXPECT_EQ(ToLf("a\r\nb\rc\n"), "a\nbc\n");
}

TEST(FitV1Text, CutsWithoutSplittingACharacter) {
  const std::string a28(28, 'a'), a29(29, 'a'), x13(13, 'x');
  std::string kana31, sjisKana30(30, '\xB1'), eucKana15;
  for (int i = 0; i < 31; ++i) kana31 += "\uFF71";
  for (int i = 0; i < 15; ++i) eucKana15 += "\x8E\xB1";
  const struct {
    std::string text;
    std::size_t max;
    Charset charset;
    std::string bytes;
  } cases[] = {
      {a29 + "\u3042", 30, Charset::ShiftJis, a29},  // 30th byte a lead: 29
      {a28 + "\u3042b", 30, Charset::ShiftJis, a28 + "\x82\xA0"},
      {kana31, 30, Charset::ShiftJis, sjisKana30},  // half-width kana are single bytes
      {kana31, 30, Charset::EucJp, eucKana15},      // two bytes each in EUC-JP
      {"a" + kana31, 30, Charset::EucJp, "a" + eucKana15.substr(0, 28)},
      // A surrogate pair that would straddle the limit is left out whole.
      {x13 + "\U0001F600", 30, Charset::Utf16Le, EncodeTagText(x13, Charset::Utf16Le)},
      {"abc", 1, Charset::Utf16Le, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FitV1Text(c.text, c.max, c.charset), c.bytes) << c.text;
}

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
      // A NUL outside quotes ends the text.
      {"a,b\0c,d"s, {"a", "b"}},
      {"\"x\0y\",z"s, {"x\0y"s, "z"}},
  };
  for (const auto& [text, items] : cases) EXPECT_EQ(SplitCommaText(text), items) << text;
}

}  // namespace
}  // namespace quilmark
