#include "app/qt_busy_indicator.h"

#include <QApplication>
#include <QCursor>

namespace quilmark {

QtBusyIndicator::~QtBusyIndicator() {
  while (depth_ > 0) SetBusy(false);
}

void QtBusyIndicator::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++depth_;
  } else if (depth_ > 0) {
    QApplication::restoreOverrideCursor();
    --depth_;
  }
}

void QtBusyIndicator::SetStatusText(const std::string& text) {
  if (statusBar_.isNull()) return;
  statusBar_->showMessage(QString::fromStdString(text));
  if (statusBar_->isVisible()) statusBar_->repaint();
}

}  // namespace quilmark
