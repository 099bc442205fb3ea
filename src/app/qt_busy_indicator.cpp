#include "app/qt_busy_indicator.h"

#include <QApplication>
#include <QCursor>

namespace quilmark {

QtBusyIndicator::~QtBusyIndicator() {
  while (depth_ > 0) SetBusy(false);
  EndRun();
}

void QtBusyIndicator::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++depth_;
  } else if (depth_ > 0) {
    QApplication::restoreOverrideCursor();
    if (--depth_ == 0) EndRun();
  }
}

void QtBusyIndicator::EndRun() {
  delete dialog_.data();
  runTime_.invalidate();
  sinceShown_.invalidate();
  stopRequested_ = false;
}

void QtBusyIndicator::SetStatusText(const std::string& text) {
  if (statusBar_.isNull()) return;
  statusBar_->showMessage(QString::fromStdString(text));
  if (statusBar_->isVisible()) statusBar_->repaint();
}

void QtBusyIndicator::ShowProgress(const RunProgress& progress) {
  if (!runTime_.isValid()) runTime_.start();
  if (dialog_.isNull()) {
    if (runTime_.elapsed() < delay_.count()) return;
    QWidget* window = statusBar_.isNull() ? nullptr : statusBar_->window();
    dialog_ = new QProgressDialog(window);
    dialog_->setObjectName("progress");
    dialog_->setWindowTitle(window ? window->windowTitle() : QString());
    dialog_->setCancelButtonText(QStringLiteral("中止"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setMinimumWidth(420);
    QObject::connect(dialog_, &QProgressDialog::canceled, [this] { stopRequested_ = true; });
    dialog_->show();
  } else if (sinceShown_.isValid() && sinceShown_.elapsed() < interval_.count()) {
    return;
  }
  dialog_->setLabelText(QString::fromStdString(ProgressText(progress)));
  // While folders are still walked the total is unknown: a busy bar.
  dialog_->setRange(0, progress.searching ? 0 : std::max(progress.found, 1));
  dialog_->setValue(progress.searching ? 0 : progress.done);
  QCoreApplication::processEvents();
  sinceShown_.start();
}

}  // namespace quilmark
