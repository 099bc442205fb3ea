// Whether a file's bytes look like MPEG audio, so that a tag is never put
// into a text file, a list or anything else a list happened to name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quilmark {

// How far into the audio the first frame may start (past junk some
// encoders leave) and still count.
inline constexpr std::size_t kMpegProbeSize = 64 * 1024;

// The length in bytes of the MPEG audio frame whose header starts
// `bytes`; 0 for a free-format frame (whose header gives no length), -1
// when the bytes start no valid header.
int MpegFrameLength(std::string_view bytes);

// True when the audio, of which `head` holds the first bytes (up to
// kMpegProbeSize) and which is `audioSize` bytes long, has a frame header
// whose frame is followed by another header or ends the audio exactly.
// One header alone is not enough: the byte-order mark of a UTF-16 text
// reads as a valid header.
bool StartsLikeMpegAudio(std::string_view head, std::uint64_t audioSize);

}  // namespace quilmark
