// Which items of the grid's pop-up menu are shown and enabled, decided each
// time it opens from the cell under the mouse.
#pragma once

#include <array>

#include "app/command_table.h"
#include "tracklist/track_grid.h"

namespace quilmark {

struct PopupItemState {
  bool visible = false;
  bool enabled = false;
  friend bool operator==(const PopupItemState&, const PopupItemState&) = default;
};

using PopupState = std::array<PopupItemState, kPopupItemCount>;

// `column`, `row`: the grid cell under the mouse (-1 outside the cells; row
// 0 is the header, column colRowNo the row numbers). The sort item keeps
// whatever state it had (`sortState`).
PopupState PopupRules(int column, int row, const TrackGrid& grid, PopupItemState sortState);

}  // namespace quilmark
