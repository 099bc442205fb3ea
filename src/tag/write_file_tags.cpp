#include "tag/write_file_tags.h"

#include <optional>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tag/id3v1.h"
#include "tag/id3v2_writer.h"
#include "tag/tag_file.h"

namespace quilmark {

namespace {

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
    if (!path_.empty()) platform::RemoveFile(path_);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& Path() const { return path_; }
  bool MoveTo(const std::string& target) {
    if (!platform::RenameFile(path_, target)) return false;
    path_.clear();
    return true;
  }

 private:
  std::string path_;
};

// The new file, complete with the old one's mode, owner and (when asked)
// last-write time before the flush, so that one flush makes all of it
// durable.
bool WriteNewFile(const std::string& tempPath, platform::File& source, const TagLayout& layout,
                  const NewTags& tags, const platform::FileAttributes& attributes,
                  std::optional<std::int64_t> lastWrite) {
  platform::File out = platform::File::Open(tempPath, platform::File::Mode::Truncate);
  return out.IsOpen() && out.Write(tags.id3v2) &&
         out.CopyFrom(source, layout.audioStart, layout.audioSize) && out.Write(tags.id3v1) &&
         platform::SetAttributes(tempPath, attributes) &&
         (!lastWrite || platform::SetLastWriteTime(tempPath, *lastWrite)) && out.Sync() &&
         out.Close();
}

}  // namespace

WriteResult WriteFileTags(const std::string& shownPath, const TagValues& values,
                          const Settings& settings, Messages& messages,
                          std::vector<std::string>* droppedFrames) {
  if (droppedFrames) droppedFrames->clear();
  // A file reached through a symbolic link is rewritten where it lives; the
  // rename would otherwise put a copy in place of the link and leave the
  // file itself as it was.
  const std::string path = platform::ResolveLinks(shownPath).value_or(shownPath);
  platform::File source = platform::File::Open(path, platform::File::Mode::Read);
  if (!source.IsOpen()) return WriteResult::kNotOpened;
  auto fail = [&] {
    messages.msgbox(MSG_CANNOT_WRITE, shownPath);
    return WriteResult::kFailed;
  };

  // The rename would replace a read-only file as easily as any other, so
  // the read-only state is honoured here.
  const std::optional<bool> readOnly = platform::IsReadOnly(path);
  if (!readOnly || (*readOnly && !settings.ForceWrite)) return fail();

  const int version = settings.EffectiveWriteTagVersion();
  const int charset = settings.EffectiveCharset();
  NewTags tags;
  if (version == 0) {
    Id3v1Render v1 = RenderId3v1Block(values, charset);
    if (v1.status == Id3v1Render::Status::kTrackNotNumber) return WriteResult::kTrackNotNumber;
    tags.id3v1 = std::move(v1.block);
  }

  const std::optional<TagLayout> layout = ProbeTagLayout(source);
  const std::optional<platform::FileAttributes> attributes = platform::GetAttributes(path);
  const std::optional<std::int64_t> lastWrite =
      settings.FileTime ? platform::LastWriteTime(path) : std::nullopt;
  if (!layout || !attributes || (settings.FileTime && !lastWrite)) return fail();

  if (version != 0) {
    CarriedFrames carried;
    if (layout->id3v2) {
      std::optional<OldId3v2Frames> old = ReadId3v2Frames(source, *layout);
      if (!old) return fail();
      carried = CarryFrames(*old, values, version == 1 ? 2 : 3);
    }
    std::optional<std::string> v2 = RenderId3v2Tag(values, version, charset, carried.frames);
    if (!v2) return fail();
    tags.id3v2 = std::move(*v2);
    if (droppedFrames) *droppedFrames = std::move(carried.dropped);
  }

  // In the file's own folder, so that the rename stays on one file system.
  std::string folder = platform::FolderPart(path);
  if (folder.empty()) folder = "./";
  std::optional<std::string> tempPath = platform::MakeTempFile(folder, kTempPrefix);
  if (!tempPath) return fail();
  TempFile temp(*tempPath);

  if (!WriteNewFile(temp.Path(), source, *layout, tags, *attributes, lastWrite)) return fail();
  if (!temp.MoveTo(path)) return fail();
  return WriteResult::kWritten;
}

}  // namespace quilmark
