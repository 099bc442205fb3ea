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

// The frames of a tag body of `bodySize` bytes, in order. The walk ends at
// padding (a zero byte where an id should start), at the end of the body, at
// a header or content that would run past the end of the body (a size of
// 0xFFFFFFFF included) and where the source has no more bytes. Contents are
// read for the frames `want` accepts (all frames when it is empty).
std::vector<Frame> ReadFrames(ByteSource& body, std::uint64_t bodySize, int major,
                              const WantContent& want = {});

}  // namespace quilmark
