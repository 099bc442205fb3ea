#include "tag/id3v1.h"

#include "tag/tag_io_support.h"
#include "text/tag_text.h"

namespace quilmark {
namespace {

TagValues Read(const std::string& block) {
  TagValues values;
  ReadId3v1Block(block, values);
  return values;
}

TEST(Id3v1Reading, LayoutsGenresTrimmingAndEncodings) {
  std::string block = Id3v1Block("  Title ", "\t", "Album", " 99 ", "note", 7, 17);
  EXPECT_EQ(Read(block).ToCommaText(),
            "Title=Title,Album=Album,Year=99,Track=7,Comment=note,Genre=Rock");
  // A non-zero byte 125 makes a v1.0 block whose comment has 30 bytes; the
  // control character at its end is trimmed away.
  block.replace(97, 28, std::string(27, 'x') + "A");
  block[125] = 'A';
  block[126] = 7;
  EXPECT_EQ(Read(block).Get("Track"), "");
  EXPECT_EQ(Read(block).Get("Comment"), std::string(27, 'x') + "AA");

  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 255)).Get("Genre"), "");
  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 200)).Get("Genre"), "No Genre");
  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 0)).Get("Genre"), "Blues");

  // A UTF-16 field ends at its first zero unit, not at its first zero byte.
  const std::string utf16 = "\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0\x41\0"s;
  TagValues values = Read(Id3v1Block(testing::kTesutoSjis, utf16));
  EXPECT_EQ(values.Get("Title"), testing::kTesutoUtf8);
  EXPECT_EQ(values.Get("Artist"), testing::kTesutoUtf8);
  EXPECT_FALSE(IsId3v1Block("tag" + std::string(125, '\0')));
  // Latin-1, the standard's meaning of the block, where the bytes say so:
  // no letter is lost to a double-byte reading.
  values = Read(Id3v1Block("Caf\xE9", "Beyonc\xE9", "", "", "na\xEFve"));
  EXPECT_EQ(values.Get("Title"), "Caf\u00E9");
  EXPECT_EQ(values.Get("Comment"), "na\u00EFve");
}

TEST(Id3v1Writing, FieldsAtTheirOffsets) {
  TagValues values = TagValues::FromCommaText(
      "Title=Title,Artist=Artist,Album=Album,Year=2001,Commentv1=note,"
      "\"Comment=   note\\0long\",Track=300,Genre=rock");
  Id3v1Render out = RenderId3v1Block(values, Charset::ShiftJis);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  EXPECT_EQ(out.block, Id3v1Block("Title", "Artist", "Album", "2001", "note", 300 % 256, 17));

  // UTF-16 fields keep their mark.
  out = RenderId3v1Block(TagValues::FromCommaText("Title=abc"), Charset::Utf16Le);
  EXPECT_EQ(out.block.substr(3, 30), "\xFF\xFE"s + "a\0b\0c\0"s + std::string(22, '\0'));
  EXPECT_EQ(Read(out.block).Get("Title"), "abc");

  // An unknown genre is none; so much alone writes no block.
  out = RenderId3v1Block(TagValues::FromCommaText("Title=t,Genre=Not a genre"), Charset::ShiftJis);
  EXPECT_EQ(static_cast<unsigned char>(out.block[127]), 255);
  EXPECT_EQ(
      RenderId3v1Block(TagValues::FromCommaText("Genre=Not a genre"), Charset::ShiftJis).status,
      Id3v1Render::Status::kNothing);
}

TEST(Id3v1Writing, TextTheCharsetCannotHoldGoesIntoLatin1OrElseUtf16) {
  const struct {
    const char* title;
    TextFallback fallback;
    std::string field;
  } cases[] = {
      {"Caf\u00E9 na\u00EFve", TextFallback::Latin1, "Caf\xE9 na\xEFve"},
      {"\u30C6\u30B9\u30C8", TextFallback::None, testing::kTesutoSjis},
      {"\uD55C\uAD6D", TextFallback::Utf16, "\xFF\xFE\x5C\xD5\x6D\xAD"},
  };
  for (const auto& c : cases) {
    // The artist is one of the block's texts too, and one encoding serves all.
    const Id3v1Render out = RenderId3v1Block(
        TagValues::FromCommaText("\"Title="s + c.title + "\",Artist=plain"), Charset::ShiftJis);
    EXPECT_EQ(out.fallback, c.fallback) << c.title;
    EXPECT_EQ(out.block.substr(3, c.field.size()), c.field) << c.title;
    EXPECT_EQ(Read(out.block).Get("Title"), c.title);
    EXPECT_EQ(Read(out.block).Get("Artist"), "plain");
  }
}

TEST(Id3v1Writing, TrackThatIsNoNumberStopsTheWrite) {
  for (const char* track : {"3/12", "abc", "1.5", "99999999999", "-"}) {
    TagValues values;
    values.Set("Track", track);
    EXPECT_EQ(RenderId3v1Block(values, Charset::ShiftJis).status,
              Id3v1Render::Status::kTrackNotNumber)
        << track;
  }
  EXPECT_EQ(ParseDecimal(" 12 "), 12);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal("2147483648"), std::nullopt);
}

}  // namespace
}  // namespace quilmark
