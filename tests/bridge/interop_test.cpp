// Files written here must read correctly in an independent reader, and
// files that reader writes (version 2.3, and 2.4 with a picture and user
// text) must read correctly here and survive an edit. Random text of many
// scripts, in every charset and ID3v2 version, must read back here as it
// was, or go into UTF-16 with a notice; what went into
// UTF-16 must read the same in the other reader; version 2.4 the same in
// mutagen and TagLib. The readers are mutagen under Debian's own Python and
// TagLib (python3-mutagen and libtag1-dev, which the setup script
// installs); without them these tests are skipped.
#include <random>

#include "bridge/bridge_test_support.h"
#include "bridge/peer_readers.h"
#include "bridge/read_file_tags.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"
#include "text/tag_text.h"
#include "text/utf8.h"

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

// Each line of the file argv[1] names a file, then its title, artist and
// album, all in hexadecimal UTF-8; a file whose texts differ is told.
constexpr const char* kCompareScript = R"PY(
import sys
from mutagen.id3 import ID3
lines = open(sys.argv[1]).read().splitlines()
for line in lines:
    path, *texts = [bytes.fromhex(h).decode('utf-8') for h in line.split(' ')]
    tag = ID3(path)
    read = ['/'.join(tag[i].text) if i in tag else '' for i in ('TIT2', 'TPE1', 'TALB')]
    if read != texts:
        print('differs', ascii(path), ascii(read), ascii(texts))
print('seen', len(lines))
)PY";

class Interop : public testing::SaveTest {
 protected:
  void SetUp() override {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) GTEST_SKIP() << missing;
  }
};

TEST_F(Interop, OurTagsReadElsewhere) {
  const std::string sjis = testing::kTesutoSjis, utf8 = testing::kTesutoUtf8;
  // Shift-JIS keeps its bytes as Latin-1 text elsewhere. UTF-16 text frames
  // of every kind meet the other reader in the random test below; here the
  // comment and address frames of version 2.2.
  const std::tuple<TagKind, Charset, const char*, std::string> cases[] = {
      {TagKind::Id3v1, Charset::ShiftJis, "1.1", sjis},
      {TagKind::Id3v22, Charset::ShiftJis, "2.2", sjis},
      {TagKind::Id3v23, Charset::ShiftJis, "2.3", sjis},
      {TagKind::Id3v22, Charset::Utf16Be, "2.2", utf8},
  };
  const std::string path = dir_.File("ours.mp3");
  const TagValues values =
      TagValues::FromCommaText("Title=" + utf8 + ",Artist=Artist,Commentv1=c1,Comment=jpnd\\0" +
                               utf8 + ",Track=7,Genre=Rock,URL=http://example.com/");
  for (const auto& [kind, charset, version, title] : cases) {
    SCOPED_TRACE(std::string(version) + " charset " + std::to_string(static_cast<int>(charset)));
    testing::WriteBytes(path, testing::MpegAudio(4));
    ASSERT_TRUE(testing::WriteTags(path, values, charset, kind));
    std::map<std::string, std::string> expected = {
        {"version", version}, {"TIT2", title}, {"TPE1", "Artist"}, {"TRCK", "7"}, {"TCON", "Rock"}};
    if (kind == TagKind::Id3v1) {
      expected["COMM"] = "eng ID3v1 Comment c1";
    } else {
      expected["COMM"] = "jpn d " + title;
      expected["WXXX"] = " http://example.com/";  // no description
    }
    EXPECT_EQ(testing::ReadWithMutagen(path), expected);
  }
}

TEST_F(Interop, TagsWrittenElsewhereReadHereAndKeepTheirFramesThroughAnEdit) {
  std::string picture = "\xFF\xD8\xFF\xE0";
  std::mt19937 random(8);
  for (int i = 0; i < 200000; ++i) picture.push_back(static_cast<char>(random()));
  const std::string picturePath = dir_.File("cover.jpg");
  testing::WriteBytes(picturePath, picture);
  const std::string title = "\u65E5\u672C\u8A9E\u306E\u66F2", edited = title + " (\u7DE8\u96C6)";
  for (const char* version : {"3", "4"}) {
    SCOPED_TRACE(version);
    const std::string path = dir_.File("theirs" + std::string(version) + ".mp3");
    const std::string audio = testing::MpegAudio(4);
    testing::WriteBytes(path, audio);
    testing::RunPythonScript(kWriteScript, {path, picturePath, version});
    ASSERT_TRUE(testing::ReadBytes(path).ends_with(audio));

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
        {colTitle, title},     {colArtist, "\u6B4C\u624B"}, {colComment, "d"},
        {colNo, "5/12"},       {colGenre, "Rock"},          {colComposer, tesuto},
        {colURL, "http://a/"}, {colOrgYear, "1999"},        {colBPM, "120"}};
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
    EXPECT_EQ(seen["TCOM"], tesuto);
    EXPECT_EQ(seen["TXXX"], tesuto + " " + tesuto);
    EXPECT_EQ(seen["APIC"], "image/jpeg 3 " + tesuto + " True");
    EXPECT_EQ(seen.count("TDAT") + seen.count("TYER"), 0u);
    EXPECT_EQ(ReadTagValues(path)->Get(keys::Title), title);  // and here
  }
}

using Pool = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // ranges of characters

// Kana (hiragana, katakana, full-width and half-width forms) and kanji.
const Pool kJapanese = {{0x3041, 0x3093}, {0x30A1, 0x30F6}, {0xFF10, 0xFF3A},
                        {0xFF66, 0xFF9D}, {0x65E5, 0x65E5}, {0x672C, 0x672C},
                        {0x8A9E, 0x8A9E}, {0x6771, 0x6771}, {0x4EAC, 0x4EAC}};
