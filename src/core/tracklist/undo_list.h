// The undo history: one step per user command, each step the cells that
// command changed. Undo takes the newest step back, Redo brings back what
// Undo took; a new change forgets what was undone. The history grows for
// the whole run (no depth limit) and is never emptied.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tag/picture.h"
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

// A listed file given a new name on disk (full paths). Undo renames it
// back, Redo again, each through the file system and never over a file.
struct RenameRecord {
  std::string from;
  std::string to;

  friend bool operator==(const RenameRecord&, const RenameRecord&) = default;
};

// One row's pictures of one kind before and after a command, named by the
// row's file as a cell's change is.
struct PictureUndoRecord {
  std::string file;
  int kind = kFrontCover;
  std::vector<Picture> oldPictures;
  std::vector<Picture> newPictures;

  friend bool operator==(const PictureUndoRecord&, const PictureUndoRecord&) = default;
};

// What one command did, undone and redone as a whole: its cell and picture
// records and its renames, each in the order they were made. A command
// renames files or changes what they are to hold, not both.
struct UndoStep {
  std::vector<UndoRecord> cells;
  std::vector<RenameRecord> renames = {};
  std::vector<PictureUndoRecord> pictures = {};

  bool Empty() const { return cells.empty() && renames.empty() && pictures.empty(); }
  // The cell and picture records of renamed files name them by their new
  // paths (the rename records keep theirs: they are the renames).
  void FilesRenamed(const std::vector<RenameRecord>& renames);
  friend bool operator==(const UndoStep&, const UndoStep&) = default;
};

class UndoList {
 public:
  // A record is a step of its own, unless a step is open (BeginStep): then
  // it joins that step. Either way what was undone is forgotten.
  void Push(UndoRecord record);
  void Push(RenameRecord rename);
  void Push(PictureUndoRecord record);

  // Files of the list were renamed (by a command, an Undo or a Redo): every
  // step, done, undone or open, names them by their new paths from now on,
  // so that a record still finds its file's row.
  void FilesRenamed(const std::vector<RenameRecord>& renames);

  // Records pushed until the matching EndStep form one step. Steps nest:
  // an inner step joins the outer one. A step that recorded nothing leaves
  // no trace (and forgets nothing).
  void BeginStep() { ++depth_; }
  void EndStep();

  bool Empty() const { return done_.empty(); }  // nothing to undo
  bool CanRedo() const { return !undone_.empty(); }
  std::size_t Count() const { return done_.size(); }  // steps to undo
  // The newest step; only when not Empty().
  const UndoStep& Last() const { return done_.back(); }

  // Undo and Redo move steps between the two sides; the caller applies
  // them. TakeUndo gives the newest step (nullopt when none), and
  // MoveToRedo files it as undone once it was applied; a step the caller
  // could not apply at all is simply not filed. TakeRedo and MoveToUndo
  // are the same the other way, and do not forget the other undone steps.
  std::optional<UndoStep> TakeUndo() { return Take(done_); }
  void MoveToRedo(UndoStep step) { undone_.push_back(std::move(step)); }
  std::optional<UndoStep> TakeRedo() { return Take(undone_); }
  void MoveToUndo(UndoStep step) { done_.push_back(std::move(step)); }

 private:
  static std::optional<UndoStep> Take(std::vector<UndoStep>& side);
  void Joined();

  std::vector<UndoStep> done_;
  std::vector<UndoStep> undone_;
  UndoStep open_;
  int depth_ = 0;
};

// One command as one step, for a scope.
class UndoStepScope {
 public:
  explicit UndoStepScope(UndoList& undo) : undo_(undo) { undo_.BeginStep(); }
  ~UndoStepScope() { undo_.EndStep(); }
  UndoStepScope(const UndoStepScope&) = delete;
  UndoStepScope& operator=(const UndoStepScope&) = delete;

 private:
  UndoList& undo_;
};

}  // namespace quilmark
