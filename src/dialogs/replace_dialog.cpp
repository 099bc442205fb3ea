#include "dialogs/replace_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "bulk/target_cells.h"
#include "dialogs/rows_choice.h"

namespace quilmark {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

TFormQUILMARKReplace::TFormQUILMARKReplace(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("検索と置換"));
  setSizeGripEnabled(true);

  edFind_ = new QLineEdit(this);
  edFind_->setObjectName("edFind");
  edReplace_ = new QLineEdit(this);
  edReplace_->setObjectName("edReplace");
  cbRegex_ = new QCheckBox(QStringLiteral("正規表現(&E)"), this);
  cbRegex_->setObjectName("cbRegex");
  cbRegex_->setToolTip(
      QStringLiteral("置換後の文字列では $1 が 1 番目の ( ) に合った文字列です。"));
  cbCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
  cbCase_->setObjectName("cbCase");
  rows_ = new RowsChoice(QStringLiteral("行"), this);
  lvColumns_ = new QListWidget(this);
  lvColumns_->setObjectName("lvColumns");
  for (Field f : ChangeableFields()) {
    auto* item = new QListWidgetItem(Q(FieldHeader(f)), lvColumns_);
    item->setData(Qt::UserRole, static_cast<int>(f));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }

  auto* buttons = new QDialogButtonBox(this);
  btnReplace_ = buttons->addButton(QStringLiteral("すべて置換(&P)"), QDialogButtonBox::AcceptRole);
  btnReplace_->setObjectName("btnReplace");
  btnReplace_->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* texts = new QFormLayout;
  auto* findLabel = new QLabel(QStringLiteral("検索する文字列(&F):"), this);
  findLabel->setBuddy(edFind_);
  auto* replaceLabel = new QLabel(QStringLiteral("置換後の文字列(&R):"), this);
  replaceLabel->setBuddy(edReplace_);
  texts->addRow(findLabel, edFind_);
  texts->addRow(replaceLabel, edReplace_);
  auto* match = new QHBoxLayout;
  match->addWidget(cbRegex_);
  match->addWidget(cbCase_);
  match->addStretch();
  auto* columnsLabel = new QLabel(QStringLiteral("列(&L):"), this);
  columnsLabel->setBuddy(lvColumns_);
  auto* all = new QVBoxLayout(this);
  all->addLayout(texts);
  all->addLayout(match);
  all->addWidget(rows_);
  all->addWidget(columnsLabel);
  all->addWidget(lvColumns_, 1);
  all->addWidget(buttons);

  connect(edFind_, &QLineEdit::textChanged, this, &TFormQUILMARKReplace::UpdateButton);
  connect(lvColumns_, &QListWidget::itemChanged, this, &TFormQUILMARKReplace::UpdateButton);
  resize(360, 420);
}

void TFormQUILMARKReplace::SetOptions(const FindReplaceOptions& options, bool rowsSelected) {
  edFind_->setText(QString::fromStdString(options.find));
  edFind_->selectAll();
  edReplace_->setText(QString::fromStdString(options.replace));
  cbRegex_->setChecked(options.regex);
  cbCase_->setChecked(options.caseSensitive);
  rows_->Set(rowsSelected, options.selectedRowsOnly);
  for (int i = 0; i < lvColumns_->count(); ++i) {
    QListWidgetItem* item = lvColumns_->item(i);
    const auto f = static_cast<Field>(item->data(Qt::UserRole).toInt());
    const bool chosen =
        std::find(options.fields.begin(), options.fields.end(), f) != options.fields.end();
    item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
  }
  UpdateButton();
}

FindReplaceOptions TFormQUILMARKReplace::Options() const {
  FindReplaceOptions options;
  options.find = edFind_->text().toStdString();
  options.replace = edReplace_->text().toStdString();
  options.regex = cbRegex_->isChecked();
  options.caseSensitive = cbCase_->isChecked();
  options.selectedRowsOnly = rows_->SelectedOnly();
  for (int i = 0; i < lvColumns_->count(); ++i) {
    const QListWidgetItem* item = lvColumns_->item(i);
    if (item->checkState() == Qt::Checked) {
      options.fields.push_back(static_cast<Field>(item->data(Qt::UserRole).toInt()));
    }
  }
  return options;
}

// Nothing to find, or nowhere to look: nothing to do.
void TFormQUILMARKReplace::UpdateButton() {
  bool anyColumn = false;
  for (int i = 0; i < lvColumns_->count(); ++i) {
    anyColumn = anyColumn || lvColumns_->item(i)->checkState() == Qt::Checked;
  }
  btnReplace_->setEnabled(anyColumn && !edFind_->text().isEmpty());
}

bool AskFindReplace(QWidget* parent, FindReplaceOptions& options, bool rowsSelected) {
  TFormQUILMARKReplace dialog(parent);
  dialog.SetOptions(options, rowsSelected);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.Options();
  return true;
}

}  // namespace quilmark
