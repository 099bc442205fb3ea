// The pattern for tags from file names or file names from tags, with a
// table of what it would do to each selected row, kept up to date as the
// pattern is typed. Knows nothing about the grid: the preview comes from
// the caller.
#pragma once

#include <QDialog>
#include <string>

#include "bridge/name_dialogs.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace quilmark {

class NamePreviewModel;

// Runs the dialog once, modally. True when the user confirmed; `pattern`
// then holds the pattern confirmed. False leaves it untouched.
bool AskNamePattern(QWidget* parent, PatternUse use, std::string& pattern,
                    const NameDialogs::Preview& preview);

// The dialog itself; controls are named "cmbPattern", "lvPreview",
// "lblResult", "btnOK", "btnCancel".
class TFormQUILMARKNamePattern : public QDialog {
  Q_OBJECT
 public:
  TFormQUILMARKNamePattern(PatternUse use, NameDialogs::Preview preview, QWidget* parent = nullptr);

  void SetPattern(const std::string& pattern);
  std::string Pattern() const;
  // Shows the preview of the pattern as it stands now (typing shows it
  // after a short pause).
  void UpdatePreview();

 private:
  NameDialogs::Preview preview_;
  QComboBox* cmbPattern_;
  QTableView* lvPreview_;
  NamePreviewModel* model_;
  QLabel* lblResult_;
  QPushButton* btnOK_;
  QTimer* pause_;
};

}  // namespace quilmark
