// Frame identifiers of ID3v2.2/2.3 and the keys of TagValues.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quilmark {

// One row of the frame map: a key and its frame identifier in each tag
// version (ID3v2.4 uses the ID3v2.3 identifiers).
struct FrameMapEntry {
  std::string_view key;
  std::string_view v22;
  std::string_view v23;
};

// The whole map, in the order of the keys' grid fields.
std::span<const FrameMapEntry> FrameMap();

// Either version's identifier gives the key; exact comparison; "" when the
// identifier is not one the grid shows.
std::string_view FrameIdToKey(std::string_view id);

// The identifier for writing a tag of ID3v2 major version `major`:
// ID3v2.2's for 2, else ID3v2.3's. "" for keys without a frame.
std::string_view KeyToFrameId(std::string_view key, int major);

}  // namespace quilmark
