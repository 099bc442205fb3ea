// What a save of the changed rows did, file by file. The save driver fills
// it; the window and the command-line program each present it their own
// way. Anything a later save has to tell the user about one file belongs in
// its outcome here.
#pragma once

#include <string>
#include <vector>

#include "tag/text_fallback.h"
#include "ui/file_report.h"

namespace quilmark {

enum class SaveStatus {
  Written,
  Skipped,         // the user answered No to the question
  Unreadable,      // the file is gone, cannot be opened, or is no regular file
  ReadOnly,        // refused: read-only (ForceWrite off), or this user may not write it
  NotMpegAudio,    // refused: no MP3 file, so no tag is put into it
  Failed,          // reading the old file or writing the new one failed
  TrackNotNumber,  // an ID3v1 block cannot hold the row's track; the run stopped
};

struct FileSaveOutcome {
  int row = 0;  // the grid row, as it was during the save
  std::string path;
  SaveStatus status = SaveStatus::Failed;
  // Why it was not written: the system's message or the program's own
  // reason ("the file is read-only"); empty when written or skipped.
  std::string reason;
  std::string track;  // the Track value, for TrackNotNumber
  // Identifiers of old frames a written file could not keep.
  std::vector<std::string> droppedFrames;
  // What a written file's text went into instead of the chosen charset (a
  // notice says so too).
  TextFallback fallback = TextFallback::None;
  // Anything else the user should know about a written file: a sentence
  // each, the same for every file it concerns.
  std::vector<std::string> notices;
};

struct SaveReport {
  std::vector<FileSaveOutcome> files;  // in row order, every file the run reached
  bool stopped = false;                // Cancel at the question, or TrackNotNumber
  bool userStopped = false;            // the progress window's cancel, or Ctrl+C
  int stillMarked = 0;                 // rows marked changed when the run ended

  int Count(SaveStatus status) const;
  int Written() const { return Count(SaveStatus::Written); }
  // Files that were to be written and were not (skipped ones excluded).
  int Failed() const;
  // Written files with something to tell (a notice, frames not kept).
  int WrittenWithNotice() const;
};

// The account of a run, one sentence a line: how many files were written
// (how many of them with a notice), not written, passed by at the question,
// and, when the run ended early, that it did and how many rows are still
// marked. The lines about files a run did not have are left out; a run
// that reached no file says so.
std::vector<std::string> SaveSummaryLines(const SaveReport& report);

// Whether the account has more to say than the status bar holds: a file
// not written, a notice about a written one, an early end. Frames an old
// tag could not keep are named in the status bar (DroppedFramesText).
bool NeedsAttention(const SaveReport& report);

// The status text a finished save leaves: "" or the notice naming the files
// whose old frames could not all be kept.
std::string DroppedFramesText(const SaveReport& report);

// What to tell about one file: why it was not written (MSG_CANNOT_OPEN for
// a file that could not be opened, MSG_CANNOT_WRITE for the others, each
// with its reason; the track an ID3v1 block cannot hold), its notices,
// and, with `droppedFrames`, the old frames it could not keep.
std::vector<FileReportLine> OutcomeLines(const FileSaveOutcome& outcome, bool droppedFrames);

// The notice for a row whose track an ID3v1 block cannot hold: the path,
// the value, and that no later file is written.
std::string TrackNotNumberText(const FileSaveOutcome& outcome);

}  // namespace quilmark
