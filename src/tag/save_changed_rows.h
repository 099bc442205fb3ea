// Writing the rows marked changed back into their files.
#pragma once

#include <string>
#include <vector>

#include "messages/busy_indicator.h"
#include "messages/msgbox.h"
#include "settings/settings.h"
#include "tracklist/track_grid.h"

namespace quilmark {

struct SaveReport {
  int written = 0;
  int failed = 0;        // could not be read or written (the user was told)
  bool stopped = false;  // Cancel at the question, or a run-stopping error
  // One line per written file whose old ID3v2 tag had frames that could
  // not be kept: the path and the frames' identifiers.
  std::vector<std::string> droppedFrames;
};

// For each marked row: asks MSG_CONFIRM_WRITE_FILE (Yes writes, No skips,
// Cancel stops), builds the row's TagValues and writes the file; a written
// row loses its mark. Status text "%d / %d %s" while it runs; afterwards
// empty, or a notice naming the files that lost frames of their old tag.
SaveReport SaveChangedRows(TrackGrid& grid, const Settings& settings, Messages& messages,
                           BusyIndicator& busy);

}  // namespace quilmark
