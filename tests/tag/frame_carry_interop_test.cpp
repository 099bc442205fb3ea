// A version 2.4 file made by an independent tool (mutagen under Debian's
// own Python, package python3-mutagen) reads here, and after an edit saved
// as version 2.3 in UTF-16 that tool finds the edit, the picture and the
// user text. Skipped when the tool is missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

#include "tag/read_file_tags.h"
#include "tag/save_changed_rows.h"
#include "tag/text_encoding.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

constexpr const char* kWriteScript = R"PY(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, APIC, TXXX, TDRC
tag = ID3()
tag.add(TIT2(encoding=3, text='\u65e5\u672c\u8a9e\u306e\u66f2'))
tag.add(TPE1(encoding=3, text=['\u6b4c\u624b', 'Guest']))
tag.add(APIC(encoding=3, mime='image/jpeg', type=3, desc='\u8868\u7d19',
             data=open(sys.argv[2], 'rb').read()))
tag.add(TXXX(encoding=3, desc='\u30e1\u30e2', text='\u30e6\u30fc\u30b6\u30fc\u5b9a\u7fa9'))
tag.add(TDRC(encoding=3, text='2021-04-05'))
tag.save(sys.argv[1], v2_version=4)
)PY";

// One line per item, values as UTF-8 hex.
constexpr const char* kReadScript = R"PY(
import sys, hashlib
from mutagen.id3 import ID3
tag = ID3(sys.argv[1])
h = lambda s: str(s).encode('utf-8').hex()
print('version', '%d.%d' % tag.version[:2])
print('TIT2', h(tag['TIT2'].text[0]))
print('TPE1', h(tag['TPE1'].text[0]))
pic = tag.getall('APIC')[0]
print('APIC', pic.mime, int(pic.type), h(pic.desc), hashlib.sha256(pic.data).hexdigest())
user = tag.getall('TXXX')[0]
print('TXXX', h(user.desc), h(user.text[0]))
print('TDRC', h(tag['TDRC'].text[0]))
)PY";

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex.push_back(kDigits[c >> 4]);
    hex.push_back(kDigits[c & 15]);
  }
  return hex;
}

class V24Interop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kPython, X_OK) != 0 ||
        std::system((std::string(kPython) + " -c 'import mutagen' 2>/dev/null").c_str()) != 0) {
      GTEST_SKIP() << "mutagen for " << kPython
                   << " is missing (Debian package python3-mutagen; scripts/setup installs it)";
    }
  }

  std::string Run(const char* script, const std::string& args) {
    const std::string scriptPath = dir_.File("script.py");
    testing::WriteBytes(scriptPath, script);
    const std::string command = std::string(kPython) + " '" + scriptPath + "' " + args + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::array<char, 4096> buffer;
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
      output.append(buffer.data(), n);
    EXPECT_EQ(pclose(pipe), 0) << output;
    return output;
  }

  testing::TempDir dir_;
};

TEST_F(V24Interop, EditedFileKeepsPictureAndUserTextForTheOtherTool) {
  std::string picture = "\xFF\xD8\xFF\xE0";
  std::mt19937 random(8);
  for (int i = 0; i < 200000; ++i) picture.push_back(static_cast<char>(random()));
  const std::string picturePath = dir_.File("cover.jpg");
  const std::string path = dir_.File("theirs.mp3");
  testing::WriteBytes(picturePath, picture);
  testing::WriteBytes(path, testing::MpegAudio(4));
  Run(kWriteScript, "'" + path + "' '" + picturePath + "'");

  Settings settings;
  settings.Charset = kCharsetUtf16Le;
  settings.WriteTagVersion = 2;
  testing::ScriptedPresenter presenter;
  Messages messages(settings, presenter);
  TrackGrid grid;
  ASSERT_EQ(ReadFileTags(grid, path, messages), 1);
  const std::string title = "\u65E5\u672C\u8A9E\u306E\u66F2";
  EXPECT_EQ(grid.FieldCell(colTitle, 1), title);
  EXPECT_EQ(grid.FieldCell(colArtist, 1), "\u6B4C\u624B / Guest");
  EXPECT_EQ(grid.FieldCell(colYear, 1), "2021");
  EXPECT_NE(grid.Cell(colWork, 1).find("TagVersion=4"), std::string::npos);

  const std::string edited = title + " (\u7DE8\u96C6)";
  grid.SetFieldCell(colTitle, 1, edited);
  grid.MarkRowChanged(1);
  testing::RecordingBusy busy;
  SaveReport report = SaveChangedRows(grid, settings, messages, busy);
  ASSERT_EQ(report.written, 1);
  EXPECT_TRUE(report.droppedFrames.empty());

  std::map<std::string, std::string> items;
  std::istringstream lines(Run(kReadScript, "'" + path + "'"));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t space = line.find(' ');
    if (space != std::string::npos) items[line.substr(0, space)] = line.substr(space + 1);
  }
  EXPECT_EQ(items["version"], "2.3");
  EXPECT_EQ(items["TIT2"], Hex(edited));
  EXPECT_EQ(items["TPE1"], Hex("\u6B4C\u624B / Guest"));
  const std::string sha = Run(
      "import sys, hashlib\nprint(hashlib.sha256(open(sys.argv[1], 'rb').read()).hexdigest())\n",
      "'" + picturePath + "'");
  EXPECT_EQ(items["APIC"], "image/jpeg 3 " + Hex("\u8868\u7D19") + " " + sha.substr(0, 64));
  EXPECT_EQ(items["TXXX"], Hex("\u30E1\u30E2") + " " + Hex("\u30E6\u30FC\u30B6\u30FC\u5B9A\u7FA9"));
  EXPECT_EQ(items["TDRC"], Hex("2021-04-05"));
}

}  // namespace
}  // namespace quilmark
