// Writing one file's tags: the file is rebuilt beside itself and put in
// place by an atomic rename, so that at every moment the path holds either
// the old file or the complete new one. Nothing here talks to the user: the
// result says what happened and why, and the caller presents it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/replacement.h"
#include "tag/picture.h"
#include "tag/tag_kind.h"
#include "tag/tag_values.h"
#include "tag/text_fallback.h"
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
  NotOpened,       // the file is gone, cannot be opened, or is no regular file
  ReadOnly,        // read-only (and forceWrite is off), or this user may not write it
  NotMpegAudio,    // neither an ID3v2 tag nor MPEG audio at its start: no tag is put in
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
  // A written file that this user could not give back its owner (or its
  // group) now belongs to this user (or this user's group).
  bool ownerKept = true;
  bool groupKept = true;
  // Other names (hard links) the old file had: they keep the old content,
  // since only the name written is replaced.
  std::uint64_t otherNames = 0;
  // What the text was written in instead of the charset asked for, so that
  // none of it was lost (see RenderId3v1Block and RenderId3v2Tag).
  TextFallback fallback = TextFallback::None;

  bool Written() const { return status == TagWriteStatus::Written; }
};

// Rebuilds the file at `path` with exactly one tag of `options.kind` (ID3v1
// at the end, ID3v2 at the start), text in `options.charset` (or, where that
// would lose some of it, in the fallback the result names), and the audio
// data of the old file between. Nothing is changed unless it says Written.
//
// Only a regular file that this user may write is rewritten, and only when
// it has an ID3v2 tag or starts like MPEG audio. The new file is made in
// the file's own folder as platform::Replacement makes it: through its
// descriptor alone, with the old file's owner and group (where this user
// may set them), permission bits, extended attributes and, with
// keepFileTime, last-write time, flushed, and renamed over the old one. A
// file reached through a symbolic link is rewritten where it lives.
//
// Where the file system can share blocks between files (FICLONERANGE) and
// the new ID3v2 tag fits in the old one's space, the tag is padded to that
// space so that the audio keeps its offset, and the audio's blocks are
// shared with the old file instead of copied. Elsewhere a tag has the size
// its values give it.
//
// An ID3v2 tag keeps the old tag's frames that the row has no value for
// (pictures, lyrics, other comments...), after the row's frames and
// converted to the version written; those that could not be kept are named
// in the result. An ID3v1 block keeps nothing of an ID3v2 tag.
//
// `pictures` replaces the old tag's pictures of the kinds it names; its
// pictures come right after the row's frames. An ID3v1 block holds none:
// they are named in the result as frames that could not be kept.
//
// `sweep`, when given, removes what killed saves left in the file's folder
// the first time the run writes there.
TagWriteResult WriteFileTags(const std::string& path, const TagValues& values,
                             const TagWriteOptions& options,
                             platform::LeftoverSweep* sweep = nullptr,
                             const PictureEdit& pictures = {});

struct PreparedTagWrite;

// Writing the tags of many files, waiting for the disk once for all of
// them rather than once for each. Add makes each new file as WriteFileTags
// does, complete but not yet on the disk; Commit flushes them all, then
// puts each in place of its old file, then flushes each folder once. So a
// file is still replaced only by a complete new file that is on the disk,
// and files added but never committed stay as they were.
class TagWriteBatch {
 public:
  explicit TagWriteBatch(const TagWriteOptions& options, platform::LeftoverSweep* sweep = nullptr);
  ~TagWriteBatch();
  TagWriteBatch(const TagWriteBatch&) = delete;
  TagWriteBatch& operator=(const TagWriteBatch&) = delete;

  // Makes the new file for `path`. A file that is not to be written gives
  // its result at once; for the others, Commit does.
  std::optional<TagWriteResult> Add(const std::string& path, const TagValues& values,
                                    const PictureEdit& pictures = {});
  // Each file waiting holds open descriptors and data not yet on the disk:
  // past a bound the caller commits before adding more.
  bool Full() const;
  // The results of the files that Add did not answer, in the order added.
  std::vector<TagWriteResult> Commit();

 private:
  TagWriteOptions options_;
  platform::LeftoverSweep* sweep_;
  std::vector<std::unique_ptr<PreparedTagWrite>> waiting_;
  std::uint64_t waitingBytes_ = 0;
  // Results of a commit that Add made itself, for the next Commit to give.
  std::vector<TagWriteResult> done_;
};

}  // namespace quilmark
