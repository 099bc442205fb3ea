// List files keep every character: CP932 by default, UTF-8 with a mark when
// CP932 cannot hold the text, and any line-end convention reads.
#include <gtest/gtest.h>

#include "lists/list_text.h"
#include "platform/file.h"
#include "support/temp_dir.h"

namespace quilmark {
namespace {

using Lines = std::vector<std::string>;

TEST(ListText, DecodesLineEndsEncodingsAndNul) {
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},  // no phantom last line
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"", {}},
      {"\x8B\xC8.mp3\r\n\x83\x5C", {"曲.mp3", "ソ"}},  // trail bytes that look like separators
      {"\xEF\xBB\xBF\xF0\xA0\xAE\xB7.mp3\r\n", {"𠮷.mp3"}},
      {"\xEF\xBB\xBF\xC3(x", {"\xEF\xBF\xBD(x"}},  // broken UTF-8 still gives well-formed text
      {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(DecodeListText(bytes), lines) << bytes;
}

TEST(ListText, EncodesCp932WhenItCanElseUtf8WithAMark) {
  EXPECT_EQ(EncodeListText({"曲.mp3", ""}), "\x8B\xC8.mp3\r\n\r\n");
  const std::string mixed = EncodeListText({"曲", "𠮷"});
  EXPECT_EQ(mixed, "\xEF\xBB\xBF曲\r\n𠮷\r\n");
  EXPECT_EQ(DecodeListText(mixed), (Lines{"曲", "𠮷"}));
}

TEST(ListFile, FailedWriteNamesTheFileAndKeepsTheOldOne) {
  testing::TempDir dir;
  const std::string path = dir.File("keep.csv");
  testing::WriteBytes(path, "old\r\n");
  platform::testing::FailWritesAfter(3);
  const std::string error = WriteListFile(path, {std::string(100000, 'x')});
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(path), "old\r\n");
  EXPECT_EQ(testing::CountEntries(dir.Path()), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace quilmark
