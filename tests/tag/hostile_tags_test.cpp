// Files that lie about their sizes, end early or hold garbage: reading them
// must neither crash nor allocate what they claim.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <random>

#include "tag/id3v1.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_reader.h"
#include "tag/tag_file.h"
#include "tag_io_support.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using testing::Text23;

long PeakKilobytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

class HostileTags : public ::testing::Test {
 protected:
  std::optional<TagValues> Read(const std::string& bytes) {
    testing::WriteBytes(path_, bytes);
    return ReadTagValues(path_);
  }
  testing::TempDir dir_;
  std::string path_ = dir_.File("hostile.mp3");
};

TEST_F(HostileTags, TruncatedHeadersReadAsNoTag) {
  for (std::string bytes : {"ID3"s, "ID3\x03\0\0"s, "ID3\x03\0\0\0\0\x10"s, ""s, "TAG"s}) {
    auto values = Read(bytes);
    ASSERT_TRUE(values) << bytes.size();
    EXPECT_TRUE(values->Empty()) << bytes.size();
  }
  // A header with a size and nothing after it.
  auto values = Read("ID3\x03\0\0\0\0\x10\0"s);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->ToCommaText(), "TagVersion=3");
}

TEST_F(HostileTags, SizesPastTheEndStopTheWalk) {
  // Tag size far past the end of the file, frames cut short by it.
  auto past =
      Read("ID3\x03\0\0\x7F\x7F\x7F\x7F"s + Text23("TIT2", "kept") + "TPE1\0\0\0\x50\0\0\0cut"s);
  ASSERT_TRUE(past);
  EXPECT_EQ(past->Get("Title"), "kept");
  EXPECT_EQ(past->Get("Artist"), "");

  // A frame of 0xFFFFFFFF bytes ends the walk; what came before stays.
  std::string body =
      Text23("TIT2", "before") + "TALB\xFF\xFF\xFF\xFF\0\0\0x"s + Text23("TPE1", "after");
  auto huge = Read(testing::Id3v2Tag(3, body) + testing::MpegAudio(1));
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->Get("Title"), "before");
  EXPECT_EQ(huge->Get("Album"), "");
}

TEST_F(HostileTags, ClaimedGiantFramesAreNotAllocated) {
  // A 300 MB sparse file whose tag claims a title of 200 MB and a picture
  // of 50 MB: neither is read for the grid.
  std::string body = "TIT2"s + "\x0C\x80\x00\x00"s + "\0\0"s;  // 0x0C800000 bytes
  std::string tag = "ID3\x03\0\0\x7F\x7F\x7F\x7F"s + body;
  testing::WriteBytes(path_, tag);
  std::filesystem::resize_file(path_, 300u << 20);
  const long before = PeakKilobytes();
  auto values = ReadTagValues(path_);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->Get("Title"), "");
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);

  std::string picture = "APIC"s + "\x03\x20\x00\x00"s + "\0\0"s;
  testing::WriteBytes(path_, "ID3\x03\0\0\x7F\x7F\x7F\x7F"s + Text23("TIT2", "t") + picture);
  std::filesystem::resize_file(path_, 60u << 20);
  values = ReadTagValues(path_);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->Get("Title"), "t");
  EXPECT_EQ(values->Get(""), "");
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
}

TEST_F(HostileTags, MegabytesOfTextAreReadWhole) {
  std::string text(5 << 20, 'a');
  text[text.size() / 2] = 'b';
  auto values = Read(testing::Id3v2Tag(3, Text23("TIT2", text) + Text23("TPE1", "after")) +
                     testing::MpegAudio(1));
  ASSERT_TRUE(values);
  EXPECT_TRUE(values->Get("Title") == text);
  EXPECT_EQ(values->Get("Artist"), "after");
}

TEST_F(HostileTags, RunsOfZeroSizeFrames) {
  std::string body;
  for (int i = 0; i < 1000; ++i) body += testing::Frame23("TIT2", "");
  body += Text23("TPE1", "last");
  auto values = Read(testing::Id3v2Tag(3, body) + testing::MpegAudio(1));
  ASSERT_TRUE(values);
  EXPECT_EQ(values->Get("Artist"), "last");
}

TEST(HostileBytes, RandomDamageToAValidTag) {
  const std::string body = Text23("TIT2", "title") +
                           testing::Frame23("COMM", "\x01jpn\xFF\xFE\0\0\xFF\xFEx\0"s) +
                           testing::Frame23("WXXX", "\x01\xFF\xFE\0\0http://a/"s) +
                           Text23("TRCK", "1/2") + std::string(16, '\0');
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = body;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
      damaged[random() % damaged.size()] = static_cast<char>(random());
    }
    damaged.resize(random() % (damaged.size() + 1));
    for (int major : {2, 3, 4}) {
      MemorySource source(damaged);
      TagValues values;
      AddFrameValues(ReadFrames(source, damaged.size() + random() % 64, major), values);
    }
  }
}

TEST(HostileBytes, ShortAndOddContents) {
  std::mt19937 random(99);
  for (int round = 0; round < 5000; ++round) {
    std::string content(random() % 12, '\0');
    for (char& c : content) c = static_cast<char>(random() % 4 == 0 ? 0 : random());
    if (!content.empty() && round % 3 == 0) content[0] = '\x01';
    ParseTextContent(content);
    ParseCommentContent(content);
    ParseUrlContent(content);
    std::string block = "TAG" + std::string(125, '\0');
    for (std::size_t i = 3; i < block.size(); ++i) block[i] = static_cast<char>(random());
    TagValues values;
    ReadId3v1Block(block, values);
  }
}

}  // namespace
}  // namespace quilmark
