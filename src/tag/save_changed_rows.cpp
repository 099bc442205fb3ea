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
    const WriteResult result = WriteFileTags(path, values, settings, messages);
    if (result == WriteResult::kWritten) {
      grid.ClearRowChanged(row);
      ++report.written;
      continue;
    }
    ++report.failed;
    if (result == WriteResult::kTrackNotNumber) {
      messages.Notice(TrackNotNumberText(path, values.Get(keys::Track)));
      report.stopped = true;
      break;
    }
  }
  busy.SetStatusText("");
  return report;
}

}  // namespace quilmark
