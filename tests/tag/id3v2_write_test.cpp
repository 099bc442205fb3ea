// Writing ID3v2 tags: the exact bytes of each frame layout, and every
// charset with every tag kind read back.
#include "tag/id3v2_fields.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

constexpr TagKind kV22 = TagKind::Id3v22, kV23 = TagKind::Id3v23, kV24 = TagKind::Id3v24;
constexpr Charset kSjis = Charset::ShiftJis, kLe = Charset::Utf16Le, kBe = Charset::Utf16Be;

TEST(Id3v2Writing, ExactBytesOfEachFrameLayoutAndItsPadding) {
  const std::string tesuto = testing::kTesutoUtf8, header23 = "ID3\x03\0\0\0\0\0"s;
  const struct {
    std::string values;
    TagKind kind;
    Charset charset;
    std::size_t at;     // 0: the whole tag
    std::string bytes;  // from `at`
    TextFallback fallback = TextFallback::None;
  } cases[] = {
      {"Title=abc", kV23, kSjis, 0, header23 + "\x10TIT2\0\0\0\x04\0\0\0abc\0\0"s},
      {"Title=abc", kV22, kSjis, 0,
       "ID3\x02\0\0\0\0\0\x10TT2\0\0\x04\0abc"s + std::string(6, '\0')},
      // Version 2.4: UTF-8 for Shift-JIS, sizes of 7 bits a byte (201 is
      // 01 49), the year as the recording date.
      {"Title=abc", kV24, kSjis, 0,
       "ID3\x04\0\0\0\0\0\x10TIT2\0\0\0\x04\0\0\x03"
       "abc\0\0"s},
      {"Title=" + std::string(200, 'c'), kV24, Charset::EucJp, 10, "TIT2\0\0\x01\x49\0\0"s},
      {"Year=2024", kV24, kSjis, 10,
       Frame24("TDRC",
               "\x03"
               "2024")},
      {"OrgYear=1999", kV24, kSjis, 10, "TDOR"},
      {"OrgYear=1999", kV22, kSjis, 10, "TOR"},  // the older versions have ids of their own
      {"Title=" + tesuto, kV24, kBe, 20, "\x01\xFE\xFF\x30\xC6\x30\xB9\x30\xC8"s},
      // UTF-16: 14 -> 16, then + 5 for the mark and the doubled units.
      {"Title=abc", kV23, kLe, 0,
       header23 + "\x15TIT2\0\0\0\x09\0\0\x01\xFF\xFE"
                  "a\0b\0c\0\0\0"s},
      // Double-byte text is counted in its code page 932 length.
      {"Title=" + tesuto, kV23, kSjis, 0,
       header23 + "\x20TIT2\0\0\0\x07\0\0\0"s + testing::kTesutoSjis + std::string(15, '\0')},
      // The unwritten Commentv1 leaves its room as padding: 11+3 + 11+10 = 35 -> 48.
      {"Title=abc,Commentv1=0123456789", kV23, kSjis, 6, "\0\0\0\x30"s},
      {"Commentv1=only for ID3v1", kV23, kSjis, 0, ""},  // nothing to write: no tag
      {"URL=http://a/", kV23, kLe, 10, Frame23("WXXX", "\0\0http://a/"s)},
      // The comment's \0 escape splits description from text.
      {"\"Comment=   \\0x\"", kV23, kSjis, 0,
       header23 + "\x20" + Frame23("COMM", "\0   \0x"s) + std::string(16, '\0')},
      // A held-back backslash never starts another; one at the very end is text.
      {"Comment=eng\\\\0", kV23, kSjis, 10, Frame23("COMM", "\0eng\\\\0"s)},
      {"Comment=eng\\0dir\\", kV23, kSjis, 10, Frame23("COMM", "\0eng\0dir\\"s)},
      // ソ (83 5C) before 0 stays; line ends lose their CRs.
      {"Comment=eng\u30BD"
       "0\\0t",
       kV23, kSjis, 10,
       Frame23("COMM",
               "\0eng\x83\x5C"
               "0\0t"s)},
      {"\"Comment=eng\\0a\r\nb\"", kV23, kSjis, 10, Frame23("COMM", "\0eng\0a\nb"s)},
      // Text the charset would lose or misread goes into UTF-16, all of the
      // row's frames at once.
      {"\"Title=Beyonc\u00E9\",Artist=a", kV23, kSjis, 47, "\x01", TextFallback::Utf16},
      {"Title=\u301C", kV23, Charset::EucJp, 20, "\x01", TextFallback::Utf16},
      {"Title=caf\uFF83\uFF69", kV23, kSjis, 20, "\x01", TextFallback::Utf16},  // UTF-8 "café"
      // An address code page 932 cannot hold goes into UTF-16 after a mark.
      {"URL=http://a/\u00E9", kV23, kSjis, 10,
       Frame23("WXXX", "\0\0\xFF\xFEh\0t\0t\0p\0:\0/\0/\0a\0/\0\xE9\0"s), TextFallback::Utf16},
  };
  for (const auto& c : cases) {
    const auto tag = RenderId3v2Tag(TagValues::FromCommaText(c.values), c.kind, c.charset);
    ASSERT_TRUE(tag.has_value()) << c.values;
    EXPECT_EQ(c.at ? tag->bytes.substr(c.at, c.bytes.size()) : tag->bytes, c.bytes) << c.values;
    EXPECT_EQ(tag->fallback, c.fallback) << c.values;
  }
  // UTF-8: one terminator between description and text, and the frame
  // tells a reader that its address is UTF-8 too.
  EXPECT_EQ(RenderCommentContent("   \\0x", kBe).bytes, "\x01   \xFE\xFF\0\0\xFE\xFF\0x"s);
  EXPECT_EQ(RenderCommentContent("jpnd\\0" + tesuto, Charset::Utf8).bytes, "\x03jpnd\0"s + tesuto);
  EXPECT_EQ(RenderUrlContent("http://a/\u00E9", "", Charset::Utf8).bytes, "\x03\0http://a/\u00E9"s);
}

// Every Charset with every tag kind: what is written reads back.
TEST(Id3v2Writing, EveryCharsetWithEveryKindReadsBack) {
  testing::TempDir dir;
  const std::string path = dir.File("song.mp3"), audio = MpegAudio(3);
  const std::string common = "\"Title=" + testing::kTesutoUtf8 +
                             " title\",Artist=Artist,Album=\u97F3\u697D,Year=2024,Track=7,"
                             "Genre=Rock";
  const std::string v2Only = ",Lyricist=\u4F5C\u8A5E,URL=http://example.com/,OrgYear=1999";
  for (Charset charset : {kSjis, Charset::EucJp, kLe, kBe}) {
    for (TagKind kind : {TagKind::Id3v1, kV22, kV23, kV24}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(charset)) + " " +
                   std::to_string(static_cast<int>(kind)));
      testing::WriteBytes(path, audio);
      const bool v1 = kind == TagKind::Id3v1;
      const TagValues values = TagValues::FromCommaText(common + (v1 ? "" : v2Only));
      ASSERT_TRUE(testing::WriteTags(path, values, charset, kind));
      const TagValues back = *ReadTagValues(path);
      for (std::size_t i = 0; i < values.Count(); ++i)
        EXPECT_EQ(back.Get(values.Name(i)), values.Value(i)) << values.Name(i);
      EXPECT_EQ(back.Get("TagVersion"), v1 ? "" : std::to_string(Id3v2Major(kind)));
    }
  }
}

}  // namespace
}  // namespace quilmark
