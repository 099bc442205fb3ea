#include "tag/genre_table.h"

#include <gtest/gtest.h>

namespace quilmark {
namespace {

TEST(GenreTableNames, NumbersGiveNamesAndAnythingElseNoGenre) {
  EXPECT_EQ(GenreName(0), "Blues");
  EXPECT_EQ(GenreName(17), "Rock");
  EXPECT_EQ(GenreName(67), "Psychadelic");
  EXPECT_EQ(GenreName(79), "Hard Rock");
  EXPECT_EQ(GenreName(80), "Folk");
  EXPECT_EQ(GenreName(85), "Bebob");
  EXPECT_EQ(GenreName(93), "Psychedelic Rock");
  EXPECT_EQ(GenreName(123), "A capella");
  EXPECT_EQ(GenreName(125), "Dance Hall");
  EXPECT_EQ(GenreName(126), "No Genre");
  EXPECT_EQ(GenreName(200), "No Genre");
  EXPECT_EQ(GenreName(255), "No Genre");
  EXPECT_EQ(GenreName(-1), "No Genre");
}

TEST(GenreTableNumbers, NamesGiveNumbersIgnoringCase) {
  EXPECT_EQ(GenreNumber("Rock"), 17);
  EXPECT_EQ(GenreNumber("rOCK"), 17);
  EXPECT_EQ(GenreNumber("rock & roll"), 78);
  EXPECT_EQ(GenreNumber("No Genre"), 126);
  EXPECT_EQ(GenreNumber("(17)"), 255);
  EXPECT_EQ(GenreNumber("17"), 255);
  EXPECT_EQ(GenreNumber(""), 255);
  EXPECT_EQ(GenreNumber("Rock "), 255);
  EXPECT_EQ(GenreNumber("Psychedelic"), 255);
}

TEST(GenreTableNumbers, EveryNameFindsItsOwnNumber) {
  // Catches a duplicated or misplaced entry.
  for (int n = 0; n < kGenreTableSize; ++n) EXPECT_EQ(GenreNumber(GenreName(n)), n) << n;
}

}  // namespace
}  // namespace quilmark
