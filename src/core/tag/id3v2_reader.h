// An ID3v2 tag's frames as the grid's values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tag/id3v2_frame.h"
#include "tag/tag_values.h"
#include "text/legacy_reading.h"

namespace quilmark {

// Contents larger than these are passed over when reading for the grid: a
// text frame of more than 16 MiB is not a title, and an unknown frame (a
// picture, say) would only bloat the row's work cell.
inline constexpr std::uint32_t kMaxShownFrameSize = 16u << 20;
inline constexpr std::uint32_t kMaxUnknownFrameSize = 4096;

// How the tag's legacy text is read: decided from all its text frames
// together (their contents must have been read).
LegacyReading TagLegacyReading(const std::vector<Frame>& frames, int major,
                               bool allUnsynchronised = false);

// The legacy strings of one frame, as the parsers decode them; none for a
// frame that holds no text.
std::vector<std::string> LegacyStringsOf(const Frame& frame, int major,
                                         bool allUnsynchronised = false);

// Whether the grid needs this frame's content.
bool WantFrameForValues(std::string_view id, std::uint32_t size);

// Sets the frames' values into `values` in frame order: a key that repeats
// keeps the last frame's value, an empty value removes its key, and frames
// the map does not know share the empty key. The comment and the URL are
// the exception: a tag may hold several of them (other descriptions or
// languages), and the first one shows, so that a rewrite that puts the
// row's own first and carries the others after it shows the row's again.
// A tag without a year frame shows the year that a recording-time frame
// (TDRC) begins with, and likewise the original year of TDOR. Frames whose
// content was not read, and compressed or encrypted ones, are passed over.
// `major` tells the frame flags' layout; `allUnsynchronised` is a version
// 2.4 tag's header flag.
void AddFrameValues(const std::vector<Frame>& frames, TagValues& values, int major = 3,
                    bool allUnsynchronised = false);

// What a frame of an old tag is to a rewrite from a row.
enum class FrameRole {
  kShown,      // it gave the row a value: the row's value replaces it
  kDuplicate,  // another frame of a key the row holds one value of
  kOther,      // no value of the row stands for it: carried over
};
// The role of each frame, by the rules AddFrameValues reads with; `values`
// is what the row writes. A comment or URL frame beside the shown one is
// carried unless it has the description (and language) of the shown one or
// of the row's own (see KeptUrlDescription). A date frame that gave or
// matches the year is carried while the row's year is still the one it
// begins with.
std::vector<FrameRole> ClassifyFrames(const std::vector<Frame>& frames, int major,
                                      bool allUnsynchronised, const TagValues& values);

// The description a rewrite gives the row's URL frame: that of the frame
// the URL was read from, while the row still holds its address. The grid
// shows no description, so only a new address goes without one.
std::string KeptUrlDescription(const std::vector<Frame>& frames, int major, bool allUnsynchronised,
                               const TagValues& values);

// The four-digit year a date text begins with, if it does.
std::optional<std::string> LeadingYear(std::string_view text);

}  // namespace quilmark
