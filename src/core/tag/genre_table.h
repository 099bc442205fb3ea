// The ID3v1 genre names, indexed by genre number (0..125), and "No Genre"
// (126) for every number past the table.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

inline constexpr int kGenreTableSize = 127;
inline constexpr int kNoGenre = 126;

std::string_view GenreName(int number);
// 0..126 for a name of the table (letter case ignored), else 255.
int GenreNumber(std::string_view name);

}  // namespace quilmark
