// Files that lie about their sizes, end early or hold garbage: reading them
// must neither crash, overrun nor allocate what they claim.
#include <sys/resource.h>

#include <filesystem>
#include <random>

#include "tag/frame_convert.h"
#include "tag/id3v1.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_reader.h"
#include "tag/picture_frame.h"
#include "tag/tag_file.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

long PeakKilobytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(HostileTags, DamagedFilesReadWithoutHarm) {
  const std::string pastEnd = "ID3\x03\0\0\x7F\x7F\x7F\x7F"s;  // a tag size far past the end
  const std::string audio = testing::MpegAudio(1);
  std::string zeroFrames;
  for (int i = 0; i < 1000; ++i) zeroFrames += Frame23("TIT2", "");
  std::string megabytes(5 << 20, 'a');
  megabytes[megabytes.size() / 2] = 'b';
  const struct {
    const char* guards;
    std::string bytes;
    std::uintmax_t sparseSize;  // the file is made this long with a hole
    std::string expected;
  } cases[] = {
      // Claimed giant frames first, while the peak memory is still low.
      {"a 200 MB title claimed in a 300 MB file is not allocated",
       pastEnd + "TIT2\x0C\x80\0\0\0\0"s, 300u << 20, "TagVersion=3"},
      {"a 50 MB picture is passed over, not read",
       pastEnd + Text23("TIT2", "t") + "APIC\x03\x20\0\0\0\0"s, 60u << 20, "TagVersion=3,Title=t"},
      {"empty file", "", 0, ""},
      {"header cut in the size", "ID3\x03\0\0\0\0\x10"s, 0, ""},
      {"ID3v1 mark alone", "TAG", 0, ""},
      {"header with a size and no body", "ID3\x03\0\0\0\0\x10\0"s, 0, "TagVersion=3"},
      {"tag size past the end of the file cuts a frame",
       pastEnd + Text23("TIT2", "kept") + "TPE1\0\0\0\x50\0\0\0cut"s, 0, "TagVersion=3,Title=kept"},
      {"frame size 0xFFFFFFFF ends the walk",
       Id3v2Tag(3, Text23("TIT2", "before") + "TALB\xFF\xFF\xFF\xFF\0\0\0x"s + Text23("TPE1", "a")),
       0, "TagVersion=3,Title=before"},
      {"a thousand zero-size frames", Id3v2Tag(3, zeroFrames + Text23("TPE1", "last")) + audio, 0,
       "TagVersion=3,Artist=last"},
      {"megabytes of text are read whole",
       Id3v2Tag(3, Text23("TIT2", megabytes) + Text23("TPE1", "after")) + audio, 0,
       "TagVersion=3,Title=" + megabytes + ",Artist=after"},
  };
  testing::TempDir dir;
  const std::string path = dir.File("hostile.mp3");
  const long before = PeakKilobytes();
  for (const auto& c : cases) {
    testing::WriteBytes(path, c.bytes);
    if (c.sparseSize) std::filesystem::resize_file(path, c.sparseSize);
    platform::IoResult<TagValues> values = ReadTagValues(path);
    ASSERT_TRUE(values) << c.guards;
    EXPECT_TRUE(values->ToCommaText() == c.expected) << c.guards;
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << c.guards;
  }
}

TEST(HostileTags, RandomDamageNeverCrashesOrOverruns) {
  const std::string v23 =
      Text23("TIT2", "title") + Frame23("COMM", "\x01jpn\xFF\xFE\0\0\xFF\xFEx\0"s) +
      Frame23("WXXX", "\x01\xFF\xFE\0\0http://a/"s) + Text23("TRCK", "1/2") + std::string(16, '\0');
  // Size bytes with their high bits set, a data-length indicator past the
  // end of its frame, a group byte in an empty frame, broken UTF-8.
  const std::string v24 =
      "TIT2\x80\x80\x80\x85\0\0"s + "\x03title" + Frame24("TPE1", "\x01\x02", kV24DataLength) +
      Frame24("TALB", "", kV24Grouped) + Frame24("TCOM", "\x7F\x7F\x7F\x7F\x03x"s, kV24DataLength) +
      Frame24("APIC", "\x03image/png\0\x03\xFF\x00"s, kV24Unsynchronised) +
      Frame24("TXXX", "\x03\xE3\x81\0\xC0\xAF"s);
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = round % 2 ? v24 : v23;
    for (int i = static_cast<int>(random() % 8); i > 0; --i)
      damaged[random() % damaged.size()] = static_cast<char>(random());
    damaged.resize(random() % (damaged.size() + 1));
    const int major = 2 + round % 3;
    MemorySource source(damaged);
    const std::vector<Frame> frames = ReadFrames(source, damaged.size() + random() % 64, major);
    TagValues values;
    AddFrameValues(frames, values, major, round % 2 == 0);
    for (const Frame& frame : frames) {
      for (int to : {2, 3, 4}) ConvertFrame(frame, major, round % 4 < 2, to);
    }
    // Pictures are read apart from the values, for the picture panel.
    ParsePictureContent(damaged.substr(random() % (damaged.size() + 1), 12), major);
    std::string block = "TAG";
    for (int i = 0; i < 125; ++i) block += static_cast<char>(random());
    ReadId3v1Block(block, values);
  }
}

}  // namespace
}  // namespace quilmark
