// The text of playlists and CSV lists: bytes to text in whatever encoding
// they seem to be in, text to lines and CSV records, each as list entry and
// as CSV fields, and lines back to bytes and again to the same lines.
#include "lists/list_text.h"

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "lists/csv_fields.h"
#include "lists/list_entry.h"
#include "text/comma_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quilmark;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static_cast<void>(DecodeListBytes(bytes, ListEncoding::Utf8));
  const DecodedList decoded = DecodeListBytes(bytes);
  for (const std::string& record : SplitCsvRecords(decoded.text)) {
    const std::vector<std::string> fields = SplitCommaText(QuoteCsvFields(record));
    // What is written as comma text reads back as the same items.
    std::vector<std::string> items;
    for (const std::string& field : fields) {
      if (!field.empty()) items.push_back(field);
    }
    if (SplitCommaText(JoinCommaText(items)) != items) fuzz::Broken("comma text round trip");
  }
  const std::vector<std::string> lines = SplitListLines(decoded.text);
  for (const std::string& line : lines) {
    const std::string entry = ResolveListEntry(line, "/lists/a.m3u");
    static_cast<void>(MakeRelativePath("/lists/", entry));
  }
  // A list the program writes reads back as the lines it wrote.
  if (DecodeListText(EncodeListText(lines)) != lines) fuzz::Broken("list text round trip");
  // (Bare UTF-8 cannot begin with U+FEFF: a reader takes it for the mark.)
  const bool markFirst = !lines.empty() && lines[0].starts_with(kUtf8Bom);
  if (!markFirst && DecodeListText(EncodeListText(lines, ListEncoding::Utf8)) != lines) {
    fuzz::Broken("UTF-8 list text round trip");
  }
  return 0;
}
