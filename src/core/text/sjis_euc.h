// The byte-level conversions between Shift-JIS and EUC-JP, by arithmetic on
// the JIS row and cell rather than through a table.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

std::string SjisToEuc(std::string_view sjis);
// NULs come out as "\0" (the NUL escape of tag text).
std::string EucToSjis(std::string_view euc);

}  // namespace quilmark
