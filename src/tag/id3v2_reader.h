// An ID3v2 tag's frames as the grid's values.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tag/id3v2_frame.h"
#include "tag/tag_values.h"

namespace quilmark {

// Contents larger than these are passed over when reading for the grid: a
// text frame of more than 16 MiB is not a title, and an unknown frame (a
// picture, say) would only bloat the row's work cell.
inline constexpr std::uint32_t kMaxShownFrameSize = 16u << 20;
inline constexpr std::uint32_t kMaxUnknownFrameSize = 4096;

// Whether the grid needs this frame's content.
bool WantFrameForValues(std::string_view id, std::uint32_t size);

// Sets the frames' values into `values` in frame order: a key that repeats
// keeps the last frame's value, an empty value removes its key, and frames
// the map does not know share the empty key. Frames whose content was not
// read are passed over.
void AddFrameValues(const std::vector<Frame>& frames, TagValues& values);

}  // namespace quilmark
