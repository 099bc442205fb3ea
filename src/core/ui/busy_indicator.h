// The hourglass and the status-bar text that long operations (adding
// files, writing tags, writing lists) show while they run, and, for the
// runs over many files, their progress and the user's wish to stop them.
#pragma once

#include <string>

#include "ui/run_progress.h"

namespace quilmark {

class BusyIndicator {
 public:
  virtual ~BusyIndicator() = default;
  virtual void SetBusy(bool busy) = 0;
  // Shown at once (the window repaints before the next file is written).
  virtual void SetStatusText(const std::string& text) = 0;
  // Told between files while a run over many files goes on; a screen
  // shows it with a way to stop the run (a cancel button, Ctrl+C).
  virtual void ShowProgress(const RunProgress& progress) {}
  // Whether the user asked to stop the run. Asked between files only, so
  // that no file is ever left half done; the run then ends where it is,
  // keeping what it did, and says so in its account.
  virtual bool StopRequested() { return false; }
};

class NullBusyIndicator : public BusyIndicator {
 public:
  void SetBusy(bool) override {}
  void SetStatusText(const std::string&) override {}
};

// Shows the hourglass for one scope.
class BusyScope {
 public:
  explicit BusyScope(BusyIndicator& indicator) : indicator_(indicator) { indicator_.SetBusy(true); }
  ~BusyScope() { indicator_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyIndicator& indicator_;
};

}  // namespace quilmark
