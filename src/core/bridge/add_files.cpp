#include "bridge/add_files.h"

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "bridge/read_file_tags.h"
#include "bridge/row_pictures.h"
#include "lists/csv_columns.h"
#include "lists/csv_fields.h"
#include "lists/list_entry.h"
#include "lists/list_text.h"
#include "platform/ascii.h"
#include "platform/file_system.h"
#include "platform/folder_walk.h"
#include "platform/paths.h"
#include "text/comma_text.h"
#include "tracklist/cell_changes.h"

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
  int picture = -1;
  std::array<int, kCsvColumns.size()> fields;

  explicit HeaderMap(const std::vector<std::string>& header) {
    fields.fill(-1);
    for (int i = static_cast<int>(header.size()) - 1; i >= 0; --i) {
      const std::string& name = header[static_cast<std::size_t>(i)];
      if (platform::EqualsIgnoringAsciiCase(name, kCsvPathReadName)) path = i;
      if (platform::EqualsIgnoringAsciiCase(name, kCsvPictureName)) picture = i;
      for (std::size_t f = 0; f < kCsvColumns.size(); ++f)
        if (platform::EqualsIgnoringAsciiCase(name, kCsvColumns[f].readName)) fields[f] = i;
    }
  }
};

class Adder {
 public:
  Adder(TrackGrid& grid, Messages& messages, BusyIndicator& busy, UndoList& undo,
        AddFilesResult& result)
      : grid_(grid), messages_(messages), busy_(busy), undo_(undo), result_(result) {}

  // False when the add ends: a list could not be read, or the user stopped.
  bool AddName(const std::string& given) {
    // Absolute and normal, as list entries are: one file is one row however
    // it was spelled, and a later list written relative still finds it.
    const std::string name = platform::FullPath(given);
    const std::string extension = platform::UpperExtension(name);
    if (extension == ".MP3") {
      ++found_;
      return AddFileOrFolder(name);
    }
    if (IsFolder(name)) return AddFolder(name);
    if (extension == ".M3U" || extension == ".M3U8" || extension == ".PLS") {
      return AddPlaylist(name);
    } else if (extension == ".CSV") {
      return AddCsv(name);
    }
    return !result_.stopped;
  }

 private:
  static bool IsFolder(const std::string& path) {
    return !path.empty() && platform::DirectoryExists(path);
  }

  void Report(bool searching = false, int walked = 0) {
    busy_.ShowProgress({RunProgress::Task::Adding, found_ + walked, done_, searching});
  }

  // Asked before each file: the add stops between files, never in one.
  bool Stopped() {
    if (!result_.stopped && busy_.StopRequested()) result_.stopped = true;
    return result_.stopped;
  }

  // `path` is absolute and normal (AddName, ResolveListEntry), and no
  // folder. -1 when no row was added (the user stopped, too).
  int AddTrack(const std::string& path) {
    if (Stopped()) return -1;
    return Record(path, ReadFileTags(grid_, path));
  }

  // A name counted as one file that may be a folder's. The file is read
  // first: where it is one, as nearly every name of a large add is, the
  // disk is asked once instead of twice, and only a name that could not be
  // read is looked at as a folder. False when the user stopped.
  bool AddFileOrFolder(const std::string& path) {
    if (Stopped()) return false;
    const RowAddResult added = ReadFileTags(grid_, path);
    if (added.status == RowAddResult::Status::Unreadable && IsFolder(path)) {
      --found_;  // the folder's files count instead
      return AddFolder(path);
    }
    Record(path, added);
    return !result_.stopped;
  }

  // Counts and tells what reading `path` came to; the row, or -1.
  int Record(const std::string& path, const RowAddResult& added) {
    switch (added.status) {
      case RowAddResult::Status::Added:
        ++result_.added;
        if (listedIndexed_) listed_.emplace(path, added.row);
        break;
      case RowAddResult::Status::Unreadable:
        result_.notAdded.push_back(CatalogueLine(MSG_CANNOT_OPEN, path, added.reason));
        // An empty entry (a blank playlist line) is told but is no file.
        if (!path.empty()) ++result_.failed;
        break;
      case RowAddResult::Status::AlreadyListed:
        break;
    }
    ++done_;
    Report();
    return added.row;
  }

