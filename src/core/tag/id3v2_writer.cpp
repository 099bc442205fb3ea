#include "tag/id3v2_writer.h"

#include <algorithm>

#include "tag/frame_map.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_header.h"
#include "tag/id3v2_reader.h"
#include "text/tag_text.h"

namespace quilmark {

namespace {

struct RowFrames {
  std::vector<Frame> frames;
  std::int64_t total = 0;  // the size arithmetic's total for them
  bool exact = true;       // every character had a form in the charset
};

RowFrames RenderRowFrames(const TagValues& values, int major, Charset charset,
                          std::string_view urlDescription) {
  const std::int64_t overhead = major == 2 ? 7 : 11;
  RowFrames out;
  for (std::size_t i = 0; i < values.Count(); ++i) {
    out.total += overhead + static_cast<std::int64_t>(Cp932Length(values.Value(i)));
  }
  out.total = (out.total + 15) / 16 * 16;

  for (std::size_t i = 0; i < values.Count(); ++i) {
    const std::string& key = values.Name(i);
    const std::string& value = values.Value(i);
    const std::string_view id = KeyToFrameId(key, major);
    if (id.empty() || value.empty()) continue;
    RenderedContent content = key == keys::Comment ? RenderCommentContent(value, charset)
                              : key == keys::URL ? RenderUrlContent(value, urlDescription, charset)
                                                 : RenderTextContent(value, charset);
    out.total += static_cast<std::int64_t>(content.counted) -
                 static_cast<std::int64_t>(1 + Cp932Length(value));
    out.exact = out.exact && content.exact;
    Frame frame;
    frame.id = std::string(id);
    frame.size =
        static_cast<std::uint32_t>(std::min<std::size_t>(content.bytes.size(), UINT32_MAX));
    frame.content = std::move(content.bytes);
    frame.contentRead = true;
    out.frames.push_back(std::move(frame));
  }
  return out;
}

// Whether a reader gives back what the row's frames say in `charset`: the
// tag's legacy text, carried frames included, must be judged Japanese, and
// each string read as the encoding it was written in (a string of only
// half-width kana, say, counts as EUC-JP by its pairs).
bool ReadsBackAsWritten(const RowFrames& row, const std::vector<Frame>& carried, int major,
                        Charset charset) {
  std::vector<Frame> all = row.frames;
  all.insert(all.end(), carried.begin(), carried.end());
  const LegacyReading reading = TagLegacyReading(all, major);
  for (const Frame& frame : row.frames) {
    for (const std::string& text : LegacyStringsOf(frame, major)) {
      if (DecodeTagText(text, true, reading) != DecodeTagTextAs(text, charset, true)) return false;
    }
  }
  return true;
}

// The charset a version's frames are written in: version 2.4 has UTF-8
// and no legacy text, the older versions no UTF-8.
Charset FrameCharset(int major, Charset charset) {
  if (major == 4 && IsLegacyCharset(charset)) return Charset::Utf8;
  if (major < 4 && charset == Charset::Utf8) return Charset::Utf16Le;
  return charset;
}

}  // namespace

std::optional<Id3v2Render> RenderId3v2Tag(const TagValues& values, TagKind kind, Charset charset,
                                          const CarriedFrames& carried) {
  const int major = Id3v2Major(kind);
  if (major == 0) return std::nullopt;
  charset = FrameCharset(major, charset);

  const TagValues* written = &values;
  TagValues dated;
  if (major == 4 && (!carried.recordingDate.empty() || !carried.originalDate.empty())) {
    dated = values;
    if (!carried.recordingDate.empty()) dated.Set(keys::Year, carried.recordingDate);
    if (!carried.originalDate.empty()) dated.Set(keys::OrgYear, carried.originalDate);
    written = &dated;
  }
  Id3v2Render out;
  RowFrames row = RenderRowFrames(*written, major, charset, carried.urlDescription);
  if (IsLegacyCharset(charset) &&
      (!row.exact || !ReadsBackAsWritten(row, carried.frames, major, charset))) {
    row = RenderRowFrames(*written, major, Charset::Utf16Le, carried.urlDescription);
    out.fallback = TextFallback::Utf16;
  }
  const std::vector<Frame>& frames = row.frames;
  const std::int64_t total = row.total;
  if (frames.empty() && carried.frames.empty()) return out;

  std::uint64_t frameBytes = 0;
  for (const Frame& frame : frames) frameBytes += FrameHeaderSize(major) + frame.content.size();
  std::uint64_t tagSize = std::max<std::uint64_t>(
      frameBytes, static_cast<std::uint64_t>(std::max<std::int64_t>(total, 0)));
  for (const Frame& frame : carried.frames) {
    const std::uint64_t bytes = FrameHeaderSize(major) + frame.content.size();
    tagSize += bytes;
    frameBytes += bytes;
  }
  std::optional<std::string> tag = AssembleId3v2Tag(major, frames, tagSize, carried.frames);
  if (!tag) return std::nullopt;
  out.bytes = std::move(*tag);
  out.used = kId3v2HeaderSize + static_cast<std::size_t>(frameBytes);
  return out;
}

std::optional<std::string> ResizedId3v2Tag(const Id3v2Render& render, std::uint64_t wholeSize) {
  if (render.bytes.size() < kId3v2HeaderSize || wholeSize < render.used ||
      wholeSize - kId3v2HeaderSize > kMaxId3v2Size) {
    return std::nullopt;
  }
  const int major = static_cast<unsigned char>(render.bytes[3]);
  std::string tag =
      RenderId3v2Header(major, static_cast<std::uint32_t>(wholeSize - kId3v2HeaderSize));
  tag.append(render.bytes, kId3v2HeaderSize, render.used - kId3v2HeaderSize);
  return tag;
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
