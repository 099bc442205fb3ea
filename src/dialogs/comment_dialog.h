// Comment entry: the three parts of an ID3v2 comment (language, short
// description, long text). Texts go in and come back unchecked.
#pragma once

#include <QDialog>

#include "tracklist/edit_dialogs.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quilmark {

// Runs the comment dialog once, modally. True when the user confirmed;
// `texts` then hold the dialog's texts, the long text's lines separated by
// CR LF. False leaves `texts` untouched.
bool EditComment(QWidget* parent, CommentTexts& texts);

// The dialog itself; controls are named "edLanguage", "edComment1",
// "memoComment2", "btnOK", "btnCancel".
class TFormQUILMARKv2Comment : public QDialog {
  Q_OBJECT
 public:
  explicit TFormQUILMARKv2Comment(QWidget* parent = nullptr);

  static constexpr int kDesignWidth = 240;
  static constexpr int kDesignHeight = 152;
  static constexpr int kLanguageMaxTyped = 3;

  void SetTexts(const CommentTexts& texts);
  CommentTexts Texts() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormResize();

  QLineEdit* edLanguage_;
  QLineEdit* edComment1_;
  QPlainTextEdit* memoComment2_;
  QPushButton* btnOK_;
  QPushButton* btnCancel_;
};

}  // namespace quilmark
