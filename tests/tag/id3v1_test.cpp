// ID3v1 blocks, the genre names they number, and the tag value list that
// every kind of tag fills.
#include "tag/id3v1.h"

#include "tag/genre_table.h"
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
  EXPECT_EQ(Read(block).ToCommaText(),
            "Title=Title,Album=Album,Year=99,Comment=" + std::string(27, 'x') + "AA,Genre=Rock");

  for (auto [number, genre] : {std::pair{255, ""}, {200, "No Genre"}, {0, "Blues"}})
    EXPECT_EQ(Read(Id3v1Block("t", "", "", "", "", 0, number)).Get("Genre"), genre);

  // A UTF-16 field ends at its first zero unit, not at its first zero byte.
  const std::string utf16 = "\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0\x41\0"s;
  EXPECT_EQ(Read(Id3v1Block(testing::kTesutoSjis, utf16)).ToCommaText(),
            "Title=" + testing::kTesutoUtf8 + ",Artist=" + testing::kTesutoUtf8);
  EXPECT_FALSE(IsId3v1Block("tag" + std::string(125, '\0')));
  // Latin-1, the standard's meaning of the block, where the bytes say so:
  // no letter is lost to a double-byte reading.
  EXPECT_EQ(Read(Id3v1Block("Caf\xE9", "Beyonc\xE9", "", "", "na\xEFve")).ToCommaText(),
            "Title=Caf\u00E9,Artist=Beyonc\u00E9,Comment=na\u00EFve");
}

TEST(Id3v1Writing, FieldsAtTheirOffsetsInOneEncodingThatHoldsThemAll) {
  using enum Id3v1Render::Status;
  const struct {
    std::string values;
    Id3v1Render::Status status;
    std::size_t at;     // 0: the whole block
    std::string bytes;  // from `at`
    TextFallback fallback = TextFallback::None;
    Charset charset = Charset::ShiftJis;
  } cases[] = {
      {"Title=Title,Artist=Artist,Album=Album,Year=2001,Commentv1=note,"
       "\"Comment=   note\\0long\",Track=300,Genre=rock",
       kBlock, 0, Id3v1Block("Title", "Artist", "Album", "2001", "note", 300 % 256, 17)},
      // An unknown genre is none; so much alone writes no block.
      {"Title=t,Genre=Not a genre", kBlock, 127, "\xFF"},
      {"Genre=Not a genre", kNothing, 0, ""},
      // Text the charset cannot hold goes into Latin-1, or else UTF-16, the
      // artist with it.
      {"\"Title=Caf\u00E9 na\u00EFve\",Artist=plain", kBlock, 3, "Caf\xE9 na\xEFve",
       TextFallback::Latin1},
      {"Title=\u30C6\u30B9\u30C8,Artist=plain", kBlock, 3, testing::kTesutoSjis},
      {"Title=\uD55C\uAD6D,Artist=plain", kBlock, 3, "\xFF\xFE\x5C\xD5\x6D\xAD",
       TextFallback::Utf16},
      // A track that is no number stops the write.
      {"Track=3/12", kTrackNotNumber, 0, ""},
  };
  for (const auto& c : cases) {
    const TagValues values = TagValues::FromCommaText(c.values);
    const Id3v1Render out = RenderId3v1Block(values, c.charset);
    EXPECT_EQ(out.status, c.status) << c.values;
    EXPECT_EQ(c.at ? out.block.substr(c.at, c.bytes.size()) : out.block, c.bytes) << c.values;
    EXPECT_EQ(out.fallback, c.fallback) << c.values;
  }
}

TEST(Id3v1Writing, TrackNumbersAreDecimalInt32) {
  EXPECT_EQ(ParseDecimal(" 12 "), 12);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal("2147483648"), std::nullopt);
}

TEST(TagValues, KeysWhateverTheirCaseEmptyValuesAndWhatAListCannotHold) {
  TagValues v = TagValues::FromCommaText("Title=one,Artist=two");
  v.Set("TITLE", "uno");  // the same key: replaced in place, its name kept
  EXPECT_EQ(v.ToCommaText(), "Title=uno,Artist=two");
  EXPECT_EQ(v.Get("ARTIST") + v.Get("Artis"), "two");
  v.Set("title", "");  // an empty value removes the key
  EXPECT_EQ(v.ToCommaText(), "Artist=two");
  v.Set(keys::Comment, "   \\0long\r\ntext, \"quoted\"");
  EXPECT_EQ(TagValues::FromCommaText(v.ToCommaText()), v);
  EXPECT_EQ(TagValues::FromCommaText("noequals,=novalue,Empty=,Title=a,title=b").ToCommaText(),
            "Title=a");
}

// A name read back finds its number whatever its case; a number in
// parentheses is no name.
TEST(GenreTable, EveryNameFindsItsNumber) {
  EXPECT_EQ(GenreNumber("(17)"), 255);
  for (int n = 0; n < kGenreTableSize; ++n) EXPECT_EQ(GenreNumber(GenreName(n)), n) << n;
}

}  // namespace
}  // namespace quilmark
