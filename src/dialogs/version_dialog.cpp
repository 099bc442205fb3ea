#include "dialogs/version_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "platform/version_info.h"
#include "ui/msgbox.h"

namespace quilmark {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

QPoint CentredOrigin(const QRect& main, const QSize& dialog) {
  // >> on a negative difference rounds towards minus infinity, which is what
  // places a dialog wider than the window.
  return {main.left() + ((main.width() - dialog.width()) >> 1),
          main.top() + ((main.height() - dialog.height()) >> 1)};
}

TFormVersion::TFormVersion(QWidget* owner, std::string programPath)
    : QDialog(owner), programPath_(std::move(programPath)) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  setFixedSize(kDesignWidth, kDesignHeight);

  Image1_ = new QLabel(this);
  Image1_->setObjectName("Image1");
  Image1_->setGeometry(8, 8, 32, 32);
  Label_Title_ = MakeLabel(this, "Label_Title", QString(), {48, 8, 201, 17});
  MakeLabel(this, "Label1", QStringLiteral("Version"), {48, 24, 41, 17});
  Label_Version_ = MakeLabel(this, "Label_Version", QStringLiteral("x.xx"), {96, 24, 73, 17});
  Label_Copy_ =
      MakeLabel(this, "Label_Copy", QStringLiteral("Copyright (C) QUIL"), {48, 48, 217, 17});
  MakeLabel(this, "Label2", QStringLiteral("連絡先"), {48, 72, 49, 17});
  MakeLabel(this, "Label_Mail", QStringLiteral("QUIL ソフトウェア"), {104, 72, 145, 17});
  MakeLabel(this, "Label_Mail2", QStringLiteral("quilmark@example.org"), {104, 88, 145, 12});

  auto* button = new QPushButton(QStringLiteral("OK"), this);
  button->setObjectName("Button1");
  button->setGeometry(264, 8, 75, 25);
  button->setDefault(true);
  // Esc closes the dialog as well; nobody looks at the result.
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormVersion::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormVersion::FormShow() {
  if (QWidget* main = parentWidget() ? parentWidget()->window() : nullptr) {
    move(CentredOrigin(main->frameGeometry(), frameGeometry().size()));
  }
  const QIcon icon = QApplication::windowIcon();
  if (!icon.isNull()) {
    const QPixmap picture = icon.pixmap(32, 32);
    Image1_->setPixmap(picture);
    Image1_->resize(picture.size());
  }
  Label_Title_->setText(QString::fromUtf8(kApplicationTitle));

  const std::string path = programPath_.empty() ? platform::OwnProgramPath() : programPath_;
  const auto info = platform::ReadVersionInfo(path);
  if (!info) return;  // no block: the design texts stay
  const platform::VersionStrings strings = platform::QueryVersionStrings(*info);
  if (strings.fileVersion) Label_Version_->setText(QString::fromStdString(*strings.fileVersion));
  if (strings.legalCopyright) {
    Label_Copy_->setText(QString::fromStdString(*strings.legalCopyright));
  }
}

void ShowVersionDialog(QWidget* owner) {
  TFormVersion dialog(owner);
  dialog.exec();
}

}  // namespace quilmark
