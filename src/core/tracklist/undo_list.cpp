#include "tracklist/undo_list.h"

#include <utility>

namespace quilmark {

void UndoList::Push(UndoRecord record) {
  open_.cells.push_back(std::move(record));
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

std::optional<UndoStep> UndoList::Take(std::vector<UndoStep>& side) {
  if (side.empty()) return std::nullopt;
  UndoStep step = std::move(side.back());
  side.pop_back();
  return step;
}

}  // namespace quilmark
