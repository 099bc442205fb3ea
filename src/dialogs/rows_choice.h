// "The selected rows" or "all rows", as the commands over many rows offer
// the choice: the first only while several rows are selected.
#pragma once

#include <QGroupBox>

class QRadioButton;

namespace quilmark {

class RowsChoice : public QGroupBox {
  Q_OBJECT
 public:
  // Radio buttons named "rbSelected" and "rbAll".
  RowsChoice(const QString& title, QWidget* parent);

  void Set(bool rowsSelected, bool selectedOnly);
  bool SelectedOnly() const;
  QRadioButton* All() const { return all_; }

 private:
  QRadioButton* selected_;
  QRadioButton* all_;
};

}  // namespace quilmark
