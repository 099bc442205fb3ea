#include "app/qt_edit_dialogs.h"

#include "dialogs/comment_dialog.h"
#include "dialogs/genre_dialog.h"

namespace quilmark {

bool QtEditDialogs::SelectGenre(std::string& genre) {
  return quilmark::SelectGenre(parent_, genre);
}

bool QtEditDialogs::EditComment(CommentTexts& texts) {
  return quilmark::EditComment(parent_, texts);
}

}  // namespace quilmark
