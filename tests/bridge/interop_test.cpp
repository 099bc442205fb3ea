// Files written here must read correctly in an independent reader, and
// files that reader writes (version 2.3, and 2.4 with a picture and user
// text) must read correctly here and survive an edit. The reader is mutagen
// under Debian's own Python (the python3-mutagen package, which the setup
// script installs); without it these tests are skipped.
#include <random>

#include "bridge/bridge_test_support.h"
#include "bridge/mutagen_reader.h"
#include "bridge/read_file_tags.h"
#include "bridge/save_changed_rows.h"
#include "tag/tag_file.h"
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

class Interop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string missing = testing::MutagenMissing(); !missing.empty()) GTEST_SKIP() << missing;
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
      {TagKind::Id3v22, Charset::Utf16Le, "2.2", utf8},
      {TagKind::Id3v22, Charset::Utf16Be, "2.2", utf8},
      {TagKind::Id3v23, Charset::Utf16Le, "2.3", utf8},
      {TagKind::Id3v23, Charset::Utf16Be, "2.3", utf8},
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
    const bool writeConfirm = false;
    testing::ScriptedPresenter presenter;
    Messages messages(writeConfirm, presenter);
    testing::RecordingBusy busy;
    const TagWriteOptions options{TagKind::Id3v23, Charset::Utf16Le};
    ASSERT_EQ(SaveChangedRows(grid, options, messages, busy).Written(), 1);
    auto items = testing::ReadWithMutagen(path, picturePath);
    EXPECT_EQ(items["version"], "2.3");
    EXPECT_EQ(items["TIT2"], edited);
    EXPECT_EQ(items["TPE1"], artist);
    EXPECT_EQ(items["APIC"], "image/jpeg 3 \u8868\u7D19 True");
    EXPECT_EQ(items["TXXX"], "\u30E1\u30E2 \u30E6\u30FC\u30B6\u30FC\u5B9A\u7FA9");
    EXPECT_EQ(items["TDRC"], "2021-04-05");
  }
}

}  // namespace
}  // namespace quilmark
