// Version 2.4 tags, and the tag-wide flags of 2.3 and 2.4, made by hand.
#include <gtest/gtest.h>

#include <random>

#include "tag/frame_convert.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_reader.h"
#include "tag/tag_file.h"
#include "tag/write_file_tags.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using testing::Frame23;
using testing::Frame24;
using testing::Id3v2Tag;
using testing::MpegAudio;
using testing::Text23;

// 日本語 in UTF-8 and in UTF-16 big-endian.
const std::string kNihongo = "\u65E5\u672C\u8A9E";
const std::string kNihongoUtf16Be = "\x65\xE5\x67\x2C\x8A\x9E"s;

std::string Utf8Frame(std::string_view id, std::string_view text, int flags = 0) {
  return Frame24(id, "\x03"s + std::string(text), flags);
}

std::string Synchsafe(std::uint32_t n) {
  std::string out;
  for (int shift : {21, 14, 7, 0}) out.push_back(static_cast<char>((n >> shift) & 0x7F));
  return out;
}

// What unsynchronisation makes of bytes: a zero after every FF.
std::string Unsynchronise(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    out.push_back(c);
    if (c == '\xFF') out.push_back('\0');
  }
  return out;
}

class V24Reading : public ::testing::Test {
 protected:
  TagValues ReadFile(const std::string& bytes) {
    testing::WriteBytes(path_, bytes);
    auto values = ReadTagValues(path_);
    EXPECT_TRUE(values.has_value());
    return values.value_or(TagValues());
  }
  TagValues Read24(const std::string& frames, int flags = 0) {
    return ReadFile(Id3v2Tag(4, frames + std::string(20, '\0'), flags) + MpegAudio(2));
  }
  testing::TempDir dir_;
  std::string path_ = dir_.File("v24.mp3");
};

TEST_F(V24Reading, EveryEncodingAndSeveralValues) {
  TagValues values =
      Read24(Utf8Frame("TIT2", kNihongo + "\0"s) + Utf8Frame("TPE1", "one\0two\0three"s) +
             Frame24("TALB", "\x01\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0\xFF\xFE"s + "x\0"s) +
             Frame24("TCOM", "\x02"s + kNihongoUtf16Be) + Frame24("TCON", "\0Rock"s) +
             Frame24("COMM", "\x03jpn" + kNihongo + "\0"s + testing::kTesutoUtf8) +
             Frame24("WXXX", "\x03" + kNihongo + "\0http://a/"s));
  EXPECT_EQ(values.Get("TagVersion"), "4");
  EXPECT_EQ(values.Get("Title"), kNihongo);
  EXPECT_EQ(values.Get("Artist"), "one / two / three");
  EXPECT_EQ(values.Get("Album"), testing::kTesutoUtf8 + " / x");
  EXPECT_EQ(values.Get("Composer"), kNihongo);
  EXPECT_EQ(values.Get("Genre"), "Rock");
  EXPECT_EQ(values.Get("Comment0"), "jpn");
  EXPECT_EQ(values.Get("Comment"), kNihongo);
  EXPECT_EQ(values.Get("Comment2"), testing::kTesutoUtf8);
  EXPECT_EQ(values.Get("URL"), "http://a/");

  // UTF-8 that is not well-formed is read as the bytes suggest, not
  // passed on as broken text.
  TagValues broken = Read24(Utf8Frame("TIT2", "\xE6\x97"s));
  EXPECT_FALSE(broken.Get("Title").empty());

  // Version 2.3 keeps its NUL escape: there a NUL separates nothing.
  TagValues v23 = ReadFile(Id3v2Tag(3, Text23("TPE1", "a\0b"s)) + MpegAudio(1));
  EXPECT_EQ(v23.Get("Artist"), "a\\0b");
}

TEST_F(V24Reading, FrameFlagsAreTakenOff) {
  // ÿ is FF 00 in UTF-16 little-endian: unsynchronisation puts a zero after
  // its FF and after the FF of the byte-order mark.
  const std::string title = "\x01\xFF\xFE"s + "\xFF\0a\0"s;
  const std::string unsynchronised = Unsynchronise(title);
  ASSERT_NE(unsynchronised, title);
  TagValues values = Read24(
      Frame24("TIT2", unsynchronised, kV24Unsynchronised) +
      Frame24("TPE1", Synchsafe(7) + "\x03" + "artist", kV24DataLength) +
      Frame24("TALB", "\x05" + Synchsafe(6) + "\x03" + "album", kV24Grouped | kV24DataLength) +
      Frame24("TCOM", Synchsafe(100) + "x\x9C garbage"s, kV24Compressed | kV24DataLength) +
      Frame24("TEXT", "\x01\x03secret"s, kV24Encrypted) + Utf8Frame("TBPM", "120"));
  EXPECT_EQ(values.Get("Title"),
            "\u00FF"
            "a");
  EXPECT_EQ(values.Get("Artist"), "artist");
  EXPECT_EQ(values.Get("Album"), "album");
  EXPECT_EQ(values.Get("Composer"), "");  // compressed: not read for the grid
  EXPECT_EQ(values.Get("Lyricist"), "");  // encrypted
  EXPECT_EQ(values.Get("BPM"), "120");

  // A tag whose header says so has every frame unsynchronised.
  TagValues all =
      Read24(Frame24("TIT2", unsynchronised) + Utf8Frame("TPE1", "next"), kId3v2Unsynchronisation);
  EXPECT_EQ(all.Get("Title"),
            "\u00FF"
            "a");
  EXPECT_EQ(all.Get("Artist"), "next");
}

