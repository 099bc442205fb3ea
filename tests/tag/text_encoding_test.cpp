#include "tag/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using platform::Cp932ToUtf8;

// 日本語 in each encoding.
const std::string kNihongoUtf8 = "\u65E5\u672C\u8A9E";
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoEuc = "\xC6\xFC\xCB\xDC\xB8\xEC";

TEST(TextDetection, ByteOrderMarksAndPairCounts) {
  EXPECT_EQ(DetectTextCode(""), kTextAscii);
  EXPECT_EQ(DetectTextCode("plain text"), kTextAscii);
  EXPECT_EQ(DetectTextCode("\xFF\xFE"), kTextUtf16Le);
  EXPECT_EQ(DetectTextCode("\xFE\xFF"
                           "\x30\x42"),
            kTextUtf16Be);
  EXPECT_EQ(DetectTextCode("\xFF"), kTextAscii);  // the zero fill is no FE
  EXPECT_EQ(DetectTextCode(kNihongoSjis), kTextSjis);
  EXPECT_EQ(DetectTextCode(kNihongoEuc), kTextEuc);
  EXPECT_EQ(DetectTextCode("\xFD\xA1"), kTextEuc);
  // A lead byte 0xE0..0xFC before a trail of 0x80 or above counts nothing.
  EXPECT_EQ(DetectTextCode("\xE0\x80"), kTextAscii);
  EXPECT_EQ(DetectTextCode("\xE0\x40"), kTextSjis);
  // A lead byte at the end pairs with the zero fill and counts nothing.
  EXPECT_EQ(DetectTextCode("abc\x81"), kTextAscii);
}

TEST(TextDetection, HalfWidthKanaQuirks) {
  // Shift-JIS half-width kana side by side look like EUC-JP pairs.
  EXPECT_EQ(DetectTextCode("\xB1\xB2\xB3\xB4"), kTextEuc);
  // With a Shift-JIS double-byte character among them: both kinds.
  EXPECT_EQ(DetectTextCode("\xB1\xB2"
                           "\x82\xA0"),
            kTextMixed);
  // EUC-JP kana (0x8E + kana byte) are not counted by themselves.
  EXPECT_EQ(DetectTextCode("\x8E\xB1\x8E\xB2"), kTextAscii);
}

TEST(TextDecoding, ChoosesTheConversionByTheBytes) {
  EXPECT_EQ(DecodeTagText("", true), "");
  EXPECT_EQ(DecodeTagText("abc", false), "abc");
  EXPECT_EQ(DecodeTagText(kNihongoSjis, false), kNihongoUtf8);
  EXPECT_EQ(DecodeTagText(kNihongoEuc, false), kNihongoUtf8);
  EXPECT_EQ(DecodeTagText("\xC6\xFC"
                          "\x8E\xB1",
                          false),
            "\u65E5\uFF71");  // EUC kana
  // Misjudged as EUC-JP, converted as such: the documented price of the
  // detection rules.
  EXPECT_EQ(DecodeTagText("\xB1\xB2", false), Cp932ToUtf8("\x89\x51"));
  // Mixed: left as Shift-JIS.
  EXPECT_EQ(DecodeTagText("\xB1\xB2"
                          "\x82\xA0",
                          false),
            "\uFF71\uFF72\u3042");
}

TEST(TextDecoding, Utf16KeepsEveryCharacter) {
  // é and U+1F600 have no code page 932 form; they must survive anyway.
  EXPECT_EQ(DecodeTagText("\xFF\xFE"
                          "a\0\xE9\0\x42\x30\x3D\xD8\x00\xDE"s,
                          false),
            "a\u00E9\u3042\U0001F600");
  EXPECT_EQ(DecodeTagText("\xFE\xFF"
                          "\0a\0\xE9\x30\x42\xD8\x3D\xDE\x00"s,
                          false),
            "a\u00E9\u3042\U0001F600");
  // An odd last byte is ignored; a mark alone is an empty text.
  EXPECT_EQ(DecodeTagText("\xFF\xFE"
                          "a\0b"s,
                          false),
            "a");
  EXPECT_EQ(DecodeTagText("\xFF\xFE", false), "");
}

