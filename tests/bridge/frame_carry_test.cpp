// Rewriting a file keeps what the grid does not show: pictures, lyrics,
// user texts, other comments. Files are made by hand here; the test against
// a file an independent tool made is in interop_test.cpp.

#include "bridge/bridge_test_support.h"
#include "bridge/save_changed_rows.h"
#include "tag/frame_convert.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

// The bytes as unsynchronisation stores them: a zero after each FF.
std::string Unsynchronised(const std::string& bytes) {
  std::string out;
  for (char c : bytes) out += c == '\xFF' ? "\xFF\0"s : std::string(1, c);
  return out;
}

std::string Synchsafe(std::uint32_t n) {
  std::string out;
  for (int shift : {21, 14, 7, 0}) out.push_back(static_cast<char>((n >> shift) & 0x7F));
  return out;
}

// A version 2.4 text in UTF-8.
std::string U8(std::string_view text) { return "\x03" + std::string(text); }

std::string Utf16(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string(1, c) + '\0';
  return out;
}

class FrameCarry : public testing::SongSaveTest {
 protected:
  OldId3v2Frames Frames() {
    platform::File file = *platform::File::Open(path_, platform::File::Mode::Read);
    auto layout = ProbeTagLayout(file);
    EXPECT_TRUE(layout && layout->id3v2);
    auto frames = ReadId3v2Frames(file, *layout);
    return frames ? *frames : OldId3v2Frames();
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    for (const Frame& f : Frames().frames) ids.push_back(f.id);
    return ids;
  }
  const Frame* Find(const OldId3v2Frames& tag, std::string_view id, int nth = 0) {
    for (const Frame& f : tag.frames)
      if (f.id == id && nth-- == 0) return &f;
    return nullptr;
  }
};

// A picture of many megabytes and the lyrics keep every byte through a title
// edit, and the tag that holds them stays when the row has no values left.
TEST_F(FrameCarry, PictureAndLyricsKeepEveryByteAfterATitleEdit) {
  const std::string picture = Frame23("APIC", "\0image/jpeg\0\x03\0"s + RandomBytes(12 << 20, 1));
  const std::string lyrics = Frame23("USLT", "\x01jpn"s + Utf16("d") + "\0\0"s + Utf16("la la"));
  Add(Id3v2Tag(3, Text23("TIT2", "old") + picture + Text23("TPE1", "artist") + lyrics +
                      std::string(64, '\0')) +
      audio_);
  EditAndSave(colTitle, "new title");

  // The row's frames as without anything carried, then the picture and the
  // lyrics as they were, then the same padding.
  const std::string frames = Text23("TIT2", "new title") + Text23("TPE1", "artist");
  const std::string plain =
      RenderId3v2Tag(TagValues::FromCommaText("\"Title=new title\",Artist=artist"), TagKind::Id3v23,
                     Charset::ShiftJis)
          .value()
          .bytes;
  EXPECT_TRUE(testing::ReadBytes(path_) ==
              Id3v2Tag(3, frames + picture + lyrics + plain.substr(10 + frames.size())) + audio_);
  EXPECT_EQ(DroppedFramesText(report_), "");

  grid_.SetFieldCell(colArtist, 1, "");
  EditAndSave(colTitle, "");
  EXPECT_TRUE(testing::ReadBytes(path_) == Id3v2Tag(3, picture + lyrics) + audio_);
}

TEST_F(FrameCarry, OtherCommentsAndUserTextsStayDuplicatesOfTheRowGo) {
  const std::string german = Frame23("COMM", "\0deu\0zweite"s);
  const std::string user = Frame23("TXXX", "\0mood\0calm"s);
  const std::string priv = Frame23("PRIV", "owner\0\x01\x02"s);
  Add(Id3v2Tag(3, Text23("TIT2", "a") + Frame23("COMM", "\0eng\0shown"s) + german + user +
                      Text23("TIT2", "b") + priv + Frame23("COMM", "\0eng\0same again"s)) +
      audio_);
  grid_.SetCell(colCommentLong, 1, "edited");
  EditAndSave(colTitle, "c");

  OldId3v2Frames tag = Frames();
  EXPECT_EQ(Ids(), (std::vector<std::string>{"TIT2", "COMM", "COMM", "TXXX", "PRIV"}));
  EXPECT_EQ(Find(tag, "COMM", 1)->content, german.substr(10));
  EXPECT_EQ(Find(tag, "TXXX")->content, user.substr(10));
  EXPECT_EQ(Find(tag, "PRIV")->content, priv.substr(10));
  EXPECT_EQ(ReadTagValues(path_)->Get("Comment2"), "edited");

  // Emptying the row's comment takes only the row's own frame away.
  grid_.SetCell(colCommentLong, 1, "");
  grid_.SetCell(colCommentLang, 1, "");
  EditAndSave(colComment, "");
  EXPECT_EQ(Ids(), (std::vector<std::string>{"TIT2", "COMM", "TXXX", "PRIV"}));
  EXPECT_EQ(ReadTagValues(path_)->Get("Comment2"), "zweite");
}

