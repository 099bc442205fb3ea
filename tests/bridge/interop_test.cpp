// Tags written here read elsewhere under the frames they belong to; tags
// another tagger wrote (version 2.3, and 2.4 with a picture and user text)
// read correctly here and survive an edit; version 2.4 as written here
// reads the same in mutagen and TagLib. The readers are mutagen under
// Debian's own Python and TagLib (python3-mutagen and libtag1-dev, which
// the setup script installs); without them these tests are skipped.
#include "bridge/bridge_test_support.h"
#include "bridge/peer_readers.h"
#include "bridge/read_file_tags.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

// Tags a file as version argv[3] with UTF-8 Japanese text, a picture
// (the bytes of the file argv[2]) and a user text.
constexpr const char* kWriteScript = R"PY(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, COMM, TRCK, WXXX, APIC, TXXX, TDRC
tag = ID3()
tag.add(TIT2(encoding=3, text='\u65e5\u672c\u8a9e\u306e\u66f2'))
tag.add(TPE1(encoding=3, text=['\u6b4c\u624b', 'Guest']))
tag.add(COMM(encoding=1, lang='jpn', desc='d', text='line1\nline2'))
tag.add(TRCK(encoding=0, text='5/12'))
tag.add(WXXX(encoding=0, desc='home', url='http://example.com/'))
tag.add(APIC(encoding=3, mime='image/jpeg', type=3, desc='\u8868\u7d19',
             data=open(sys.argv[2], 'rb').read()))
tag.add(TXXX(encoding=3, desc='\u30e1\u30e2', text='\u30e6\u30fc\u30b6\u30fc\u5b9a\u7fa9'))
tag.add(TDRC(encoding=3, text='2021-04-05'))
tag.save(sys.argv[1], v2_version=int(sys.argv[3]))
)PY";

class Interop : public testing::SaveTest {
 protected:
  void SetUp() override {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) GTEST_SKIP() << missing;
  }
};

// Our reader maps frame ids as our writer does, so only another reader
// tells a wrong one: every field in each version, under the frame the other
// reader names as version 2.4 does.
TEST_F(Interop, EveryFieldReadsElsewhereUnderItsOwnFrame) {
  const std::string path = dir_.File("ours.mp3");
  const TagValues values = TagValues::FromCommaText(
      "Title=t,Artist=a,Album=al,Year=2001,Comment=jpnd\\0c,Track=7,Genre=Rock,Lyricist=ly,"
      "Composer=co,Copyright=cr,Encoded=en,URL=http://a/,BPM=120,OrgAlbum=oal,OrgLyricist=oly,"
      "OrgArtist=oar,OrgYear=1999");
  std::map<std::string, std::string> expected = {
      {"TIT2", "t"},       {"TPE1", "a"},   {"TALB", "al"},   {"TDRC", "2001"},
      {"COMM", "jpn d c"}, {"TRCK", "7"},   {"TCON", "Rock"}, {"TEXT", "ly"},
      {"TCOM", "co"},      {"TCOP", "cr"},  {"TENC", "en"},   {"WXXX", " http://a/"},
      {"TBPM", "120"},     {"TOAL", "oal"}, {"TOLY", "oly"},  {"TOPE", "oar"},
      {"TDOR", "1999"}};
  for (const TagKind kind : {TagKind::Id3v22, TagKind::Id3v23, TagKind::Id3v24}) {
    SCOPED_TRACE(Id3v2Major(kind));
    testing::WriteBytes(path, testing::MpegAudio(2));
    ASSERT_TRUE(testing::WriteTags(path, values, Charset::ShiftJis, kind));
    expected["version"] = "2." + std::to_string(Id3v2Major(kind));
    EXPECT_EQ(testing::ReadWithMutagen(path), expected);
  }
}

