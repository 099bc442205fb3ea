#include "tag/save_changed_rows.h"

#include <string>

#include "tag/row_tag_values.h"
#include "tag/write_file_tags.h"

namespace quilmark {

namespace {

std::string StatusText(int row, int rowCount, const std::string& path) {
  return std::to_string(row) + " / " + std::to_string(rowCount) + " " + path;
}

std::string TrackNotNumberText(const std::string& path, const std::string& track) {
  return path + "\nトラック番号「" + track +
         "」は数値ではないため、ID3v1 タグに書き込めません。\n以後のファイルには書き込みません。";
}

// Identifiers as they may be shown: a damaged tag's bytes are no text.
std::string PrintableIds(const std::vector<std::string>& ids) {
  std::string text;
  for (const std::string& id : ids) {
    if (!text.empty()) text += ' ';
    for (char c : id) text += (c >= 0x21 && c <= 0x7E) ? c : '?';
  }
  return text;
}

std::string DroppedFramesText(const std::vector<std::string>& lines) {
  std::string text = "書き込めなかったフレームがあります: ";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += " / ";
    text += lines[i];
  }
  return text;
}

}  // namespace

SaveReport SaveChangedRows(TrackGrid& grid, const Settings& settings, Messages& messages,
                           BusyIndicator& busy) {
  SaveReport report;
  BusyScope hourglass(busy);
  // One list for the whole run, never cleared: a key that an earlier row
  // removed and this row sets again moves to the end, and so does its frame.
  TagValues values;
  const int dataRows = grid.RowCount() - 1;
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!grid.IsRowChanged(row)) continue;
    const std::string path = grid.FullPathOf(row);
    busy.SetStatusText(StatusText(row, dataRows, path));

    const int answer = messages.msgbox(MSG_CONFIRM_WRITE_FILE, path);
    if (answer == IDNO) continue;
    if (answer == IDCANCEL) {
      report.stopped = true;
      break;
    }

    SetRowIntoTagValues(grid, row, values);
    std::vector<std::string> dropped;
    const WriteResult result = WriteFileTags(path, values, settings, messages, &dropped);
    if (result == WriteResult::kWritten) {
      grid.ClearRowChanged(row);
      ++report.written;
      if (!dropped.empty())
        report.droppedFrames.push_back(path + " (" + PrintableIds(dropped) + ")");
      continue;
    }
    ++report.failed;
    if (result == WriteResult::kTrackNotNumber) {
      messages.Notice(TrackNotNumberText(path, values.Get(keys::Track)));
      report.stopped = true;
      break;
    }
  }
  busy.SetStatusText(report.droppedFrames.empty() ? std::string()
                                                  : DroppedFramesText(report.droppedFrames));
  return report;
}

}  // namespace quilmark
