#include "tag/id3v2_writer.h"

#include <algorithm>

#include "tag/frame_map.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_header.h"
#include "text/tag_text.h"

namespace quilmark {

std::optional<std::string> RenderId3v2Tag(const TagValues& values, TagKind kind, Charset charset,
                                          const std::vector<Frame>& carried,
                                          std::string_view urlDescription) {
  const int major = Id3v2Major(kind);
  if (major == 0) return std::nullopt;
  const std::int64_t overhead = major == 2 ? 7 : 11;

  std::int64_t total = 0;
  for (std::size_t i = 0; i < values.Count(); ++i) {
    total += overhead + static_cast<std::int64_t>(Cp932Length(values.Value(i)));
  }
  total = (total + 15) / 16 * 16;

  std::vector<Frame> frames;
  for (std::size_t i = 0; i < values.Count(); ++i) {
    const std::string& key = values.Name(i);
    const std::string& value = values.Value(i);
    const std::string_view id = KeyToFrameId(key, major);
    if (id.empty() || value.empty()) continue;
    RenderedContent content = key == keys::Comment ? RenderCommentContent(value, charset)
                              : key == keys::URL ? RenderUrlContent(value, urlDescription, charset)
                                                 : RenderTextContent(value, charset);
    total += static_cast<std::int64_t>(content.counted) -
             static_cast<std::int64_t>(1 + Cp932Length(value));
    Frame frame;
    frame.id = std::string(id);
    frame.size =
        static_cast<std::uint32_t>(std::min<std::size_t>(content.bytes.size(), UINT32_MAX));
    frame.content = std::move(content.bytes);
    frame.contentRead = true;
    frames.push_back(std::move(frame));
  }
  if (frames.empty() && carried.empty()) return std::string();

  std::uint64_t frameBytes = 0;
  for (const Frame& frame : frames) frameBytes += FrameHeaderSize(major) + frame.content.size();
  std::uint64_t tagSize = std::max<std::uint64_t>(
      frameBytes, static_cast<std::uint64_t>(std::max<std::int64_t>(total, 0)));
  for (const Frame& frame : carried) {
    tagSize += FrameHeaderSize(major) + frame.content.size();
  }
  return AssembleId3v2Tag(major, frames, tagSize, carried);
}

std::optional<std::string> AssembleId3v2Tag(int major, const std::vector<Frame>& frames,
                                            std::uint64_t tagSize,
                                            const std::vector<Frame>& after) {
  if (tagSize > kMaxId3v2Size) return std::nullopt;
  std::string tag = RenderId3v2Header(major, static_cast<std::uint32_t>(tagSize));
  tag.reserve(kId3v2HeaderSize + static_cast<std::size_t>(tagSize));
  for (const auto* list : {&frames, &after}) {
    for (const Frame& frame : *list) {
      auto bytes = RenderFrame(frame.id, frame.content, major, frame.flags);
      if (!bytes) return std::nullopt;
      tag += *bytes;
      if (tag.size() > kId3v2HeaderSize + tagSize) return std::nullopt;
    }
  }
  tag.resize(kId3v2HeaderSize + static_cast<std::size_t>(tagSize), '\0');
  return tag;
}

}  // namespace quilmark