TEST_F(Interop, TagsWrittenElsewhereReadHereAndKeepTheirFramesThroughAnEdit) {
  const std::string picture = "\xFF\xD8\xFF\xE0" + testing::RandomBytes(200000, 8);
  const std::string picturePath = dir_.File("cover.jpg");
  testing::WriteBytes(picturePath, picture);
  const std::string title = "\u65E5\u672C\u8A9E\u306E\u66F2", edited = title + " (\u7DE8\u96C6)";
  for (const char* version : {"3", "4"}) {
    SCOPED_TRACE(version);
    const std::string path = dir_.File("theirs" + std::string(version) + ".mp3");
    testing::WriteBytes(path, testing::MpegAudio(4));
    testing::RunPythonScript(kWriteScript, {path, picturePath, version});

    grid_.ClearRows();
    ASSERT_EQ(ReadFileTags(grid_, path).row, 1);
    const std::string artist = version == "3"s ? "\u6B4C\u624B/Guest" : "\u6B4C\u624B / Guest";
    const std::pair<Field, std::string> cells[] = {{colTitle, title},
                                                   {colArtist, artist},
                                                   {colYear, "2021"},
                                                   {colNo, "5/12"},
                                                   {colURL, "http://example.com/"},
                                                   {colComment, "d"}};
    for (const auto& [field, text] : cells) EXPECT_EQ(grid_.FieldCell(field, 1), text);
    EXPECT_EQ(grid_.Cell(colCommentLang, 1), "jpn");
    EXPECT_EQ(grid_.Cell(colCommentLong, 1), "line1\r\nline2");
    EXPECT_NE(grid_.Cell(colWork, 1).find("TagVersion="s + version), std::string::npos);

    // Saved as version 2.3 in UTF-16, the edit, the picture and the user
    // text reach the other reader.
    grid_.SetFieldCell(colTitle, 1, edited);
    grid_.MarkRowChanged(1);
    options_ = {TagKind::Id3v23, Charset::Utf16Le};
    ASSERT_EQ(Save().Written(), 1);
    auto items = testing::ReadWithMutagen(path, picturePath);
    EXPECT_EQ(items["version"], "2.3");
    EXPECT_EQ(items["TIT2"], edited);
    EXPECT_EQ(items["TPE1"], artist);
    EXPECT_EQ(items["APIC"], "image/jpeg 3 \u8868\u7D19 True");
    EXPECT_EQ(items["TXXX"], "\u30E1\u30E2 \u30E6\u30FC\u30B6\u30FC\u5B9A\u7FA9");
    EXPECT_EQ(items["TDRC"], "2021-04-05");
  }
}

// Version 2.4 as this program writes it, from a row and from the frames
// of an older tag in Shift-JIS, reads the same in both other readers.
TEST_F(Interop, Version24TagsReadAlikeInMutagenAndTagLib) {
  if (std::string missing = testing::TagLibMissing(); !missing.empty()) GTEST_SKIP() << missing;
  const std::string picture = "\xFF\xD8\xFF\xE0" + std::string(3000, '\xFF') + "\x01\x02";
  const std::string picturePath = dir_.File("cover.jpg");
  testing::WriteBytes(picturePath, picture);
  const std::string sjis = testing::kTesutoSjis, tesuto = testing::kTesutoUtf8;
  const std::string title = tesuto + " Beyonc\u00E9 \U0001F3B5",
                    comment = "\u30B3\u30E1\u30F3\u30C8";
  const std::string path = dir_.File("v24.mp3");
  for (Charset charset : {Charset::ShiftJis, Charset::Utf16Le, Charset::Utf16Be}) {
    SCOPED_TRACE(static_cast<int>(charset));
    testing::WriteBytes(
        path, Id3v2Tag(3, Text23("TIT2", sjis) + Text23("TYER", "2021") + Text23("TDAT", "0504") +
                              Frame23("TXXX", "\0"s + sjis + "\0"s + sjis) +
                              Frame23("APIC", "\0image/jpeg\0\x03"s + sjis + "\0"s + picture)) +
                  MpegAudio(3));
    grid_.ClearRows();
    ASSERT_EQ(ReadFileTags(grid_, path).row, 1);
    const std::pair<Field, std::string> cells[] = {
        {colTitle, title}, {colComment, "d"}, {colURL, "http://a/"}, {colOrgYear, "1999"}};
    for (const auto& [field, text] : cells) grid_.SetFieldCell(field, 1, text);
    grid_.SetCell(colCommentLang, 1, "jpn");
    grid_.SetCell(colCommentLong, 1, comment);
    grid_.MarkRowChanged(1);
    options_ = {TagKind::Id3v24, charset};
    const SaveReport report = Save();
    ASSERT_EQ(report.Written(), 1);
    EXPECT_EQ(report.files[0].fallback, TextFallback::None);

    auto seen = testing::ReadWithMutagen(path, picturePath);
    EXPECT_EQ(seen, testing::ReadWithTagLib(path, picturePath));
    EXPECT_EQ(seen["version"], "2.4");
    EXPECT_EQ(seen["TIT2"], title);
    EXPECT_EQ(seen["COMM"], "jpn d " + comment);
    EXPECT_EQ(seen["WXXX"], " http://a/");
    EXPECT_EQ(seen["TDRC"], "2021-04-05");
    EXPECT_EQ(seen["TDOR"], "1999");
    EXPECT_EQ(seen["TXXX"], tesuto + " " + tesuto);
    EXPECT_EQ(seen["APIC"], "image/jpeg 3 " + tesuto + " True");
    EXPECT_EQ(seen.count("TDAT") + seen.count("TYER"), 0u);
  }
}

}  // namespace
}  // namespace quilmark
