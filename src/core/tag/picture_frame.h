// The picture frames, read and written side by side: APIC (versions 2.3
// and 2.4) and PIC (version 2.2, with a format name for the MIME type);
// the pictures of a file, and the frames a save writes for a PictureEdit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io_result.h"
#include "tag/frame_carry.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_frame.h"
#include "tag/picture.h"

namespace quilmark {

bool IsPictureFrameId(std::string_view id);

// The picture in a picture frame's fields (its flags' additions taken off,
// see FrameData); nullopt when they are cut short.
std::optional<Picture> ParsePictureContent(std::string_view data, int major,
                                           const LegacyStrings& legacy = LegacyStrings());

// The frame for version `major`: the description in Latin-1 when it is
// ASCII, else in UTF-8 (version 2.4) or UTF-16. nullopt when version 2.2
// has no format name for the MIME type or the picture is too large.
std::optional<Frame> RenderPictureFrame(const Picture& picture, int major);

// The pictures of a file's ID3v2 tag, in order; frames that cannot be
// read here (compressed, encrypted, cut short) are left out. None for a
// file without one.
platform::IoResult<std::vector<Picture>> ReadPictures(const std::string& path);

// Takes out of the old frames the pictures of the kinds `edit` names.
void RemoveReplacedPictures(OldId3v2Frames& old, const PictureEdit& edit);

// The edit's pictures as frames of version `major`, front covers first;
// the identifier of each that cannot be written goes to `dropped`.
std::vector<Frame> RenderEditedPictures(const PictureEdit& edit, int major,
                                        std::vector<std::string>& dropped);

}  // namespace quilmark
