// List files between bytes, lines and CSV fields: any line-end convention,
// text that is not what it claims, odd quotes, and a failed write.
#include <gtest/gtest.h>

#include "lists/csv_fields.h"
#include "lists/list_text.h"
#include "platform/file.h"
#include "support/temp_dir.h"
#include "text/comma_text.h"

namespace quilmark {
namespace {

using Lines = std::vector<std::string>;

TEST(ListText, DecodesLineEndsEncodingsAndNul) {
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\r\nb\r\r", {"a", "", "b", ""}},            // blank lines kept, no phantom last one
      {"\x8B\xC8.mp3\r\n\x83\x5C", {"曲.mp3", "ソ"}},  // trail bytes that look like separators
      {"\xEF\xBB\xBF\xC3(x", {"\xEF\xBF\xBD(x"}},      // broken UTF-8 still gives well-formed text
      {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(DecodeListText(bytes), lines) << bytes;
  EXPECT_EQ(EncodeListText({"曲.mp3", ""}), "\x8B\xC8.mp3\r\n\r\n");
}

TEST(CsvFields, QuotesInsideOrAfterFieldsStayInTheirField) {
  const std::pair<const char*, Lines> cases[] = {
      {R"(a.mp3,12" single, x )", {"a.mp3", R"(12" single)", " x "}},  // a bare quote is text
      {R"("ab"c,"say ""hi""",)", {"abc", R"(say "hi")", ""}},
      {R"(x,"open,y,z)", {"x", "open,y,z"}},  // an unclosed quote takes the rest
  };
  for (const auto& [line, items] : cases)
    EXPECT_EQ(SplitCommaText(QuoteCsvFields(line)), items) << line;
}

TEST(CsvFields, BlanksAfterAClosingQuoteAreNoPartOfTheField) {
  const std::pair<const char*, Lines> cases[] = {
      {R"("../m/two.mp3" ,x)", {"../m/two.mp3", "x"}},
      {"\"a\" \t,\"b\"  ", {"a", "b"}},
      {R"("a" b,c)", {"a b", "c"}},  // text after the blanks keeps them
  };
  for (const auto& [line, items] : cases)
    EXPECT_EQ(SplitCommaText(QuoteCsvFields(line)), items) << line;
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
