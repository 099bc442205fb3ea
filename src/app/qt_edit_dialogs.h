// The genre and comment dialogs, as cell editing asks for them, and the
// questions of the commands over many cells.
#pragma once

#include <QPointer>
#include <QWidget>

#include "bulk/bulk_dialogs.h"
#include "tracklist/edit_dialogs.h"

namespace quilmark {

class QtEditDialogs : public EditDialogs, public BulkDialogs {
 public:
  explicit QtEditDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  bool SelectGenre(std::string& genre) override;
  bool EditComment(CommentTexts& texts) override;
  bool AskFindReplace(FindReplaceOptions& options, bool rowsSelected) override;
  bool AskNumbering(NumberingOptions& options, int selectedRows, int allRows) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quilmark
