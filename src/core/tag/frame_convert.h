// Frames carried from an old tag into a new one of another version. The
// frame layouts of versions 2.2, 2.3 and 2.4 differ mostly in their
// headers; what differs in the content is converted where it is simple:
// version 2.2's picture format against the MIME type of 2.3, text in the
// encodings version 2.4 added (UTF-8, UTF-16 without a mark), which
// becomes UTF-16 with a byte-order mark in the older versions, and
// legacy text (Shift-JIS under the byte for Latin-1), which becomes UTF-8
// in version 2.4.
#pragma once

#include <optional>
#include <string_view>

#include "tag/id3v2_frame.h"
#include "text/legacy_reading.h"

namespace quilmark {

// The frame as version `toMajor` (2, 3 or 4) writes it, or nullopt when it
// cannot be converted: compressed or encrypted frames, identifiers the
// other version has no counterpart of (version 2.4 none for the date parts
// and the replaced frames of 2.3), pictures in a format without a simple
// counterpart, text in a layout not known here, contents too large for
// the version. A frame of version 2.2 or 2.3 into its own version comes
// back unchanged; one of version 2.4 loses its unsynchronisation and its
// legacy text. `allUnsynchronised` is a version 2.4 tag's header flag;
// `legacy` how the old tag's legacy text is read.
std::optional<Frame> ConvertFrame(const Frame& frame, int fromMajor, bool allUnsynchronised,
                                  int toMajor, LegacyReading legacy = LegacyReading::Japanese);

}  // namespace quilmark
