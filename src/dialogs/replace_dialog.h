// Find and replace: what to find, what to put instead, how to match, the
// rows and the columns. Knows nothing about the grid.
#pragma once

#include <QDialog>

#include "bulk/find_replace.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quilmark {

class RowsChoice;

// Runs the dialog once, modally, on `options`; "the selected rows" can be
// chosen only when `rowsSelected`. True when the user chose to replace;
// `options` then holds the choices. False leaves them untouched.
bool AskFindReplace(QWidget* parent, FindReplaceOptions& options, bool rowsSelected);

// The dialog itself; controls are named "edFind", "edReplace", "cbRegex",
// "cbCase", "rbSelected", "rbAll", "lvColumns", "btnReplace", "btnCancel".
class TFormQUILMARKReplace : public QDialog {
  Q_OBJECT
 public:
  explicit TFormQUILMARKReplace(QWidget* parent = nullptr);

  void SetOptions(const FindReplaceOptions& options, bool rowsSelected);
  FindReplaceOptions Options() const;

 private:
  void UpdateButton();

  QLineEdit* edFind_;
  QLineEdit* edReplace_;
  QCheckBox* cbRegex_;
  QCheckBox* cbCase_;
  RowsChoice* rows_;
  QListWidget* lvColumns_;
  QPushButton* btnReplace_;
};

}  // namespace quilmark
