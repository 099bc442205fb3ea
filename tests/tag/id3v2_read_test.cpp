#include <gtest/gtest.h>

#include "tag/id3v2_fields.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_reader.h"
#include "tag/tag_file.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using testing::Frame22;
using testing::Frame23;
using testing::Id3v1Block;
using testing::Id3v2Tag;
using testing::MpegAudio;
using testing::Text23;

class Id3v2Reading : public ::testing::Test {
 protected:
  TagValues ReadFile(const std::string& bytes) {
    std::string path = dir_.File("t.mp3");
    testing::WriteBytes(path, bytes);
    auto values = ReadTagValues(path);
    EXPECT_TRUE(values.has_value());
    return values.value_or(TagValues());
  }
  // A v2.3 tag of `frames` and some padding before the audio.
  TagValues Read23(const std::string& frames) {
    return ReadFile(Id3v2Tag(3, frames + std::string(32, '\0')) + MpegAudio(2));
  }
  testing::TempDir dir_;
};

TEST_F(Id3v2Reading, Id3v2ReplacesId3v1AsAWhole) {
  std::string v1 = Id3v1Block("v1 title", "v1 artist", "", "1990", "", 3, 17);
  TagValues both = ReadFile(Id3v2Tag(3, Text23("TIT2", "v2 title")) + MpegAudio(2) + v1);
  EXPECT_EQ(both.ToCommaText(), "TagVersion=3,\"Title=v2 title\"");

  TagValues onlyV1 = ReadFile(MpegAudio(2) + v1);
  EXPECT_EQ(onlyV1.Get("Artist"), "v1 artist");
  EXPECT_EQ(onlyV1.Get("Track"), "3");

  // A v2.4 tag replaces them too; a tag of an unknown version shows
  // nothing, and still hides the ID3v1 values.
  TagValues v24 = ReadFile(Id3v2Tag(4, testing::Frame24("TIT2", "\x03v2.4")) + MpegAudio(2) + v1);
  EXPECT_EQ(v24.ToCommaText(), "TagVersion=4,Title=v2.4");
  TagValues v25 = ReadFile(Id3v2Tag(5, testing::Frame24("TIT2", "\x03v2.5")) + MpegAudio(2) + v1);
  EXPECT_TRUE(v25.Empty());
}

TEST_F(Id3v2Reading, Version22FramesAndHeaderSizeBytesTakenWhole) {
  TagValues v22 =
      ReadFile(Id3v2Tag(2, Frame22("TT2", "\0abc"s) + Frame22("TP1", "\0xyz"s)) + MpegAudio(1));
  EXPECT_EQ(v22.ToCommaText(), "TagVersion=2,Title=abc,Artist=xyz");

  // A size byte with its high bit set counts whole: 0x80 * 2^7 = 16384.
  std::string body = Text23("TIT2", "big") + std::string(16384 - 14, '\0');
  std::string tag = "ID3\x03\x00\x00\x00\x00\x80\x00"s + body;
  std::string file = tag + MpegAudio(1);
  EXPECT_EQ(ReadFile(file).Get("Title"), "big");
}

TEST_F(Id3v2Reading, FrameSizesAreUnsignedAndFramesFollowEachOther) {
  std::string content = "\0"s + std::string(199, 'a');  // size 00 00 00 C8
  TagValues values = Read23(Frame23("TIT2", content) + Text23("TPE1", "next"));
  EXPECT_EQ(values.Get("Title"), std::string(199, 'a'));
  EXPECT_EQ(values.Get("Artist"), "next");
}

TEST_F(Id3v2Reading, RepeatsUnknownIdsAndEmptyFrames) {
  TagValues values = Read23(Text23("TIT2", "first") + Text23("TPE1", "artist") +
                            Text23("TXXX", "one") + Text23("TIT2", "second") +
                            Text23("PRIV", "two") + Text23("TPE1", "") + Text23("TPE2", ""));
  // The title keeps its place, the empty artist frame removes the artist,
  // the last unknown frame with a value is kept under the empty key.
  ASSERT_EQ(values.Count(), 3u);
  EXPECT_EQ(values.Name(1), "Title");
  EXPECT_EQ(values.Value(1), "second");
  EXPECT_EQ(values.Name(2), "");
  EXPECT_EQ(values.Value(2), "two");
}

TEST_F(Id3v2Reading, PaddingEndsTheFrames) {
  std::string frames = Text23("TIT2", "t") + std::string(20, '\0') + Text23("TPE1", "hidden");
  TagValues values = ReadFile(Id3v2Tag(3, frames) + MpegAudio(1));
  EXPECT_EQ(values.Get("Title"), "t");
  EXPECT_EQ(values.Get("Artist"), "");
}

TEST_F(Id3v2Reading, TextFramesAreNotInterpreted) {
  TagValues values = Read23(Text23("TRCK", "5/12") + Text23("TCON", "(17)") +
                            Text23("TIT2", testing::kTesutoSjis));
  EXPECT_EQ(values.Get("Track"), "5/12");
  EXPECT_EQ(values.Get("Genre"), "(17)");
  EXPECT_EQ(values.Get("Title"), testing::kTesutoUtf8);
}