TEST(TextDecoding, NulEscape) {
  // EUC-JP and UTF-16 always escape their NULs.
  EXPECT_EQ(DecodeTagText(kNihongoEuc + "\0x"s, false), kNihongoUtf8 + "\\0x");
  EXPECT_EQ(DecodeTagText("\xFF\xFE"
                          "a\0\0\0b\0"s,
                          false),
            "a\\0b");
  EXPECT_EQ(DecodeTagText("\xFE\xFF"
                          "\0a\0\0\0b"s,
                          false),
            "a\\0b");
  // Shift-JIS only with the flag; without it the text ends at the NUL.
  EXPECT_EQ(DecodeTagText("eng"
                          "desc\0long"s,
                          true),
            "engdesc\\0long");
  EXPECT_EQ(DecodeTagText("abc\0def"s, false), "abc");
  // UTF-16 without a mark is taken as Shift-JIS.
  EXPECT_EQ(DecodeTagText("a\0b\0"s, true), "a\\0b\\0");
}

TEST(TextEncoding, EachCharsetGivesItsBytes) {
  EXPECT_EQ(EncodeTagText("abc", kCharsetSjis), "abc");
  EXPECT_EQ(EncodeTagText(kNihongoUtf8, kCharsetSjis), kNihongoSjis);
  EXPECT_EQ(EncodeTagText(kNihongoUtf8, kCharsetEuc), kNihongoEuc);
  EXPECT_EQ(EncodeTagText("a\uFF71", kCharsetEuc), "a\x8E\xB1");
  EXPECT_EQ(EncodeTagText("abc", kCharsetUtf16Le),
            "\xFF\xFE"
            "a\0b\0c\0"s);
  EXPECT_EQ(EncodeTagText("abc", kCharsetUtf16Be),
            "\xFE\xFF"
            "\0a\0b\0c"s);
  EXPECT_EQ(EncodeTagText("", kCharsetUtf16Le), "\xFF\xFE");
  // Full Unicode in UTF-16, surrogate pairs included.
  EXPECT_EQ(EncodeTagText("\u00E9\U0001F600", kCharsetUtf16Le), "\xFF\xFE\xE9\0\x3D\xD8\x00\xDE"s);
  // An out-of-range Charset writes Shift-JIS.
  EXPECT_EQ(EncodeTagText(kNihongoUtf8, 4), kNihongoSjis);
  EXPECT_EQ(EncodeTagText(kNihongoUtf8, -1), kNihongoSjis);
}

TEST(TextEncoding, EncodeThenDecodeGivesTheTextBack) {
  const std::string text = "Title \u65E5\u672C\u8A9E \uFF71\uFF72 \u2460 \uFF5E abc\\d";
  for (int charset : {0, 1, 2, 3}) {
    EXPECT_EQ(DecodeTagText(EncodeTagText(text, charset), true), text) << charset;
  }
  const std::string wide = "\u00E9\U0001F600\u301C";  // outside code page 932
  EXPECT_EQ(DecodeTagText(EncodeTagText(wide, 2), true), wide);
  EXPECT_EQ(DecodeTagText(EncodeTagText(wide, 3), true), wide);
  EXPECT_EQ(DecodeTagText(EncodeTagText(wide, 0), true), "???");
}

