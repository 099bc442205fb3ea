#include "dialogs/name_pattern_dialog.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace quilmark {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// What a user starts from; the last pattern used comes first.
constexpr const char* kSamples[] = {
    "%track% - %artist% - %title%",
    "%artist% - %title%",
    "%track% %title%",
    "%track%. %title%",
    "%artist% - %album% - %track% - %title%",
};

QString PlaceholderList(PatternUse use) {
  QString list;
  for (int k = 0; k < kFieldCount; ++k) {
    const std::string_view name = PlaceholderName(FieldOfIndex(static_cast<std::size_t>(k)));
    if (!name.empty()) list += QStringLiteral(" %") + Q(name) + QStringLiteral("%");
  }
  if (use == PatternUse::TagsFromNames) list += QStringLiteral(" %dummy%（読み飛ばす文字）");
  return QStringLiteral("使える項目:") + list;
}

}  // namespace

// The preview as a table; a row the command would leave alone shows its
// reason in grey, one it cannot do in red.
class NamePreviewModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Show(NamePreview preview) {
    beginResetModel();
    preview_ = std::move(preview);
    endResetModel();
  }
  const NamePreview& Shown() const { return preview_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(preview_.lines.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(preview_.headers.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount({}) || index.column() >= columnCount({})) {
      return {};
    }
    const std::vector<std::string>& line = preview_.lines[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return Q(line[static_cast<std::size_t>(index.column())]);
    if (role == Qt::ForegroundRole && index.column() + 1 == columnCount({})) {
      if (line.back() == StatusText(NameRowStatus::Changes)) return {};
      if (line.back() == StatusText(NameRowStatus::Unchanged)) return QBrush(Qt::gray);
      return QBrush(Qt::red);
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columnCount({})) return {};
    return Q(preview_.headers[static_cast<std::size_t>(section)]);
  }

 private:
  NamePreview preview_;
};

TFormQUILMARKNamePattern::TFormQUILMARKNamePattern(PatternUse use, NameDialogs::Preview preview,
                                                   QWidget* parent)
    : QDialog(parent), preview_(std::move(preview)) {
  const bool reading = use == PatternUse::TagsFromNames;
  setWindowTitle(reading ? QStringLiteral("ファイル名からタグを設定")
                         : QStringLiteral("タグからファイル名を変更"));
  setSizeGripEnabled(true);

  cmbPattern_ = new QComboBox(this);
  cmbPattern_->setObjectName("cmbPattern");
  cmbPattern_->setEditable(true);
  cmbPattern_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* sample : kSamples) cmbPattern_->addItem(QString::fromUtf8(sample));
  auto* patternLabel = new QLabel(QStringLiteral("パターン(&P):"), this);
  patternLabel->setBuddy(cmbPattern_);
  auto* placeholders = new QLabel(PlaceholderList(use), this);
  placeholders->setWordWrap(true);
  placeholders->setTextInteractionFlags(Qt::TextSelectableByMouse);

  model_ = new NamePreviewModel(this);
  lvPreview_ = new QTableView(this);
  lvPreview_->setObjectName("lvPreview");
  lvPreview_->setModel(model_);
  lvPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvPreview_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvPreview_->horizontalHeader()->setStretchLastSection(true);
  lvPreview_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  auto* previewLabel = new QLabel(QStringLiteral("結果の確認(&V):"), this);
  previewLabel->setBuddy(lvPreview_);
  lblResult_ = new QLabel(this);
  lblResult_->setObjectName("lblResult");
  lblResult_->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  btnOK_ = buttons->addButton(
      reading ? QStringLiteral("タグを設定(&S)") : QStringLiteral("名前を変更(&R)"),
      QDialogButtonBox::AcceptRole);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* patternRow = new QHBoxLayout;
  patternRow->addWidget(patternLabel);
  patternRow->addWidget(cmbPattern_, 1);
  auto* all = new QVBoxLayout(this);
  all->addLayout(patternRow);
  all->addWidget(placeholders);
  all->addWidget(previewLabel);
  all->addWidget(lvPreview_, 1);
  all->addWidget(lblResult_);
  all->addWidget(buttons);

  // A list of thousands of files is read again only once typing pauses.
  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(200);
  connect(pause_, &QTimer::timeout, this, &TFormQUILMARKNamePattern::UpdatePreview);
  // Until then the button waits: what it confirms is always what was shown.
  connect(cmbPattern_, &QComboBox::editTextChanged, this, [this] {
    btnOK_->setEnabled(false);
    pause_->start();
  });
  resize(560, 400);
}

void TFormQUILMARKNamePattern::SetPattern(const std::string& pattern) {
  const QString text = QString::fromStdString(pattern);
  const int known = cmbPattern_->findText(text);
  if (known >= 0) cmbPattern_->removeItem(known);
  cmbPattern_->insertItem(0, text);
  cmbPattern_->setCurrentIndex(0);
  UpdatePreview();
}

std::string TFormQUILMARKNamePattern::Pattern() const {
  return cmbPattern_->currentText().toStdString();
}

void TFormQUILMARKNamePattern::UpdatePreview() {
  pause_->stop();
  model_->Show(preview_(Pattern()));
  lvPreview_->resizeColumnsToContents();
  const NamePreview& shown = model_->Shown();
  if (!shown.error.empty()) {
    lblResult_->setStyleSheet(QStringLiteral("color: red"));
    lblResult_->setText(Q(shown.error));
  } else {
    lblResult_->setStyleSheet({});
    lblResult_->setText(QString::number(shown.changing) + QStringLiteral(" / ") +
                        QString::number(shown.lines.size()) + QStringLiteral(" 行を変更します。"));
  }
  btnOK_->setEnabled(shown.error.empty() && shown.changing > 0);
}

bool AskNamePattern(QWidget* parent, PatternUse use, std::string& pattern,
                    const NameDialogs::Preview& preview) {
  TFormQUILMARKNamePattern dialog(use, preview, parent);
  dialog.SetPattern(pattern);
  if (dialog.exec() != QDialog::Accepted) return false;
  pattern = dialog.Pattern();
  return true;
}

}  // namespace quilmark
