// Files written here must read correctly in an independent reader, and
// files that reader writes (version 2.3, and 2.4 with a picture and user
// text) must read correctly here and survive an edit. Random text of many
// scripts, in every charset and tag kind, must read back here as it was
// (cut to an ID3v1 field), or go into UTF-16 with a notice; what went into
// UTF-16 must read the same in the other reader; version 2.4 the same in
// mutagen and TagLib. The readers are mutagen under Debian's own Python and
// TagLib (python3-mutagen and libtag1-dev, which the setup script
// installs); without them these tests are skipped.
#include <random>
#include <sstream>

#include "bridge/add_files.h"
#include "bridge/bridge_test_support.h"
#include "bridge/peer_readers.h"
#include "bridge/read_file_tags.h"
#include "bridge/save_changed_rows.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"
#include "text/tag_text.h"
#include "text/utf8.h"
#include "text/western_text.h"

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

// For each file named in the list file argv[1]: the file, then the title,
// artist and album as hexadecimal UTF-8 (their values joined by "/").
constexpr const char* kTextsScript = R"PY(
import sys
from mutagen.id3 import ID3
for path in open(sys.argv[1], encoding='utf-8').read().splitlines():
    tag = ID3(path)
    texts = ['/'.join(tag[i].text).encode('utf-8').hex() if i in tag else '-'
             for i in ('TIT2', 'TPE1', 'TALB')]
    print(path.encode('utf-8').hex(), *texts)
)PY";

class Interop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) GTEST_SKIP() << missing;
  }
  // Saves the marked rows as the window does, confirmations off.
  static SaveReport Save(TrackGrid& grid, const TagWriteOptions& options) {
    const bool writeConfirm = false;
    testing::RecordingPresenter presenter;
    Messages messages(writeConfirm, presenter);
    testing::RecordingBusy busy;
    return SaveChangedRows(grid, options, messages, busy);
  }

  testing::TempDir dir_;
};

