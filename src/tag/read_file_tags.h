// Adding one MP3 file to the track list: its ID3v1 block and ID3v2 tag are
// read into a TagValues and a new row is filled from it.
#pragma once

#include <string>

#include "messages/msgbox.h"
#include "tracklist/track_grid.h"

namespace quilmark {

// Returns the row that now shows the file, or -1 when it was not added: a
// file already listed (silently), or one that cannot be opened
// (MSG_CANNOT_WRITE with the path).
int ReadFileTags(TrackGrid& grid, const std::string& path, Messages& messages);

}  // namespace quilmark
