// Catalogue messages as real modal message boxes: the buttons, icon and
// default answer come from the message's style, the caption is the
// application title.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/message_box.h"

namespace quilmark {

class QtMessagePresenter : public MessagePresenter {
 public:
  explicit QtMessagePresenter(QWidget* parent = nullptr) : parent_(parent) {}

  int Show(const std::string& text, const std::string& caption, unsigned style) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quilmark
