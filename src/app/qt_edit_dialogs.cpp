#include "app/qt_edit_dialogs.h"

#include "dialogs/comment_dialog.h"
#include "dialogs/genre_dialog.h"
#include "dialogs/numbering_dialog.h"
#include "dialogs/replace_dialog.h"

namespace quilmark {

bool QtEditDialogs::SelectGenre(std::string& genre) {
  return quilmark::SelectGenre(parent_, genre);
}

bool QtEditDialogs::EditComment(CommentTexts& texts) {
  return quilmark::EditComment(parent_, texts);
}

bool QtEditDialogs::AskFindReplace(FindReplaceOptions& options, bool rowsSelected) {
  return quilmark::AskFindReplace(parent_, options, rowsSelected);
}

bool QtEditDialogs::AskNumbering(NumberingOptions& options, int selectedRows, int allRows) {
  return quilmark::AskNumbering(parent_, options, selectedRows, allRows);
}

}  // namespace quilmark
