// Writing one file's tags: the file is rebuilt beside itself and put in
// place by an atomic rename, so that at every moment the path holds either
// the old file or the complete new one.
#pragma once

#include <string>
#include <vector>

#include "messages/msgbox.h"
#include "settings/settings.h"
#include "tag/tag_values.h"

namespace quilmark {

enum class WriteResult {
  kWritten,
  kNotOpened,       // the file is gone or cannot be opened; nothing was said
  kFailed,          // MSG_CANNOT_WRITE was shown; the file is as it was
  kTrackNotNumber,  // an ID3v1 block cannot hold the Track value; nothing done
};

// Rebuilds the file at `path` with exactly one tag, as WriteTagVersion says
// (ID3v1 at the end for 0, ID3v2.2 or 2.3 at the start for 1 or 2), text in
// Charset, and the audio data of the old file between.
//
// The new file is made as a temporary file with the prefix "QMK" in the
// file's own folder, flushed to disk, given the old file's permission bits
// (and owner where allowed) and, with FileTime, its last-write time, and
// then renamed over the old one. A read-only file is refused unless
// ForceWrite is on; then it is written and stays read-only.
//
// An ID3v2 tag keeps the old tag's frames that the row has no value for
// (pictures, lyrics, other comments...), after the row's frames and
// converted to the version written; the identifiers of those that could
// not be kept go to `droppedFrames` when it is given. An ID3v1 block keeps
// nothing of an ID3v2 tag.
WriteResult WriteFileTags(const std::string& path, const TagValues& values,
                          const Settings& settings, Messages& messages,
                          std::vector<std::string>* droppedFrames = nullptr);

}  // namespace quilmark
