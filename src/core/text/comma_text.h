// Comma text: the one codec for lists of strings kept in a single line (a
// row's colWork, undo records, the sort's row lines, CSV lines).
//
// Joining: items separated by ","; an item holding a byte below 33, a comma
// or a double quote is enclosed in double quotes, inner quotes doubled.
// Splitting: the inverse, with the classic quirks that CSV reading relies on
// (blanks outside quotes also separate items; see SplitCommaText).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

// Quotes one item when it needs it.
std::string QuoteCommaItem(std::string_view item);
// An item enclosed in quotes, always (inner quotes doubled).
std::string QuoteAlways(std::string_view item);
// The same, added to the end of `out`: a line built item by item costs no
// string of its own per item.
void AppendCommaItem(std::string& out, std::string_view item);
void AppendQuoted(std::string& out, std::string_view item);

std::string JoinCommaText(const std::vector<std::string>& items);

// 1. Skip bytes 0x01..0x20. 2. A quoted item runs to the next undoubled
// quote; a bare item is the run of bytes above 0x20 up to a comma or blank.
// 3. Skip blanks; a comma and the blanks after it separate items. Two commas
// give an empty item between them; a trailing comma adds none.
std::vector<std::string> SplitCommaText(std::string_view text);

}  // namespace quilmark