TEST_F(Interop, OurTagsReadElsewhere) {
  const std::string sjis = testing::kTesutoSjis, utf8 = testing::kTesutoUtf8;
  const struct {
    TagKind kind;
    Charset charset;
    const char* seen;
    std::string title;  // Shift-JIS keeps its bytes as Latin-1 text elsewhere
  } cases[] = {
      {TagKind::Id3v1, Charset::ShiftJis, "1.1", sjis},
      {TagKind::Id3v22, Charset::ShiftJis, "2.2", sjis},
      {TagKind::Id3v23, Charset::ShiftJis, "2.3", sjis},
      // UTF-16 text frames of every kind meet the other reader in the random
      // test below; here the comment and address frames of version 2.2.
      {TagKind::Id3v22, Charset::Utf16Be, "2.2", utf8},
  };
  const std::string path = dir_.File("ours.mp3");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.seen) + " charset " + std::to_string(static_cast<int>(c.charset)));
    testing::WriteBytes(path, testing::MpegAudio(4));
    const TagValues values =
        TagValues::FromCommaText("Title=" + utf8 + ",Artist=Artist,Commentv1=c1,Comment=jpnd\\0" +
                                 utf8 + ",Track=7,Genre=Rock,URL=http://example.com/");
    ASSERT_TRUE(testing::WriteTags(path, values, c.charset, c.kind));
    auto frames = testing::ReadWithMutagen(path);
    EXPECT_EQ(frames["version"], c.seen);
    EXPECT_EQ(frames["TIT2"], c.title);
    EXPECT_EQ(frames["TPE1"], "Artist");
    EXPECT_EQ(frames["TRCK"], "7");
    if (c.kind == TagKind::Id3v1) {
      EXPECT_EQ(frames["TCON"], "Rock");
      continue;
    }
    EXPECT_EQ(frames["COMM"], "jpn d " + c.title);
    EXPECT_EQ(frames["WXXX"], " http://example.com/");  // no description
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
    const std::string bytes = testing::ReadBytes(path);
    EXPECT_TRUE(bytes.compare(bytes.size() - audio.size(), audio.size(), audio) == 0);

    TrackGrid grid;
    ASSERT_EQ(ReadFileTags(grid, path).row, 1);
    const std::string artist = version == "3"s ? "\u6B4C\u624B/Guest" : "\u6B4C\u624B / Guest";
    EXPECT_EQ(grid.FieldCell(colTitle, 1), title);
    EXPECT_EQ(grid.FieldCell(colArtist, 1), artist);
    EXPECT_EQ(grid.FieldCell(colYear, 1), "2021");
    EXPECT_EQ(grid.FieldCell(colNo, 1), "5/12");
    EXPECT_EQ(grid.FieldCell(colURL, 1), "http://example.com/");
    EXPECT_EQ(grid.FieldCell(colComment, 1), "d");
    EXPECT_EQ(grid.Cell(colCommentLang, 1), "jpn");
    EXPECT_EQ(grid.Cell(colCommentLong, 1), "line1\r\nline2");
    EXPECT_NE(grid.Cell(colWork, 1).find("TagVersion="s + version), std::string::npos);

    // Saved as version 2.3 in UTF-16, the edit, the picture and the user
    // text reach the other reader.
    grid.SetFieldCell(colTitle, 1, edited);
    grid.MarkRowChanged(1);
    ASSERT_EQ(Save(grid, {TagKind::Id3v23, Charset::Utf16Le}).Written(), 1);
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
  for (Charset charset : {Charset::ShiftJis, Charset::Utf16Le, Charset::Utf16Be}) {
    SCOPED_TRACE(static_cast<int>(charset));
    const std::string path = dir_.File("v24.mp3");
    testing::WriteBytes(
        path, Id3v2Tag(3, Text23("TIT2", sjis) + Text23("TYER", "2021") + Text23("TDAT", "0504") +
                              Frame23("TXXX", "\0"s + sjis + "\0"s + sjis) +
                              Frame23("APIC", "\0image/jpeg\0\x03"s + sjis + "\0"s + picture)) +
                  MpegAudio(3));
    TrackGrid grid;
    ASSERT_EQ(ReadFileTags(grid, path).row, 1);
    const std::pair<Field, std::string> cells[] = {
        {colTitle, title},     {colArtist, "\u6B4C\u624B"},
        {colAlbum, "Album"},   {colComment, "d"},
        {colNo, "5/12"},       {colGenre, "Rock"},
        {colURL, "http://a/"}, {colComposer, tesuto},
        {colOrgYear, "1999"},  {colCopyright, "(C) x"},
        {colBPM, "120"}};
    for (const auto& [field, text] : cells) grid.SetFieldCell(field, 1, text);
    grid.SetCell(colCommentLang, 1, "jpn");
    grid.SetCell(colCommentLong, 1, comment);
    grid.MarkRowChanged(1);
    const SaveReport report = Save(grid, {TagKind::Id3v24, charset});
    ASSERT_EQ(report.Written(), 1);
    EXPECT_EQ(report.files[0].fallback, TextFallback::None);

    auto seen = testing::ReadWithMutagen(path, picturePath);
    EXPECT_EQ(seen, testing::ReadWithTagLib(path, picturePath));
    EXPECT_EQ(seen["version"], "2.4");
    EXPECT_EQ(seen["TIT2"], title);
    EXPECT_EQ(seen["TPE1"], "\u6B4C\u624B");
    EXPECT_EQ(seen["COMM"], "jpn d " + comment);
    EXPECT_EQ(seen["WXXX"], " http://a/");
    EXPECT_EQ(seen["TDRC"], "2021-04-05");
    EXPECT_EQ(seen["TDOR"], "1999");
    EXPECT_EQ(seen["TCOM"], tesuto);
    EXPECT_EQ(seen["TXXX"], tesuto + " " + tesuto);
    EXPECT_EQ(seen["APIC"], "image/jpeg 3 " + tesuto + " True");
    EXPECT_EQ(seen.count("TDAT") + seen.count("TYER"), 0u);
    // And here.
    const TagValues back = *ReadTagValues(path);
    EXPECT_EQ(back.Get(keys::Title), title);
    EXPECT_EQ(back.Get(keys::Year), "2021");
  }
}

// Random text from the scripts a tag meets, a few characters of one or two
// of them among ASCII. A row's texts are all Japanese (which Shift-JIS
// holds), all Latin-1, or of any two scripts.
class RandomText {
 public:
  enum class Row { Japanese, Latin1, Any };
  Row NextRow() { return static_cast<Row>(Between(0, 2)); }

