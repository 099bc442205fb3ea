// Writing the rows marked changed back into their files.
#pragma once

#include "bridge/save_report.h"
#include "tag/write_file_tags.h"
#include "tracklist/track_grid.h"
#include "ui/busy_indicator.h"
#include "ui/msgbox.h"

namespace quilmark {

// For each marked row: asks MSG_CONFIRM_WRITE_FILE (Yes writes, No skips,
// Cancel stops), builds the row's TagValues and writes the file with the
// row's picture edit; a written row loses its mark and its edit. The status
// text says "%d / %d %s" while it runs and is empty afterwards. Nothing else
// is shown: failures, refusals and frames that could not be kept are in the
// report for the caller to present. A row whose track an ID3v1 block cannot
// hold stops the run. Before each file `busy` is shown the progress and
// asked whether the user wants to stop: the run then ends there
// (`userStopped`), the rows not reached still marked. Files are written in
// batches that wait for the disk together (TagWriteBatch); a run that stops,
// for whatever reason, first finishes the files already made. What killed
// saves left in a folder is removed the first time the run writes there.
SaveReport SaveChangedRows(TrackGrid& grid, const TagWriteOptions& options, Messages& messages,
                           BusyIndicator& busy);

}  // namespace quilmark
