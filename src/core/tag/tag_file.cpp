#include "tag/tag_file.h"

#include <algorithm>
#include <cstring>

#include "tag/id3v1.h"
#include "tag/id3v2_frame.h"
#include "tag/id3v2_numbers.h"
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

  bool ReadInto(std::uint64_t offset, std::size_t size, std::string& out) override {
    // Large contents go straight into their own string.
    if (size <= kWindow || offset < first_.size()) return ByteSource::ReadInto(offset, size, out);
    if (offset > bodySize_ || size > bodySize_ - offset) return false;
    out.resize(size);
    if (file_.ReadExactlyAt(bodyStart_ + offset, out.data(), size).Ok()) return true;
    out.clear();
    return false;
  }

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

// A version 2.2 or 2.3 tag body unsynchronised as a whole, taken back as
// the frame walk reads it: one pass forward through the file, so that only
// the contents the walk keeps are ever in memory, however large the header
// says the tag is.
class ResynchronisingSource : public ByteSource {
 public:
  ResynchronisingSource(platform::File& file, std::uint64_t rawStart, std::uint64_t rawSize)
      : file_(file), rawStart_(rawStart), rawSize_(rawSize) {}

  std::string_view Read(std::uint64_t offset, std::size_t size) override {
    Seek(offset);
    if (window_.size() < size) Produce(std::max(size, kWindow) - window_.size(), &window_);
    return std::string_view(window_).substr(0, std::min(size, window_.size()));
  }

  bool ReadInto(std::uint64_t offset, std::size_t size, std::string& out) override {
    Seek(offset);
    out.assign(window_, 0, std::min(size, window_.size()));
    if (out.size() < size) Produce(size - out.size(), &out);
    window_.clear();  // what the window held is used up
    windowStart_ = produced_;
    return out.size() == size;
  }

 private:
  // Makes the window start at `offset`: what lies before it is dropped,
  // and a position behind the walk starts the pass again.
  void Seek(std::uint64_t offset) {
    if (offset < windowStart_) {
      rawRead_ = produced_ = windowStart_ = 0;
      afterFF_ = false;
      raw_.clear();
      rawAt_ = 0;
      window_.clear();
    }
    if (offset <= produced_) {
      window_.erase(0, static_cast<std::size_t>(offset - windowStart_));
    } else {
      window_.clear();
      Produce(offset - produced_, nullptr);
    }
    windowStart_ = offset;
  }

  // Appends (or, without `out`, passes over) up to `count` bytes of the
  // resynchronised body: FF 00 becomes FF.
  void Produce(std::uint64_t count, std::string* out) {
    while (count > 0) {
      if (rawAt_ == raw_.size() && !Refill()) return;
      if (afterFF_ && raw_[rawAt_] == '\0') {
        ++rawAt_;
        afterFF_ = false;
        continue;
      }
      const char* run = raw_.data() + rawAt_;
      const std::size_t take =
          static_cast<std::size_t>(std::min<std::uint64_t>(raw_.size() - rawAt_, count));
      const void* ff = std::memchr(run, 0xFF, take);
      const std::size_t n =
          ff ? static_cast<std::size_t>(static_cast<const char*>(ff) - run) + 1 : take;
      afterFF_ = ff != nullptr;
      if (out) out->append(run, n);
      rawAt_ += n;
      produced_ += n;
      count -= n;
    }
  }

  bool Refill() {
    const auto size =
        static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, rawSize_ - rawRead_));
    raw_.resize(size);
    auto got = size > 0 ? file_.ReadAt(rawStart_ + rawRead_, raw_.data(), size)
                        : platform::IoResult<std::size_t>(std::size_t{0});
    raw_.resize(got ? *got : 0);
    rawAt_ = 0;
    rawRead_ += raw_.size();
    return !raw_.empty();
  }

  platform::File& file_;
  std::uint64_t rawStart_, rawSize_;
  std::uint64_t rawRead_ = 0;   // raw bytes read from the file so far
  std::string raw_;             // the last raw chunk read
  std::size_t rawAt_ = 0;       // next unused byte of raw_
  bool afterFF_ = false;        // the last byte produced was FF
  std::uint64_t produced_ = 0;  // resynchronised bytes produced so far
  std::string window_;          // produced bytes from windowStart_ on
  std::uint64_t windowStart_ = 0;
};

