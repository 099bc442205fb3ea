// Which cells may be typed into, which open a dialog, their edit masks and
// the numeric check. Columns are grid positions, resolved through the
// layout, so the rules follow a field wherever the user dragged it.
#pragma once

#include <string>
#include <string_view>

#include "tracklist/columns.h"

namespace quilmark {

class TrackGrid;

enum class CellClass {
  NotTyped,       // path, file name, fixed and spare columns
  Typed,          // the other field columns
  GenreDialog,    // Enter / double-click opens the genre selection
  CommentDialog,  // Enter / double-click opens the comment entry
};

inline constexpr std::string_view kDigitsMask = "0000;0";

CellClass ClassOfColumn(const ColumnLayout& layout, int column);

// Typed column, shown, and a row that holds a file (not the placeholder row).
bool IsCellTypable(const TrackGrid& grid, int column, int row);

// "0000;0" for No. and Year, else empty.
std::string_view EditMaskFor(const ColumnLayout& layout, int column);

// No., Year, BPM and Org year hold digits only.
bool IsNumericColumn(const ColumnLayout& layout, int column);

// Every byte an ASCII digit; true for the empty text. Any byte of a
// multi-byte character fails.
bool IsAllDigits(std::string_view text);

// Whether `after` holds no character but digits that `before` lacks: its
// other characters are `before`'s, in their order, so deleting from
// `before` and adding digits could make it. A number a file gave ("3/12")
// may so become "3/13" or "313", never "3a12" or "3of12".
bool KeepsNonDigitsOf(std::string_view before, std::string_view after);

// False only for a numeric column whose cell is non-empty and not all digits.
bool IsCellValueValid(const TrackGrid& grid, int column, int row);

// The colWork key under which a finished edit of the column is recorded
// ("Title", "Track", "Url", ...); empty for path, file name, genre and
// non-field columns.
std::string_view EditKeyFor(const ColumnLayout& layout, int column);

}  // namespace quilmark
