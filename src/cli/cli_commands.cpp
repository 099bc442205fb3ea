#include "cli/cli_commands.h"

#include <cstdio>

#include "lists/add_files.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "messages/busy_indicator.h"
#include "platform/paths.h"
#include "tag/save_changed_rows.h"
#include "tracklist/track_grid.h"

namespace quilmark::cli {

namespace {

// Names as the shell gave them are relative to where the program was
// started; made absolute, rows and relative output agree on one base.
std::vector<std::string> AbsoluteNames(const std::vector<std::string>& names) {
  std::vector<std::string> full;
  full.reserve(names.size());
  for (const std::string& name : names) full.push_back(platform::FullPath(name));
  return full;
}

bool AddAll(TrackGrid& grid, const Options& options, Messages& messages) {
  const AddFilesResult added = AddFiles(grid, AbsoluteNames(options.names), messages);
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
  Messages messages(settings, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  if (options.output.empty()) {
    ok = WriteToStandardOutput(CsvListLines(grid, settings, CurrentFolder())) && ok;
  } else {
    const ListWriteResult written =
        WriteCsvList(grid, settings, platform::FullPath(options.output));
    if (!written.written) {
      messages.Notice(written.error);
      ok = false;
    }
  }
  return ok ? 0 : 1;
}

int RunPlaylist(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (options.relative) settings.AbsolutePath = true;
  Messages messages(settings, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  ok = SaveList(grid, settings, platform::FullPath(options.output), messages) && ok;
  return ok ? 0 : 1;
}

int RunApply(const Options& options, Settings settings, MessagePresenter& presenter) {
  // Nobody is there to answer; every file is written.
  settings.WriteConfirm = false;
  if (options.charset) settings.Charset = *options.charset;
  if (options.tagVersion) settings.WriteTagVersion = *options.tagVersion;
  Messages messages(settings, presenter);
  TrackGrid grid(settings.Columns);
  bool ok = AddAll(grid, options, messages);
  NullBusyIndicator busy;
  const SaveReport report = SaveChangedRows(grid, settings, messages, busy);
  if (report.failed > 0 || report.stopped) ok = false;
  return ok ? 0 : 1;
}

}  // namespace quilmark::cli