TEST_F(FrameCarry, Version24FramesLoseWhatVersion23Lacks) {
  const std::string jpeg = "\xFF\xD8\xFF\xE0" + RandomBytes(1000, 2);
  const std::string fields = "\x03image/jpeg\0\x03"s + testing::kTesutoUtf8 + "\0"s;
  const std::string body =
      Frame24("TIT2", U8(testing::kTesutoUtf8)) +
      Frame24("APIC",
              Synchsafe(static_cast<std::uint32_t>(fields.size() + jpeg.size())) + fields +
                  Unsynchronised(jpeg),
              kV24Unsynchronised | kV24DataLength) +
      Frame24("TXXX", "\x03mood\0calm\0still"s) +
      Frame24("PRIV", "\x07owner\0data"s, kV24ReadOnly | kV24Grouped) +
      Frame24("TDRC", U8("2021-04-05")) +
      Frame24("GEOB", Synchsafe(50) + "x\x9C..."s, kV24Compressed | kV24DataLength) +
      Frame24("PCNT", "\0\0\0\x05"s, kV24DiscardOnTagAlter) + Frame24("RVA2", "track\0\x01"s);
  Add(Id3v2Tag(4, body) + audio_);
  options_.charset = Charset::Utf16Le;
  EditAndSave(colArtist, "artist");

  OldId3v2Frames tag = Frames();
  EXPECT_EQ(Ids(), (std::vector<std::string>{"TIT2", "TPE1", "TYER", "APIC", "TXXX", "PRIV", "TDRC",
                                             "RVA2"}));
  const std::string tesuto = "\xFF\xFE"s + testing::kTesutoUtf16Le;
  EXPECT_EQ(Find(tag, "APIC")->content, "\x01image/jpeg\0\x03"s + tesuto + "\0\0"s + jpeg);
  EXPECT_EQ(Find(tag, "APIC")->flags, 0);
  EXPECT_EQ(Find(tag, "TXXX")->content, "\x01"s + Utf16("mood") + "\0\0"s + Utf16("calm / still"));
  EXPECT_EQ(Find(tag, "PRIV")->flags, kV23ReadOnly | kV23Grouped);
  EXPECT_EQ(Find(tag, "PRIV")->content, "\x07owner\0data"s);
  // The full date agrees with the year, so it stays beside it.
  EXPECT_EQ(Find(tag, "TDRC")->content, "\x01" + Utf16("2021-04-05"));
  EXPECT_EQ(DroppedFramesText(report_),
            "書き込めなかったフレームがあります: " + path_ + " (GEOB PCNT)");

  // A year the user changed replaces the date.
  EditAndSave(colYear, "2022");
  EXPECT_EQ(Find(Frames(), "TDRC"), nullptr);
  EXPECT_EQ(ReadTagValues(path_)->Get("Year"), "2022");
}

