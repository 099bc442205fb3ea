// The two dialogs that cell editing opens; the window shows real ones,
// tests answer for the user.
#pragma once

#include <string>

namespace quilmark {

struct CommentTexts {
  std::string language;     // colCommentLang
  std::string description;  // colComment
  std::string longText;     // colCommentLong, lines separated by CR LF
};

class EditDialogs {
 public:
  virtual ~EditDialogs() = default;
  // True when the user confirmed; `genre` then holds the chosen text.
  virtual bool SelectGenre(std::string& genre) = 0;
  // True when the user confirmed; `texts` then hold the new texts.
  virtual bool EditComment(CommentTexts& texts) = 0;
};

}  // namespace quilmark
