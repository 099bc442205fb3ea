// Frame identifiers of ID3v2.2/2.3/2.4 and the keys of TagValues.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quilmark {

// One row of the frame map: a key and its frame identifier in each tag
// version. ID3v2.4 uses the ID3v2.3 identifiers but for the years, which
// it writes as the dates TDRC and TDOR.
struct FrameMapEntry {
  std::string_view key;
  std::string_view v22;
  std::string_view v23;
  std::string_view v24;
};

// The whole map, in the order of the keys' grid fields.
std::span<const FrameMapEntry> FrameMap();

// A version 2.2 or 2.3 identifier gives the key; exact comparison; "" when
// the identifier is not one the grid shows. The dates of version 2.4 are
// no year frames to the reader (see AddFrameValues).
std::string_view FrameIdToKey(std::string_view id);

// The identifier for writing a tag of ID3v2 major version `major` (2, 3 or
// 4). "" for keys without a frame.
std::string_view KeyToFrameId(std::string_view key, int major);

}  // namespace quilmark
