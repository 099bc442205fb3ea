#include "tag/tag_file.h"

#include <algorithm>

#include "tag/id3v1.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_reader.h"

namespace quilmark {

namespace {

// One read at the start of the file takes the header and, for most files,
// the whole tag.
constexpr std::size_t kHeadRead = 2048;
// Later reads of a tag body come in windows of this size.
constexpr std::size_t kWindow = 64 * 1024;

// A tag body read from the file as the frame walk asks for it; it starts
// with what the first read of the file already holds.
class FileBodySource : public ByteSource {
 public:
  FileBodySource(platform::File& file, std::uint64_t bodyStart, std::uint64_t bodySize,
                 std::string_view alreadyRead)
      : file_(file), bodyStart_(bodyStart), bodySize_(bodySize), first_(alreadyRead) {}

  std::string_view Read(std::uint64_t offset, std::size_t size) override {
    if (offset >= bodySize_) return {};
    size = static_cast<std::size_t>(std::min<std::uint64_t>(size, bodySize_ - offset));
    if (offset + size <= first_.size())
      return first_.substr(static_cast<std::size_t>(offset), size);
    if (offset >= windowStart_ && offset + size <= windowStart_ + window_.size()) {
      return std::string_view(window_).substr(static_cast<std::size_t>(offset - windowStart_),
                                              size);
    }
    const auto length = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(size, kWindow), bodySize_ - offset));
    window_.resize(length);
    windowStart_ = offset;
    auto got = file_.ReadAt(bodyStart_ + offset, window_.data(), length);
    window_.resize(got ? *got : 0);
    return std::string_view(window_).substr(0, std::min(size, window_.size()));
  }

 private:
  platform::File& file_;
  std::uint64_t bodyStart_;
  std::uint64_t bodySize_;
  std::string_view first_;  // what the caller read already; not copied
  std::string window_;
  std::uint64_t windowStart_ = 0;
};

struct FileStart {
  TagLayout layout;
  std::string head;  // the first bytes of the file, up to the size asked for
  std::string tail;  // the last 128 bytes, when the file has that many
};

std::optional<FileStart> ReadFileStart(platform::File& file, std::size_t headBytes) {
  auto size = file.Size();
  if (!size) return std::nullopt;
  FileStart start;
  TagLayout& layout = start.layout;
  layout.fileSize = *size;

  start.head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(*size, headBytes)));
  auto got = file.ReadAt(0, start.head.data(), start.head.size());
  if (!got) return std::nullopt;
  start.head.resize(*got);

  std::uint64_t audioEnd = *size;
  if (*size >= kId3v1Size) {
    if (start.head.size() == *size) {
      start.tail = start.head.substr(start.head.size() - kId3v1Size);
    } else {
      start.tail.resize(kId3v1Size);
      if (!file.ReadExactlyAt(*size - kId3v1Size, start.tail.data(), kId3v1Size)) {
        return std::nullopt;
      }
    }
    layout.hasId3v1 = IsId3v1Block(start.tail);
    if (layout.hasId3v1) audioEnd -= kId3v1Size;
  }
  layout.id3v2 = ParseId3v2Header(start.head);
  if (layout.id3v2) {
    layout.audioStart = std::min<std::uint64_t>(kId3v2HeaderSize + layout.id3v2->size, audioEnd);
  }
  layout.audioSize = audioEnd - layout.audioStart;
  return start;
}

}  // namespace

std::optional<TagLayout> ProbeTagLayout(platform::File& file) {
  auto start = ReadFileStart(file, kId3v2HeaderSize);
  if (!start) return std::nullopt;
  return start->layout;
}

std::optional<TagValues> ReadTagValues(const std::string& path) {
  platform::File file = platform::File::Open(path, platform::File::Mode::Read);
  if (!file.IsOpen()) return std::nullopt;
  auto start = ReadFileStart(file, kHeadRead);
  if (!start) return std::nullopt;

  TagValues values;
  if (start->layout.hasId3v1) ReadId3v1Block(start->tail, values);
  const auto& header = start->layout.id3v2;
  if (!header) return values;

  // An ID3v2 tag replaces whatever the ID3v1 block said, even when its
  // version is one whose frames are not read.
  values.Clear();
  if (header->major != 2 && header->major != 3) return values;
  values.Set(keys::TagVersion, std::to_string(header->major));
  const std::uint64_t bodySize =
      std::min<std::uint64_t>(header->size, start->layout.fileSize - kId3v2HeaderSize);
  FileBodySource body(file, kId3v2HeaderSize, bodySize,
                      std::string_view(start->head).substr(kId3v2HeaderSize));
  AddFrameValues(ReadFrames(body, bodySize, header->major, WantFrameForValues), values);
  return values;
}

}  // namespace quilmark
