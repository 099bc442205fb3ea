// The hourglass and the status-bar progress text of long runs. The text is
// painted at once: the run keeps the event loop busy until it ends.
#pragma once

#include <QPointer>
#include <QStatusBar>

#include "ui/busy_indicator.h"

namespace quilmark {

class QtBusyIndicator : public BusyIndicator {
 public:
  explicit QtBusyIndicator(QStatusBar* statusBar = nullptr) : statusBar_(statusBar) {}
  ~QtBusyIndicator() override;
  void SetStatusBar(QStatusBar* statusBar) { statusBar_ = statusBar; }

  void SetBusy(bool busy) override;
  void SetStatusText(const std::string& text) override;

 private:
  QPointer<QStatusBar> statusBar_;
  int depth_ = 0;  // nested runs share one override cursor each
};

}  // namespace quilmark
