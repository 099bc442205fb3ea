#include "bridge/add_files.h"

#include <array>
#include <string_view>

#include "bridge/read_file_tags.h"
#include "lists/csv_columns.h"
#include "lists/csv_fields.h"
#include "lists/list_entry.h"
#include "lists/list_text.h"
#include "platform/ascii.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "text/comma_text.h"

namespace quilmark {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  return s;
}

// Where each CSV column of interest stands in one file's header line.
struct HeaderMap {
  int path = -1;
  std::array<int, kCsvColumns.size()> fields;

  explicit HeaderMap(const std::vector<std::string>& header) {
    fields.fill(-1);
    for (int i = static_cast<int>(header.size()) - 1; i >= 0; --i) {
      const std::string& name = header[static_cast<std::size_t>(i)];
      if (platform::EqualsIgnoringAsciiCase(name, kCsvPathReadName)) path = i;
      for (std::size_t f = 0; f < kCsvColumns.size(); ++f)
        if (platform::EqualsIgnoringAsciiCase(name, kCsvColumns[f].readName)) fields[f] = i;
    }
  }
};

class Adder {
 public:
  Adder(TrackGrid& grid, Messages& messages, AddFilesResult& result)
      : grid_(grid), messages_(messages), result_(result) {}

  // False when the list could not be read (the add ends).
  bool AddName(const std::string& given) {
    // Absolute and normal, as list entries are: one file is one row however
    // it was spelled, and a later list written relative still finds it.
    const std::string name = platform::FullPath(given);
    if (RefusedFolder(name)) return true;
    const std::string extension = platform::UpperExtension(name);
    if (extension == ".MP3") {
      AddTrack(name);
    } else if (extension == ".M3U" || extension == ".M3U8" || extension == ".PLS") {
      return AddPlaylist(name);
    } else if (extension == ".CSV") {
      return AddCsv(name);
    }
    return true;
  }

 private:
  // Folders cannot be added yet: where a file is expected, a folder is
  // named and skipped, never made a blank row.
  bool RefusedFolder(const std::string& path) {
    if (path.empty() || !platform::DirectoryExists(path)) return false;
    result_.notAdded.push_back({path, "フォルダは追加できません。読み飛ばしました。", {}});
    ++result_.failed;
    return true;
  }

  // `path` is absolute and normal (AddName, ResolveListEntry).
  int AddTrack(const std::string& path) {
    if (RefusedFolder(path)) return -1;
    const RowAddResult added = ReadFileTags(grid_, path);
    switch (added.status) {
      case RowAddResult::Status::Added:
        ++result_.added;
        break;
      case RowAddResult::Status::Unreadable:
        result_.notAdded.push_back(CatalogueLine(MSG_CANNOT_OPEN, path, added.reason));
        // An empty entry (a blank playlist line) is told but is no file.
        if (!path.empty()) ++result_.failed;
        break;
      case RowAddResult::Status::AlreadyListed:
        break;
    }
    return added.row;
  }

  bool ReadList(const std::string& name, std::string& text) {
    ListFileText read = ReadListFile(name);
    if (!read.ok) {
      messages_.Notice(read.error);
      result_.unreadableList = name;
      return false;
    }
    text = std::move(read.text);
    return true;
  }

  bool AddPlaylist(const std::string& name) {
    std::string text;
    if (!ReadList(name, text)) return false;
    const std::vector<std::string> lines = SplitListLines(text);
    for (const std::string& line : lines) {
      if (line.starts_with('#')) continue;
      AddTrack(ResolveListEntry(line, name));
    }
    return true;
  }

  bool AddCsv(const std::string& name) {
    std::string text;
    if (!ReadList(name, text)) return false;
    const std::vector<std::string> lines = SplitCsvRecords(text);
    if (lines.size() < 2) return true;
    // The header is cut like the data lines, so that a name holding a blank
    // ("Album Artist") is one name and the columns after it keep their place.
    std::vector<std::string> names = SplitCommaText(QuoteCsvFields(lines[0]));
    for (std::string& n : names) n = std::string(TrimBlanks(n));
    const HeaderMap map(names);
    int skipped = 0;
    for (std::size_t k = 1; k < lines.size(); ++k) {
      if (map.path < 0) {
        ++skipped;
        continue;
      }
      const std::vector<std::string> fields = SplitCommaText(QuoteCsvFields(lines[k]));
      if (static_cast<std::size_t>(map.path) >= fields.size() ||
          fields[static_cast<std::size_t>(map.path)].empty()) {
        ++skipped;
        continue;
      }
      const int row = AddTrack(ResolveListEntry(fields[static_cast<std::size_t>(map.path)], name));
      if (row >= 0) ApplyValues(map, fields, row);
    }
    if (skipped > 0) {
      result_.skippedLines += skipped;
      messages_.Notice(name + "\nファイルを指定していない " + std::to_string(skipped) +
                           " 行を読み飛ばしました。",
                       MB_OK | MB_ICONINFORMATION);
    }
    return true;
  }

  void ApplyValues(const HeaderMap& map, const std::vector<std::string>& fields, int row) {
    for (std::size_t f = 0; f < kCsvColumns.size(); ++f) {
      const int index = map.fields[f];
      if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) continue;
      const std::string_view value = TrimBlanks(fields[static_cast<std::size_t>(index)]);
      const Field field = kCsvColumns[f].field;
      if (grid_.FieldCell(field, row) == value) continue;
      if (!grid_.IsRowChanged(row)) grid_.MarkRowChanged(row);
      grid_.SetFieldCell(field, row, std::string(value));
    }
  }

  TrackGrid& grid_;
  Messages& messages_;
  AddFilesResult& result_;
};

}  // namespace

AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names,
                        Messages& messages) {
  AddFilesResult result;
  if (names.empty()) return result;
  result.started = true;
  Adder adder(grid, messages, result);
  for (const std::string& name : names)
    if (!adder.AddName(name)) break;
  return result;
}

}  // namespace quilmark