TEST(SjisEucBytes, KnownPairs) {
  EXPECT_EQ(SjisToEuc("\x81\x40"), "\xA1\xA1");
  EXPECT_EQ(SjisToEuc("\x88\x9F"), "\xB0\xA1");
  EXPECT_EQ(SjisToEuc("\x9F\xFC"), "\xDE\xFE");
  EXPECT_EQ(SjisToEuc("\xEE\xFC"), "\xFC\xFE");
  EXPECT_EQ(SjisToEuc("\xB1"), "\x8E\xB1");
  // Bytes outside the convertible rows stay as they are.
  EXPECT_EQ(SjisToEuc("\x80\xA0\xEF\xFA\xFF"
                      "a\0"s),
            "\x80\xA0\xEF\xFA\xFF"
            "a\0"s);
  // A lead byte at the end pairs with the zero fill.
  EXPECT_EQ(SjisToEuc("\x81"), "\xA1\xE1");
  EXPECT_EQ(EucToSjis("\xA1\xA1"), "\x81\x40");
  EXPECT_EQ(EucToSjis("\xB0\xA1"), "\x88\x9F");
  EXPECT_EQ(EucToSjis("a\0b"s), "a\\0b");
  EXPECT_EQ(EucToSjis("\x8E\xB1z"), "\xB1z");
  // A kana marker with nothing after it gives nothing; before a NUL it
  // leaves the NUL to be escaped.
  EXPECT_EQ(EucToSjis("a\x8E"), "a");
  EXPECT_EQ(EucToSjis("a\x8E\0b"s), "a\\0b");
  EXPECT_EQ(EucToSjis("\x8F\x41"), "\x8F\x41");
  EXPECT_EQ(EscapeNul("\0a\0\0"s), "\\0a\\0\\0");
}

TEST(SjisEucBytes, RoundTripOverEveryConvertibleCharacter) {
  std::string sjis;
  for (int c = 0x01; c < 0x80; ++c) sjis += static_cast<char>(c);
  for (int c = 0xA1; c <= 0xDF; ++c) sjis += static_cast<char>(c);
  for (int lead = 0x81; lead <= 0xEE; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      sjis += static_cast<char>(lead);
      sjis += static_cast<char>(trail);
    }
  }
  const std::string euc = SjisToEuc(sjis);
  EXPECT_EQ(EucToSjis(euc), sjis);
}

