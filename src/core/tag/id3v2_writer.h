// A row's values as an ID3v2.2, ID3v2.3 or ID3v2.4 tag.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tag/frame_carry.h"
#include "tag/id3v2_frame.h"
#include "tag/tag_kind.h"
#include "tag/tag_values.h"
#include "tag/text_fallback.h"
#include "text/charset.h"

namespace quilmark {

struct Id3v2Render {
  std::string bytes;     // "" when there is no frame to write
  std::size_t used = 0;  // of them, the header and the frames, without the padding
  TextFallback fallback = TextFallback::None;
};

// The whole tag for `values` in the version `kind` writes (nullopt for
// ID3v1, which is no ID3v2 kind); frames in the list's order, then the
// carried frames (already in the version written), then zero padding.
// The URL frame has the carried description; a version 2.4 tag writes the
// carried dates for the years. nullopt when a value is too large for the
// format.
//
// The row's frames are in `charset`, unless a value has a character that
// Shift-JIS or EUC-JP cannot hold, or the tag would read back as another
// encoding (the reader judges a tag's legacy text as a whole, carried
// frames included): then all of them are in UTF-16, and the render says so.
// Version 2.4, whose legacy text is Latin-1, has UTF-8 in place of
// Shift-JIS and EUC-JP.
//
// The tag size is the sum over all lines (Commentv1 included) of the frame
// overhead plus the value's code page 932 length, rounded up to a multiple
// of 16, then corrected by each written frame's change of length through
// encoding; whatever the frames leave is padding. Carried frames add their
// own size to it, so the padding is what it would be without them.
std::optional<Id3v2Render> RenderId3v2Tag(const TagValues& values, TagKind kind, Charset charset,
                                          const CarriedFrames& carried = {});

// The same tag sized to `wholeSize` bytes, header included, as when it
// takes the place of a larger tag: its header and frames, the padding up
// to that size left out (it may be a gigabyte of zeros; the caller puts
// the tag where zeros follow it). nullopt when its frames do not fit or
// the size does not fit the header.
std::optional<std::string> ResizedId3v2Tag(const Id3v2Render& render, std::uint64_t wholeSize);

// Header, the frames (id and content each), then those of `after`, zero
// padding up to `tagSize` body bytes; nullopt when the frames do not fit
// the size or the size does not fit the header.
std::optional<std::string> AssembleId3v2Tag(int major, const std::vector<Frame>& frames,
                                            std::uint64_t tagSize,
                                            const std::vector<Frame>& after = {});

}  // namespace quilmark
