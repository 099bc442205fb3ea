#include "tag/id3v1.h"

#include <gtest/gtest.h>

#include "tag/text_encoding.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using testing::Id3v1Block;

TagValues Read(const std::string& block) {
  TagValues values;
  ReadId3v1Block(block, values);
  return values;
}

TEST(Id3v1Reading, TrackMarkerDecidesBetweenV10AndV11) {
  std::string block = Id3v1Block("Title", "Artist", "Album", "1999", "note", 7, 17);
  TagValues v11 = Read(block);
  EXPECT_EQ(v11.Get("Track"), "7");
  EXPECT_EQ(v11.Get("Comment"), "note");
  EXPECT_EQ(v11.Get("Genre"), "Rock");
  EXPECT_EQ(v11.Get("Year"), "1999");
  // Fields in their fixed order.
  ASSERT_EQ(v11.Count(), 7u);
  EXPECT_EQ(v11.Name(0), "Title");
  EXPECT_EQ(v11.Name(4), "Track");
  EXPECT_EQ(v11.Name(6), "Genre");

  // A non-zero byte 125 makes it a v1.0 block whose comment has 30 bytes;
  // the control character at its end is trimmed away.
  block.replace(97, 28, std::string(27, 'x') + "A");
  block[125] = 'A';
  block[126] = 7;
  TagValues v10 = Read(block);
  EXPECT_EQ(v10.Get("Track"), "");
  EXPECT_EQ(v10.Get("Comment"), std::string(27, 'x') + "AA");
}

TEST(Id3v1Reading, GenreBytesAndTrimming) {
  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 255)).Get("Genre"), "");
  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 200)).Get("Genre"), "No Genre");
  EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, 0)).Get("Genre"), "Blues");
  TagValues values = Read(Id3v1Block("  abc  ", "\t", "", " 99 "));
  EXPECT_EQ(values.Get("Title"), "abc");
  EXPECT_EQ(values.Get("Artist"), "");  // empty after trimming: no line at all
  EXPECT_EQ(values.Get("Year"), "99");
  EXPECT_EQ(values.Count(), 2u);  // Title and Year; genre byte 255
}

TEST(Id3v1Reading, DetectsTheEncodingOfEachField) {
  std::string utf16 = "\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0"s + "\x41\x00"s;
  TagValues values = Read(Id3v1Block(testing::kTesutoSjis, utf16));
  EXPECT_EQ(values.Get("Title"), testing::kTesutoUtf8);
  // A UTF-16 field ends at its first zero unit, not at its first zero byte.
  EXPECT_EQ(values.Get("Artist"), testing::kTesutoUtf8);
  EXPECT_FALSE(IsId3v1Block("tag" + std::string(125, '\0')));
  EXPECT_FALSE(IsId3v1Block("TAG"));
}

TEST(Id3v1Writing, FieldsAtTheirOffsets) {
  TagValues values;
  values.Set("Title", "Title");
  values.Set("Artist", "Artist");
  values.Set("Album", "Album");
  values.Set("Year", "2001");
  values.Set("Commentv1", "note");
  values.Set("Comment", "   note\\0long");  // the ID3v2 form is not used here
  values.Set("Track", "300");
  values.Set("Genre", "rock");
  Id3v1Render out = RenderId3v1Block(values, kCharsetSjis);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  EXPECT_EQ(out.block, Id3v1Block("Title", "Artist", "Album", "2001", "note", 300 % 256, 17));
  EXPECT_EQ(Read(out.block).Get("Comment"), "note");
}

TEST(Id3v1Writing, NoBlockWhenEverythingAfterTagIsZero) {
  EXPECT_EQ(RenderId3v1Block(TagValues(), kCharsetSjis).status, Id3v1Render::Status::kNothing);
  TagValues blues;
  blues.Set("Genre", "Blues");
  EXPECT_EQ(RenderId3v1Block(blues, kCharsetSjis).status, Id3v1Render::Status::kNothing);
  TagValues unknownGenre;
  unknownGenre.Set("Genre", "Not a genre");
  Id3v1Render out = RenderId3v1Block(unknownGenre, kCharsetSjis);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  EXPECT_EQ(static_cast<unsigned char>(out.block[127]), 255);
}

TEST(Id3v1Writing, TextIsCutWithoutSplittingACharacter) {
  // 14 double-byte characters and one byte: 29 bytes, a 15th character
  // would end half way past the field.
  std::string title = "x";
  for (int i = 0; i < 15; ++i) title += "\u30C6";
  TagValues values;
  values.Set("Title", title);
  Id3v1Render out = RenderId3v1Block(values, kCharsetSjis);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  std::string field = out.block.substr(3, 30);
  EXPECT_EQ(field[29], '\0');
  EXPECT_EQ(field.substr(0, 3), "x\x83\x65");
  EXPECT_EQ(Read(out.block).Get("Title"), title.substr(0, 1 + 14 * 3));
}

TEST(Id3v1Writing, Utf16FieldsKeepTheirMark) {
  TagValues values;
  values.Set("Title", "abc");
  Id3v1Render out = RenderId3v1Block(values, kCharsetUtf16Le);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  EXPECT_EQ(out.block.substr(3, 30),
            "\xFF\xFE"
            "a\0b\0c\0"s +
                std::string(22, '\0'));
  EXPECT_EQ(Read(out.block).Get("Title"), "abc");
}

TEST(Id3v1Writing, ALongCommentHidesTheTrack) {
  TagValues values;
  values.Set("Commentv1", std::string(30, 'c'));
  values.Set("Track", "5");
  Id3v1Render out = RenderId3v1Block(values, kCharsetSjis);
  ASSERT_EQ(out.status, Id3v1Render::Status::kBlock);
  EXPECT_EQ(out.block[125], 'c');
  EXPECT_EQ(out.block[126], 5);
  EXPECT_EQ(Read(out.block).Get("Track"), "");
}

TEST(Id3v1Writing, TrackThatIsNoNumberStopsTheWrite) {
  for (const char* track : {"3/12", "abc", "1.5", "99999999999", "-"}) {
    TagValues values;
    values.Set("Title", "t");
    values.Set("Track", track);
    EXPECT_EQ(RenderId3v1Block(values, kCharsetSjis).status, Id3v1Render::Status::kTrackNotNumber)
        << track;
  }
  EXPECT_EQ(ParseDecimal(" 12 "), 12);
  EXPECT_EQ(ParseDecimal("-1"), -1);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("2147483648"), std::nullopt);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
}

}  // namespace
}  // namespace quilmark
