#include "tag/picture_frame.h"

#include <algorithm>

#include "tag/id3v2_header.h"
#include "tag/id3v2_reader.h"
#include "tag/tag_file.h"
#include "text/tag_text.h"

namespace quilmark {

namespace {

// Encoding byte, then the MIME type with its terminator (version 2.2: a
// three-letter format), then the kind.
struct PictureHead {
  unsigned char encoding = 0;
  std::string mime;
  int kind = 0;
  std::string_view rest;  // description, terminator, image
};

std::optional<PictureHead> ParseHead(std::string_view data, int major) {
  if (data.empty()) return std::nullopt;
  PictureHead head;
  head.encoding = static_cast<unsigned char>(data[0]);
  std::string_view rest = data.substr(1);
  if (major == 2) {
    if (rest.size() < 3) return std::nullopt;
    head.mime = std::string(MimeOfPictureFormat(rest.substr(0, 3)));
    if (head.mime.empty()) head.mime = std::string(rest.substr(0, 3));
    rest.remove_prefix(3);
  } else {
    const std::size_t end = rest.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    head.mime = std::string(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  if (rest.empty()) return std::nullopt;
  head.kind = static_cast<unsigned char>(rest[0]);
  head.rest = rest.substr(1);
  return head;
}

// The kind of an old picture frame, when its fields can be read.
std::optional<int> KindOf(const Frame& frame, const OldId3v2Frames& old) {
  std::string scratch;
  auto payload = FrameData(frame, old.major, old.allUnsynchronised, scratch);
  if (!payload) return std::nullopt;
  auto head = ParseHead(payload->data, old.major);
  if (!head) return std::nullopt;
  return head->kind;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool IsPictureFrameId(std::string_view id) { return id == "APIC" || id == "PIC"; }

std::optional<Picture> ParsePictureContent(std::string_view data, int major,
                                           const LegacyStrings& legacy) {
  auto head = ParseHead(data, major);
  if (!head) return std::nullopt;
  auto description = ParseTerminatedString(head->rest, head->encoding, legacy);
  if (!description) return std::nullopt;
  Picture picture;
  picture.kind = head->kind;
  picture.mime = std::move(head->mime);
  picture.description = std::move(description->text);
  picture.data = std::make_shared<const std::string>(description->rest);
  return picture;
}

std::optional<Frame> RenderPictureFrame(const Picture& picture, int major) {
  Frame frame;
  frame.id = major == 2 ? "PIC" : "APIC";
  const std::string& description = picture.description;
  const Charset charset = IsAscii(description) ? Charset::ShiftJis
                          : major == 4         ? Charset::Utf8
                                               : Charset::Utf16Le;
  std::string& out = frame.content;
  out.push_back(charset == Charset::ShiftJis ? '\0' : charset == Charset::Utf8 ? '\3' : '\1');
  if (major == 2) {
    const std::string_view format = PictureFormatOfMime(picture.mime);
    if (format.empty()) return std::nullopt;
    out += format;
  } else {
    out += picture.mime;
    out.push_back('\0');
  }
  out.push_back(static_cast<char>(picture.kind));
  out += EncodeTagText(description, charset);
  out.append(charset == Charset::Utf16Le ? 2 : 1, '\0');
  out += picture.Bytes();
  if (out.size() > (major == 2 ? 0xFFFFFFu : kMaxId3v2Size)) return std::nullopt;
  frame.size = static_cast<std::uint32_t>(out.size());
  frame.contentRead = true;
  return frame;
}

platform::IoResult<std::vector<Picture>> ReadPictures(const std::string& path) {
  platform::IoResult<platform::File> file = platform::File::Open(path, platform::File::Mode::Read);
  if (!file) return file.Error();
  platform::IoResult<TagLayout> layout = ProbeTagLayout(*file);
  if (!layout) return layout.Error();
  std::vector<Picture> pictures;
  if (!layout->id3v2) return pictures;
  platform::IoResult<OldId3v2Frames> old = ReadId3v2Frames(*file, *layout);
  if (!old) return old.Error();
  const LegacyStrings legacy(TagLegacyReading(old->frames, old->major, old->allUnsynchronised));
  std::string scratch;
  for (const Frame& frame : old->frames) {
    if (!IsPictureFrameId(frame.id)) continue;
    auto payload = FrameData(frame, old->major, old->allUnsynchronised, scratch);
    if (!payload) continue;
    if (auto picture = ParsePictureContent(payload->data, old->major, legacy)) {
      pictures.push_back(std::move(*picture));
    }
  }
  return pictures;
}

void RemoveReplacedPictures(OldId3v2Frames& old, const PictureEdit& edit) {
  if (edit.empty()) return;
  std::erase_if(old.frames, [&](const Frame& frame) {
    if (!IsPictureFrameId(frame.id)) return false;
    const std::optional<int> kind = KindOf(frame, old);
    return kind && edit.count(*kind) > 0;
  });
}

std::vector<Frame> RenderEditedPictures(const PictureEdit& edit, int major,
                                        std::vector<std::string>& dropped) {
  std::vector<Frame> frames;
  auto render = [&](const std::vector<Picture>& pictures) {
    for (const Picture& picture : pictures) {
      if (auto frame = RenderPictureFrame(picture, major)) {
        frames.push_back(std::move(*frame));
      } else {
        dropped.push_back(major == 2 ? "PIC" : "APIC");
      }
    }
  };
  // A reader that shows one picture shows the first.
  if (auto front = edit.find(kFrontCover); front != edit.end()) render(front->second);
  for (const auto& [kind, pictures] : edit) {
    if (kind != kFrontCover) render(pictures);
  }
  return frames;
}

}  // namespace quilmark