TEST_F(V24Reading, TagWideUnsynchronisationAndExtendedHeaders) {
  // Version 2.3 unsynchronises the whole body, frame headers included: a
  // frame of 255 bytes has FF in its size.
  const std::string frames = Text23("TIT2", std::string(254, 'a')) + Text23("TPE1", "\xFF\xE0x"s);
  const std::string body = Unsynchronise(frames);
  TagValues v23 = ReadFile(Id3v2Tag(3, body, kId3v2Unsynchronisation) + MpegAudio(1));
  EXPECT_EQ(v23.Get("Title"), std::string(254, 'a'));
  EXPECT_FALSE(v23.Get("Artist").empty());

  // Extended headers: 2.3 counts the bytes after its size field, 2.4 the
  // whole header.
  const std::string ext23 = "\0\0\0\x06"s + "\0\0\0\0\0\0"s;
  EXPECT_EQ(ReadFile(Id3v2Tag(3, ext23 + Text23("TIT2", "t3"), kId3v2ExtendedHeader) + MpegAudio(1))
                .Get("Title"),
            "t3");
  const std::string ext24 = Synchsafe(6) + "\x01\0"s;
  EXPECT_EQ(Read24(ext24 + Utf8Frame("TIT2", "t4"), kId3v2ExtendedHeader).Get("Title"), "t4");
  // An extended header larger than the tag leaves no frames, and no crash.
  TagValues past =
      Read24(Synchsafe(5000) + "\x01\0"s + Utf8Frame("TIT2", "t"), kId3v2ExtendedHeader);
  EXPECT_EQ(past.ToCommaText(), "TagVersion=4");
}

TEST_F(V24Reading, FooterIsNoAudio) {
  const std::string frames = Utf8Frame("TIT2", "old") + std::string(10, '\0');
  std::string tag = Id3v2Tag(4, frames, kId3v2Footer);
  std::string footer = tag.substr(0, 10);
  footer.replace(0, 3, "3DI");
  const std::string audio = MpegAudio(3);
  testing::WriteBytes(path_, tag + footer + audio);
  EXPECT_EQ(ReadTagValues(path_)->Get("Title"), "old");

  TagValues values;
  values.Set("Title", "new");
  Settings settings;
  testing::ScriptedPresenter presenter;
  Messages messages(settings, presenter);
  ASSERT_EQ(WriteFileTags(path_, values, settings, messages), WriteResult::kWritten);
  const std::string written = testing::ReadBytes(path_);
  const std::string newTag = Id3v2Tag(3, Text23("TIT2", "new") + std::string(2, '\0'));
  EXPECT_TRUE(written == newTag + audio);

  // A footer flag without a footer costs no audio.
  testing::WriteBytes(path_, tag + audio);
  ASSERT_EQ(WriteFileTags(path_, values, settings, messages), WriteResult::kWritten);
  EXPECT_TRUE(testing::ReadBytes(path_) == newTag + audio);
}

TEST_F(V24Reading, RecordingTimeGivesTheYearOnlyWithoutAYearFrame) {
  TagValues dates = Read24(Utf8Frame("TDRC", "2021-04-05T10:00") + Utf8Frame("TDOR", "1969"));
  EXPECT_EQ(dates.Get("Year"), "2021");
  EXPECT_EQ(dates.Get("OrgYear"), "1969");

  TagValues both = Read24(Utf8Frame("TDRC", "2021-04-05") + Utf8Frame("TYER", "1999"));
  EXPECT_EQ(both.Get("Year"), "1999");
  // A date that does not begin with a year gives none.
  EXPECT_EQ(Read24(Utf8Frame("TDRC", "April 2021")).Get("Year"), "");
}

TEST_F(V24Reading, SeveralCommentsShowTheFirst) {
  TagValues values = Read24(Frame24("COMM", "\x03jpn\0first"s) +
                            Frame24("COMM", "\x03"s + "eng" + "iTunNORM\0 0000"s));
  EXPECT_EQ(values.Get("Comment0"), "jpn");
  EXPECT_EQ(values.Get("Comment2"), "first");
}

TEST(HostileV24, DamagedFramesNeitherCrashNorOverrun) {
  // Size bytes with their high bits set, a data-length indicator past the
  // end of its frame, a group byte in an empty frame.
  const std::string body = "TIT2\x80\x80\x80\x85\0\0"s + "\x03title" +
                           Frame24("TPE1", "\x01\x02", kV24DataLength) +
                           Frame24("TALB", "", kV24Grouped) +
                           Frame24("TCOM", Synchsafe(0x0FFFFFFF) + "\x03x"s, kV24DataLength) +
                           Frame24("APIC", "\x03image/png\0\x03\xFF\x00"s, kV24Unsynchronised) +
                           Frame24("TXXX", "\x03\xE3\x81\0\xC0\xAF"s);
  std::mt19937 random(24);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = body;
    const int changes = static_cast<int>(random() % 6);
    for (int i = 0; i < changes; ++i)
      damaged[random() % damaged.size()] = static_cast<char>(random());
    damaged.resize(random() % (damaged.size() + 1));
    MemorySource source(damaged);
    const std::vector<Frame> frames = ReadFrames(source, damaged.size(), 4);
    TagValues values;
    AddFrameValues(frames, values, 4, round % 2 == 0);
    for (const Frame& frame : frames) {
      for (int to : {2, 3}) ConvertFrame(frame, 4, round % 3 == 0, to);
    }
  }
}

}  // namespace
}  // namespace quilmark
