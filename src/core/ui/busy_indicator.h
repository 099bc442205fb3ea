// The hourglass and the status-bar text that long operations (adding
// files, writing tags, writing lists) show while they run.
#pragma once

#include <string>

namespace quilmark {

class BusyIndicator {
 public:
  virtual ~BusyIndicator() = default;
  virtual void SetBusy(bool busy) = 0;
  // Shown at once (the window repaints before the next file is written).
  virtual void SetStatusText(const std::string& text) = 0;
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
