#include "tag/write_file_tags.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/file.h"
#include "tag/id3v1.h"
#include "tag/id3v2_header.h"
#include "tag/id3v2_writer.h"
#include "tag/mpeg_audio.h"
#include "tag/tag_file.h"

namespace quilmark {

namespace {

using platform::IoResult;
using platform::IoStatus;

// The file being rewritten, open for reading, and where its replacement goes.
struct Original {
  platform::ReplaceTarget target;
  platform::File file;
  platform::FileInfo info;
};

struct NewTags {
  std::string id3v2;  // before the audio
  std::string id3v1;  // after it
  std::vector<std::string> dropped;
  TextFallback fallback = TextFallback::None;
};

TagWriteResult Refused(TagWriteStatus status, std::string reason) {
  TagWriteResult result;
  result.status = status;
  result.reason = std::move(reason);
  return result;
}

TagWriteResult Failed(const platform::IoError& error) {
  return Refused(TagWriteStatus::Failed, error.Reason());
}

const char* KindName(TagKind kind) {
  switch (kind) {
    case TagKind::Id3v1:
      return "ID3v1";
    case TagKind::Id3v22:
      return "ID3v2.2";
    case TagKind::Id3v24:
      return "ID3v2.4";
    case TagKind::Id3v23:
      break;
  }
  return "ID3v2.3";
}

IoResult<Original> OpenOriginal(const std::string& path) {
  // A symbolic link is followed to the file it names: the rename would
  // otherwise put a copy in place of the link and leave the file as it was.
  IoResult<platform::ReplaceTarget> target = platform::LocateReplaceTarget(path);
  if (!target) return target.Error();
  IoResult<platform::File> file =
      platform::File::OpenIn(target->folder, target->name, platform::File::Mode::Read);
  if (!file) return file.Error();
  IoResult<platform::FileInfo> info = file->Info();
  if (!info) return info.Error();
  return Original{std::move(*target), std::move(*file), *info};
}

// Whether the file's bytes allow a rewrite at all: a tag header that claims
// more than the file holds would make the rewrite cut the file short, and a
// file that is not MPEG audio gets no tag put into it.
std::optional<TagWriteResult> CheckContent(platform::File& file, const TagLayout& layout) {
  if (layout.id3v2) {
    const std::uint64_t claimed = kId3v2HeaderSize + std::uint64_t{layout.id3v2->size};
    if (claimed > layout.fileSize) {
      return Refused(TagWriteStatus::Failed, "the ID3v2 tag claims " + std::to_string(claimed) +
                                                 " bytes, more than the " +
                                                 std::to_string(layout.fileSize) + " of the file");
    }
    return std::nullopt;
  }
  std::string head(
      static_cast<std::size_t>(std::min<std::uint64_t>(layout.audioSize, kMpegProbeSize)), '\0');
  if (IoStatus read = file.ReadExactlyAt(layout.audioStart, head.data(), head.size()); !read) {
    return Failed(read.Error());
  }
  if (StartsLikeMpegAudio(head, layout.audioSize)) return std::nullopt;
  return Refused(TagWriteStatus::NotMpegAudio,
                 "not an MP3 file: no ID3v2 tag and no MPEG audio at its start");
}

std::optional<TagWriteResult> BuildTags(Original& original, const TagLayout& layout,
                                        const TagValues& values, const TagWriteOptions& options,
                                        NewTags& tags) {
  if (options.kind == TagKind::Id3v1) {
    Id3v1Render v1 = RenderId3v1Block(values, options.charset);
    if (v1.status == Id3v1Render::Status::kTrackNotNumber) {
      return Refused(TagWriteStatus::TrackNotNumber, "the track is not a number");
    }
    tags.id3v1 = std::move(v1.block);
    if (!tags.id3v1.empty()) tags.fallback = v1.fallback;
    return std::nullopt;
  }
  CarriedFrames carried;
  if (layout.id3v2) {
    IoResult<OldId3v2Frames> old = ReadId3v2Frames(original.file, layout);
    if (!old) return Failed(old.Error());
    carried = CarryFrames(*old, values, Id3v2Major(options.kind));
  }
  std::optional<Id3v2Render> v2 = RenderId3v2Tag(values, options.kind, options.charset, carried);
  if (!v2) {
    return Refused(TagWriteStatus::Failed,
                   std::string("the tag is too large for ") + KindName(options.kind));
  }
  tags.id3v2 = std::move(v2->bytes);
  tags.fallback = v2->fallback;
  tags.dropped = std::move(carried.dropped);
  return std::nullopt;
}

// The new file, complete with what it keeps of the old one before the
// flush, so that one flush makes all of it lasting; then in its place.
IoStatus WriteReplacement(Original& original, const TagLayout& layout, const NewTags& tags,
                          const TagWriteOptions& options, TagWriteResult& result) {
  IoResult<platform::Replacement> made = platform::Replacement::Create(original.target);
  if (!made) return made.Error();
  platform::Replacement& replacement = *made;
  platform::File& out = replacement.Content();
  IoStatus status = out.Write(tags.id3v2);
  if (status) status = out.CopyFrom(original.file, layout.audioStart, layout.audioSize);
  if (status) status = out.Write(tags.id3v1);
  if (!status) return status;
  IoResult<platform::KeptOwnership> kept =
      replacement.TakeAttributesOf(original.file, original.info);
  if (!kept) return kept.Error();
  result.ownerKept = kept->owner;
  result.groupKept = kept->group;
  if (options.keepFileTime) status = out.SetLastWriteTime(original.info.lastWrite);
  if (status) status = replacement.Flush();
  if (status) status = replacement.PutInPlace();
  return status;
}

}  // namespace

TagWriteResult WriteFileTags(const std::string& path, const TagValues& values,
                             const TagWriteOptions& options, platform::LeftoverSweep* sweep) {
  IoResult<Original> original = OpenOriginal(path);
  if (!original) return Refused(TagWriteStatus::NotOpened, original.Error().Reason());
  // The rename needs only the folder's permission; the file's own, and its
  // read-only state, are honoured here.
  if (IoStatus may =
          platform::CheckMayReplace(original->target, original->info, options.forceWrite);
      !may) {
    return Refused(TagWriteStatus::ReadOnly, may.Error().Reason());
  }

  IoResult<TagLayout> layout = ProbeTagLayout(original->file);
  if (!layout) return Failed(layout.Error());
  if (auto refused = CheckContent(original->file, *layout)) return *refused;
  NewTags tags;
  if (auto refused = BuildTags(*original, *layout, values, options, tags)) return *refused;

  if (sweep) sweep->Sweep(original->target.folder);
  TagWriteResult result;
  result.status = TagWriteStatus::Written;
  if (IoStatus written = WriteReplacement(*original, *layout, tags, options, result); !written) {
    return Failed(written.Error());
  }
  result.droppedFrames = std::move(tags.dropped);
  result.fallback = tags.fallback;
  result.otherNames = original->info.links > 1 ? original->info.links - 1 : 0;
  return result;
}

}  // namespace quilmark
