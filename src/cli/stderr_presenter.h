// Messages of the command-line program: printed to standard error, one line
// each ("path: text" when the message names a file). Questions are answered
// with their default button, the first one, as an unattended run must.
#pragma once

#include <cstdio>
#include <string>

#include "ui/message_box.h"

namespace quilmark::cli {

class StderrPresenter : public MessagePresenter {
 public:
  explicit StderrPresenter(std::FILE* out = stderr) : out_(out) {}
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
  int Shown() const { return shown_; }

 private:
  std::FILE* out_;
  int shown_ = 0;
};

// The message text as one line: the first line break becomes ": ", the
// others a space.
std::string OneLine(const std::string& text);

}  // namespace quilmark::cli
