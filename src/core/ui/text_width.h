// Measures text as the grid draws it; the window measures with its font,
// tests and the command-line program with a simple rule.
#pragma once

#include <string_view>

namespace quilmark {

class TextWidth {
 public:
  virtual ~TextWidth() = default;
  virtual int Width(std::string_view utf8) const = 0;
};

// A fixed width per character: what a program without a screen uses.
class FixedTextWidth : public TextWidth {
 public:
  explicit FixedTextWidth(int perCharacter = 6) : perCharacter_(perCharacter) {}
  int Width(std::string_view utf8) const override;

 private:
  int perCharacter_;
};

}  // namespace quilmark
