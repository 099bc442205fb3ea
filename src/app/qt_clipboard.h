// The system clipboard, plain text only.
#pragma once

#include "ui/clipboard.h"

namespace quilmark {

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
  std::optional<std::string> Text() const override;
};

}  // namespace quilmark
