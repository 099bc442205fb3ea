// ID3v2 frames: the frame header of each version, and the walk over a tag
// body that yields its frames in order.
//
// The walk reads through a ByteSource so that a tag of many megabytes never
// has to sit in memory: frame headers are read as they come, and a frame's
// content only when the caller asks for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

struct Frame {
  std::string id;
  std::uint16_t flags = 0;
  std::uint64_t offset = 0;  // of the frame header, from the start of the tag body
  std::uint32_t size = 0;    // content bytes, as the header says
  std::string content;       // the raw content, when it was read
  bool contentRead = false;
};

// Header layout by major version: 2 has a 3-byte id and a 3-byte size; 3
// a 4-byte id, a plain 32-bit size and two flag bytes; 4 the same with a
// 7-bit-per-byte size.
std::size_t FrameIdSize(int major);
std::size_t FrameHeaderSize(int major);

struct FrameHeader {
  std::string id;
  std::uint32_t size = 0;
  std::uint16_t flags = 0;
};
// nullopt when `bytes` is shorter than a header or the major version is not
// 2, 3 or 4.
std::optional<FrameHeader> ParseFrameHeader(std::string_view bytes, int major);

// Header and content; nullopt when the content is too large for the
// version's size field or the id has the wrong length.
std::optional<std::string> RenderFrame(std::string_view id, std::string_view content, int major,
                                       std::uint16_t flags = 0);

// Random access to the bytes of a tag body.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes at `offset`: fewer at the end of the data or after a
  // read error. The view lives until the next call.
  virtual std::string_view Read(std::uint64_t offset, std::size_t size) = 0;
  // Exactly `size` bytes at `offset` into `out`, or false. A source over a
  // file reads large contents straight into `out` rather than through a
  // window of its own.
  virtual bool ReadInto(std::uint64_t offset, std::size_t size, std::string& out);
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::string_view Read(std::uint64_t offset, std::size_t size) override;

 private:
  std::string_view bytes_;
};

// Decides, from a frame's id and size, whether its content is read.
using WantContent = std::function<bool(std::string_view id, std::uint32_t size)>;

// The frames of a tag body of `bodySize` bytes, in order, from `start` on
// (the end of an extended header). The walk ends at padding (a zero byte
// where an id should start), at the end of the body, at a header or content
// that would run past the end of the body (a size of 0xFFFFFFFF included)
// and where the source has no more bytes. Contents are read for the frames
// `want` accepts (all frames when it is empty).
//
// With `readableSize` past `bodySize`, a frame that starts in the body and
// runs past its end is read on, up to its own end or `readableSize`
// (its size then counts what was read), and is the last frame.
std::vector<Frame> ReadFrames(ByteSource& body, std::uint64_t bodySize, int major,
                              const WantContent& want = {}, std::uint64_t start = 0,
                              std::uint64_t readableSize = 0);

// Frame flags. Version 2.3: status in the first byte, format in the second.
inline constexpr std::uint16_t kV23DiscardOnTagAlter = 0x8000;
inline constexpr std::uint16_t kV23DiscardOnFileAlter = 0x4000;
inline constexpr std::uint16_t kV23ReadOnly = 0x2000;
inline constexpr std::uint16_t kV23Compressed = 0x0080;
inline constexpr std::uint16_t kV23Encrypted = 0x0040;
inline constexpr std::uint16_t kV23Grouped = 0x0020;
// Version 2.4 moved every bit.
inline constexpr std::uint16_t kV24DiscardOnTagAlter = 0x4000;
inline constexpr std::uint16_t kV24DiscardOnFileAlter = 0x2000;
inline constexpr std::uint16_t kV24ReadOnly = 0x1000;
inline constexpr std::uint16_t kV24Grouped = 0x0040;
inline constexpr std::uint16_t kV24Compressed = 0x0008;
inline constexpr std::uint16_t kV24Encrypted = 0x0004;
inline constexpr std::uint16_t kV24Unsynchronised = 0x0002;
inline constexpr std::uint16_t kV24DataLength = 0x0001;

// FF 00 back to FF: what unsynchronisation inserted, taken out.
std::string UndoUnsynchronisation(std::string_view bytes);

// A frame's fields as they lie once the additions of its format flags are
// taken off: unsynchronisation undone (version 2.4: the frame's flag, or
// `allUnsynchronised` for a tag whose header says so), the group byte
// split off, the data-length indicator skipped.
struct FramePayload {
  std::optional<unsigned char> group;
  std::string_view data;  // in the frame's content or in the scratch string
};
// nullopt for a compressed or encrypted frame (its fields cannot be read
// here), for one too short for the bytes its flags announce, and for a
// frame whose content was not read.
std::optional<FramePayload> FrameData(const Frame& frame, int major, bool allUnsynchronised,
                                      std::string& scratch);

}  // namespace quilmark
