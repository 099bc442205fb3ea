#include "tag/id3v2_frame.h"

#include <algorithm>

#include "tag/id3v2_numbers.h"

namespace quilmark {

std::size_t FrameIdSize(int major) { return major == 2 ? 3 : 4; }
std::size_t FrameHeaderSize(int major) { return major == 2 ? 6 : 10; }

std::optional<FrameHeader> ParseFrameHeader(std::string_view bytes, int major) {
  if (major < 2 || major > 4 || bytes.size() < FrameHeaderSize(major)) return std::nullopt;
  FrameHeader header;
  if (major == 2) {
    header.id = std::string(bytes.substr(0, 3));
    header.size = ReadBigEndian(bytes.substr(3, 3));
    return header;
  }
  header.id = std::string(bytes.substr(0, 4));
  header.size = major == 3 ? ReadBigEndian(bytes.substr(4, 4)) : ReadSynchsafe(bytes.substr(4, 4));
  header.flags = static_cast<std::uint16_t>(ReadBigEndian(bytes.substr(8, 2)));
  return header;
}

std::optional<std::string> RenderFrame(std::string_view id, std::string_view content, int major,
                                       std::uint16_t flags) {
  if (major < 2 || major > 4 || id.size() != FrameIdSize(major)) return std::nullopt;
  const std::uint64_t limit = major == 2 ? 0xFFFFFF : major == 3 ? 0xFFFFFFFF : 0x0FFFFFFF;
  if (content.size() > limit) return std::nullopt;
  const auto size = static_cast<std::uint32_t>(content.size());
  std::string frame;
  frame.reserve(FrameHeaderSize(major) + content.size());
  frame += id;
  if (major == 2) {
    AppendBigEndian(frame, size, 3);
  } else {
    if (major == 3) {
      AppendBigEndian(frame, size, 4);
    } else {
      AppendSynchsafe(frame, size);
    }
    AppendBigEndian(frame, flags, 2);
  }
  frame += content;
  return frame;
}

bool ByteSource::ReadInto(std::uint64_t offset, std::size_t size, std::string& out) {
  std::string_view bytes = Read(offset, size);
  if (bytes.size() < size) return false;
  out.assign(bytes.data(), size);
  return true;
}

std::string_view MemorySource::Read(std::uint64_t offset, std::size_t size) {
  if (offset >= bytes_.size()) return {};
  return bytes_.substr(static_cast<std::size_t>(offset), size);
}

std::vector<Frame> ReadFrames(ByteSource& body, std::uint64_t bodySize, int major,
                              const WantContent& want, std::uint64_t start,
                              std::uint64_t readableSize) {
  std::vector<Frame> frames;
  if (major < 2 || major > 4) return frames;
  const std::size_t headerSize = FrameHeaderSize(major);
  const std::uint64_t readable = std::max(bodySize, readableSize);
  std::uint64_t pos = start;
  while (pos < bodySize) {
    if (readable - pos < headerSize) break;
    std::string_view bytes = body.Read(pos, headerSize);
    // Padding, or the end of what the file holds.
    if (bytes.empty() || bytes[0] == '\0') break;
    auto header = ParseFrameHeader(bytes, major);
    if (!header) break;
    const std::uint64_t contentStart = pos + headerSize;
    std::uint64_t size = header->size;
    const bool pastBody = contentStart + size > bodySize;
    if (pastBody) {
      if (readable == bodySize) break;
      size = std::min(size, readable - contentStart);
    }

    Frame frame;
    frame.id = std::move(header->id);
    frame.flags = header->flags;
    frame.offset = pos;
    frame.size = static_cast<std::uint32_t>(size);
    if (!want || want(frame.id, frame.size)) {
      if (!body.ReadInto(contentStart, frame.size, frame.content)) break;
      frame.contentRead = true;
    }
    frames.push_back(std::move(frame));
    if (pastBody) break;
    pos = contentStart + size;
  }
  return frames;
}

std::string UndoUnsynchronisation(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out.push_back(bytes[i]);
    if (bytes[i] == '\xFF' && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
  }
  return out;
}

std::optional<FramePayload> FrameData(const Frame& frame, int major, bool allUnsynchronised,
                                      std::string& scratch) {
  if (!frame.contentRead) return std::nullopt;
  FramePayload payload;
  std::string_view data = frame.content;
  if (major == 3) {
    if (frame.flags & (kV23Compressed | kV23Encrypted)) return std::nullopt;
    if (frame.flags & kV23Grouped) {
      if (data.empty()) return std::nullopt;
      payload.group = static_cast<unsigned char>(data[0]);
      data.remove_prefix(1);
    }
  } else if (major == 4) {
    if (frame.flags & (kV24Compressed | kV24Encrypted)) return std::nullopt;
    if ((frame.flags & kV24Unsynchronised) || allUnsynchronised) {
      scratch = UndoUnsynchronisation(data);
      data = scratch;
    }
    if (frame.flags & kV24Grouped) {
      if (data.empty()) return std::nullopt;
      payload.group = static_cast<unsigned char>(data[0]);
      data.remove_prefix(1);
    }
    if (frame.flags & kV24DataLength) {
      if (data.size() < 4) return std::nullopt;
      data.remove_prefix(4);
    }
  }
  payload.data = data;
  return payload;
}

}  // namespace quilmark
