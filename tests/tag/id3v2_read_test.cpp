// Reading ID3v2 tags of every version, made by hand, into tag values, and
// files that lie about their sizes, end early or hold garbage.
#include <sys/resource.h>

#include <filesystem>
#include <random>

#include "tag/id3v2_fields.h"
#include "tag/id3v2_frame.h"
#include "tag/picture_frame.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

const std::string kNihongo = "\u65E5\u672C\u8A9E";

std::string Utf8Frame(std::string_view id, std::string_view text) {
  return Frame24(id, "\x03"s + std::string(text));
}

class Id3v2Reading : public ::testing::Test {
 protected:
  TagValues ReadFile(const std::string& bytes) {
    testing::WriteBytes(path_, bytes);
    auto values = ReadTagValues(path_);
    EXPECT_TRUE(values.Ok());
    return values ? *values : TagValues();
  }
  // A tag of `frames` and some padding before the audio.
  TagValues Read(const std::string& frames, int major = 3, int flags = 0) {
    return ReadFile(Id3v2Tag(major, frames + std::string(20, '\0'), flags) + MpegAudio(2));
  }
  testing::TempDir dir_;
  std::string path_ = dir_.File("t.mp3");
};

TEST_F(Id3v2Reading, Id3v2ReplacesId3v1AsAWhole) {
  const std::string v1 = Id3v1Block("v1 title", "v1 artist", "", "1990", "", 3, 17);
  EXPECT_EQ(ReadFile(Id3v2Tag(3, Text23("TIT2", "v2 title")) + MpegAudio(2) + v1).ToCommaText(),
            "TagVersion=3,\"Title=v2 title\"");
  EXPECT_EQ(ReadFile(MpegAudio(2) + v1).Get("Artist"), "v1 artist");
  // A tag of an unknown version shows nothing, and still hides ID3v1.
  EXPECT_TRUE(ReadFile(Id3v2Tag(5, Utf8Frame("TIT2", "t")) + MpegAudio(2) + v1).Empty());
  // A header size byte with its high bit set counts whole: 0x80 * 2^7.
  const std::string body = Text23("TIT2", "big") + std::string(16384 - 14, '\0');
  EXPECT_EQ(ReadFile("ID3\x03\0\0\0\0\x80\0"s + body + MpegAudio(1)).Get("Title"), "big");
}

