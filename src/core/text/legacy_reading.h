// What the bytes of a tag's legacy text are: the frames whose encoding byte
// says Latin-1 and the ID3v1 fields. Japanese taggers write Shift-JIS or
// EUC-JP there, Western ones Latin-1 or Windows-1252, and some UTF-8; the
// bytes alone tell which, and all texts of one tag are judged together since
// one tagger wrote them.
#pragma once

#include <string_view>
#include <vector>

namespace quilmark {

enum class LegacyReading {
  Japanese,  // Shift-JIS or EUC-JP, each text by its byte pairs
  Utf8,
  Western,  // Windows-1252 (ISO-8859-1 with its C1 range in use)
};

// Japanese wins whenever the evidence for another reading is not clear:
// a Japanese text is never misread.
LegacyReading DecideLegacyReading(const std::vector<std::string_view>& texts);

}  // namespace quilmark
