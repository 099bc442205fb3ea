// The pictures of a row: what its file holds with the row's picture edit
// applied, and the commands that set and remove them on many rows as one
// undo step.
#pragma once

#include <vector>

#include "platform/io_result.h"
#include "tag/picture.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/file_report.h"

namespace quilmark {

// The pictures a save would leave in the row's file, in the order it
// writes them: the edit's (front covers first), then the file's of the
// kinds the edit does not name. Fails when the file cannot be read.
platform::IoResult<std::vector<Picture>> RowPictures(const TrackGrid& grid, int row);

struct PictureCommandResult {
  int changed = 0;  // rows whose pictures changed (and are now marked)
  // Rows whose file could not be read: their pictures are not known, and
  // they are left as they were (MSG_CANNOT_OPEN with the reason).
  std::vector<FileReportLine> unreadable;
};

// Makes `picture` the only picture of its kind in each of the rows.
PictureCommandResult SetPictureOfRows(TrackGrid& grid, UndoList& undo, const std::vector<int>& rows,
                                      const Picture& picture);
// Takes every picture of `kind` out of each of the rows.
PictureCommandResult RemovePicturesOfRows(TrackGrid& grid, UndoList& undo,
                                          const std::vector<int>& rows, int kind);

}  // namespace quilmark
