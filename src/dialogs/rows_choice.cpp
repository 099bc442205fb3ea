#include "dialogs/rows_choice.h"

#include <QHBoxLayout>
#include <QRadioButton>

namespace quilmark {

RowsChoice::RowsChoice(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  selected_ = new QRadioButton(QStringLiteral("選択した行(&S)"), this);
  selected_->setObjectName("rbSelected");
  all_ = new QRadioButton(QStringLiteral("すべての行(&A)"), this);
  all_->setObjectName("rbAll");
  auto* rows = new QHBoxLayout(this);
  rows->addWidget(selected_);
  rows->addWidget(all_);
  rows->addStretch();
}

void RowsChoice::Set(bool rowsSelected, bool selectedOnly) {
  selected_->setEnabled(rowsSelected);
  (rowsSelected && selectedOnly ? selected_ : all_)->setChecked(true);
}

bool RowsChoice::SelectedOnly() const { return selected_->isChecked(); }

}  // namespace quilmark
