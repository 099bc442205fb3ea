// The system clipboard, plain text only.
#pragma once

#include <optional>
#include <string>

namespace quilmark {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
  // nullopt when the clipboard holds no text.
  virtual std::optional<std::string> Text() const = 0;
};

// A clipboard inside the process: for tests and the command-line program.
class MemoryClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override { text_ = text; }
  std::optional<std::string> Text() const override { return text_; }
  void Clear() { text_.reset(); }

 private:
  std::optional<std::string> text_;
};

}  // namespace quilmark
