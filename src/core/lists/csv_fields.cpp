#include "lists/csv_fields.h"

#include <algorithm>

#include "text/comma_text.h"

namespace quilmark {

std::string QuoteCsvFields(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 4 + 2);
  std::string field;
  std::size_t i = 0;
  for (;;) {
    field.clear();
    const bool quoted = i < line.size() && line[i] == '"';
    if (quoted) {
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
    }
    const std::size_t comma = line.find(',', i);
    const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    const std::string_view rest = line.substr(i, end - i);
    // Blanks between a closing quote and the comma only set the fields apart.
    const bool blanks = std::all_of(rest.begin(), rest.end(),
                                    [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
    if (!(quoted && blanks)) field.append(rest);
    out += QuoteAlways(field);
    if (comma == std::string_view::npos) break;
    out += ',';
    i = comma + 1;
  }
  return out;
}

}  // namespace quilmark