TEST_F(Id3v2Reading, FramesOfEveryVersionEncodingAndFlag) {
  // ÿ is FF 00 in UTF-16 little-endian: unsynchronisation puts a zero after
  // its FF and after the FF of the byte-order mark.
  const std::string unsynchronised = "\x01\xFF\0\xFE\xFF\0\0a\0"s, title = "Title=\u00FFa";
  // Version 2.3 unsynchronises the whole body, frame headers included: a
  // frame of 255 bytes has FF in its size.
  std::string unsync23 = Text23("TIT2", std::string(254, 'a'));
  unsync23.insert(8, 1, '\0');
  const int unsync = kId3v2Unsynchronisation, ext = kId3v2ExtendedHeader;
  const std::string tesuto = testing::kTesutoUtf8, a199(199, 'a');
  const struct {
    int major, flags;
    std::string frames, values;
  } cases[] = {
      // Western taggers write Latin-1 under encoding byte 0, some write UTF-8.
      {3, 0,
       Text23("TIT2", "Caf\xE9 na\xEFve") + Text23("TPE1", "Beyonc\xE9") +
           Frame23("COMM", "\0eng\0d\xE9j\xE0 vu"s),
       "TagVersion=3,\"Title=Caf\u00E9 na\u00EFve\",Artist=Beyonc\u00E9,Comment0=eng,"
       "\"Comment2=d\u00E9j\u00E0 vu\""},
      {3, 0, Text23("TIT2", "Caf\xC3\xA9 \xE6\x9B\xB2"), "TagVersion=3,\"Title=Caf\u00E9 \u66F2\""},
      // The same bytes beside a Shift-JIS frame belong to a Japanese tag: its
      // reading wins, and what it cannot read stays as it came.
      {3, 0, Text23("TIT2", "Caf\xE9") + Text23("TPE1", testing::kTesutoSjis),
       "TagVersion=3,Title=Caf\U000F00E9,Artist=" + tesuto},
      // A frame size of 00 00 00 C8 is 200; a zero-size frame swallows no
      // header; padding ends the walk.
      {3, 0,
       Frame23("TIT2", "\0"s + a199) + Frame23("TALB", "") + Text23("TPE1", "next") +
           std::string(20, '\0') + Text23("TCOM", "hidden"),
       "TagVersion=3,Title=" + a199 + ",Artist=next"},
      // The last title replaces the first in its place, an empty frame removes
      // the value, the last unknown frame is kept under the empty key, and
      // text is not interpreted.
      {3, 0,
       Text23("TIT2", "first") + Text23("TPE1", "artist") + Text23("TXXX", "one") +
           Text23("TIT2", "second") + Text23("PRIV", "two") + Text23("TPE1", "") +
           Text23("TCON", "(17)"),
       "TagVersion=3,Title=second,=two,Genre=(17)"},
      // Terminators are dropped, NULs inside are kept.
      {3, 0,
       Text23("TIT2", "title\0"s) + Text23("TPE1", "a\0b"s) + Text23("TALB", "two\0\0"s) +
           Frame23("TCOM", "\x01\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0"s),
       "TagVersion=3,Title=title,Artist=a\\0b,Album=two\\0,Composer=" + tesuto},
      // Version 2.4: its encodings and several values in one frame.
      {4, 0,
       Utf8Frame("TIT2", kNihongo + "\0"s) + Utf8Frame("TPE1", "one\0two\0three"s) +
           Frame24("TALB", "\x01\xFF\xFE"s + testing::kTesutoUtf16Le + "\0\0\xFF\xFE"s + "x\0"s) +
           Frame24("TCOM", "\x02\x65\xE5\x67\x2C\x8A\x9E"s) +
           Frame24("COMM", "\x03jpn" + kNihongo + "\0"s + tesuto) +
           Frame24("WXXX", "\x03" + kNihongo + "\0http://a/"s) +
           Utf8Frame("TDRC", "2021-04-05T10:00") + Utf8Frame("TDOR", "1969"),
       "TagVersion=4,Title=" + kNihongo + ",\"Artist=one / two / three\",\"Album=" + tesuto +
           " / x\",Composer=" + kNihongo + ",Comment0=jpn,Comment2=" + tesuto +
           ",Comment=" + kNihongo + ",URL=http://a/,=1969,OrgYear=1969,Year=2021"},
      // Broken UTF-8 is read as the bytes suggest (Shift-JIS), not passed on.
      {4, 0, Utf8Frame("TEXT", "\xE6\x97"s), "TagVersion=4,Lyricist=\u8B4C"},
      // A year frame beats the recording time.
      {4, 0, Utf8Frame("TDRC", "2021-04-05") + Utf8Frame("TYER", "1999"),
       "TagVersion=4,=2021-04-05,Year=1999"},
      // The frame flags of version 2.4 are undone, or the frame is left out.
      {4, 0,
       Frame24("TIT2", unsynchronised, kV24Unsynchronised) +
           Frame24("TPE1", "\0\0\0\x07\x03"s + "artist", kV24DataLength) +
           Frame24("TALB", "\x05\0\0\0\x06\x03"s + "album", kV24Grouped | kV24DataLength) +
           Frame24("TCOM", "\0\0\0\x64x\x9C garbage"s, kV24Compressed | kV24DataLength) +
           Frame24("TEXT", "\x01\x03secret"s, kV24Encrypted) + Utf8Frame("TBPM", "120"),
       "TagVersion=4," + title + ",Artist=artist,Album=album,BPM=120"},
      // A tag whose header says so has every frame unsynchronised.
      {4, unsync, Frame24("TIT2", unsynchronised), "TagVersion=4," + title},
      {3, unsync, unsync23, "TagVersion=3,Title=" + std::string(254, 'a')},
      // Extended headers: 2.3 counts the bytes after its size field, 2.4 the
      // whole header; one larger than the tag leaves no frames.
      {3, ext, "\0\0\0\x06"s + std::string(6, '\0') + Text23("TIT2", "t"), "TagVersion=3,Title=t"},
      {4, ext, "\0\0\0\x06\x01\0"s + Utf8Frame("TIT2", "t"), "TagVersion=4,Title=t"},
      {4, ext, "\0\0\x27\x08\x01\0"s + Utf8Frame("TIT2", "t"), "TagVersion=4"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Read(c.frames, c.major, c.flags).ToCommaText(), c.values) << c.frames;
}

TEST(Id3v2Fields, CommentAndUrlLayouts) {
  const std::string le = "\xFF\xFE"s;
  // Language, description and text ("-": none).
  const std::pair<std::string, std::string> comments[] = {
      {"\0eng\0hello"s, "eng||hello"},
      {"\0engjust a description"s, "eng|just a description|-"},
      // Line ends come out as CR LF; a terminator after the text is no text.
      {"\0jpnd\nx\0a\nb\rc\0"s, "jpn|d\r\nx|a\r\nb\r\nc"},
      // ソ is 83 5C: its trail byte and the digit after it are no separator.
      {"\0   \x83\x5C"s + "0\0text"s, "   |\u30BD0|text"},
      // The standard UTF-16 layout.
      {"\x01jpn"s + le + "d\0\0\0"s + le + testing::kTesutoUtf16Le + "\0\0"s,
       "jpn|d|" + testing::kTesutoUtf8},
      // Language, description and text in one UTF-16 string, mark first.
      {"\x01"s + le + "e\0n\0g\0d\0\0\0t\0x\0"s, "eng|d|tx"},
  };
  for (const auto& [content, fields] : comments) {
    const CommentFields f = ParseCommentContent(content);
    EXPECT_EQ(f.language + "|" + f.description + "|" + f.text.value_or("-"), fields) << content;
  }
  EXPECT_EQ(ParseUrlContent("\0home\0http://a/"s), "http://a/");
  EXPECT_EQ(ParseUrlContent("\x01\xFF\xFEh\0\0\0http://a/"s), "http://a/");
  EXPECT_EQ(ParseUrlContent("\0\0\xFF\xFEh\0:\0\xE9\0"s), "h:\u00E9");  // in UTF-16 after a mark
}

TEST_F(Id3v2Reading, FooterIsNoAudioAndAStrayFooterFlagCostsNone) {
  const std::string tag =
      Id3v2Tag(4, Utf8Frame("TIT2", "old") + std::string(10, '\0'), kId3v2Footer);
  const std::string footer = "3DI" + tag.substr(3, 7);
  const std::string audio = MpegAudio(3);
  const std::string newTag = Id3v2Tag(3, Text23("TIT2", "new") + std::string(2, '\0'));
  for (const std::string& old : {tag + footer + audio, tag + audio}) {
    EXPECT_EQ(ReadFile(old).Get("Title"), "old");
    ASSERT_TRUE(testing::WriteTags(path_, TagValues::FromCommaText("Title=new")));
    EXPECT_TRUE(testing::ReadBytes(path_) == newTag + audio);
  }
}

// Files that lie about their sizes, end early or hold garbage: reading them
// must neither crash, overrun nor allocate what they claim.
long PeakKilobytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(HostileTags, DamagedFilesReadWithoutHarm) {
  const std::string pastEnd = "ID3\x03\0\0\x7F\x7F\x7F\x7F"s;  // a tag size far past the end
  const struct {
    std::string bytes;
    std::uintmax_t sparseSize;  // the file is made this long with a hole
    std::string expected;
  } cases[] = {
      // Claimed giant frames first, while the peak memory is still low: a
      // 200 MB title claimed in a 300 MB file is not allocated.
      {pastEnd + "TIT2\x0C\x80\0\0\0\0"s, 300u << 20, "TagVersion=3"},
      // A 50 MB picture is passed over, not read.
      {pastEnd + Text23("TIT2", "t") + "APIC\x03\x20\0\0\0\0"s, 60u << 20, "TagVersion=3,Title=t"},
      // An empty file, a header with a size and no body.
      {"", 0, ""},
      {"ID3\x03\0\0\0\0\x10\0"s, 0, "TagVersion=3"},
      // Tag size past the end of the file cuts a frame.
      {pastEnd + Text23("TIT2", "kept") + "TPE1\0\0\0\x50\0\0\0cut"s, 0, "TagVersion=3,Title=kept"},
      // Frame size 0xFFFFFFFF ends the walk.
      {Id3v2Tag(3, Text23("TIT2", "before") + "TALB\xFF\xFF\xFF\xFF\0\0\0x"s + Text23("TPE1", "a")),
       0, "TagVersion=3,Title=before"},
  };
  testing::TempDir dir;
  const std::string path = dir.File("hostile.mp3");
  const long before = PeakKilobytes();
  for (const auto& c : cases) {
    testing::WriteBytes(path, c.bytes);
    if (c.sparseSize) std::filesystem::resize_file(path, c.sparseSize);
    platform::IoResult<TagValues> values = ReadTagValues(path);
    ASSERT_TRUE(values) << "row " << &c - cases;
    EXPECT_TRUE(values->ToCommaText() == c.expected) << "row " << &c - cases;
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << "row " << &c - cases;
  }
}

// Frames, values, conversions and ID3v1 blocks are the fuzz targets' task;
// pictures are read apart from them, for the picture panel, which none
// reaches.
TEST(HostileTags, RandomDamageToAPictureNeverCrashesOrOverruns) {
  const std::string picture = "\x03image/png\0\x03"s + "desc\0\x89PNG\r\n"s;
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = picture;
    for (int i = static_cast<int>(random() % 8); i > 0; --i)
      damaged[random() % damaged.size()] = static_cast<char>(random());
    damaged.resize(random() % (damaged.size() + 1));
    static_cast<void>(ParsePictureContent(damaged, 2 + round % 3));
  }
}

}  // namespace
}  // namespace quilmark
