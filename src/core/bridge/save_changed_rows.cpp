#include "bridge/save_changed_rows.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/row_tag_values.h"

namespace quilmark {

namespace {

std::string StatusText(int row, int rowCount, const std::string& path) {
  return std::to_string(row) + " / " + std::to_string(rowCount) + " " + path;
}

SaveStatus StatusOf(TagWriteStatus status) {
  switch (status) {
    case TagWriteStatus::Written:
      return SaveStatus::Written;
    case TagWriteStatus::NotOpened:
      return SaveStatus::Unreadable;
    case TagWriteStatus::ReadOnly:
      return SaveStatus::ReadOnly;
    case TagWriteStatus::NotMpegAudio:
      return SaveStatus::NotMpegAudio;
    case TagWriteStatus::TrackNotNumber:
      return SaveStatus::TrackNotNumber;
    case TagWriteStatus::Failed:
      break;
  }
  return SaveStatus::Failed;
}

// What a written file did not keep, in words the same for every file.
std::string CharsetName(Charset charset) {
  switch (charset) {
    case Charset::ShiftJis:
      return "Shift-JIS";
    case Charset::EucJp:
      return "EUC";
    case Charset::Utf8:
      return "UTF-8";
    case Charset::Utf16Le:
    case Charset::Utf16Be:
      break;
  }
  return "Unicode";
}

std::vector<std::string> NoticesOf(const TagWriteResult& written, Charset charset) {
  std::vector<std::string> notices;
  if (written.fallback != TextFallback::None) {
    notices.push_back(
        "文字コード " + CharsetName(charset) + " では正しく書き込めない文字があるため、タグを " +
        (written.fallback == TextFallback::Latin1 ? "Latin-1 (ISO-8859-1)" : "UTF-16 (Unicode)") +
        " で書き込みました。");
  }
  if (!written.ownerKept) {
    notices.push_back(
        written.groupKept
            ? "元の所有者に戻せなかったため、所有者があなたに変わりました"
              "(グループはそのままです)。"
            : "元の所有者とグループに戻せなかったため、あなたのファイルになりました。");
  } else if (!written.groupKept) {
    notices.push_back("元のグループに戻せなかったため、グループが変わりました。");
  }
  // Rewriting the content where it lies would keep every name on the new
  // tags, but a crash half-way would then damage the file under all of
  // them; the other names cannot be found without searching the whole
  // disk. So the name saved gets the new file and the user is told.
  if (written.otherNames > 0) {
    notices.push_back(
        "このファイルにはほかの名前(ハードリンク)があります。新しいタグはこの名前だけに書き込み、"
        "ほかの名前は元の内容のままです。");
  }
  return notices;
}

// Fills in what the write of the outcome's file says; a written row
// loses its mark and its picture edit.
void Settle(FileSaveOutcome& outcome, TagWriteResult written, Charset charset, TrackGrid& grid) {
  outcome.status = StatusOf(written.status);
  outcome.notices = NoticesOf(written, charset);
  outcome.reason = std::move(written.reason);
  outcome.droppedFrames = std::move(written.droppedFrames);
  outcome.fallback = written.fallback;
  if (written.Written()) {
    grid.ClearRowChanged(outcome.row);
    grid.DropPictureEdit(outcome.row);
  }
}

}  // namespace

SaveReport SaveChangedRows(TrackGrid& grid, const TagWriteOptions& options, Messages& messages,
                           BusyIndicator& busy) {
  SaveReport report;
  BusyScope hourglass(busy);
  // One list for the whole run, never cleared: a key that an earlier row
  // removed and this row sets again moves to the end, and so does its frame.
  TagValues values;
  platform::LeftoverSweep sweep;
  // Files are written in batches that wait for the disk together. However
  // the run ends, the files already made are finished first: each of them
  // is then new and its row unmarked, or untouched and still marked.
  TagWriteBatch batch(options, &sweep);
  std::vector<std::size_t> waiting;  // the outcomes whose files the batch holds
  const auto commit = [&] {
    std::vector<TagWriteResult> results = batch.Commit();
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      Settle(report.files[waiting[i]], std::move(results[i]), options.charset, grid);
    }
    waiting.clear();
  };
  const int dataRows = grid.RowCount() - 1;
  RunProgress progress{RunProgress::Task::Saving, grid.ChangedRowCount(), 0, false};
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!grid.IsRowChanged(row)) continue;
    // The one place a run stops at the user's wish: between files, so every
    // file before is finished (new, or untouched) once the batch is, and
    // none after is begun.
    busy.ShowProgress(progress);
    if (busy.StopRequested()) {
      report.userStopped = true;
      break;
    }
    ++progress.done;
    FileSaveOutcome outcome;
    outcome.row = row;
    outcome.path = grid.FullPathOf(row);
    busy.SetStatusText(StatusText(row, dataRows, outcome.path));

    const int answer = messages.msgbox(MSG_CONFIRM_WRITE_FILE, outcome.path);
    if (answer == IDCANCEL) {
      report.stopped = true;
      break;
    }
    if (answer == IDNO) {
      outcome.status = SaveStatus::Skipped;
      report.files.push_back(std::move(outcome));
      continue;
    }

    SetRowIntoTagValues(grid, row, values);
    static const PictureEdit kNoPictureEdit;
    const PictureEdit* pictures = grid.PictureEditOf(row);
    std::optional<TagWriteResult> refused =
        batch.Add(outcome.path, values, pictures ? *pictures : kNoPictureEdit);
    report.files.push_back(std::move(outcome));
    if (!refused) {
      waiting.push_back(report.files.size() - 1);
      if (batch.Full()) commit();
      continue;
    }
    FileSaveOutcome& settled = report.files.back();
    Settle(settled, std::move(*refused), options.charset, grid);
    if (settled.status == SaveStatus::TrackNotNumber) {
      settled.track = values.Get(keys::Track);
      report.stopped = true;
      break;
    }
  }
  commit();
  report.stillMarked = grid.ChangedRowCount();
  busy.SetStatusText({});
  return report;
}

}  // namespace quilmark
