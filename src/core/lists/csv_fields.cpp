#include "lists/csv_fields.h"

#include <algorithm>

#include "text/comma_text.h"

namespace quilmark {

namespace {

// From the opening quote at `open`: the index just past the closing quote,
// npos when it is never closed. `inner`, when given, gets the text between,
// each doubled quote as one (all the rest when unclosed).
std::size_t ReadQuoted(std::string_view text, std::size_t open, std::string* inner) {
  std::size_t i = open + 1;
  while (i < text.size()) {
    if (text[i] == '"') {
      if (i + 1 < text.size() && text[i + 1] == '"') {
        if (inner) *inner += '"';
        i += 2;
        continue;
      }
      return i + 1;
    }
    if (inner) *inner += text[i];
    ++i;
  }
  return std::string_view::npos;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string QuoteCsvFields(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 4 + 2);
  std::string field;
  std::size_t i = 0;
  for (;;) {
    field.clear();
    const bool quoted = i < line.size() && line[i] == '"';
    if (quoted) {
      const std::size_t end = ReadQuoted(line, i, &field);
      i = end == std::string_view::npos ? line.size() : end;
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

std::vector<std::string> SplitCsvRecords(std::string_view text) {
  std::vector<std::string> records;
  std::size_t start = 0, i = 0;
  bool fieldStart = true;
  while (i < text.size()) {
    const char c = text[i];
    if (fieldStart && c == '"') {
      fieldStart = false;
      std::size_t end = ReadQuoted(text, i, nullptr);
      // Unclosed, it takes the rest of its line and no more.
      if (end == std::string_view::npos) end = std::min(text.find_first_of("\r\n", i), text.size());
      i = end;
      continue;
    }
    fieldStart = c == ',';
    if (IsLineBreak(c)) {
      records.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
      fieldStart = true;
    } else {
      ++i;
    }
  }
  if (start < text.size()) records.emplace_back(text.substr(start));
  return records;
}

}  // namespace quilmark
