// How far a long run over many files has come: what the progress window
// and the command line's progress line show, in one wording for both.
#pragma once

#include <string>

namespace quilmark {

struct RunProgress {
  enum class Task { Adding, Saving };
  Task task = Task::Adding;
  // Files known so far: found in folders and lists (Adding), or marked to
  // be written (Saving).
  int found = 0;
  // Files dealt with: read into rows, or written, refused or passed by.
  int done = 0;
  // Folders are still being walked, so `found` is still growing.
  bool searching = false;
};

std::string ProgressText(const RunProgress& progress);

}  // namespace quilmark
