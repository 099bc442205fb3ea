// The frames of an old tag that a rewrite from a row keeps: every frame
// the row has no value for (pictures, lyrics, user texts, private data,
// chapters...), in its old order, converted to the version written.
#pragma once

#include <string>
#include <vector>

#include "tag/id3v2_frame.h"
#include "tag/tag_values.h"

namespace quilmark {

struct OldId3v2Frames {
  int major = 0;
  bool allUnsynchronised = false;  // a version 2.4 header's flag
  std::vector<Frame> frames;       // contents read in full
};

struct CarriedFrames {
  std::vector<Frame> frames;
  // Identifiers of the frames that could not be kept, in order: frames that
  // cannot be converted to the version written, and frames that ask to be
  // discarded when the tag is altered.
  std::vector<std::string> dropped;
  // The description the row's URL frame keeps (see KeptUrlDescription).
  std::string urlDescription;
  // What a version 2.4 tag writes for the row's year and original year
  // (TDRC and TDOR) where an old date begins with it: that date whole, a
  // TDRC or TDOR, or the year of an older version with its day (TDAT) and
  // time (TIME). Empty: the row's value.
  std::string recordingDate;
  std::string originalDate;
};

// `values` is what the row writes: the frames it replaces are not carried
// (see ClassifyFrames). `targetMajor` is 2, 3 or 4.
CarriedFrames CarryFrames(const OldId3v2Frames& old, const TagValues& values, int targetMajor);

}  // namespace quilmark
