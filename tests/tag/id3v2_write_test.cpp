// Writing ID3v2 tags: the exact bytes of each frame layout, and every
// charset with every tag kind read back.
#include "tag/id3v2_fields.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

constexpr TagKind kV22 = TagKind::Id3v22, kV23 = TagKind::Id3v23, kV24 = TagKind::Id3v24;

std::string Render(std::string_view key, std::string_view value, TagKind kind = kV23,
                   Charset charset = Charset::ShiftJis) {
  TagValues values;
  values.Set(key, value);
  auto tag = RenderId3v2Tag(values, kind, charset);
  EXPECT_TRUE(tag.has_value());
  return tag ? tag->bytes : std::string();
}

TEST(Id3v2Writing, ExactBytesOfTextFramesAndTheirPadding) {
  EXPECT_EQ(Render("Title", "abc"),
            "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0abc"s + std::string(2, '\0'));
  EXPECT_EQ(Render("Title", "abc", kV22),
            "ID3\x02\0\0\0\0\0\x10"s + "TT2\0\0\x04\0abc"s + std::string(6, '\0'));
  // Version 2.4: UTF-8 for Shift-JIS, frame sizes of 7 bits a byte (201
  // is 01 49), the year as the recording date.
  EXPECT_EQ(Render("Title", "abc", kV24), "ID3\x04\0\0\0\0\0\x10"s +
                                              "TIT2\0\0\0\x04\0\0\x03"
                                              "abc"s +
                                              std::string(2, '\0'));
  EXPECT_EQ(Render("Title", std::string(200, 'c'), kV24, Charset::EucJp).substr(10, 10),
            "TIT2\0\0\x01\x49\0\0"s);
  EXPECT_EQ(Render("Year", "2024", kV24).substr(10, 15),
            "TDRC\0\0\0\x05\0\0\x03"
            "2024"s);
  EXPECT_EQ(Render("OrgYear", "1999", kV24).substr(10, 4), "TDOR");
  EXPECT_EQ(Render("Title", testing::kTesutoUtf8, kV24, Charset::Utf16Be).substr(20, 9),
            "\x01\xFE\xFF\x30\xC6\x30\xB9\x30\xC8"s);
  // UTF-16: 14 -> 16, then + 5 for the mark and the doubled units.
  EXPECT_EQ(Render("Title", "abc", kV23, Charset::Utf16Le),
            "ID3\x03\0\0\0\0\0\x15"s + "TIT2\0\0\0\x09\0\0\x01\xFF\xFE"s + "a\0b\0c\0\0\0"s);
  EXPECT_EQ(Render("Title", "abc", kV23, Charset::Utf16Be).substr(20, 9), "\x01\xFE\xFF\0a\0b\0c"s);
  // Double-byte text is counted in its code page 932 length.
  EXPECT_EQ(Render("Title", testing::kTesutoUtf8),
            "ID3\x03\0\0\0\0\0\x20"s + "TIT2\0\0\0\x07\0\0\0"s + testing::kTesutoSjis +
                std::string(15, '\0'));
  // The unwritten Commentv1 leaves its room as padding: 11+3 + 11+10 = 35 -> 48.
  TagValues values = TagValues::FromCommaText("Title=abc,Commentv1=0123456789");
  EXPECT_EQ(RenderId3v2Tag(values, kV23, Charset::ShiftJis)->bytes.substr(6, 4), "\0\0\0\x30"s);
  EXPECT_EQ(Render("Commentv1", "only for ID3v1"), "");  // nothing to write: no tag
}

TEST(Id3v2Writing, TextTheCharsetWouldLoseOrMisreadGoesIntoUtf16) {
  const struct {
    std::string title;
    TextFallback fallback;
  } cases[] = {
      {testing::kTesutoUtf8, TextFallback::None},
      {"Beyonc\u00E9", TextFallback::Utf16},     // no Shift-JIS form
      {"\u301C", TextFallback::Utf16},           // nor for the JIS wave dash
      {"caf\uFF83\uFF69", TextFallback::Utf16},  // its bytes would read as UTF-8 "café"
  };
  for (const auto& c : cases) {
    for (Charset charset : {Charset::ShiftJis, Charset::EucJp}) {
      const auto tag = RenderId3v2Tag(
          TagValues::FromCommaText("\"Title=" + c.title + "\",Artist=a"), kV23, charset);
      ASSERT_TRUE(tag.has_value());
      EXPECT_EQ(tag->fallback, c.fallback) << c.title;
      // All of the row's frames at once.
      const char encoding = c.fallback == TextFallback::None ? '\0' : '\x01';
      EXPECT_EQ(tag->bytes[20], encoding) << c.title;
      EXPECT_EQ(tag->bytes[tag->bytes.find("TPE1") + 10], encoding) << c.title;
    }
  }
  EXPECT_EQ(
      RenderId3v2Tag(TagValues::FromCommaText("Title=\u00E9"), kV23, Charset::Utf16Le)->fallback,
      TextFallback::None);
  // An address that code page 932 cannot hold goes into UTF-16 after a mark.
  const std::string url = "http://example.com/caf\u00E9";
  TagValues values;
  values.Set(keys::URL, url);
  const auto tag = RenderId3v2Tag(values, kV23, Charset::ShiftJis);
  EXPECT_EQ(tag->fallback, TextFallback::Utf16);
  testing::TempDir dir;
  const std::string path = dir.File("url.mp3");
  testing::WriteBytes(path, tag->bytes + MpegAudio(1));
  EXPECT_EQ(ReadTagValues(path)->Get(keys::URL), url);
}

