#include <gtest/gtest.h>

#include "messages/msgbox.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"
#include "tag/text_encoding.h"
#include "tag/write_file_tags.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;

constexpr int kV22 = 1, kV23 = 2;

TagValues One(std::string_view key, std::string_view value) {
  TagValues values;
  values.Set(key, value);
  return values;
}

std::string Render(const TagValues& values, int version, int charset = kCharsetSjis) {
  auto tag = RenderId3v2Tag(values, version, charset);
  EXPECT_TRUE(tag.has_value());
  return tag.value_or("");
}

TEST(Id3v2Writing, ShortTitleInBothVersions) {
  EXPECT_EQ(Render(One("Title", "abc"), kV23),
            "ID3\x03\0\0\0\0\0\x10"s + "TIT2\0\0\0\x04\0\0\0abc"s + std::string(2, '\0'));
  EXPECT_EQ(Render(One("Title", "abc"), kV22),
            "ID3\x02\0\0\0\0\0\x10"s + "TT2\0\0\x04\0abc"s + std::string(6, '\0'));
}

TEST(Id3v2Writing, EmptyListWritesNoTag) {
  EXPECT_EQ(Render(TagValues(), kV23), "");
  // Commentv1 has no frame; it alone writes nothing either.
  EXPECT_EQ(Render(One("Commentv1", "only for ID3v1"), kV23), "");
}

TEST(Id3v2Writing, CommentFrameCollapsesItsNulEscape) {
  EXPECT_EQ(Render(One("Comment", "   \\0x"), kV23),
            "ID3\x03\0\0\0\0\0\x20"s + "COMM\0\0\0\x06\0\0\0   \0x"s + std::string(16, '\0'));
}

TEST(Id3v2Writing, BackslashesThatAreNoEscape) {
  auto comm = [](std::string_view value) {
    std::string tag = Render(One("Comment", value), kV23);
    const auto size = static_cast<std::size_t>(static_cast<unsigned char>(tag[17]));
    return tag.substr(20, size);
  };
  EXPECT_EQ(comm("eng\\n\\0t"), "\0eng\\n\0t"s);
  // A held-back backslash never starts a second one.
  EXPECT_EQ(comm("eng\\\\0"), "\0eng\\\\0"s);
  // A backslash at the very end is text too.
  EXPECT_EQ(comm("eng\\0dir\\"), "\0eng\0dir\\"s);
  // ソ (83 5C) before a digit 0 stays a character.
  EXPECT_EQ(comm("eng\u30BD"
                 "0\\0t"),
            "\0eng\x83\x5C"
            "0\0t"s);
  // Line ends lose their CRs.
  EXPECT_EQ(comm("eng\\0a\r\nb"), "\0eng\0a\nb"s);
}

TEST(Id3v2Writing, PaddingCountsEveryLineAndTheEncodedLengths) {
  TagValues values;
  values.Set("Title", "abc");
  values.Set("Commentv1", "0123456789");
  // 11+3 + 11+10 = 35 -> 48: the unwritten Commentv1 leaves its room as padding.
  std::string tag = Render(values, kV23);
  EXPECT_EQ(tag.size(), 10u + 48u);
  EXPECT_EQ(tag.substr(6, 4), "\0\0\0\x30"s);

  // UTF-16: 14 -> 16, then + 5 for the mark and the doubled units.
  std::string utf16 = Render(One("Title", "abc"), kV23, kCharsetUtf16Le);
  EXPECT_EQ(utf16, "ID3\x03\0\0\0\0\0\x15"s +
                       "TIT2\0\0\0\x09\0\0\x01\xFF\xFE"
                       "a\0b\0c\0"s +
                       std::string(2, '\0'));
  std::string be = Render(One("Title", "abc"), kV23, kCharsetUtf16Be);
  EXPECT_EQ(be.substr(20, 9), "\x01\xFE\xFF\0a\0b\0c"s);

  // Double-byte text is counted in its code page 932 length.
  std::string sjis = Render(One("Title", testing::kTesutoUtf8), kV23);
  EXPECT_EQ(sjis, "ID3\x03\0\0\0\0\0\x20"s + "TIT2\0\0\0\x07\0\0\0"s + testing::kTesutoSjis +
                      std::string(15, '\0'));
}

