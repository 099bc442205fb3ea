// Column order and visibility as the stored ColOrder / ShowCol give them.
#include <gtest/gtest.h>

#include <set>

#include "tracklist/columns.h"

namespace quilmark {
namespace {

void ExpectPermutation(const ColumnLayout& layout) {
  std::set<int> positions(layout.FieldColumn.begin(), layout.FieldColumn.end());
  ASSERT_EQ(positions.size(), static_cast<std::size_t>(kFieldCount));
  EXPECT_EQ(*positions.begin(), kFirstFieldPosition);
  EXPECT_EQ(*positions.rbegin(), kLastFieldPosition);
}

TEST(ColumnLayoutTest, DefaultShowsRowNumberAndFieldsOnly) {
  const ColumnLayout layout = ColumnLayout::Default();
  for (int p = 0; p < kColumnCount; ++p) {
    const bool shown = p == colRowNo || (p >= kFirstFieldPosition && p <= kLastFieldPosition);
    EXPECT_EQ(layout.ColumnVisible[p], shown) << "position " << p;
  }
  for (int k = 0; k < kFieldCount; ++k) EXPECT_EQ(layout.FieldAt(5 + k), k);
  EXPECT_EQ(layout.FieldAt(4), -1);
  EXPECT_EQ(layout.FieldAt(24), -1);
  EXPECT_EQ(layout.ColOrder(), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(layout.ShowCol(), "1111111111111111111");
}

TEST(ColumnLayoutTest, SwappedOrderPutsFileFirstAndShowColFollowsPositions) {
  ColumnLayout layout = ColumnLayout::Default();
  ASSERT_TRUE(layout.ApplyColOrder("BACDEFGHIJKLMNOPQRS"));
  EXPECT_EQ(layout.Position(colFile), 5);
  EXPECT_EQ(layout.Position(colPath), 6);
  EXPECT_EQ(layout.FieldAt(5), colFile);

  // The first ShowCol character belongs to the path, which now stands at 6.
  ASSERT_TRUE(layout.ApplyShowCol("0111111111111111111"));
  EXPECT_FALSE(layout.ColumnVisible[6]);
  EXPECT_TRUE(layout.ColumnVisible[5]);
  EXPECT_FALSE(layout.IsFieldShown(colPath));

  EXPECT_EQ(layout.ColOrder(), "BACDEFGHIJKLMNOPQRS");
  EXPECT_EQ(layout.ShowCol(), "0111111111111111111");
}

TEST(ColumnLayoutTest, MalformedColOrderFallsBackToDefaultOrder) {
  for (std::string_view bad : {
           std::string_view("ABCDEFGHIJKLMNOPQR"),    // short
           std::string_view("ABCDEFGHIJKLMNOPQRSA"),  // long
           std::string_view("AACDEFGHIJKLMNOPQRS"),   // a letter twice
           std::string_view("ABCDEFGHIJKLMNOPQRT"),   // past S
           std::string_view("abcdefghijklmnopqrs"),   // lower case
           std::string_view("ABCDEFGHIJKLMNOPQR@"),   // below A
           std::string_view(""),
       }) {
    ColumnLayout layout = ColumnLayout::Default();
    layout.ApplyColOrder("SRQPONMLKJIHGFEDCBA");
    EXPECT_FALSE(layout.ApplyColOrder(bad)) << bad;
    EXPECT_EQ(layout.ColOrder(), "ABCDEFGHIJKLMNOPQRS") << bad;
    ExpectPermutation(layout);
  }
}

TEST(ColumnLayoutTest, ShowColOfWrongLengthShowsAllAndOtherCharactersHide) {
  ColumnLayout layout = ColumnLayout::Default();
  EXPECT_FALSE(layout.ApplyShowCol("000"));
  EXPECT_EQ(layout.ShowCol(), "1111111111111111111");
  EXPECT_FALSE(layout.ApplyShowCol("00000000000000000000"));
  EXPECT_EQ(layout.ShowCol(), "1111111111111111111");

  ASSERT_TRUE(
      layout.ApplyShowCol("1x1 1Y1\x01"
                          "11111111111"));
  EXPECT_EQ(layout.ShowCol(), "1010101011111111111");
  // Only field positions are touched.
  EXPECT_TRUE(layout.ColumnVisible[colRowNo]);
  EXPECT_FALSE(layout.ColumnVisible[colWork]);
  EXPECT_FALSE(layout.ColumnVisible[24]);
}

TEST(ColumnLayoutTest, FieldHeadersAreUniqueForTheDragRebuild) {
  std::set<std::string_view> headers;
  for (int k = 0; k < kFieldCount; ++k) headers.insert(FieldHeader(static_cast<Field>(k)));
  EXPECT_EQ(headers.size(), static_cast<std::size_t>(kFieldCount));
  EXPECT_EQ(headers.count(""), 0u);
}

}  // namespace
}  // namespace quilmark
