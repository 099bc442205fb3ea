// Tags from file names and file names from tags as the window runs them on
// the selected rows: the open edit is finished, the pattern asked with its
// preview, and the plan carried out as one undo step (cells set, or files
// renamed on disk).
//
// Collaborators are borrowed and must outlive this. One per window.
#pragma once

#include <string>

#include "tracklist/grid_session.h"

namespace quilmark {

class NameDialogs;

inline constexpr const char* kDefaultNamePattern = "%track% - %artist% - %title%";

class NameCommands {
 public:
  NameCommands(const GridSession& session, NameDialogs& dialogs);

  void actToolTagsFromNamesExecute();
  // What the file system refuses is told in one message per reason.
  void actToolNamesFromTagsExecute();

 private:
  GridSession session_;
  NameDialogs& dialogs_;
  std::string tagsPattern_ = kDefaultNamePattern;
  std::string namesPattern_ = kDefaultNamePattern;
};

}  // namespace quilmark
