// List files between bytes, lines and CSV fields: any line-end convention,
// each encoding a list may be in and one it may not, odd quotes, values
// that span lines, and files that are no list.
#include <gtest/gtest.h>

#include <filesystem>

#include "lists/csv_fields.h"
#include "lists/list_text.h"
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
      {"\xFF\xFE\xF2\x66\r\0\n\0b\0"s, {"曲", "b"}},   // UTF-16
      {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},
      {"\xFF\xFE\x61\0\0\0b\0"s, {"a"}},  // a NUL character ends UTF-16 text too
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(DecodeListText(bytes), lines) << bytes;
  EXPECT_EQ(EncodeListText({"曲.mp3", ""}), "\x8B\xC8.mp3\r\n\r\n");
  EXPECT_EQ(EncodeListText({"한.mp3"}), "\xEF\xBB\xBF한.mp3\r\n");
  EXPECT_EQ(EncodeListText({"曲.mp3"}, ListEncoding::Utf8), "曲.mp3\r\n");
}

TEST(ListText, BytesNoEncodingReadsAreRefusedAtTheirLine) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"ok\r\n\xEF\xBB\xBF", 0},              // (the mark only counts first)
      {"\xEF\xBB\xBF\x61\r\nb\n\xC3(x", 3},   // broken UTF-8 after the mark
      {"a\r\nb\r\n\x81\x20", 3},              // neither UTF-8 nor code page 932
      {"\xFF\xFE\x61\0\n\0\x00\xD8z\0"s, 2},  // a lone surrogate
      {"\xFE\xFF\0a\0"s, 1},                  // half a unit at the end
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
}

TEST(CsvFields, QuotedFieldsMaySpanLinesAndKeepQuotesAndBlanksOutOfTheirNeighbours) {
  using Records = std::vector<Lines>;
  const std::pair<const char*, Records> cases[] = {
      {R"(a.mp3,12" single, x )", {{"a.mp3", R"(12" single)", " x "}}},  // a bare quote is text
      {R"("ab"c,"say ""hi""",)", {{"abc", R"(say "hi")", ""}}},
      // An unclosed quote takes the rest of its line, and no more.
      {"x,\"open,y,z\nb,c", {{"x", "open,y,z"}, {"b", "c"}}},
      // Blanks after a closing quote are no part of the field, but text after
      // them keeps them.
      {"\"../m/two.mp3\" ,x\n\"a\" \t,\"b\"  \n\"a\" b,c",
       {{"../m/two.mp3", "x"}, {"a", "b"}, {"a b", "c"}}},
      {"File,Title\r\na.mp3,\"one\r\ntwo\"\r\nb.mp3,x",
       {{"File", "Title"}, {"a.mp3", "one\r\ntwo"}, {"b.mp3", "x"}}},
      {"a,\"\"\"\n\"\"\"\nb", {{"a", "\"\n\""}, {"b"}}},       // doubled quotes around a break
      {"a,12\" x\nb,\"c\"\n", {{"a", "12\" x"}, {"b", "c"}}},  // a bare quote opens nothing
  };
  for (const auto& [text, records] : cases) {
    Records split;
    for (const std::string& record : SplitCsvRecords(text))
      split.push_back(SplitCommaText(QuoteCsvFields(record)));
    EXPECT_EQ(split, records) << text;
  }
}

// One far larger than any list is refused by its size, before it is read.
// (Opening only regular files is the file layer's, tried there.)
TEST(ListFile, WhatCannotBeReadNamesTheFileAndWhy) {
  testing::TempDir dir;
  const std::string bad = dir.File("bad.csv"), huge = dir.File("h.csv");
  testing::WriteBytes(bad, "File,Title\r\na.mp3,\x81\x20\r\n");
  testing::WriteBytes(huge, "File\r\n");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
  const std::pair<std::string, std::string> refused[] = {
      {bad, bad + "\n2 行目"},
      {huge, huge + "\nファイルを読み込めません。(too large for a list)"},
  };
  for (const auto& [path, error] : refused) {
    const ListFileText read = ReadListFile(path);
    EXPECT_TRUE(read.error.starts_with(error)) << read.error;
  }
}

}  // namespace
}  // namespace quilmark