  std::string Value(Row row) {
    std::string text;
    if (row == Row::Latin1) {
      // Words with accented letters, as Western titles have them.
      static constexpr char32_t kAccented[] = {0xE9, 0xE8, 0xE0, 0xFC, 0xF6, 0xE4, 0xF1,
                                               0xE7, 0xEA, 0xF4, 0xED, 0xF3, 0xDF, 0xC9};
      for (int word = Between(1, 3); word > 0; --word) {
        if (!text.empty()) text += ' ';
        const int length = Between(3, 8), accent = Between(1, length - 1);
        for (int i = 0; i < length; ++i)
          Put(text, i == accent ? Pick(kAccented) : Between('a', 'z'));
      }
      return text;
    }
    const bool japanese = row == Row::Japanese;
    const int first = japanese ? 0 : Between(0, kPools - 1);
    const int second = japanese ? 6 : Between(0, kPools - 1);
    for (int i = Between(1, 12); i > 0; --i)
      Append(text, Between(0, 2) == 0 ? -1 : Between(0, 1) == 0 ? first : second);
    return text;
  }

 private:
  static constexpr int kPools = 7;

  // One character of a pool: Japanese (kana, kanji, full-width and
  // half-width forms), Latin-1, Korean, Greek, beyond the BMP (CJK
  // extension B and pictographs), a letter with a combining mark, a control
  // character; any other pool is ASCII.
  void Append(std::string& text, int pool) {
    static constexpr char32_t kKanji[] = {0x65E5, 0x672C, 0x8A9E, 0x66F2, 0x6B4C, 0x611B, 0x6771,
                                          0x4EAC, 0x5927, 0x962A, 0x591C, 0x7A7A, 0x9AD8, 0x6A4B};
    static constexpr char32_t kGreek[] = {0x0391, 0x03B1, 0x03A9, 0x03C9, 0x03AC, 0x03AD,
                                          0x0386, 0x03CA, 0x0390, 0x03C2, 0x03BB, 0x0388};
    static constexpr std::pair<int, int> kKana[] = {
        {0x3041, 0x3093}, {0x30A1, 0x30F6}, {0xFF10, 0xFF3A}, {0xFF66, 0xFF9D}};
    const std::pair<int, int> kana = kKana[Between(0, 3)];
    switch (pool) {
      case 0:
        return Put(text, Between(0, 4) == 0 ? Pick(kKanji) : Between(kana.first, kana.second));
      case 1:
        return Put(text, Between(0xA1, 0xFF));
      case 2:
        return Put(text, Between(0xAC00, 0xD7A3));
      case 3:
        return Put(text, Pick(kGreek));
      case 4:
        return Put(text, Between(0, 1) ? Between(0x20000, 0x2A6D6) : Between(0x1F300, 0x1F64F));
      case 5:
        Put(text, Between('a', 'z'));
        return Put(text, Between(0x0300, 0x036F));
      case 6:
        return Put(text, Between(0x01, 0x1F));
      default:
        return Put(text, Between(0x20, 0x7E));
    }
  }

