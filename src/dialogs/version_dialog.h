// The version information dialog: icon, title, and the file version and
// copyright read from the program's own file each time it is shown.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <string>

class QLabel;

namespace quilmark {

// Creates the dialog owned by `owner` (the main window), runs it modally and
// destroys it.
void ShowVersionDialog(QWidget* owner);

// Where a dialog of `dialog` size goes over a window at `main`: half the
// difference, rounded towards minus infinity, from the main window's corner.
QPoint CentredOrigin(const QRect& main, const QSize& dialog);

// Controls: "Image1", "Label_Title", "Label1", "Label_Version", "Label_Copy",
// "Label2", "Label_Mail", "Label_Mail2", "Button1".
class TFormVersion : public QDialog {
  Q_OBJECT
 public:
  // `programPath` is the file whose version block is shown; empty means the
  // running program.
  explicit TFormVersion(QWidget* owner = nullptr, std::string programPath = {});

  static constexpr int kDesignWidth = 346;
  static constexpr int kDesignHeight = 113;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  std::string programPath_;
  QLabel* Image1_;
  QLabel* Label_Title_;
  QLabel* Label_Version_;
  QLabel* Label_Copy_;
};

}  // namespace quilmark
