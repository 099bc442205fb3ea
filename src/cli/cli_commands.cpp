#include "cli/cli_commands.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "bridge/add_files.h"
#include "bridge/name_plans.h"
#include "bridge/save_changed_rows.h"
#include "cli/save_report_lines.h"
#include "cli/stderr_presenter.h"
#include "lists/list_text.h"
#include "lists/list_writer.h"
#include "platform/paths.h"
#include "platform/terminal.h"
#include "tracklist/row_renames.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"

namespace quilmark::cli {

namespace {

// The exit status of a run that Ctrl+C stopped, as shells give it.
constexpr int kStoppedStatus = 130;

// No screen to show progress on; Ctrl+C is the way to stop.
class InterruptWatch : public NullBusyIndicator {
 public:
  bool StopRequested() override { return platform::Interrupted(); }
};

// Whether every name was added; none when Ctrl+C stopped the add (the run
// then ends without writing anything).
std::optional<bool> AddAll(TrackGrid& grid, const Options& options, Messages& messages) {
  InterruptWatch watch;
  UndoList undo;
  const AddFilesResult added = AddFiles(grid, options.names, messages, watch, undo);
  for (const FileReportLine& line : added.notAdded) {
    messages.Notice(FileReportText(line), MB_OK | MB_ICONINFORMATION);
  }
  if (added.stopped) {
    messages.Notice("中止しました。", MB_OK | MB_ICONINFORMATION);
    return std::nullopt;
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

// Nobody is there to answer: every file is written, in the charset and
// tag kind the options give for this run.
Settings ForWriting(const Options& options, Settings settings) {
  settings.WriteConfirm = false;
  if (options.charset) settings.Charset = *options.charset;
  if (options.tagKind) settings.WriteTagVersion = *options.tagKind;
  return settings;
}

// Writes every changed row, tells what was not written and gives the
// exit status of the run: 1 when a file was not written or `ok` is false.
int SaveAll(TrackGrid& grid, const Settings& settings, Messages& messages, bool ok) {
  InterruptWatch watch;
  const SaveReport report = SaveChangedRows(grid, settings.TagWrite(), messages, watch);
  PrintSaveReport(report);
  if (report.userStopped) return kStoppedStatus;
  return report.Failed() == 0 && !report.stopped && ok ? 0 : 1;
}

// A pattern that is none is bad usage, told before any file is read.
bool IsPattern(const std::string& pattern, PatternUse use) {
  const ParsedPattern parsed = NamePattern::Parse(pattern, use);
  if (!parsed.pattern) std::fprintf(stderr, "quilmark-cli: %s\n", OneLine(parsed.error).c_str());
  return parsed.pattern.has_value();
}

std::vector<int> EveryRow(const TrackGrid& grid) {
  std::vector<int> rows;
  for (int row = 1; row <= grid.FileRowCount(); ++row) rows.push_back(row);
  return rows;
}

// A row the command leaves alone for a reason: "path: reason" on standard
// error. False when there was one.
bool TellRefusal(const std::string& path, NameRowStatus status) {
  if (status == NameRowStatus::Changes || status == NameRowStatus::Unchanged) return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), std::string(StatusText(status)).c_str());
  return false;
}

std::string CurrentFolder() {
  std::string folder = platform::CurrentDirectory();
  if (folder.empty() || folder.back() != platform::kPathSeparator)
    folder += platform::kPathSeparator;
  return folder;
}

// The run has written what it was asked to: its files are closed and
// standard output is flushed here. The rows of a long list are many
// thousands of small blocks of memory; handing them back one by one would
// cost a noticeable part of a run that only reads them, and the system
// takes them back at once when the process ends.
[[noreturn]] void EndRun(int status) {
  if (std::fflush(nullptr) != 0 && status == 0) status = 1;
  std::_Exit(status);
}

}  // namespace

void RunExport(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (options.relative) settings.AbsolutePath = true;
  settings.CSV.fill(true);
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  const std::optional<bool> added = AddAll(grid, options, messages);
  if (!added) EndRun(kStoppedStatus);
  bool ok = *added;
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
  EndRun(ok ? 0 : 1);
}

void RunPlaylist(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (options.relative) settings.AbsolutePath = true;
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  const std::optional<bool> added = AddAll(grid, options, messages);
  if (!added) EndRun(kStoppedStatus);
  bool ok = *added;
  const ListWriteResult written =
      WriteList(grid, settings.ListWrite(), platform::FullPath(options.output));
  if (!written.error.empty()) {
    messages.Notice(written.error);
    ok = false;
  }
  EndRun(ok ? 0 : 1);
}

int RunApply(const Options& options, Settings settings, MessagePresenter& presenter) {
  settings = ForWriting(options, std::move(settings));
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  const std::optional<bool> added = AddAll(grid, options, messages);
  if (!added) return kStoppedStatus;
  return SaveAll(grid, settings, messages, *added);
}

// Every file's values go to standard output before anything is written,
// so a dry run and a real one print the same.
int RunFromName(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (!IsPattern(options.pattern, PatternUse::TagsFromNames)) return 2;
  settings = ForWriting(options, std::move(settings));
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  const std::optional<bool> added = AddAll(grid, options, messages);
  if (!added) return kStoppedStatus;
  bool ok = *added;
  const TagsFromNamesPlan plan = PlanTagsFromNames(grid, EveryRow(grid), options.pattern);
  for (const TagsFromNamesPlan::Row& row : plan.rows) {
    ok = TellRefusal(grid.FullPathOf(row.row), row.status) && ok;
    if (row.status != NameRowStatus::Changes) continue;
    std::string line = grid.FullPathOf(row.row);
    for (std::size_t i = 0; i < plan.fields.size(); ++i) {
      line += "\t" + std::string(PlaceholderName(plan.fields[i])) + "=" + row.values[i];
    }
    std::printf("%s\n", line.c_str());
  }
  std::fflush(stdout);
  if (options.dryRun) return ok ? 0 : 1;
  UndoList undo;
  ApplyChanges(grid, undo, plan.changes);
  return SaveAll(grid, settings, messages, ok);
}

int RunRename(const Options& options, Settings settings, MessagePresenter& presenter) {
  if (!IsPattern(options.pattern, PatternUse::NamesFromTags)) return 2;
  Messages messages(settings.WriteConfirm, presenter);
  TrackGrid grid(settings.Columns);
  const std::optional<bool> added = AddAll(grid, options, messages);
  if (!added) return kStoppedStatus;
  bool ok = *added;
  const RenamePlan plan = PlanRenames(grid, EveryRow(grid), options.pattern);
  for (const RenamePlan::Row& row : plan.rows) ok = TellRefusal(row.from, row.status) && ok;
  std::vector<RenameRecord> done = plan.renames;
  if (!options.dryRun) {
    UndoList undo;
    RowRenames renamed = RenameRowFiles(grid, undo, plan.renames);
    for (const FileReportLine& refused : renamed.refused) {
      std::fprintf(stderr, "%s\n", OneLine(FileReportText(refused)).c_str());
      ok = false;
    }
    done = std::move(renamed.done);
  }
  for (const RenameRecord& rename : done) {
    std::printf("%s\t%s\n", rename.from.c_str(), rename.to.c_str());
  }
  std::fflush(stdout);
  return ok ? 0 : 1;
}

}  // namespace quilmark::cli
