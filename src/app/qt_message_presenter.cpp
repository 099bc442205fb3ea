#include "app/qt_message_presenter.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/message_ids.h"

namespace quilmark {

namespace {

QMessageBox::Icon IconOf(unsigned style) {
  switch (style & 0xF0u) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

struct Button {
  QMessageBox::StandardButton standard;
  const char* text;
  int answer;
};

}  // namespace

int QtMessagePresenter::Show(const std::string& text, const std::string& caption, unsigned style) {
  QMessageBox box(IconOf(style), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);  // a path with "<" in it is not markup

  std::vector<Button> buttons;
  switch (style & 0x0Fu) {
    case MB_OKCANCEL:
      buttons = {{QMessageBox::Ok, "OK", IDOK}, {QMessageBox::Cancel, "キャンセル", IDCANCEL}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{QMessageBox::Yes, "はい(&Y)", IDYES},
                 {QMessageBox::No, "いいえ(&N)", IDNO},
                 {QMessageBox::Cancel, "キャンセル", IDCANCEL}};
      break;
    default:
      buttons = {{QMessageBox::Ok, "OK", IDOK}};
      break;
  }
  for (const Button& b : buttons) box.addButton(b.standard)->setText(QString::fromUtf8(b.text));
  // The first button answers Enter; Escape and the close box answer
  // Cancel when there is one, else the only button.
  box.setDefaultButton(buttons.front().standard);
  box.setEscapeButton(buttons.back().standard);

  const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const Button& b : buttons) {
    if (b.standard == pressed) return b.answer;
  }
  return buttons.size() > 1 ? IDCANCEL : IDOK;
}

}  // namespace quilmark
