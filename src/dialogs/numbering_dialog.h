// Track numbering: the first number, "n/total", leading zeros and the rows.
// Knows nothing about the grid.
#pragma once

#include <QDialog>

#include "bulk/number_tracks.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace quilmark {

class RowsChoice;

// Runs the dialog once, modally, on `options`; "the selected rows" can be
// chosen only when `selectedRows` is not 0. True on OK; `options` then
// holds the choices. False leaves them untouched.
bool AskNumbering(QWidget* parent, NumberingOptions& options, int selectedRows, int allRows);

// The dialog itself; controls are named "seStart", "cbTotal", "cbZeros",
// "seDigits", "rbSelected", "rbAll", "lbSample", "btnOK", "btnCancel".
class TFormQUILMARKNumber : public QDialog {
  Q_OBJECT
 public:
  explicit TFormQUILMARKNumber(QWidget* parent = nullptr);

  void SetOptions(const NumberingOptions& options, int selectedRows, int allRows);
  NumberingOptions Options() const;

 private:
  void UpdateSample();

  QSpinBox* seStart_;
  QCheckBox* cbTotal_;
  QCheckBox* cbZeros_;
  QSpinBox* seDigits_;
  RowsChoice* rows_;
  QLabel* lbSample_;
  int selectedRows_ = 0;
  int allRows_ = 0;
};

}  // namespace quilmark
