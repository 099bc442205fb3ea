#include "tracklist/undo_list.h"

#include <string_view>
#include <unordered_map>
#include <utility>

namespace quilmark {

namespace {

// Old path -> new path, for one pass over many records.
using NewPaths = std::unordered_map<std::string_view, const std::string*>;

NewPaths NewPathsOf(const std::vector<RenameRecord>& renamed) {
  NewPaths paths;
  for (const RenameRecord& r : renamed) paths[r.from] = &r.to;
  return paths;
}

void Rename(std::string& file, const NewPaths& paths) {
  if (const auto it = paths.find(file); it != paths.end()) file = *it->second;
}

void Rename(UndoStep& step, const NewPaths& paths) {
  for (UndoRecord& record : step.cells) Rename(record.file, paths);
  for (PictureUndoRecord& record : step.pictures) Rename(record.file, paths);
}

}  // namespace

void UndoStep::FilesRenamed(const std::vector<RenameRecord>& renamed) {
  if (!renamed.empty()) Rename(*this, NewPathsOf(renamed));
}

void UndoList::Push(UndoRecord record) {
  open_.cells.push_back(std::move(record));
  Joined();
}

void UndoList::Push(RenameRecord rename) {
  open_.renames.push_back(std::move(rename));
  Joined();
}

void UndoList::Push(PictureUndoRecord record) {
  open_.pictures.push_back(std::move(record));
  Joined();
}

// Outside an open step a record is a step of its own.
void UndoList::Joined() {
  if (depth_ == 0) {
    ++depth_;
    EndStep();
  }
}

void UndoList::EndStep() {
  if (depth_ == 0 || --depth_ > 0 || open_.Empty()) return;
  done_.push_back(std::move(open_));
  open_ = UndoStep{};
  undone_.clear();
}

void UndoList::FilesRenamed(const std::vector<RenameRecord>& renames) {
  if (renames.empty()) return;
  const NewPaths paths = NewPathsOf(renames);
  for (UndoStep& step : done_) Rename(step, paths);
  for (UndoStep& step : undone_) Rename(step, paths);
  Rename(open_, paths);
}

std::optional<UndoStep> UndoList::Take(std::vector<UndoStep>& side) {
  if (side.empty()) return std::nullopt;
  UndoStep step = std::move(side.back());
  side.pop_back();
  return step;
}

}  // namespace quilmark
