#include "tag/prepare_tag_write.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/file.h"
#include "tag/id3v1.h"
#include "tag/id3v2_header.h"
#include "tag/id3v2_writer.h"
#include "tag/mpeg_audio.h"
#include "tag/picture_frame.h"
#include "tag/tag_file.h"

namespace quilmark {

namespace {

using platform::IoResult;
using platform::IoStatus;

struct NewTags {
  std::string id3v2;  // before the audio
  std::string id3v1;  // after it
  // The ID3v2 tag sized to the old one's space, where it fits, without its
  // padding: the audio then keeps its offset and can share the old file's
  // blocks.
  std::optional<std::string> id3v2InOldSpace;
  std::vector<std::string> dropped;
  TextFallback fallback = TextFallback::None;
};

TagWriteResult Refused(TagWriteStatus status, std::string reason) {
  TagWriteResult result;
  result.status = status;
  result.reason = std::move(reason);
  return result;
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

IoResult<std::unique_ptr<PreparedTagWrite>> OpenOriginal(const std::string& path) {
  // A symbolic link is followed to the file it names: the rename would
  // otherwise put a copy in place of the link and leave the file as it was.
  IoResult<platform::ReplaceTarget> target = platform::LocateReplaceTarget(path);
  if (!target) return target.Error();
  IoResult<platform::File> file =
      platform::File::OpenIn(target->folder, target->name, platform::File::Mode::Read);
  if (!file) return file.Error();
  IoResult<platform::FileInfo> info = file->Info();
  if (!info) return info.Error();
  auto prepared = std::make_unique<PreparedTagWrite>();
  prepared->target = std::move(*target);
  prepared->original = std::move(*file);
  prepared->info = *info;
  return prepared;
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
    return FailedWrite(read.Error());
  }
  if (StartsLikeMpegAudio(head, layout.audioSize)) return std::nullopt;
  return Refused(TagWriteStatus::NotMpegAudio,
                 "not an MP3 file: no ID3v2 tag and no MPEG audio at its start");
}

std::optional<TagWriteResult> BuildTags(platform::File& original, const TagLayout& layout,
                                        const TagValues& values, const PictureEdit& pictures,
                                        const TagWriteOptions& options, NewTags& tags) {
  if (options.kind == TagKind::Id3v1) {
    Id3v1Render v1 = RenderId3v1Block(values, options.charset);
    if (v1.status == Id3v1Render::Status::kTrackNotNumber) {
      return Refused(TagWriteStatus::TrackNotNumber, "the track is not a number");
    }
    tags.id3v1 = std::move(v1.block);
    if (!tags.id3v1.empty()) tags.fallback = v1.fallback;
    if (layout.audioStart == 0) tags.id3v2InOldSpace.emplace();
    for (const auto& [kind, kept] : pictures)
      tags.dropped.insert(tags.dropped.end(), kept.size(), "APIC");
    return std::nullopt;
  }
  const int major = Id3v2Major(options.kind);
  CarriedFrames carried;
  if (layout.id3v2) {
    IoResult<OldId3v2Frames> old = ReadId3v2Frames(original, layout);
    if (!old) return FailedWrite(old.Error());
    RemoveReplacedPictures(*old, pictures);
    carried = CarryFrames(*old, values, major);
  }
  std::vector<Frame> newPictures = RenderEditedPictures(pictures, major, carried.dropped);
  carried.frames.insert(carried.frames.begin(), std::make_move_iterator(newPictures.begin()),
                        std::make_move_iterator(newPictures.end()));
  std::optional<Id3v2Render> v2 = RenderId3v2Tag(values, options.kind, options.charset, carried);
  if (!v2) {
    return Refused(TagWriteStatus::Failed,
                   std::string("the tag is too large for ") + KindName(options.kind));
  }
  // The audio keeps its offset under a tag that fits the old one's space;
  // without values there is no tag, and it keeps it only if it had none.
  if (!v2->bytes.empty()) {
    tags.id3v2InOldSpace = ResizedId3v2Tag(*v2, layout.audioStart);
  } else if (layout.audioStart == 0) {
    tags.id3v2InOldSpace.emplace();
  }
  tags.id3v2 = std::move(v2->bytes);
  tags.fallback = v2->fallback;
  tags.dropped = std::move(carried.dropped);
  return std::nullopt;
}

// The audio where the old file had it, sharing its blocks, under the new
// tag sized to the old one's space; false where the file system cannot
// share them, and nothing is written then.
IoResult<bool> ShareAudio(PreparedTagWrite& write, const TagLayout& layout, const NewTags& tags) {
  if (!tags.id3v2InOldSpace) return false;
  platform::File& out = write.replacement->Content();
  IoResult<bool> shared = out.ShareFrom(write.original, layout.audioStart, layout.audioSize);
  if (!shared || !*shared) return shared;
  // The file held nothing before the audio, which reads as zeros: the
  // tag's padding.
  if (IoStatus head = out.WriteAt(0, *tags.id3v2InOldSpace); !head) return head.Error();
  write.bytes = tags.id3v2InOldSpace->size();
  return true;
}

// The new file, complete with what it keeps of the old one before the
// flush, so that one flush makes all of it lasting, and that flush begun.
IoStatus WriteReplacement(PreparedTagWrite& write, const TagLayout& layout, const NewTags& tags,
                          const TagWriteOptions& options) {
  IoResult<platform::Replacement> made = platform::Replacement::Create(write.target);
  if (!made) return made.Error();
  platform::Replacement& replacement = write.replacement.emplace(std::move(*made));
  platform::File& out = replacement.Content();
  IoResult<bool> shared = ShareAudio(write, layout, tags);
  if (!shared) return shared.Error();
  IoStatus status;
  if (!*shared) {
    status = out.Write(tags.id3v2);
    if (status) status = out.CopyFrom(write.original, layout.audioStart, layout.audioSize);
    write.bytes = tags.id3v2.size() + layout.audioSize;
  }
  if (status) status = out.Write(tags.id3v1);
  if (!status) return status;
  write.bytes += tags.id3v1.size();
  IoResult<platform::KeptOwnership> kept = replacement.TakeAttributesOf(write.original, write.info);
  if (!kept) return kept.Error();
  write.result.ownerKept = kept->owner;
  write.result.groupKept = kept->group;
  if (options.keepFileTime) status = out.SetLastWriteTime(write.info.lastWrite);
  if (status) replacement.StartFlush();
  return status;
}

}  // namespace

TagWriteResult FailedWrite(const platform::IoError& error) {
  TagWriteResult result;
  result.status = TagWriteStatus::Failed;
  result.reason = error.Reason();
  return result;
}

std::variant<TagWriteResult, std::unique_ptr<PreparedTagWrite>> PrepareTagWrite(
    const std::string& path, const TagValues& values, const PictureEdit& pictures,
    const TagWriteOptions& options, platform::LeftoverSweep* sweep) {
  IoResult<std::unique_ptr<PreparedTagWrite>> opened = OpenOriginal(path);
  if (!opened) return Refused(TagWriteStatus::NotOpened, opened.Error().Reason());
  PreparedTagWrite& write = **opened;
  // The rename needs only the folder's permission; the file's own, and its
  // read-only state, are honoured here.
  if (IoStatus may = platform::CheckMayReplace(write.target, write.info, options.forceWrite);
      !may) {
    return Refused(TagWriteStatus::ReadOnly, may.Error().Reason());
  }

  IoResult<TagLayout> layout = ProbeTagLayout(write.original);
  if (!layout) return FailedWrite(layout.Error());
  if (auto refused = CheckContent(write.original, *layout)) return *refused;
  NewTags tags;
  if (auto refused = BuildTags(write.original, *layout, values, pictures, options, tags)) {
    return *refused;
  }

  if (sweep) sweep->Sweep(write.target.folder);
  write.result.status = TagWriteStatus::Written;
  if (IoStatus written = WriteReplacement(write, *layout, tags, options); !written) {
    return FailedWrite(written.Error());
  }
  write.result.droppedFrames = std::move(tags.dropped);
  write.result.fallback = tags.fallback;
  write.result.otherNames = write.info.links > 1 ? write.info.links - 1 : 0;
  return std::move(*opened);
}

}  // namespace quilmark