TEST(LineEnds, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(ToCrLf("a\rb\nc\r\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(ToCrLf("a\r"), "a\r\n");
  EXPECT_EQ(ToCrLf("a\n\rb"), "a\r\n\r\nb");    // LF CR: two line ends
  EXPECT_EQ(ToCrLf("a\n\r\nb"), "a\r\n\r\nb");  // LF CR LF: two
  EXPECT_EQ(ToCrLf("\r\n\r\n"), "\r\n\r\n");
  EXPECT_EQ(ToCrLf(""), "");
  EXPECT_EQ(ToCrLf("\u65E5\n\u672C"), "\u65E5\r\n\u672C");
  EXPECT_EQ(ToLf("a\r\nb\rc\n"), "a\nbc\n");
  EXPECT_EQ(ToLf(ToCrLf("x\ny\rz")), "x\ny\nz");
}

TEST(LineEnds, LongTextsConvertCompletely) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "\u3042\n";
  const std::string crlf = ToCrLf(text);
  EXPECT_EQ(crlf.size(), text.size() + 20000);
  EXPECT_EQ(ToLf(crlf), text);
  EXPECT_EQ(DecodeTagText(EncodeTagText(text, 3), true), text);
}

TEST(Cp932Length, CountsCodePage932Bytes) {
  EXPECT_EQ(Cp932Length("abc"), 3u);
  EXPECT_EQ(Cp932Length(kNihongoUtf8), 6u);
  EXPECT_EQ(Cp932Length("\uFF71"), 1u);
  EXPECT_EQ(Cp932Length("\U0001F600"), 1u);  // written as one replacement
}

TEST(FitV1TextShiftJis, NeverSplitsADoubleByteCharacter) {
  const std::string a29(29, 'a');
  // 31 bytes whose 30th byte is a lead byte: the first 29.
  EXPECT_EQ(FitV1Text(a29 + "\u3042", 30, kCharsetSjis), a29);
  // 31 bytes whose 30th byte is a trail byte: the first 30.
  EXPECT_EQ(FitV1Text(std::string(28, 'a') + "\u3042b", 30, kCharsetSjis),
            std::string(28, 'a') + "\x82\xA0");
  // Half-width kana are single bytes.
  std::string kana;
  for (int i = 0; i < 31; ++i) kana += "\uFF71";
  EXPECT_EQ(FitV1Text(kana, 30, kCharsetSjis), std::string(30, '\xB1'));
  // A text that fits is only encoded.
  EXPECT_EQ(FitV1Text(std::string(30, 'x'), 30, kCharsetSjis), std::string(30, 'x'));
  EXPECT_EQ(FitV1Text(kNihongoUtf8, 30, 7), kNihongoSjis);
}

TEST(FitV1TextEuc, CutsOnTheEucForm) {
  const std::string a29(29, 'a');
  EXPECT_EQ(FitV1Text(a29 + "\u65E5", 30, kCharsetEuc), a29);
  // Kana take two bytes in EUC-JP: fifteen fit, the marker of a sixteenth
  // is not left dangling.
  std::string kana;
  for (int i = 0; i < 16; ++i) kana += "\uFF71";
  std::string expected;
  for (int i = 0; i < 15; ++i) expected += "\x8E\xB1";
  EXPECT_EQ(FitV1Text(kana, 30, kCharsetEuc), expected);
  EXPECT_EQ(FitV1Text("a" + kana, 30, kCharsetEuc), "a" + expected.substr(0, 28));
}

TEST(FitV1TextUtf16, MarkAndWholeUnits) {
  const std::string text(20, 'x');
  const std::string le = FitV1Text(text, 30, kCharsetUtf16Le);
  ASSERT_EQ(le.size(), 30u);
  EXPECT_EQ(le.substr(0, 4), "\xFF\xFEx\0"s);
  EXPECT_EQ(FitV1Text(text, 30, kCharsetUtf16Be).substr(0, 4), "\xFE\xFF\0x"s);
  // A surrogate pair that would straddle the limit is left out whole.
  const std::string emojiLast = std::string(13, 'x') + "\U0001F600";
  EXPECT_EQ(FitV1Text(emojiLast, 30, kCharsetUtf16Le),
            EncodeTagText(std::string(13, 'x'), kCharsetUtf16Le));
  EXPECT_EQ(FitV1Text(emojiLast, 30, kCharsetUtf16Be),
            EncodeTagText(std::string(13, 'x'), kCharsetUtf16Be));
  // A pair that fits is kept.
  const std::string emojiFits = std::string(12, 'x') + "\U0001F600" + "yy";
  EXPECT_EQ(FitV1Text(emojiFits, 30, kCharsetUtf16Le),
            EncodeTagText(std::string(12, 'x') + "\U0001F600", kCharsetUtf16Le));
  EXPECT_EQ(FitV1Text("abc", 8, kCharsetUtf16Le),
            "\xFF\xFE"
            "a\0b\0c\0"s);
  EXPECT_EQ(FitV1Text("abc", 1, kCharsetUtf16Le), "");
}

TEST(TextEncodingHostileInput, ArbitraryBytesDecodeWithoutHarm) {
  std::string bytes;
  for (int len = 0; len < 300; ++len) {
    bytes.assign(static_cast<std::size_t>(len), '\0');
    for (int i = 0; i < len; ++i) bytes[i] = static_cast<char>((i * 97 + len * 31) % 256);
    for (std::string prefix : {""s, "\xFF\xFE"s, "\xFE\xFF"s}) {
      const std::string in = prefix + bytes;
      (void)DecodeTagText(in, true);
      (void)DecodeTagText(in, false);
      (void)EucToSjis(in);
      (void)SjisToEuc(in);
      (void)DetectTextCode(in);
    }
  }
  SUCCEED();
}

}  // namespace
}  // namespace quilmark
