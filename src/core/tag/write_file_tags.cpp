#include "tag/write_file_tags.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tag/id3v1.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"

namespace quilmark {

namespace {

using platform::IoResult;
using platform::IoStatus;

constexpr const char* kTempPrefix = "QMK";

struct NewTags {
  std::string id3v2;  // before the audio
  std::string id3v1;  // after it
};

// A temporary file that is removed unless it was put in place.
class TempFile {
 public:
  explicit TempFile(std::string path) : path_(std::move(path)) {}
  ~TempFile() {
    if (!path_.empty()) static_cast<void>(platform::RemoveFile(path_));
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& Path() const { return path_; }
  IoStatus MoveTo(const std::string& target) {
    IoStatus moved = platform::RenameFile(path_, target);
    if (moved) path_.clear();
    return moved;
  }

 private:
  std::string path_;
};

// The new file, complete with the old one's mode, owner and (when asked)
// last-write time before the flush, so that one flush makes all of it
// durable.
IoStatus WriteNewFile(const std::string& tempPath, platform::File& source, const TagLayout& layout,
                      const NewTags& tags, const platform::FileAttributes& attributes,
                      std::optional<std::int64_t> lastWrite) {
  IoResult<platform::File> out = platform::File::Open(tempPath, platform::File::Mode::Truncate);
  if (!out) return out.Error();
  IoStatus status = out->Write(tags.id3v2);
  if (status) status = out->CopyFrom(source, layout.audioStart, layout.audioSize);
  if (status) status = out->Write(tags.id3v1);
  if (status) status = platform::SetAttributes(tempPath, attributes);
  if (status && lastWrite) status = platform::SetLastWriteTime(tempPath, *lastWrite);
  if (status) status = out->Sync();
  if (status) status = out->Close();
  return status;
}

TagWriteResult Refused(TagWriteStatus status, std::string reason) {
  return TagWriteResult{status, std::move(reason), {}};
}

TagWriteResult Failed(const platform::IoError& error) {
  return Refused(TagWriteStatus::Failed, error.Reason());
}

}  // namespace

TagWriteResult WriteFileTags(const std::string& shownPath, const TagValues& values,
                             const TagWriteOptions& options) {
  // A file reached through a symbolic link is rewritten where it lives; the
  // rename would otherwise put a copy in place of the link and leave the
  // file itself as it was.
  IoResult<std::string> resolved = platform::ResolveLinks(shownPath);
  const std::string path = resolved ? *resolved : shownPath;
  IoResult<platform::File> source = platform::File::Open(path, platform::File::Mode::Read);
  if (!source) return Refused(TagWriteStatus::NotOpened, source.Error().Reason());

  // The rename would replace a read-only file as easily as any other, so
  // the read-only state is honoured here.
  IoResult<bool> readOnly = platform::IsReadOnly(path);
  if (!readOnly) return Failed(readOnly.Error());
  if (*readOnly && !options.forceWrite) {
    return Refused(TagWriteStatus::ReadOnly, "the file is read-only");
  }

  NewTags tags;
  if (options.kind == TagKind::Id3v1) {
    Id3v1Render v1 = RenderId3v1Block(values, options.charset);
    if (v1.status == Id3v1Render::Status::kTrackNotNumber) {
      return Refused(TagWriteStatus::TrackNotNumber, "the track is not a number");
    }
    tags.id3v1 = std::move(v1.block);
  }

  IoResult<TagLayout> layout = ProbeTagLayout(*source);
  if (!layout) return Failed(layout.Error());
  IoResult<platform::FileAttributes> attributes = platform::GetAttributes(path);
  if (!attributes) return Failed(attributes.Error());
  std::optional<std::int64_t> lastWrite;
  if (options.keepFileTime) {
    IoResult<std::int64_t> time = platform::LastWriteTime(path);
    if (!time) return Failed(time.Error());
    lastWrite = *time;
  }

  TagWriteResult result{TagWriteStatus::Written, {}, {}};
  if (options.kind != TagKind::Id3v1) {
    CarriedFrames carried;
    if (layout->id3v2) {
      IoResult<OldId3v2Frames> old = ReadId3v2Frames(*source, *layout);
      if (!old) return Failed(old.Error());
      carried = CarryFrames(*old, values, Id3v2Major(options.kind));
    }
    std::optional<std::string> v2 = RenderId3v2Tag(values, options.kind, options.charset,
                                                   carried.frames, carried.urlDescription);
    if (!v2) return Refused(TagWriteStatus::Failed, "the tag is too large for its version");
    tags.id3v2 = std::move(*v2);
    result.droppedFrames = std::move(carried.dropped);
  }

  // In the file's own folder, so that the rename stays on one file system.
  std::string folder = platform::FolderPart(path);
  if (folder.empty()) folder = "./";
  IoResult<std::string> tempPath = platform::MakeTempFile(folder, kTempPrefix);
  if (!tempPath) return Failed(tempPath.Error());
  TempFile temp(*tempPath);

  IoStatus written = WriteNewFile(temp.Path(), *source, *layout, tags, *attributes, lastWrite);
  if (written) written = temp.MoveTo(path);
  if (!written) return Failed(written.Error());
  return result;
}

}  // namespace quilmark
