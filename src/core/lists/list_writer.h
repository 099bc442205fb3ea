// Writing the track list out: as a playlist (M3U and PLS alike: one path per
// line) or as a CSV file with the columns the CSV flags choose. Nothing here
// touches the MP3 files or the rows' changed marks.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "lists/csv_columns.h"
#include "lists/list_text.h"
#include "tracklist/track_grid.h"

namespace quilmark {

enum class ListKind { None, Playlist, Csv };

// What a written list holds besides the rows (the AbsolutePath and CSV
// settings decide it in the programs).
struct ListWriteOptions {
  // Paths relative to the written list's folder instead of full paths.
  bool relativePaths = false;
  // By CsvColumnIndex: which field columns a CSV list has.
  std::array<bool, kCsvColumnCount> csvColumns{true, true, true, true, true, true, true, true, true,
                                               true, true, true, true, true, true, true, true};
};

// By the name's extension: .M3U, .M3U8 and .PLS are playlists, .CSV is CSV.
ListKind ListKindOf(const std::string& fileName);

// The lines of a playlist: each data row's full path, or, with
// relativePaths, the path relative to `baseFolder`.
std::vector<std::string> PlaylistLines(const TrackGrid& grid, const ListWriteOptions& options,
                                       const std::string& baseFolder);

// The lines of a CSV list: the header ("FILE" and the written names of the
// fields at positions 7..23 whose CSV flag is on, in grid order), then one
// line per data row; an empty cell is written as a quoted blank.
std::vector<std::string> CsvListLines(const TrackGrid& grid, const ListWriteOptions& options,
                                      const std::string& baseFolder);

// Writes the CSV list to `fileName`, replacing it atomically.
ListWriteResult WriteCsvList(const TrackGrid& grid, const ListWriteOptions& options,
                             const std::string& fileName);

// Writes the list as its name's extension says; any other name writes
// nothing and reports nothing.
ListWriteResult WriteList(const TrackGrid& grid, const ListWriteOptions& options,
                          const std::string& fileName);

}  // namespace quilmark
