// The undo stack: one record per changed cell. It grows for the whole run
// (no depth limit) and is never emptied.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tracklist/columns.h"

namespace quilmark {

// One cell's change, named by what changed rather than where it stood: the
// row's file and the field. Rows move (sort, removal) and columns move
// (drags) between an edit and its undo; a file and a field do not.
struct UndoRecord {
  std::string file;  // the row's full path, its identity in the list
  Field field = colTitle;
  std::string oldText;
  std::string newText;

  friend bool operator==(const UndoRecord&, const UndoRecord&) = default;
};

class UndoList {
 public:
  void Push(UndoRecord record) { records_.push_back(std::move(record)); }

  bool Empty() const { return records_.empty(); }
  std::size_t Count() const { return records_.size(); }
  // The newest record; only when not Empty().
  const UndoRecord& Last() const { return records_.back(); }
  void PopLast() {
    if (!records_.empty()) records_.pop_back();
  }

 private:
  std::vector<UndoRecord> records_;
};

}  // namespace quilmark
