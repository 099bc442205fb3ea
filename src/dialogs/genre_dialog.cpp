#include "dialogs/genre_dialog.h"

#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>

#include "tag/genre_table.h"

namespace quilmark {

namespace {

// Sub-item columns: the caption is shown; the bare name and the number ride
// along in hidden columns.
constexpr int kCaptionColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kNumberColumn = 2;

QString Qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFormQUILMARKv2Genre::TFormQUILMARKv2Genre(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("ジャンル選択"));
  setWindowFlag(Qt::Tool, true);
  setSizeGripEnabled(true);

  lv_ = new QTreeWidget(this);
  lv_->setObjectName("lv");
  lv_->setColumnCount(3);
  lv_->setHeaderHidden(true);
  lv_->setRootIsDecorated(false);
  lv_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lv_->setSelectionMode(QAbstractItemView::SingleSelection);
  lv_->setColumnHidden(kNameColumn, true);
  lv_->setColumnHidden(kNumberColumn, true);
  lv_->header()->setStretchLastSection(false);
  lv_->header()->setSectionResizeMode(kCaptionColumn, QHeaderView::Stretch);
  for (int n = 0; n < kGenreCount; ++n) {
    const QString name = Qs(GenreName(n));
    auto* item = new QTreeWidgetItem(lv_);
    item->setText(kCaptionColumn, QString::asprintf("%03d : ", n) + name);
    item->setText(kNameColumn, name);
    item->setText(kNumberColumn, QString::number(n));
  }
  lv_->setCurrentItem(nullptr);
  lv_->clearSelection();
  // A double-click anywhere in the list confirms, not only on an item.
  lv_->viewport()->installEventFilter(this);

  ed_ = new QLineEdit(this);
  ed_->setObjectName("ed");

  btnOK_ = new QPushButton(QStringLiteral("OK"), this);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName("btnCancel");

  lv_->setGeometry(8, 8, kDesignWidth - 16, kDesignHeight - 80);
  ed_->setGeometry(8, kDesignHeight - 64, kDesignWidth - 16, 20);
  btnOK_->setGeometry(kDesignWidth - 160, kDesignHeight - 32, 74, 24);
  btnCancel_->setGeometry(kDesignWidth - 80, kDesignHeight - 32, 74, 24);
  setTabOrder(lv_, ed_);
  setTabOrder(ed_, btnOK_);
  setTabOrder(btnOK_, btnCancel_);

  connect(lv_, &QTreeWidget::itemSelectionChanged, this, &TFormQUILMARKv2Genre::lvSelectItem);
  connect(lv_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item, int) { lvClick(item); });
  connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

  resize(kDesignWidth, kDesignHeight);
  setMinimumSize(kDesignWidth, kDesignHeight);
}

QString TFormQUILMARKv2Genre::Text() const { return ed_->text(); }

void TFormQUILMARKv2Genre::SetText(const QString& text) { ed_->setText(text); }

void TFormQUILMARKv2Genre::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

bool TFormQUILMARKv2Genre::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lv_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    lvDblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormQUILMARKv2Genre::FormResize() {
  const int w = width();
  const int h = height();
  ed_->setGeometry(ed_->x(), h - 64, w - 16, ed_->height());
  lv_->resize(w - 16, h - 80);
  btnOK_->move(w - 160, h - 32);
  btnCancel_->move(w - 80, h - 32);
}

void TFormQUILMARKv2Genre::lvSelectItem() {
  const QList<QTreeWidgetItem*> selected = lv_->selectedItems();
  if (!selected.isEmpty()) ed_->setText(selected.front()->text(kNameColumn));
}

void TFormQUILMARKv2Genre::lvClick(QTreeWidgetItem* item) {
  if (item != nullptr && item->isSelected()) ed_->setText(item->text(kNameColumn));
}

void TFormQUILMARKv2Genre::lvDblClick() {
  // The pressed item was selected by the first click, so `ed` already holds it.
  accept();
}

bool SelectGenre(QWidget* parent, std::string& genre) {
  TFormQUILMARKv2Genre dialog(parent);
  dialog.SetText(QString::fromStdString(genre));
  if (dialog.exec() != QDialog::Accepted) return false;
  genre = dialog.Text().toStdString();
  return true;
}

}  // namespace quilmark
