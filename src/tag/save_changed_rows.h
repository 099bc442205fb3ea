// Writing the rows marked changed back into their files.
#pragma once

#include "messages/busy_indicator.h"
#include "messages/msgbox.h"
#include "settings/settings.h"
#include "tracklist/track_grid.h"

namespace quilmark {

struct SaveReport {
  int written = 0;
  int failed = 0;     // could not be read or written (the user was told)
  bool stopped = false;  // Cancel at the question, or a run-stopping error
};

// For each marked row: asks MSG_CONFIRM_WRITE_FILE (Yes writes, No skips,
// Cancel stops), builds the row's TagValues and writes the file; a written
// row loses its mark. Status text "%d / %d %s" while it runs.
SaveReport SaveChangedRows(TrackGrid& grid, const Settings& settings, Messages& messages,
                           BusyIndicator& busy);

}  // namespace quilmark