  // False when the user stopped.
  bool AddFolder(const std::string& folder) {
    platform::FolderWalkOptions walk;
    walk.wanted = [](std::string_view name) { return platform::UpperExtension(name) == ".MP3"; };
    walk.keepGoing = [this](std::size_t walked) {
      Report(true, static_cast<int>(walked));
      return !Stopped();
    };
    const platform::FolderWalkResult found = platform::WalkFolder(folder, walk);
    for (const platform::FolderWalkProblem& problem : found.problems) {
      result_.notAdded.push_back(
          {problem.folder, "このフォルダを開けません。", problem.error.Reason()});
      ++result_.failed;
    }
    if (found.stopped) return false;
    if (found.files.empty() && found.problems.empty()) {
      result_.notAdded.push_back({folder, "このフォルダには MP3 ファイルがありません。", {}});
    }
    found_ += static_cast<int>(found.files.size());
    for (const std::string& file : found.files) {
      AddTrack(file);
      if (result_.stopped) return false;
    }
    return true;
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

  // A playlist line may name a folder as the command line may: a playlist
  // is a list of names, and a folder there means the songs in it.
  bool AddPlaylist(const std::string& name) {
    std::string text;
    if (!ReadList(name, text)) return false;
    std::vector<std::string> entries;
    for (const std::string& line : SplitListLines(text)) {
      if (!line.starts_with('#')) entries.push_back(ResolveListEntry(line, name));
    }
    found_ += static_cast<int>(entries.size());
    for (const std::string& entry : entries) {
      if (!AddFileOrFolder(entry)) return false;
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
    found_ += static_cast<int>(lines.size() - 1);
    int skipped = 0;
    int updated = 0;
    for (std::size_t k = 1; k < lines.size() && !Stopped(); ++k) {
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
      const std::string path = ResolveListEntry(fields[static_cast<std::size_t>(map.path)], name);
      if (IsFolder(path)) {
        result_.notAdded.push_back(
            {path, "フォルダには CSV の値を適用できません。読み飛ばしました。", {}});
        ++result_.failed;
        continue;
      }
      const std::optional<Picture> picture = LinePicture(map, fields, name);
      if (const int listed = ListedRow(path); listed >= 1) {
        updated += UpdateRow(map, fields, picture, listed) ? 1 : 0;
        ++done_;
        Report();
        continue;
      }
      const int row = AddTrack(path);
      if (row < 0) continue;
      ApplyValues(map, fields, row);
      if (picture) {
        grid_.SetPicturesOf(row, kFrontCover, {*picture});
        grid_.MarkRowChanged(row);
      }
    }
    if (skipped > 0) {
      result_.skippedLines += skipped;
      messages_.Notice(name + "\nファイルを指定していない " + std::to_string(skipped) +
                           " 行を読み飛ばしました。",
                       MB_OK | MB_ICONINFORMATION);
    }
    if (updated > 0) {
      result_.updated += updated;
      messages_.Notice(
          name + "\nリストにあった " + std::to_string(updated) + " 行を CSV の値で更新しました。",
          MB_OK | MB_ICONINFORMATION);
    }
    return !result_.stopped;
  }

  // The line's value for each column it has, trimmed.
  template <typename Each>
  static void ForEachValue(const HeaderMap& map, const std::vector<std::string>& fields,
                           Each&& each) {
    for (std::size_t f = 0; f < kCsvColumns.size(); ++f) {
      const int index = map.fields[f];
      if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) continue;
      each(kCsvColumns[f].field, TrimBlanks(fields[static_cast<std::size_t>(index)]));
    }
  }

  // A row the line itself added takes its values as part of being added.
  void ApplyValues(const HeaderMap& map, const std::vector<std::string>& fields, int row) {
    ForEachValue(map, fields, [&](Field field, std::string_view value) {
      if (grid_.FieldCell(field, row) == value) return;
      if (!grid_.IsRowChanged(row)) grid_.MarkRowChanged(row);
      grid_.SetFieldCell(field, row, std::string(value));
    });
  }

  // The image file the line names in its Picture column, as a front cover;
  // one that cannot be read is told and counts as a file not read. An
  // album's lines name one cover: it is read, and held, once.
  std::optional<Picture> LinePicture(const HeaderMap& map, const std::vector<std::string>& fields,
                                     const std::string& list) {
    if (map.picture < 0 || static_cast<std::size_t>(map.picture) >= fields.size()) return {};
    const std::string_view value = TrimBlanks(fields[static_cast<std::size_t>(map.picture)]);
    if (value.empty()) return {};
    const std::string path = ResolveListEntry(value, list);
    auto loaded = pictureFiles_.find(path);
    if (loaded == pictureFiles_.end())
      loaded = pictureFiles_.emplace(path, LoadPictureFile(path)).first;
    if (!loaded->second.picture) {
      result_.notAdded.push_back(CatalogueLine(MSG_CANNOT_OPEN, path, loaded->second.reason));
      ++result_.failed;
    }
    return loaded->second.picture;
  }

  // The row that shows `path`, or -1. A CSV read back over a long list
  // names many listed files, so the rows are indexed once, when the first
  // one is needed; rows this add makes join the index as they come, and an
  // add moves or removes no row.
  int ListedRow(const std::string& path) {
    if (!grid_.ContainsPath(path)) return -1;
    if (!listedIndexed_) {
      for (int row = 1; row < grid_.RowCount(); ++row) listed_.emplace(grid_.FullPathOf(row), row);
      listedIndexed_ = true;
    }
    const auto it = listed_.find(path);
    return it != listed_.end() ? it->second : grid_.RowOfPath(path);
  }

  // A row listed before the line is edited as a command edits it: marked
  // and undoable. True when a cell or its front cover changed.
  bool UpdateRow(const HeaderMap& map, const std::vector<std::string>& fields,
                 const std::optional<Picture>& picture, int row) {
    std::vector<CellChange> changes;
    ForEachValue(map, fields, [&](Field field, std::string_view value) {
      changes.push_back({grid_.Layout().Position(field), row, std::string(value)});
    });
    bool changed = ApplyChanges(grid_, undo_, std::move(changes)) > 0;
    if (picture) {
      PictureCommandResult set = SetPictureOfRows(grid_, undo_, {row}, *picture);
      for (FileReportLine& line : set.unreadable) result_.notAdded.push_back(std::move(line));
      result_.failed += static_cast<int>(set.unreadable.size());
      changed = set.changed > 0 || changed;
    }
    return changed;
  }

  TrackGrid& grid_;
  Messages& messages_;
  BusyIndicator& busy_;
  UndoList& undo_;
  AddFilesResult& result_;
  std::unordered_map<std::string, int> listed_;  // full path -> row (ListedRow)
  bool listedIndexed_ = false;
  std::unordered_map<std::string, PictureFileResult> pictureFiles_;  // by full path
  int found_ = 0;                                                    // files known so far
  int done_ = 0;                                                     // files read (or rows updated)
};

}  // namespace

AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names, Messages& messages,
                        BusyIndicator& busy, UndoList& undo) {
  AddFilesResult result;
  if (names.empty()) return result;
  result.started = true;
  UndoStepScope step(undo);
  // Most names are files, one row each.
  grid.ExpectMoreRows(names.size());
  Adder adder(grid, messages, busy, undo, result);
  for (const std::string& name : names)
    if (!adder.AddName(name)) break;
  return result;
}

AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names,
                        Messages& messages) {
  NullBusyIndicator busy;
  UndoList undo;
  return AddFiles(grid, names, messages, busy, undo);
}

}  // namespace quilmark
