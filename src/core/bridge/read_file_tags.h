// Adding one MP3 file to the track list: its ID3v1 block and ID3v2 tag are
// read into a TagValues and a new row is filled from it.
#pragma once

#include <string>

#include "tracklist/track_grid.h"

namespace quilmark {

struct [[nodiscard]] RowAddResult {
  enum class Status {
    Added,
    AlreadyListed,  // some row shows this path already
    Unreadable,     // the file cannot be opened or read; `reason` says why
  };
  Status status = Status::Unreadable;
  int row = -1;        // the row that now shows the file, when Added
  std::string reason;  // the system's message, when Unreadable
};

// Refuses a path already listed; otherwise reads the file's tags and fills
// a new row (path, file name, field cells, comment cells and colWork).
RowAddResult ReadFileTags(TrackGrid& grid, const std::string& path);

}  // namespace quilmark
