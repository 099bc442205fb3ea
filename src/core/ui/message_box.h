// How a message reaches the user. The window shows a real modal box; the
// command-line program prints; tests script the answers.
#pragma once

#include <string>

namespace quilmark {

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Shows `text` (lines separated by "\n") with `caption` in the given style
  // (MB_* of message_ids.h; the first button is the default) and returns
  // the answer (IDOK, IDCANCEL, IDYES, IDNO).
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

}  // namespace quilmark
