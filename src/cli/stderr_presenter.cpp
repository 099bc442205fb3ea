#include "cli/stderr_presenter.h"

#include "ui/message_ids.h"

namespace quilmark::cli {

std::string OneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size() + 2);
  bool first = true;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      line += first ? ": " : " ";
      first = false;
    } else {
      line += c;
    }
  }
  return line;
}

int StderrPresenter::Show(const std::string& text, const std::string& caption, unsigned style) {
  ++shown_;
  std::fprintf(out_, "%s\n", OneLine(text).c_str());
  std::fflush(out_);
  switch (style & 0x0Fu) {
    case MB_YESNOCANCEL:
    case 0x04:  // Yes and No
      return IDYES;
    default:
      return IDOK;
  }
}

}  // namespace quilmark::cli