  static void Put(std::string& text, char32_t c) { AppendUtf8(text, c); }
  template <std::size_t N>
  char32_t Pick(const char32_t (&pool)[N]) {
    return pool[Between(0, static_cast<int>(N) - 1)];
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::mt19937 random_{11};
};

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

// What an ID3v1 field gives back of `value` written in `charset` (ISO-8859-1
// for a Latin-1 fallback): the characters that fit its 30 bytes, trimmed.
std::string FittedToV1(std::string_view value, Charset charset, TextFallback fallback) {
  std::string fitted;
  for (std::size_t i = 0; i < value.size();) {
    std::size_t next = i + 1;
    while (next < value.size() && (static_cast<unsigned char>(value[next]) & 0xC0) == 0x80) ++next;
    const std::string longer(value.substr(0, next));
    const std::size_t size = fallback == TextFallback::Latin1 ? EncodeLatin1(longer)->size()
                             : fallback == TextFallback::Utf16
                                 ? EncodeTagText(longer, Charset::Utf16Le).size()
                                 : EncodeTagText(longer, charset).size();
    if (size > 30) break;
    fitted = longer;
    i = next;
  }
  return std::string(TrimControls(fitted));
}

TEST_F(Interop, RandomTextReadsBackOrGoesIntoUtf16WithANotice) {
  RandomText random;
  constexpr Field kFields[] = {colTitle, colArtist, colAlbum};
  constexpr std::string_view kKeys[] = {keys::Title, keys::Artist, keys::Album};
  std::string unicodeFiles;  // for the other reader
  std::map<std::string, std::vector<std::string>> writtenValues;
  int file = 0;
  std::map<TextFallback, int> fallbacks;
  for (const Charset charset :
       {Charset::ShiftJis, Charset::EucJp, Charset::Utf16Le, Charset::Utf16Be}) {
    for (const TagKind kind : {TagKind::Id3v1, TagKind::Id3v22, TagKind::Id3v23, TagKind::Id3v24}) {
      SCOPED_TRACE("charset " + std::to_string(static_cast<int>(charset)) + " kind " +
                   std::to_string(static_cast<int>(kind)));
      std::vector<std::string> paths;
      for (int i = 0; i < 12; ++i) {
        paths.push_back(dir_.File("random" + std::to_string(++file) + ".mp3"));
        testing::WriteBytes(paths.back(), testing::MpegAudio(2));
      }
      const bool writeConfirm = false;
      testing::RecordingPresenter presenter;
      Messages messages(writeConfirm, presenter);
      TrackGrid grid;
      ASSERT_EQ(AddFiles(grid, paths, messages).added, 12);
      for (int row = 1; row <= 12; ++row) {
        const RandomText::Row texts = random.NextRow();
        for (Field field : kFields) grid.SetFieldCell(field, row, random.Value(texts));
        grid.MarkRowChanged(row);
      }
      const SaveReport report = Save(grid, {kind, charset});
      ASSERT_EQ(report.Written(), 12);
      for (int row = 1; row <= 12; ++row) {
        const FileSaveOutcome& outcome = report.files[static_cast<std::size_t>(row - 1)];
        const std::string& path = outcome.path;
        const platform::IoResult<TagValues> back = ReadTagValues(path);
        ASSERT_TRUE(back) << path;
        bool allFit = true;
        for (std::size_t f = 0; f < std::size(kFields); ++f) {
          const std::string& value = grid.FieldCell(kFields[f], row);
          bool exact = true;
          static_cast<void>(EncodeTagText(value, charset, &exact));
          allFit = allFit && exact;
          const std::string expected =
              kind == TagKind::Id3v1 ? FittedToV1(value, charset, outcome.fallback) : value;
          EXPECT_EQ(back->Get(kKeys[f]), expected) << path << " " << value;
        }
        // A charset that cannot hold the text never writes it; version 2.4
        // writes UTF-8 for it.
        if (kind == TagKind::Id3v24) {
          EXPECT_EQ(outcome.fallback, TextFallback::None) << path;
        } else if (!allFit) {
          EXPECT_NE(outcome.fallback, TextFallback::None) << path;
        }
        if (IsLegacyCharset(charset) && kind != TagKind::Id3v24) ++fallbacks[outcome.fallback];
        if (outcome.fallback != TextFallback::None) {
          const std::string named = outcome.fallback == TextFallback::Latin1 ? "Latin-1" : "UTF-16";
          ASSERT_EQ(outcome.notices.size(), 1u) << path;
          EXPECT_NE(outcome.notices[0].find(named), std::string::npos) << path;
        }
        const bool unicode = !IsLegacyCharset(charset) || kind == TagKind::Id3v24 ||
                             outcome.fallback == TextFallback::Utf16;
        if (kind != TagKind::Id3v1 && unicode) {
          unicodeFiles += path + "\n";
          for (Field field : kFields) writtenValues[path].push_back(grid.FieldCell(field, row));
        }
      }
    }
  }
  // Each way was taken.
  EXPECT_GT(fallbacks[TextFallback::None], 0);
  EXPECT_GT(fallbacks[TextFallback::Latin1], 0);
  EXPECT_GT(fallbacks[TextFallback::Utf16], 0);

  const std::string list = dir_.File("unicode-files.txt");
  testing::WriteBytes(list, unicodeFiles);
  const auto unhex = [](const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
      bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
  };
  std::size_t seen = 0;
  for (const auto& [path, texts] : testing::RunPythonScript(kTextsScript, {list})) {
    const std::vector<std::string>& values = writtenValues[unhex(path)];
    ASSERT_EQ(values.size(), 3u) << unhex(path);
    std::istringstream fields(texts);
    std::string title, artist, album;
    fields >> title >> artist >> album;
    EXPECT_EQ(unhex(title), values[0]);
    EXPECT_EQ(unhex(artist), values[1]);
    EXPECT_EQ(unhex(album), values[2]);
    ++seen;
  }
  EXPECT_EQ(seen, writtenValues.size());
}

}  // namespace
}  // namespace quilmark
