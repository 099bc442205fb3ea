// The text of playlists and CSV lists: bytes to lines, each line as list
// entry and as CSV fields, and lines back to bytes and again to the same
// lines.
#include "lists/list_text.h"

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "lists/csv_fields.h"
#include "lists/list_entry.h"
#include "text/comma_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quilmark;
  const std::vector<std::string> lines =
      DecodeListText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& line : lines) {
    static_cast<void>(ResolveListEntry(line, "/lists/a.m3u"));
    static_cast<void>(MakeRelativePath("/lists/", ResolveListEntry(line, "/lists/a.m3u")));
    const std::vector<std::string> fields = SplitCommaText(QuoteCsvFields(line));
    // What is written as comma text reads back as the same items.
    std::vector<std::string> items;
    for (const std::string& field : fields) {
      if (!field.empty()) items.push_back(field);
    }
    if (SplitCommaText(JoinCommaText(items)) != items) fuzz::Broken("comma text round trip");
  }
  if (DecodeListText(EncodeListText(lines)) != lines) fuzz::Broken("list text round trip");
  return 0;
}
