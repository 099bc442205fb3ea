#include "cli/cli_commands.h"

#include <cstdio>

#include "bridge/add_files.h"
#include "bridge/save_changed_rows.h"
#include "cli/save_report_lines.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "platform/paths.h"
#include "tracklist/track_grid.h"
#include "ui/busy_indicator.h"

namespace quilmark::cli {

namespace {

bool AddAll(TrackGrid& grid, const Options& options, Messages& messages) {
  const AddFilesResult added = AddFiles(grid, options.names, messages);
  for (const FileReportLine& line : added.notAdded) {
    messages.Notice(FileReportText(line), MB_OK | MB_ICONINFORMATION);
  }
  return added.failed == 0 && added.unreadableList.empty();
}

bool WriteToStandardOutput(const std::vector<std::string>& lines) {
  const std::string bytes = EncodeListText(lines);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                  std::fflush(stdout) == 0;
  if (!ok) std::fprintf(stderr, "standard output: cannot write\n");
  return ok;
}

std::string CurrentFolder() {
  std::string folder = platform::CurrentDirectory();
  if (folder.empty() || folder.back() != platform::kPathSeparator)
    folder += platform::kPathSeparator;
  return folder;
}

}  // namespace

int RunExport(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (options.relative) settings.AbsolutePath = true;
  settings.CSV.fill(true);
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  if (options.output.empty()) {
    ok = WriteToStandardOutput(CsvListLines(grid, settings.ListWrite(), CurrentFolder())) && ok;
  } else {
    const ListWriteResult written =
        WriteCsvList(grid, settings.ListWrite(), platform::FullPath(options.output));
    if (!written.written) {
      messages.Notice(written.error);
      ok = false;
    }
  }
  return ok ? 0 : 1;
}

int RunPlaylist(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (options.relative) settings.AbsolutePath = true;
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  const ListWriteResult written =
      WriteList(grid, settings.ListWrite(), platform::FullPath(options.output));
  if (!written.error.empty()) {
    messages.Notice(written.error);
    ok = false;
  }
  return ok ? 0 : 1;
}

int RunApply(const Options& options, Settings settings, MessagePresenter& presenter) {
  // Nobody is there to answer; every file is written.
  settings.WriteConfirm = false;
  if (options.charset) settings.Charset = *options.charset;
  if (options.tagKind) settings.WriteTagVersion = *options.tagKind;
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  NullBusyIndicator busy;
  const SaveReport report = SaveChangedRows(grid, settings.TagWrite(), messages, busy);
  PrintSaveReport(report);
  if (report.Failed() > 0 || report.stopped) ok = false;
  return ok ? 0 : 1;
}

}  // namespace quilmark::cli
