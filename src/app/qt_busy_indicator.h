// The hourglass, the status-bar progress text of long runs, and the
// progress window of runs over many files. The status text is painted at
// once: the run keeps the event loop busy until it ends. The progress
// window appears only when a run takes a while; from then on the run lets
// the window's events through between files, and the window, modal, lets
// the user do nothing but watch and press its cancel button.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <chrono>

#include "ui/busy_indicator.h"

namespace quilmark {

class QtBusyIndicator : public BusyIndicator {
 public:
  explicit QtBusyIndicator(QStatusBar* statusBar = nullptr) : statusBar_(statusBar) {}
  ~QtBusyIndicator() override;
  void SetStatusBar(QStatusBar* statusBar) { statusBar_ = statusBar; }
  // How long a run goes before its progress window appears, and how often
  // the window is brought up to date after that.
  void SetProgressPace(std::chrono::milliseconds delay, std::chrono::milliseconds interval) {
    delay_ = delay;
    interval_ = interval;
  }
  // The progress window while one is shown (tests press its button).
  QProgressDialog* ProgressWindow() const { return dialog_; }

  void SetBusy(bool busy) override;
  void SetStatusText(const std::string& text) override;
  void ShowProgress(const RunProgress& progress) override;
  bool StopRequested() override { return stopRequested_; }

 private:
  void EndRun();

  QPointer<QStatusBar> statusBar_;
  int depth_ = 0;  // nested runs share one override cursor each
  std::chrono::milliseconds delay_{500};
  std::chrono::milliseconds interval_{50};
  QElapsedTimer runTime_;     // since the run's first progress
  QElapsedTimer sinceShown_;  // since the window was last brought up to date
  QPointer<QProgressDialog> dialog_;
  bool stopRequested_ = false;
};

}  // namespace quilmark
