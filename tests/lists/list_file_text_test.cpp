// List files between bytes, lines and CSV fields: any line-end convention,
// each encoding a list may be in and one it may not, odd quotes, values
// that span lines, and a failed write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "lists/csv_fields.h"
#include "lists/list_text.h"
#include "platform/file.h"
#include "support/child_run.h"
#include "support/temp_dir.h"
#include "text/comma_text.h"

namespace quilmark {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(ListText, DecodesLineEndsEncodingsAndNul) {
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\r\nb\r\r", {"a", "", "b", ""}},            // blank lines kept, no phantom last one
      {"\x8B\xC8.mp3\r\n\x83\x5C", {"曲.mp3", "ソ"}},  // trail bytes that look like separators
      {"\xEF\xBB\xBF曲\r\nb", {"曲", "b"}},            // UTF-8 after its mark
      {"曲.mp3\r\n", {"曲.mp3"}},                      // and without: what editors write
      {"\xFF\xFE\xF2\x66\r\0\n\0b\0"s, {"曲", "b"}},   // UTF-16, either byte order
      {"\xFE\xFF\x66\xF2\0\n\0b"s, {"曲", "b"}},
      {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},
      {"\xFF\xFE"
       "a\0\0\0b\0"s,
       {"a"}},  // a NUL character ends UTF-16 text too
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(DecodeListText(bytes), lines) << bytes;
  EXPECT_EQ(EncodeListText({"曲.mp3", ""}), "\x8B\xC8.mp3\r\n\r\n");
  EXPECT_EQ(EncodeListText({"한.mp3"}), "\xEF\xBB\xBF한.mp3\r\n");
  // Half-width katakana in code page 932 can look like UTF-8 to the reader:
  // a list it would misread is written as UTF-8 (found by fuzzing).
  EXPECT_EQ(DecodeListText(EncodeListText({"ﾃｽ.mp3"})), Lines{"ﾃｽ.mp3"});
  EXPECT_EQ(EncodeListText({"曲.mp3"}, ListEncoding::Utf8), "曲.mp3\r\n");
}

TEST(ListText, BytesNoEncodingReadsAreRefusedAtTheirLine) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"ok\r\n\xEF\xBB\xBF", 0},  // (the mark only counts first)
      {"\xEF\xBB\xBF"
       "a\r\nb\n\xC3(x",
       3},                        // broken UTF-8 after the mark
      {"a\r\nb\r\n\x81\x20", 3},  // neither UTF-8 nor code page 932
      {"\xFF\xFE"
       "a\0\n\0\x00\xD8z\0"s,
       2},                    // a lone surrogate
      {"\xFE\xFF\0a\0"s, 1},  // half a unit at the end
  };
  for (const auto& [bytes, line] : cases) {
    const DecodedList decoded = DecodeListBytes(bytes);
    EXPECT_EQ(decoded.ok, line == 0) << bytes;
    EXPECT_EQ(decoded.badLine, line) << bytes;
  }
  // An .m3u8 playlist is UTF-8 by its name, so code page 932 is refused.
  EXPECT_FALSE(DecodeListBytes("\x8B\xC8.mp3", ListEncoding::Utf8).ok);
  EXPECT_EQ(ListEncodingOf("/x/Mix.M3U8"), ListEncoding::Utf8);
  EXPECT_EQ(ListEncodingOf("/x/mix.m3u"), ListEncoding::ByContent);

  testing::TempDir dir;
  const std::string path = dir.File("bad.csv");
  testing::WriteBytes(path, "File,Title\r\na.mp3,\x81\x20\r\n");
  const ListFileText read = ReadListFile(path);
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find(path + "\n2 行目"), std::string::npos) << read.error;
}

TEST(CsvFields, QuotesAndBlanksAroundFieldsStayOutOfTheirNeighbours) {
  const std::pair<const char*, Lines> cases[] = {
      {R"(a.mp3,12" single, x )", {"a.mp3", R"(12" single)", " x "}},  // a bare quote is text
      {R"("ab"c,"say ""hi""",)", {"abc", R"(say "hi")", ""}},
      {R"(x,"open,y,z)", {"x", "open,y,z"}},  // an unclosed quote takes the rest
      // Blanks after a closing quote are no part of the field...
      {R"("../m/two.mp3" ,x)", {"../m/two.mp3", "x"}},
      {"\"a\" \t,\"b\"  ", {"a", "b"}},
      {R"("a" b,c)", {"a b", "c"}},  // ...but text after them keeps them
      {"a.mp3,\"one\r\ntwo\"", {"a.mp3", "one\r\ntwo"}},
  };
  for (const auto& [line, items] : cases)
    EXPECT_EQ(SplitCommaText(QuoteCsvFields(line)), items) << line;
}

TEST(CsvFields, AQuotedFieldMaySpanLines) {
  const std::pair<const char*, Lines> cases[] = {
      {"File,Title\r\na.mp3,\"one\r\ntwo\"\r\nb.mp3,x",
       {"File,Title", "a.mp3,\"one\r\ntwo\"", "b.mp3,x"}},
      {"a,\"\"\"\n\"\"\"\nb", {"a,\"\"\"\n\"\"\"", "b"}},  // doubled quotes around a break
      {"a,12\" x\nb,\"c\"\n", {"a,12\" x", "b,\"c\""}},    // a bare quote opens nothing
      {"a,\"open\nb,c", {"a,\"open", "b,c"}},              // unclosed: its line only
  };
  for (const auto& [text, records] : cases) EXPECT_EQ(SplitCsvRecords(text), records) << text;
}

// A "playlist" that is /dev/zero was read up to a gigabyte; one far larger
// than any list is refused before it is read.
TEST(ListFile, WhatIsNoListIsRefusedAtOnceInLittleMemory) {
  testing::TempDir dir;
  const std::string zero = dir.File("zero.m3u"), huge = dir.File("huge.csv");
  ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
  testing::WriteBytes(huge, "File\r\n");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
  const auto run = testing::RunInChild([&] {
    const ListFileText device = ReadListFile(zero), tooLarge = ReadListFile(huge);
    return !device.ok &&
           device.error == zero + "\nファイルを読み込めません。(not a regular file)" &&
           !tooLarge.ok &&
           tooLarge.error == huge + "\nファイルを読み込めません。(too large for a list)";
  });
  EXPECT_TRUE(run.passed);
  EXPECT_LT(run.peakKiB, 64 * 1024);
}

TEST(ListFile, FailedWriteNamesTheFileAndKeepsTheOldOne) {
  testing::TempDir dir;
  const std::string path = dir.File("keep.csv");
  testing::WriteBytes(path, "old\r\n");
  platform::testing::FailWritesAfter(3);
  const ListWriteResult result = WriteListFile(path, {std::string(100000, 'x')});
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_FALSE(result.written);
  EXPECT_NE(result.error.find(path), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(path), "old\r\n");
  EXPECT_EQ(testing::CountEntries(dir.Path()), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace quilmark
