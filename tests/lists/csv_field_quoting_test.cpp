// CSV data lines go through QuoteCsvFields and the comma-text split; each
// field must come back as exactly one item, whatever the line holds.
#include <gtest/gtest.h>

#include "lists/csv_fields.h"
#include "tag/comma_text.h"

namespace quilmark {
namespace {

using Items = std::vector<std::string>;

Items Fields(std::string_view line) { return SplitCommaText(QuoteCsvFields(line)); }

TEST(CsvFields, BlanksAndEmptyFieldsSurvive) {
  EXPECT_EQ(Fields("a.mp3,Two Words, lead,trail "),
            (Items{"a.mp3", "Two Words", " lead", "trail "}));
  EXPECT_EQ(Fields("a,,b,"), (Items{"a", "", "b", ""}));
  EXPECT_EQ(Fields(""), (Items{""}));
  EXPECT_EQ(Fields(","), (Items{"", ""}));
}

TEST(CsvFields, QuotedFieldsAsWritten) {
  EXPECT_EQ(Fields(R"("a,b"," ","say ""hi""",x)"), (Items{"a,b", " ", R"(say "hi")", "x"}));
  EXPECT_EQ(Fields(R"("")"), (Items{""}));
  // Well-formed lines are passed through as they are.
  EXPECT_EQ(QuoteCsvFields(R"("a,b","c ""d""")"), R"("a,b","c ""d""")");
}

TEST(CsvFields, StrayQuotesNeverShiftLaterFields) {
  // A quote inside a bare field is an ordinary character.
  EXPECT_EQ(Fields(R"(a.mp3,12" single,Artist)"), (Items{"a.mp3", R"(12" single)", "Artist"}));
  EXPECT_EQ(Fields(R"(ab"c,d)"), (Items{R"(ab"c)", "d"}));
  // Text after a closing quote stays in its field.
  EXPECT_EQ(Fields(R"("ab"c,d)"), (Items{"abc", "d"}));
  // An unclosed quote takes the rest of the line.
  EXPECT_EQ(Fields(R"(x,"open,y,z)"), (Items{"x", "open,y,z"}));
  EXPECT_EQ(Fields(R"(")"), (Items{""}));
  EXPECT_EQ(Fields(R"(""")"), (Items{R"(")"}));
}

TEST(CsvFields, HostileLinesStayLinear) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  const Items g = Fields(garbage);
  EXPECT_FALSE(g.empty());

  // Megabytes of quotes, commas and blanks: quadratic work would not finish.
  std::string huge;
  for (int i = 0; i < 1 << 20; ++i) huge += "\",\" ";
  EXPECT_FALSE(Fields(huge).empty());
  const std::string commas(4 << 20, ',');
  EXPECT_EQ(Fields(commas).size(), commas.size() + 1);
}

}  // namespace
}  // namespace quilmark
