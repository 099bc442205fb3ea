// The pattern question of tags from file names and file names from tags.
#pragma once

#include <QPointer>
#include <QWidget>

#include "bridge/name_dialogs.h"

namespace quilmark {

class QtNameDialogs : public NameDialogs {
 public:
  explicit QtNameDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  bool AskNamePattern(PatternUse use, std::string& pattern, const Preview& preview) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quilmark
