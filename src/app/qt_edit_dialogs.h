// The genre and comment dialogs, as cell editing asks for them.
#pragma once

#include <QPointer>
#include <QWidget>

#include "tracklist/edit_dialogs.h"

namespace quilmark {

class QtEditDialogs : public EditDialogs {
 public:
  explicit QtEditDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool SelectGenre(std::string& genre) override;
  bool EditComment(CommentTexts& texts) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quilmark