struct FileStart {
  TagLayout layout;
  std::string head;  // the first bytes of the file, up to the size asked for
  std::string tail;  // the last 128 bytes, when the file has that many
};

// `size` is the file's, as its caller knows it.
platform::IoResult<FileStart> ReadFileStart(platform::File& file, std::size_t headBytes,
                                            platform::IoResult<std::uint64_t> size) {
  if (!size) return size.Error();
  FileStart start;
  TagLayout& layout = start.layout;
  layout.fileSize = *size;

  start.head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(*size, headBytes)));
  auto got = file.ReadAt(0, start.head.data(), start.head.size());
  if (!got) return got.Error();
  start.head.resize(*got);

  std::uint64_t audioEnd = *size;
  if (*size >= kId3v1Size) {
    if (start.head.size() == *size) {
      start.tail = start.head.substr(start.head.size() - kId3v1Size);
    } else {
      start.tail.resize(kId3v1Size);
      if (platform::IoStatus read =
              file.ReadExactlyAt(*size - kId3v1Size, start.tail.data(), kId3v1Size);
          !read) {
        return read.Error();
      }
    }
    layout.hasId3v1 = IsId3v1Block(start.tail);
    if (layout.hasId3v1) audioEnd -= kId3v1Size;
  }
  layout.id3v2 = ParseId3v2Header(start.head);
  if (layout.id3v2) {
    const std::uint64_t tagEnd = kId3v2HeaderSize + layout.id3v2->size;
    layout.audioStart = std::min<std::uint64_t>(tagEnd, audioEnd);
    // A version 2.4 footer repeats the header after the frames; it is no
    // audio. Taken only where it is, so a stray flag costs no audio.
    if (layout.id3v2->major == 4 && (layout.id3v2->flags & kId3v2Footer) &&
        tagEnd + kId3v2HeaderSize <= audioEnd) {
      char mark[3] = {};
      bool read = false;
      if (tagEnd + 3 <= start.head.size()) {
        std::copy_n(start.head.data() + tagEnd, 3, mark);
        read = true;
      } else {
        read = file.ReadExactlyAt(tagEnd, mark, 3).Ok();
      }
      if (read && std::string_view(mark, 3) == "3DI") layout.audioStart = tagEnd + kId3v2HeaderSize;
    }
  }
  layout.audioSize = audioEnd - layout.audioStart;
  return start;
}

// How far into the file, counted from the start of the tag body, the last
// frame may be read: past the declared size up to the end of the audio, as
// taggers that miscount the size leave that frame, unless audio starts
// right where the declared size ends (the frame's size is then what is
// wrong, and the audio stays audio). `alreadyRead` is the start of the body
// as read before, which most often holds the bytes after it too.
std::uint64_t ReadableBodySize(platform::File& file, const TagLayout& layout,
                               std::uint64_t bodySize, std::string_view alreadyRead) {
  const Id3v2Header& header = *layout.id3v2;
  if (header.major == 4 && (header.flags & kId3v2Footer)) return bodySize;
  const std::uint64_t tagEnd = kId3v2HeaderSize + bodySize;
  const std::uint64_t audioEnd = layout.audioStart + layout.audioSize;
  unsigned char next[2] = {};
  if (tagEnd + sizeof next > audioEnd) return bodySize;
  if (bodySize + sizeof next <= alreadyRead.size()) {
    std::copy_n(alreadyRead.data() + bodySize, sizeof next, next);
  } else if (!file.ReadExactlyAt(tagEnd, reinterpret_cast<char*>(next), sizeof next).Ok()) {
    return bodySize;
  }
  const bool frameSync = next[0] == 0xFF && (next[1] & 0xE0) == 0xE0;
  return frameSync ? bodySize : audioEnd - kId3v2HeaderSize;
}