TEST(Id3v2Writing, Utf16CommentInTheStandardLayout) {
  std::string tag = Render(One("Comment", "jpnd\\0" + testing::kTesutoUtf8), kV23, kCharsetUtf16Le);
  std::string content =
      "\x01jpn\xFF\xFE"
      "d\0\0\0\xFF\xFE"s +
      testing::kTesutoUtf16Le;
  EXPECT_EQ(tag.substr(10, 10 + content.size()),
            "COMM\0\0\0"s + static_cast<char>(content.size()) + "\0\0"s + content);
  CommentFields back = ParseCommentContent(content);
  EXPECT_EQ(back.language, "jpn");
  EXPECT_EQ(back.description, "d");
  EXPECT_EQ(back.text, testing::kTesutoUtf8);

  // Big-endian, empty language cell written as three spaces by the caller.
  std::string be = RenderCommentContent("   \\0x", kCharsetUtf16Be).bytes;
  EXPECT_EQ(be, "\x01   \xFE\xFF\0\0\xFE\xFF\0x"s);
}

TEST(Id3v2Writing, UrlFrameHasAnEmptyDescription) {
  std::string tag = Render(One("URL", "http://a/"), kV23, kCharsetUtf16Le);
  EXPECT_EQ(tag.substr(10, 21), "WXXX\0\0\0\x0B\0\0\0\0http://a/"s);
  EXPECT_EQ(ParseUrlContent(tag.substr(20, 11)), "http://a/");
}

TEST(Id3v2Writing, FramesFollowTheListOrder) {
  TagValues values;
  values.Set("OrgYear", "1970");
  values.Set("Title", "t");
  std::string tag = Render(values, kV22);
  EXPECT_EQ(tag.substr(10, 3), "TOR");
  EXPECT_EQ(tag.substr(10 + 6 + 5, 3), "TT2");
}

// Every Charset with every tag version: what is written reads back.
class RoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RoundTrip, WrittenValuesReadBack) {
  const auto [charset, version] = GetParam();
  testing::TempDir dir;
  const std::string path = dir.File("song.mp3");
  const std::string audio = testing::MpegAudio(3);
  testing::WriteBytes(path, testing::Id3v2Tag(3, testing::Text23("TIT2", "old")) + audio +
                                testing::Id3v1Block("old v1"));

  TagValues values;
  values.Set("Title", testing::kTesutoUtf8 + " title");
  values.Set("Artist", "Artist");
  values.Set("Album", "\u97F3\u697D");  // 音楽
  values.Set("Year", "2024");
  values.Set("Commentv1", "short");
  values.Set("Comment", "jpnshort\\0long\r\ntext");
  values.Set("Track", "7");
  values.Set("Genre", "Rock");
  if (version > 0) {
    values.Set("Lyricist", "\u4F5C\u8A5E");
    values.Set("URL", "http://example.com/");
    values.Set("OrgYear", "1999");
  }
  Settings settings;
  settings.Charset = charset;
  settings.WriteTagVersion = version;
  testing::ScriptedPresenter presenter;
  Messages messages(settings, presenter);
  ASSERT_EQ(WriteFileTags(path, values, settings, messages), WriteResult::kWritten);
  EXPECT_TRUE(presenter.texts.empty());

  std::string bytes = testing::ReadBytes(path);
  std::optional<TagValues> back = ReadTagValues(path);
  ASSERT_TRUE(back);
  if (version == 0) {
    EXPECT_EQ(bytes.substr(0, audio.size()), audio);
    EXPECT_EQ(bytes.size(), audio.size() + 128);
    EXPECT_EQ(back->Get("Title"), values.Get("Title"));
    EXPECT_EQ(back->Get("Album"), values.Get("Album"));
    EXPECT_EQ(back->Get("Comment"), "short");
    EXPECT_EQ(back->Get("Track"), "7");
    EXPECT_EQ(back->Get("Genre"), "Rock");
    EXPECT_EQ(back->Get("Year"), "2024");
    return;
  }
  EXPECT_EQ(bytes.substr(bytes.size() - audio.size()), audio);
  EXPECT_EQ(back->Get("TagVersion"), version == 1 ? "2" : "3");
  for (const char* key :
       {"Title", "Artist", "Album", "Year", "Track", "Genre", "Lyricist", "URL", "OrgYear"}) {
    EXPECT_EQ(back->Get(key), values.Get(key)) << key;
  }
  EXPECT_EQ(back->Get("Comment0"), "jpn");
  EXPECT_EQ(back->Get("Comment"), "short");
  EXPECT_EQ(back->Get("Comment2"), "long\r\ntext");
}

INSTANTIATE_TEST_SUITE_P(AllCharsetsAndVersions, RoundTrip,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3),
                                            ::testing::Values(0, 1, 2)));

}  // namespace
}  // namespace quilmark
