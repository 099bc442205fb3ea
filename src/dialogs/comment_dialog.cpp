#include "dialogs/comment_dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace quilmark {

namespace {

// The language box takes at most three typed characters, yet shows a longer
// stored language as it is: QLineEdit's maxLength would cut that, so the
// limit is put on the user's edits alone (typing, pasting, dropping). An edit
// that would make the text longer than the limit, and longer than it was, is
// undone.
class LanguageEdit : public QLineEdit {
 public:
  explicit LanguageEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& now) {
      if (now.size() > TFormQUILMARKv2Comment::kLanguageMaxTyped && now.size() > accepted_.size()) {
        const int cursor = std::min(cursorPosition(), static_cast<int>(accepted_.size()));
        setText(accepted_);
        setCursorPosition(cursor);
        return;
      }
      accepted_ = now;
    });
  }
  void SetLanguage(const QString& text) {
    accepted_ = text;
    setText(text);
  }

 private:
  QString accepted_;
};

// The memo shows lines; the program keeps them joined by CR LF.
QString ToDisplay(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

std::string FromDisplay(const QString& text) {
  QString s = text;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(u'\r'), QChar(u'\n'));
  s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return s.toStdString();
}

}  // namespace

TFormQUILMARKv2Comment::TFormQUILMARKv2Comment(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("コメント入力"));
  setWindowFlag(Qt::Tool, true);
  setSizeGripEnabled(true);

  edLanguage_ = new LanguageEdit(this);
  edLanguage_->setObjectName("edLanguage");
  // Language codes are typed directly, never composed.
  edLanguage_->setAttribute(Qt::WA_InputMethodEnabled, false);
  edLanguage_->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
  edComment1_ = new QLineEdit(this);
  edComment1_->setObjectName("edComment1");
  memoComment2_ = new QPlainTextEdit(this);
  memoComment2_->setObjectName("memoComment2");
  memoComment2_->setTabChangesFocus(true);
  btnOK_ = new QPushButton(QStringLiteral("OK"), this);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName("btnCancel");

  edLanguage_->setGeometry(8, 8, 41, 20);
  edComment1_->setGeometry(56, 8, 177, 20);
  memoComment2_->setGeometry(8, 40, 224, 72);
  btnOK_->setGeometry(80, 120, 74, 24);
  btnCancel_->setGeometry(160, 120, 74, 24);
  setTabOrder(edLanguage_, edComment1_);
  setTabOrder(edComment1_, memoComment2_);
  setTabOrder(memoComment2_, btnOK_);
  setTabOrder(btnOK_, btnCancel_);

  connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

  resize(kDesignWidth, kDesignHeight);
  setMinimumSize(kDesignWidth, kDesignHeight);
}

void TFormQUILMARKv2Comment::SetTexts(const CommentTexts& texts) {
  static_cast<LanguageEdit*>(edLanguage_)->SetLanguage(QString::fromStdString(texts.language));
  edComment1_->setText(QString::fromStdString(texts.description));
  memoComment2_->setPlainText(ToDisplay(texts.longText));
}

CommentTexts TFormQUILMARKv2Comment::Texts() const {
  return {edLanguage_->text().toStdString(), edComment1_->text().toStdString(),
          FromDisplay(memoComment2_->toPlainText())};
}

void TFormQUILMARKv2Comment::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TFormQUILMARKv2Comment::FormResize() {
  const int w = width();
  const int h = height();
  edComment1_->resize(w - 64, edComment1_->height());
  memoComment2_->resize(w - 16, h - 80);
  btnOK_->move(w - 160, h - 32);
  btnCancel_->move(w - 80, h - 32);
}

bool EditComment(QWidget* parent, CommentTexts& texts) {
  TFormQUILMARKv2Comment dialog(parent);
  dialog.SetTexts(texts);
  if (dialog.exec() != QDialog::Accepted) return false;
  texts = dialog.Texts();
  return true;
}

}  // namespace quilmark