// The walk over a tag's frames, whichever the source of its bytes.
platform::IoResult<OldId3v2Frames> WalkTag(platform::File& file, const TagLayout& layout,
                                           std::string_view alreadyRead, const WantContent& want) {
  OldId3v2Frames tag;
  if (!layout.id3v2) return tag;
  const Id3v2Header& header = *layout.id3v2;
  tag.major = header.major;
  if (header.major < 2 || header.major > 4) return tag;
  // A compressed version 2.2 tag names no way to decompress it.
  if (header.major == 2 && (header.flags & kId3v22Compressed)) return tag;
  std::uint64_t bodySize = std::min<std::uint64_t>(header.size, layout.fileSize - kId3v2HeaderSize);

  // Versions 2.2 and 2.3 unsynchronise the whole body, headers included.
  std::optional<ResynchronisingSource> resynchronised;
  std::optional<FileBodySource> fromFile;
  ByteSource* body = nullptr;
  std::uint64_t readable = bodySize;
  if (header.major < 4 && (header.flags & kId3v2Unsynchronisation)) {
    body = &resynchronised.emplace(file, kId3v2HeaderSize, bodySize);
  } else {
    readable = ReadableBodySize(file, layout, bodySize, alreadyRead);
    body = &fromFile.emplace(file, kId3v2HeaderSize, readable, alreadyRead);
  }
  tag.allUnsynchronised = header.major == 4 && (header.flags & kId3v2Unsynchronisation);

  std::uint64_t start = 0;
  if (header.major >= 3 && (header.flags & kId3v2ExtendedHeader)) {
    std::string_view size = body->Read(0, 4);
    if (size.size() < 4) return tag;
    // Version 2.3 counts the bytes after the size, 2.4 the whole header.
    start = header.major == 3 ? 4 + std::uint64_t{ReadBigEndian(size)} : ReadSynchsafe(size);
    if (header.major == 4 && start < 6) return tag;
    if (start >= bodySize) return tag;
  }
  tag.frames = ReadFrames(*body, bodySize, header.major, want, start, readable);
  return tag;
}

}  // namespace

platform::IoResult<OldId3v2Frames> ReadId3v2Frames(platform::File& file, const TagLayout& layout) {
  return WalkTag(file, layout, {}, {});
}

platform::IoResult<TagLayout> ProbeTagLayout(platform::File& file) {
  auto start = ReadFileStart(file, kId3v2HeaderSize, file.Size());
  if (!start) return start.Error();
  TagLayout& layout = start->layout;
  // A last frame read past the declared size belongs to the tag: the audio
  // starts after it.
  auto tag = WalkTag(file, layout, {}, [](std::string_view, std::uint32_t) { return false; });
  if (!tag) return tag.Error();
  if (!tag->frames.empty()) {
    const Frame& last = tag->frames.back();
    // Never past the audio's end: a tag may claim to run into the ID3v1
    // block, and its frames with it.
    const std::uint64_t end =
        std::min(kId3v2HeaderSize + last.offset + FrameHeaderSize(tag->major) + last.size,
                 layout.audioStart + layout.audioSize);
    if (end > layout.audioStart) {
      layout.audioSize -= end - layout.audioStart;
      layout.audioStart = end;
    }
  }
  return layout;
}

platform::IoResult<TagValues> ReadTagValues(const std::string& path) {
  platform::IoResult<platform::File> opened =
      platform::File::Open(path, platform::File::Mode::Read);
  if (!opened) return opened.Error();
  platform::File& file = *opened;
  auto start = ReadFileStart(file, kHeadRead, file.SizeWhenOpened());
  if (!start) return start.Error();

  TagValues values;
  if (start->layout.hasId3v1) ReadId3v1Block(start->tail, values);
  const auto& header = start->layout.id3v2;
  if (!header) return values;

  // An ID3v2 tag replaces whatever the ID3v1 block said, even when its
  // version is one whose frames are not read.
  values.Clear();
  if (header->major < 2 || header->major > 4) return values;
  values.Set(keys::TagVersion, std::to_string(header->major));
  auto tag = WalkTag(file, start->layout, std::string_view(start->head).substr(kId3v2HeaderSize),
                     WantFrameForValues);
  if (tag) AddFrameValues(tag->frames, values, tag->major, tag->allUnsynchronised);
  return values;
}

}  // namespace quilmark