TEST_F(FrameCarry, OlderFramesTakeTheFormOfVersion24) {
  const std::string jpeg = "\xFF\xD8\xFF\xE0" + RandomBytes(1000, 5);
  const std::string sjis = testing::kTesutoSjis, utf8 = testing::kTesutoUtf8;
  Add(Id3v2Tag(3, Text23("TIT2", "old") + Text23("TYER", "2021") + Text23("TDAT", "0504") +
                      Text23("TIME", "1230") + Frame23("TXXX", "\0"s + sjis + "\0"s + sjis) +
                      Frame23("APIC", "\0image/jpeg\0\x03"s + sjis + "\0"s + jpeg) +
                      Frame23("IPLS", "\0mix\0DJ"s) + Text23("TSIZ", "99") +
                      Frame23("PRIV", "\x07owner\0data"s, kV23ReadOnly | kV23Grouped)) +
      audio_);
  options_.kind = TagKind::Id3v24;
  EditAndSave(colTitle, "new");

  OldId3v2Frames tag = Frames();
  EXPECT_EQ(tag.major, 4);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"TIT2", "TDRC", "TXXX", "APIC", "TIPL", "PRIV"}));
  // Day and time join the year; Shift-JIS becomes UTF-8, which version 2.4
  // has for it; the rest keeps its bytes under the flags of version 2.4.
  EXPECT_EQ(Find(tag, "TIT2")->content, U8("new"));
  EXPECT_EQ(Find(tag, "TDRC")->content, U8("2021-04-05T12:30"));
  EXPECT_EQ(Find(tag, "TXXX")->content, "\x03" + utf8 + "\0"s + utf8);
  EXPECT_EQ(Find(tag, "APIC")->content, "\x03image/jpeg\0\x03"s + utf8 + "\0"s + jpeg);
  EXPECT_EQ(Find(tag, "TIPL")->content, "\0mix\0DJ"s);
  EXPECT_EQ(Find(tag, "PRIV")->flags, kV24ReadOnly | kV24Grouped);
  EXPECT_EQ(Find(tag, "PRIV")->content, "\x07owner\0data"s);
  EXPECT_EQ(DroppedFramesText(report_), "書き込めなかったフレームがあります: " + path_ + " (TSIZ)");
  EXPECT_EQ(ReadTagValues(path_)->Get("Year"), "2021");

  // A version 2.4 tag unsynchronised as a whole: its frames come out plain,
  // the date once, whole while it begins with the row's year.
  Add(Id3v2Tag(4,
               Frame24("TIT2", U8("old")) + Frame24("TDRC", U8("2021-04-05")) +
                   Frame24("APIC", "\x03image/jpeg\0\x03\0"s + Unsynchronised(jpeg)),
               0x80) +
      audio_);
  EditAndSave(colTitle, "new");
  tag = Frames();
  EXPECT_EQ(Ids(), (std::vector<std::string>{"TIT2", "TDRC", "APIC"}));
  EXPECT_EQ(Find(tag, "TDRC")->content, U8("2021-04-05"));
  EXPECT_EQ(Find(tag, "APIC")->content, "\x03image/jpeg\0\x03\0"s + jpeg);
  EditAndSave(colYear, "2022");
  EXPECT_EQ(Find(Frames(), "TDRC")->content, U8("2022"));
}

// A frame held from an older tag, converted for the version written: its
// id and content, or "none" when the version cannot have it.
std::string Converted(std::string id, std::string content, int from, int to) {
  const auto size = static_cast<std::uint32_t>(content.size());
  const std::optional<Frame> frame =
      ConvertFrame(Frame{std::move(id), 0, 0, size, std::move(content), true}, from, false, to);
  return frame ? frame->id + " " + frame->content : "none";
}

TEST(FrameConversion, ChaptersPicturesAndLyricsBetweenVersions) {
  const std::string title(200, 'c');  // its synchsafe size differs from the plain one
  const std::string fields = "ch1\0"s + std::string(16, '\x01');
  const std::string chapter23 = fields + Text23("TIT2", title);
  const std::tuple<const char*, std::string, std::string, int, int, std::string> cases[] = {
      {"held frames take the older size", "CHAP",
       fields + Frame24("TIT2", "\0"s + title) + std::string(4, '\0'), 4, 3, "CHAP " + chapter23},
      {"and the newer one", "CHAP", chapter23, 3, 4,
       "CHAP " + fields + Frame24("TIT2", "\0"s + title)},
      {"bytes the walk over held frames cannot take", "CHAP",
       fields + Frame24("TIT2", "\x03t") + "junk", 4, 3, "none"},
      {"version 2.2 has no chapters", "CHAP", chapter23, 3, 2, "none"},
      {"the MIME type becomes the format again", "APIC", "\0image/jpeg\0\x03\0data"s, 3, 2,
       "PIC \0JPG\x03\0data"s},
      {"a format version 2.2 has no name for", "APIC", "\0image/webp\0\x03\0data"s, 3, 2, "none"},
      {"the format becomes a MIME type", "PIC", "\0PNG\x03\0data"s, 2, 3,
       "APIC \0image/png\0\x03\0data"s},
      {"lyrics take the longer id", "ULT", "\0eng\0words"s, 2, 3, "USLT \0eng\0words"s},
      {"a frame unknown to version 2.3", "XYZ", "\0?"s, 2, 3, "none"},
      {"an encrypted version 2.2 frame", "CRM", "owner\0x"s, 2, 3, "none"},
  };
  for (const auto& [why, id, content, from, to, converted] : cases)
    EXPECT_EQ(Converted(id, content, from, to), converted) << why;
}

}  // namespace
}  // namespace quilmark
