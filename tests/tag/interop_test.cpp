// Files written here must read correctly in an independent reader, and
// files that reader writes must read correctly here. The reader is mutagen
// under Debian's own Python (the python3-mutagen package, which the setup
// script installs); without it these tests are skipped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>

#include "messages/msgbox.h"
#include "tag/tag_file.h"
#include "tag/text_encoding.h"
#include "tag/write_file_tags.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;

constexpr const char* kPython = "/usr/bin/python3";

// Prints one line per frame: id, then the text as hex. Text frames that
// say Latin-1 are printed as their raw bytes (Shift-JIS shows through).
constexpr const char* kReadScript = R"PY(
import sys
from mutagen.id3 import ID3
tag = ID3(sys.argv[1])
def raw(text, encoding):
    return str(text).encode('latin-1' if encoding == 0 else 'utf-8').hex()
print('version', '%d.%d' % tag.version[:2])
for frame in tag.values():
    if frame.FrameID == 'COMM':
        print('COMM', frame.lang.encode().hex(), raw(frame.desc, frame.encoding), raw(frame.text[0], frame.encoding))
    elif frame.FrameID == 'WXXX':
        print('WXXX', frame.url.encode().hex())
    elif hasattr(frame, 'text'):
        print(frame.FrameID, raw(frame.text[0], frame.encoding))
)PY";

constexpr const char* kWriteScript = R"PY(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, TALB, COMM, TRCK, WXXX
tag = ID3()
tag.add(TIT2(encoding=1, text='\u30c6\u30b9\u30c8 title'))
tag.add(TPE1(encoding=0, text='Artist'))
tag.add(TALB(encoding=1, text='\u97f3\u697d'))
tag.add(COMM(encoding=1, lang='jpn', desc='d', text='line1\nline2'))
tag.add(TRCK(encoding=0, text='5/12'))
tag.add(WXXX(encoding=0, desc='home', url='http://example.com/'))
tag.save(sys.argv[1], v2_version=3)
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

class Interop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kPython, X_OK) != 0 ||
        std::system((std::string(kPython) + " -c 'import mutagen' 2>/dev/null").c_str()) != 0) {
      GTEST_SKIP() << "mutagen for " << kPython
                   << " is missing (Debian package python3-mutagen; scripts/setup installs it)";
    }
  }

  // Runs a script with the file as its argument; its output, or "" when it failed.
  std::string RunScript(const char* script, const std::string& file) {
    const std::string scriptPath = dir_.File("script.py");
    testing::WriteBytes(scriptPath, script);
    std::string command = std::string(kPython) + " '" + scriptPath + "' '" + file + "' 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::array<char, 4096> buffer;
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
      output.append(buffer.data(), n);
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << output;
    return output;
  }

  // Frame id -> the rest of its line.
  std::map<std::string, std::string> ReadWithMutagen(const std::string& file) {
    std::map<std::string, std::string> frames;
    std::istringstream lines(RunScript(kReadScript, file));
    for (std::string line; std::getline(lines, line);) {
      const std::size_t space = line.find(' ');
      if (space != std::string::npos) frames[line.substr(0, space)] = line.substr(space + 1);
    }
    return frames;
  }

  std::string Write(int charset, int version) {
    const std::string path = dir_.File("ours.mp3");
    testing::WriteBytes(path, testing::MpegAudio(4));
    TagValues values;
    values.Set("Title", testing::kTesutoUtf8);
    values.Set("Artist", "Artist");
    values.Set("Commentv1", "c1");
    values.Set("Comment", "jpnd\\0" + testing::kTesutoUtf8);
    values.Set("Track", "7");
    values.Set("Genre", "Rock");
    if (version > 0) values.Set("URL", "http://example.com/");
    Settings settings;
    settings.Charset = charset;
    settings.WriteTagVersion = version;
    testing::ScriptedPresenter presenter;
    Messages messages(settings, presenter);
    EXPECT_EQ(WriteFileTags(path, values, settings, messages), WriteResult::kWritten);
    return path;
  }

  testing::TempDir dir_;
};

TEST_F(Interop, Utf16TagsReadElsewhere) {
  for (int version : {1, 2}) {
    for (int charset : {kCharsetUtf16Le, kCharsetUtf16Be}) {
      SCOPED_TRACE("version " + std::to_string(version) + " charset " + std::to_string(charset));
      auto frames = ReadWithMutagen(Write(charset, version));
      EXPECT_EQ(frames["version"], version == 1 ? "2.2" : "2.3");
      EXPECT_EQ(frames["TIT2"], Hex(testing::kTesutoUtf8));
      EXPECT_EQ(frames["TPE1"], Hex("Artist"));
      EXPECT_EQ(frames["TRCK"], Hex("7"));
      EXPECT_EQ(frames["COMM"], Hex("jpn") + " " + Hex("d") + " " + Hex(testing::kTesutoUtf8));
      EXPECT_EQ(frames["WXXX"], Hex("http://example.com/"));
    }
  }
}

TEST_F(Interop, ShiftJisTagsKeepTheirBytesElsewhere) {
  for (int version : {1, 2}) {
    SCOPED_TRACE("version " + std::to_string(version));
    auto frames = ReadWithMutagen(Write(kCharsetSjis, version));
    EXPECT_EQ(frames["TIT2"], Hex(testing::kTesutoSjis));
    EXPECT_EQ(frames["COMM"], Hex("jpn") + " " + Hex("d") + " " + Hex(testing::kTesutoSjis));
    EXPECT_EQ(frames["WXXX"], Hex("http://example.com/"));
  }
}

TEST_F(Interop, Id3v1BlocksReadElsewhere) {
  auto sjis = ReadWithMutagen(Write(kCharsetSjis, 0));
  EXPECT_EQ(sjis["version"], "1.1");
  EXPECT_EQ(sjis["TIT2"], Hex(testing::kTesutoSjis));
  EXPECT_EQ(sjis["TPE1"], Hex("Artist"));
  EXPECT_EQ(sjis["TRCK"], Hex("7"));
  EXPECT_EQ(sjis["TCON"], Hex("Rock"));
}

TEST_F(Interop, TagsWrittenElsewhereReadHere) {
  const std::string path = dir_.File("theirs.mp3");
  testing::WriteBytes(path, testing::MpegAudio(4));
  RunScript(kWriteScript, path);
  std::optional<TagValues> values = ReadTagValues(path);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->Get("TagVersion"), "3");
  EXPECT_EQ(values->Get("Title"), testing::kTesutoUtf8 + " title");
  EXPECT_EQ(values->Get("Artist"), "Artist");
  EXPECT_EQ(values->Get("Album"), "\u97F3\u697D");
  EXPECT_EQ(values->Get("Comment0"), "jpn");
  EXPECT_EQ(values->Get("Comment"), "d");
  EXPECT_EQ(values->Get("Comment2"), "line1\r\nline2");
  EXPECT_EQ(values->Get("Track"), "5/12");
  EXPECT_EQ(values->Get("URL"), "http://example.com/");
  // The audio is where the header says.
  std::string bytes = testing::ReadBytes(path);
  std::string audio = testing::MpegAudio(4);
  EXPECT_TRUE(bytes.compare(bytes.size() - audio.size(), audio.size(), audio) == 0);
}

}  // namespace
}  // namespace quilmark
