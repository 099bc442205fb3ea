// Writing one file's tags: the file is rebuilt beside itself and put in
// place by an atomic rename, so that at every moment the path holds either
// the old file or the complete new one. Nothing here talks to the user: the
// result says what happened and why, and the caller presents it.
#pragma once

#include <string>
#include <vector>

#include "tag/tag_kind.h"
#include "tag/tag_values.h"
#include "text/charset.h"

namespace quilmark {

// What a write needs to know beyond the values (the settings of the same
// names decide it in the programs).
struct TagWriteOptions {
  TagKind kind = TagKind::Id3v23;       // WriteTagVersion
  Charset charset = Charset::ShiftJis;  // Charset
  bool forceWrite = false;              // ForceWrite: read-only files too (they stay so)
  bool keepFileTime = false;            // FileTime: the old last-write time stays
};

enum class TagWriteStatus {
  Written,
  NotOpened,       // the file is gone or cannot be opened
  ReadOnly,        // a read-only file, and forceWrite is off
  TrackNotNumber,  // an ID3v1 block cannot hold the Track value
  Failed,          // reading the old file or making the new one failed
};

struct [[nodiscard]] TagWriteResult {
  TagWriteStatus status = TagWriteStatus::Failed;
  // Why the file was not written: the system's message or the program's
  // own reason; empty when it was written.
  std::string reason;
  // Identifiers of the old tag's frames that could not be kept.
  std::vector<std::string> droppedFrames;

  bool Written() const { return status == TagWriteStatus::Written; }
};

// Rebuilds the file at `path` with exactly one tag of `options.kind` (ID3v1
// at the end, ID3v2 at the start), text in `options.charset`, and the audio
// data of the old file between. Nothing is changed unless it says Written.
//
// The new file is made as a temporary file with the prefix "QMK" in the
// file's own folder, flushed to disk, given the old file's permission bits
// (and owner where allowed) and, with keepFileTime, its last-write time, and
// then renamed over the old one. A file reached through a symbolic link is
// rewritten where it lives.
//
// An ID3v2 tag keeps the old tag's frames that the row has no value for
// (pictures, lyrics, other comments...), after the row's frames and
// converted to the version written; those that could not be kept are named
// in the result. An ID3v1 block keeps nothing of an ID3v2 tag.
TagWriteResult WriteFileTags(const std::string& path, const TagValues& values,
                             const TagWriteOptions& options);

}  // namespace quilmark
