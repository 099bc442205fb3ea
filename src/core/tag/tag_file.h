// The tags of one MP3 file on disk: where they lie, and their values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file.h"
#include "tag/frame_carry.h"
#include "tag/id3v2_header.h"
#include "tag/tag_values.h"

namespace quilmark {

// Where a file's tags and audio lie. The audio is the file without a
// leading ID3v2 tag (its header, the size it gives and a version 2.4
// footer; and a last frame that runs past that size) and without a
// trailing ID3v1 block.
struct TagLayout {
  std::uint64_t fileSize = 0;
  std::optional<Id3v2Header> id3v2;
  bool hasId3v1 = false;
  std::uint64_t audioStart = 0;
  std::uint64_t audioSize = 0;
};

// Reads the file's head and tail and walks the ID3v2 tag's frame headers;
// fails when its size or bytes cannot be read.
platform::IoResult<TagLayout> ProbeTagLayout(platform::File& file);

// The values of a file's tags: the ID3v1 block's, replaced as a whole by
// those of an ID3v2 tag when there is one (with TagVersion first; a tag of
// a version other than 2.2, 2.3 or 2.4 gives no values). Fails when the
// file cannot be opened or read.
platform::IoResult<TagValues> ReadTagValues(const std::string& path);

// Every frame of the file's ID3v2 tag with its whole content, for a
// rewrite to carry over: the tag-wide unsynchronisation of versions 2.2
// and 2.3 undone, an extended header passed over, a last frame that runs
// past the declared size read on (see ReadFrames). No frames for a file
// without an ID3v2 tag or with one of another version; fails when the
// file cannot be read.
platform::IoResult<OldId3v2Frames> ReadId3v2Frames(platform::File& file, const TagLayout& layout);

}  // namespace quilmark