const Pool kAscii = {{0x20, 0x7E}}, kControls = {{0x01, 0x1F}};
// Japanese, Latin-1, Korean, Greek, beyond the BMP (CJK extension B and
// pictographs), combining marks, control characters.
const Pool kScripts[] = {kJapanese,
                         {{0xA1, 0xFF}},
                         {{0xAC00, 0xD7A3}},
                         {{0x0386, 0x03CE}},
                         {{0x20000, 0x2A6D6}, {0x1F300, 0x1F64F}},
                         {{0x0300, 0x036F}},
                         kControls};

// Random text of the scripts a tag meets: up to 12 characters, each from
// one of the pools.
std::string RandomText(std::mt19937& random, const std::vector<Pool>& pools) {
  const auto between = [&](std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random);
  };
  std::string text;
  for (std::size_t i = between(1, 12); i > 0; --i) {
    const Pool& pool = pools[between(0, pools.size() - 1)];
    const auto [low, high] = pool[between(0, pool.size() - 1)];
    AppendUtf8(text, static_cast<char32_t>(between(low, high)));
  }
  return text;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += {kDigits[c >> 4], kDigits[c & 15]};
  return hex;
}

// (How an ID3v1 field cuts text and which charset it falls back to is
// tested where the block is made.)
TEST_F(Interop, RandomTextReadsBackOrGoesIntoUtf16WithANotice) {
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> script(0, std::size(kScripts) - 1);
  constexpr Field kFields[] = {colTitle, colArtist, colAlbum};
  constexpr std::string_view kKeys[] = {keys::Title, keys::Artist, keys::Album};
  std::string unicodeFiles;  // for the other reader: each file and its values
  int file = 0, unicodeCount = 0, fitting = 0, intoUtf16 = 0;
  for (const Charset charset :
       {Charset::ShiftJis, Charset::EucJp, Charset::Utf16Le, Charset::Utf16Be}) {
    for (const TagKind kind : {TagKind::Id3v22, TagKind::Id3v23, TagKind::Id3v24}) {
      SCOPED_TRACE("charset " + std::to_string(static_cast<int>(charset)) + " kind " +
                   std::to_string(static_cast<int>(kind)));
      grid_.ClearRows();
      for (int row = 1; row <= 12; ++row) {
        const std::string path = dir_.File("random" + std::to_string(++file) + ".mp3");
        testing::WriteBytes(path, testing::MpegAudio(2));
        ASSERT_EQ(ReadFileTags(grid_, path).row, row);
        // A row's texts are all Japanese (which Shift-JIS holds) or of two
        // scripts, among ASCII.
        const std::vector<Pool> pools =
            script(random) < 2
                ? std::vector{kJapanese, kControls, kAscii}
                : std::vector{kScripts[script(random)], kScripts[script(random)], kAscii};
        for (Field field : kFields) grid_.SetFieldCell(field, row, RandomText(random, pools));
        grid_.MarkRowChanged(row);
      }
      options_ = {kind, charset};
      const SaveReport report = Save();
      ASSERT_EQ(report.Written(), 12);
      for (int row = 1; row <= 12; ++row) {
        const FileSaveOutcome& outcome = report.files[static_cast<std::size_t>(row - 1)];
        const platform::IoResult<TagValues> back = ReadTagValues(outcome.path);
        ASSERT_TRUE(back) << outcome.path;
        bool allFit = true;
        std::string line = Hex(outcome.path);
        for (std::size_t f = 0; f < std::size(kFields); ++f) {
          const std::string& value = grid_.FieldCell(kFields[f], row);
          bool exact = true;
          static_cast<void>(EncodeTagText(value, charset, &exact));
          allFit = allFit && exact;
          EXPECT_EQ(back->Get(kKeys[f]), value) << outcome.path;
          line += " " + Hex(value);
        }
        // A charset that cannot hold the text never writes it; version 2.4
        // writes UTF-8 for it.
        if (kind == TagKind::Id3v24) {
          EXPECT_EQ(outcome.fallback, TextFallback::None) << outcome.path;
        } else if (!allFit) {
          EXPECT_NE(outcome.fallback, TextFallback::None) << outcome.path;
        }
        if (outcome.fallback == TextFallback::None) {
          fitting += IsLegacyCharset(charset) && kind != TagKind::Id3v24;
        } else {
          ++intoUtf16;
          EXPECT_EQ(outcome.fallback, TextFallback::Utf16);
          ASSERT_EQ(outcome.notices.size(), 1u) << outcome.path;
          EXPECT_NE(outcome.notices[0].find("UTF-16"), std::string::npos) << outcome.path;
        }
        if (!IsLegacyCharset(charset) || kind == TagKind::Id3v24 ||
            outcome.fallback == TextFallback::Utf16) {
          unicodeFiles += line + "\n";
          ++unicodeCount;
        }
      }
    }
  }
  // Both ways were taken.
  EXPECT_GT(fitting, 0);
  EXPECT_GT(intoUtf16, 0);

  const std::string list = dir_.File("unicode-files.txt");
  testing::WriteBytes(list, unicodeFiles);
  auto seen = testing::RunPythonScript(kCompareScript, {list});
  EXPECT_EQ(seen["differs"], "");
  EXPECT_EQ(seen["seen"], std::to_string(unicodeCount));
}

}  // namespace
}  // namespace quilmark