TEST_F(Id3v2Reading, TerminatorsAreDroppedNulsInsideAreKept) {
  TagValues values =
      Read23(Text23("TIT2", "title\0"s) + Text23("TPE1", "a\0b"s) + Text23("TALB", "two\0\0"s) +
             Frame23("TCOM", "\x01\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0"s));
  EXPECT_EQ(values.Get("Title"), "title");
  EXPECT_EQ(values.Get("Artist"), "a\\0b");
  EXPECT_EQ(values.Get("Album"), "two\\0");
  EXPECT_EQ(values.Get("Composer"), testing::kTesutoUtf8);
}

TEST_F(Id3v2Reading, ZeroSizeFrameDoesNotSwallowTheNextHeader) {
  TagValues values = Read23(Frame23("TIT2", "") + Text23("TPE1", "artist"));
  EXPECT_EQ(values.Get("Title"), "");
  EXPECT_EQ(values.Get("Artist"), "artist");
}

TEST(CommentContent, SingleByteLayout) {
  CommentFields c = ParseCommentContent("\0eng\0hello"s);
  EXPECT_EQ(c.language, "eng");
  EXPECT_EQ(c.description, "");
  EXPECT_EQ(c.text, "hello");

  CommentFields noNul = ParseCommentContent("\0engjust a description"s);
  EXPECT_EQ(noNul.description, "just a description");
  EXPECT_FALSE(noNul.text.has_value());

  // Line ends come out as CR LF; a terminator after the text is no text.
  CommentFields lines = ParseCommentContent("\0jpnd\nx\0a\nb\rc\0"s);
  EXPECT_EQ(lines.description, "d\r\nx");
  EXPECT_EQ(lines.text, "a\r\nb\r\nc");

  // ソ is 83 5C in Shift-JIS: its trail byte and the digit after it are not
  // the separator.
  CommentFields so = ParseCommentContent("\0   \x83\x5C"s + "0\0text"s);
  EXPECT_EQ(so.description,
            "\u30BD"
            "0");
  EXPECT_EQ(so.text, "text");

  // Languages written as zero bytes are no language.
  EXPECT_EQ(ParseCommentContent("\0\0\0\0desc"s).language, "");
}

TEST(CommentContent, StandardUtf16LayoutInBothByteOrders) {
  std::string le =
      "\x01"
      "jpn\xFF\xFE"s +
      "d\0"s + "\0\0"s + "\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0"s;
  CommentFields c = ParseCommentContent(le);
  EXPECT_EQ(c.language, "jpn");
  EXPECT_EQ(c.description, "d");
  EXPECT_EQ(c.text, testing::kTesutoUtf8);

  std::string be =
      "\x01"
      "eng\xFE\xFF\0\0"s +
      "\xFE\xFF\x30\xC6\x30\xB9\x30\xC8"s;
  CommentFields b = ParseCommentContent(be);
  EXPECT_EQ(b.language, "eng");
  EXPECT_EQ(b.description, "");
  EXPECT_EQ(b.text, testing::kTesutoUtf8);
}

TEST(CommentContent, LayoutWithTheMarkFirst) {
  // Language, description, NUL and text in one UTF-16 string.
  std::string units;
  for (char c :
       "eng"
       "desc")
    units += std::string(1, c) + "\0"s;
  units.erase(units.size() - 2);  // the literal's own terminator
  std::string content = "\x01\xFF\xFE"s + units + "\0\0"s + "t\0x\0"s;
  CommentFields c = ParseCommentContent(content);
  EXPECT_EQ(c.language, "eng");
  EXPECT_EQ(c.description, "desc");
  EXPECT_EQ(c.text, "tx");
}

TEST(UrlContent, AddressAfterTheDescription) {
  EXPECT_EQ(ParseUrlContent("\0\0http://example.com/"s), "http://example.com/");
  EXPECT_EQ(ParseUrlContent("\0home\0http://example.com/"s), "http://example.com/");
  EXPECT_EQ(ParseUrlContent("\x01\xFF\xFEh\0\0\0http://a/"s), "http://a/");
  // A bare address without any description.
  EXPECT_EQ(ParseUrlContent("\0http://b/"s), "http://b/");
  EXPECT_EQ(ParseUrlContent("\x01\xFF\xFEh\0"s), "h");
}

TEST(FrameWalk, FramesKeepTheirPositionAndRawContent) {
  std::string body =
      Text23("TIT2", "a") + Frame23("APIC", "\x00\x01\x02"s, 0x0040) + std::string(8, '\0');
  MemorySource source(body);
  std::vector<Frame> frames = ReadFrames(source, body.size(), 3);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].id, "APIC");
  EXPECT_EQ(frames[1].offset, 12u);
  EXPECT_EQ(frames[1].flags, 0x0040);
  EXPECT_EQ(frames[1].content, "\x00\x01\x02"s);

  // Contents the caller does not want are passed over, not read.
  std::vector<Frame> skipped =
      ReadFrames(source, body.size(), 3, [](std::string_view id, auto) { return id != "APIC"; });
  ASSERT_EQ(skipped.size(), 2u);
  EXPECT_FALSE(skipped[1].contentRead);
  EXPECT_EQ(skipped[1].size, 3u);
}

}  // namespace
}  // namespace quilmark
