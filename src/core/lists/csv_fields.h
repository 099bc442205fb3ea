// The CSV reading rules: a file's text cut into records, and a record
// prepared for the comma-text split, which would otherwise cut fields at
// blanks and drop empty ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

// Cuts the line into fields at the commas outside quotes and returns them
// joined again, each enclosed in quotes, so that SplitCommaText gives back
// exactly one item per field with its blanks kept.
//
// A field that begins with a quote runs to the matching quote (a doubled
// quote inside is one quote); text after that quote, up to the next comma,
// still belongs to the field, unless it is nothing but blanks. A quote
// anywhere else is an ordinary character, as spreadsheets read it (12"
// single). A quote that is never closed takes the rest of the line into
// its field.
std::string QuoteCsvFields(std::string_view line);

// Cuts a CSV file's text into records: at CR LF, a lone CR or a lone LF,
// except inside a field that begins with a quote, which may span lines up
// to its closing quote (values with line breaks, as the writer quotes them).
// A quote that is never closed ends at its line's end, as above. A break at
// the very end adds no record.
std::vector<std::string> SplitCsvRecords(std::string_view text);

}  // namespace quilmark