TEST(Id3v2Writing, CommentFrameCollapsesItsNulEscape) {
  EXPECT_EQ(Render("Comment", "   \\0x"),
            "ID3\x03\0\0\0\0\0\x20"s + "COMM\0\0\0\x06\0\0\0   \0x"s + std::string(16, '\0'));
  const struct {
    std::string value, content;
  } cases[] = {
      {"eng\\n\\0t", "\0eng\\n\0t"s},
      {"eng\\\\0", "\0eng\\\\0"s},       // a held-back backslash never starts another
      {"eng\\0dir\\", "\0eng\0dir\\"s},  // a backslash at the very end is text
      {"eng\u30BD" + "0\\0t"s, "\0eng\x83\x5C"s + "0\0t"s},  // ソ (83 5C) before 0 stays
      {"eng\\0a\r\nb", "\0eng\0a\nb"s},                      // line ends lose their CRs
  };
  for (const auto& c : cases) {
    const std::string tag = Render("Comment", c.value);
    EXPECT_EQ(tag.substr(20, static_cast<unsigned char>(tag[17])), c.content) << c.value;
  }
}

TEST(Id3v2Writing, UnicodeCommentAndUrlInTheStandardLayouts) {
  EXPECT_EQ(RenderCommentContent("   \\0x", Charset::Utf16Be).bytes,
            "\x01   \xFE\xFF\0\0\xFE\xFF\0x"s);
  EXPECT_EQ(Render("URL", "http://a/", kV23, Charset::Utf16Le).substr(10, 21),
            "WXXX\0\0\0\x0B\0\0\0\0http://a/"s);
  // UTF-8: one terminator between description and text, and the frame
  // tells a reader that its address is UTF-8 too.
  EXPECT_EQ(RenderCommentContent("jpnd\\0" + testing::kTesutoUtf8, Charset::Utf8).bytes,
            "\x03jpnd\0"s + testing::kTesutoUtf8);
  EXPECT_EQ(RenderUrlContent("http://a/\u00E9", "", Charset::Utf8).bytes, "\x03\0http://a/\u00E9"s);
}

// Every Charset with every tag version: what is written reads back.
class RoundTrip : public ::testing::TestWithParam<std::tuple<Charset, TagKind>> {};

TEST_P(RoundTrip, WrittenValuesReadBack) {
  const auto [charset, kind] = GetParam();
  testing::TempDir dir;
  const std::string path = dir.File("song.mp3");
  const std::string audio = testing::MpegAudio(3);
  testing::WriteBytes(path, testing::Id3v2Tag(3, testing::Text23("TIT2", "old")) + audio +
                                testing::Id3v1Block("old v1"));
  std::string list = "\"Title=" + testing::kTesutoUtf8 +
                     " title\",Artist=Artist,Album=\u97F3\u697D,Year=2024,Commentv1=short,"
                     "\"Comment=jpnshort\\0long\r\ntext\",Track=7,Genre=Rock";
  if (kind != TagKind::Id3v1) list += ",Lyricist=\u4F5C\u8A5E,URL=http://example.com/,OrgYear=1999";
  const TagValues values = TagValues::FromCommaText(list);
  ASSERT_TRUE(testing::WriteTags(path, values, charset, kind));

  const std::string bytes = testing::ReadBytes(path);
  platform::IoResult<TagValues> back = ReadTagValues(path);
  ASSERT_TRUE(back);
  if (kind == TagKind::Id3v1) {
    EXPECT_EQ(bytes.size(), audio.size() + 128);
    EXPECT_EQ(bytes.substr(0, audio.size()), audio);
    for (const char* key : {"Title", "Album", "Year", "Track", "Genre"})
      EXPECT_EQ(back->Get(key), values.Get(key)) << key;
    EXPECT_EQ(back->Get("Comment"), "short");
    return;
  }
  EXPECT_EQ(bytes.substr(bytes.size() - audio.size()), audio);
  EXPECT_EQ(back->Get("TagVersion"), std::to_string(Id3v2Major(kind)));
  for (const char* key :
       {"Title", "Artist", "Album", "Year", "Track", "Genre", "Lyricist", "URL", "OrgYear"})
    EXPECT_EQ(back->Get(key), values.Get(key)) << key;
  EXPECT_EQ(back->Get("Comment0"), "jpn");
  EXPECT_EQ(back->Get("Comment"), "short");
  EXPECT_EQ(back->Get("Comment2"), "long\r\ntext");
}

INSTANTIATE_TEST_SUITE_P(AllCharsetsAndVersions, RoundTrip,
                         ::testing::Combine(::testing::Values(Charset::ShiftJis, Charset::EucJp,
                                                              Charset::Utf16Le, Charset::Utf16Be),
                                            ::testing::Values(TagKind::Id3v1, kV22, kV23, kV24)));

}  // namespace
}  // namespace quilmark
