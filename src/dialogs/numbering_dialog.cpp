#include "dialogs/numbering_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/rows_choice.h"

namespace quilmark {

namespace {

constexpr int kDefaultDigits = 2;

}  // namespace

TFormQUILMARKNumber::TFormQUILMARKNumber(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("トラック番号を付ける"));

  seStart_ = new QSpinBox(this);
  seStart_->setObjectName("seStart");
  seStart_->setRange(0, 9999);
  cbTotal_ = new QCheckBox(QStringLiteral("総数を付ける（3/12 の形）(&T)"), this);
  cbTotal_->setObjectName("cbTotal");
  cbZeros_ = new QCheckBox(QStringLiteral("先頭を 0 で埋める(&Z)"), this);
  cbZeros_->setObjectName("cbZeros");
  seDigits_ = new QSpinBox(this);
  seDigits_->setObjectName("seDigits");
  seDigits_->setRange(2, 4);
  seDigits_->setSuffix(QStringLiteral(" 桁"));
  rows_ = new RowsChoice(QStringLiteral("行（一覧の上から順に）"), this);
  lbSample_ = new QLabel(this);
  lbSample_->setObjectName("lbSample");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout;
  auto* startLabel = new QLabel(QStringLiteral("最初の番号(&N):"), this);
  startLabel->setBuddy(seStart_);
  form->addRow(startLabel, seStart_);
  auto* zeros = new QHBoxLayout;
  zeros->addWidget(cbZeros_);
  zeros->addWidget(seDigits_);
  zeros->addStretch();
  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(cbTotal_);
  all->addLayout(zeros);
  all->addWidget(rows_);
  all->addWidget(lbSample_);
  all->addWidget(buttons);

  connect(seStart_, &QSpinBox::valueChanged, this, &TFormQUILMARKNumber::UpdateSample);
  connect(seDigits_, &QSpinBox::valueChanged, this, &TFormQUILMARKNumber::UpdateSample);
  connect(cbTotal_, &QCheckBox::toggled, this, &TFormQUILMARKNumber::UpdateSample);
  connect(cbZeros_, &QCheckBox::toggled, this, &TFormQUILMARKNumber::UpdateSample);
  connect(rows_->All(), &QRadioButton::toggled, this, &TFormQUILMARKNumber::UpdateSample);
}

void TFormQUILMARKNumber::SetOptions(const NumberingOptions& options, int selectedRows,
                                     int allRows) {
  selectedRows_ = selectedRows;
  allRows_ = allRows;
  const bool rowsSelected = selectedRows > 0;
  seStart_->setValue(options.start);
  cbTotal_->setChecked(options.withTotal);
  cbZeros_->setChecked(options.digits > 0);
  seDigits_->setValue(options.digits > 0 ? options.digits : kDefaultDigits);
  rows_->Set(rowsSelected, options.selectedRowsOnly);
  UpdateSample();
}

NumberingOptions TFormQUILMARKNumber::Options() const {
  NumberingOptions options;
  options.start = seStart_->value();
  options.withTotal = cbTotal_->isChecked();
  options.digits = cbZeros_->isChecked() ? seDigits_->value() : 0;
  options.selectedRowsOnly = rows_->SelectedOnly();
  return options;
}

void TFormQUILMARKNumber::UpdateSample() {
  seDigits_->setEnabled(cbZeros_->isChecked());
  const NumberingOptions options = Options();
  const int rows = options.selectedRowsOnly ? selectedRows_ : allRows_;
  const int last = options.start + std::max(rows, 1) - 1;
  auto number = [&](int n) { return QString::fromStdString(TrackNumberText(n, last, options)); };
  lbSample_->setText(
      rows > 1 ? QStringLiteral("%1 行: %2 … %3").arg(rows).arg(number(options.start), number(last))
               : QStringLiteral("1 行: %1").arg(number(options.start)));
}

bool AskNumbering(QWidget* parent, NumberingOptions& options, int selectedRows, int allRows) {
  TFormQUILMARKNumber dialog(parent);
  dialog.SetOptions(options, selectedRows, allRows);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.Options();
  return true;
}

}  // namespace quilmark
