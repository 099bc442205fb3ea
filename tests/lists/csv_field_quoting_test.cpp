// CSV data lines go through QuoteCsvFields and the comma-text split; each
// field must come back as exactly one item, whatever the line holds.
#include <gtest/gtest.h>

#include "lists/csv_fields.h"
#include "tag/comma_text.h"

namespace quilmark {
namespace {

using Items = std::vector<std::string>;

Items Fields(std::string_view line) { return SplitCommaText(QuoteCsvFields(line)); }

TEST(CsvFields, EveryFieldIsOneItemWithItsBlanks) {
  const std::pair<const char*, Items> cases[] = {
      {"a.mp3,Two Words, lead,trail ", {"a.mp3", "Two Words", " lead", "trail "}},
      {"a,,b,", {"a", "", "b", ""}},
      {"", {""}},
      {R"("a,b"," ","say ""hi""",x)", {"a,b", " ", R"(say "hi")", "x"}},
      {R"("")", {""}},
      // A quote inside a bare field is an ordinary character (12" single).
      {R"(a.mp3,12" single,Artist)", {"a.mp3", R"(12" single)", "Artist"}},
      {R"("ab"c,d)", {"abc", "d"}},           // text after a closing quote stays in its field
      {R"(x,"open,y,z)", {"x", "open,y,z"}},  // an unclosed quote takes the rest
      {R"(")", {""}},
      {R"(""")", {R"(")"}},
  };
  for (const auto& [line, items] : cases) EXPECT_EQ(Fields(line), items) << line;
}

TEST(CsvFields, HostileLinesStayLinear) {
  // Megabytes of quotes, commas and blanks: quadratic work would not finish.
  std::string huge;
  for (int i = 0; i < 1 << 20; ++i) huge += "\",\" ";
  EXPECT_FALSE(Fields(huge).empty());
  const std::string commas(4 << 20, ',');
  EXPECT_EQ(Fields(commas).size(), commas.size() + 1);
}

}  // namespace
}  // namespace quilmark
