#include "tag/frame_carry.h"

#include "tag/frame_convert.h"
#include "tag/id3v2_reader.h"

namespace quilmark {

CarriedFrames CarryFrames(const OldId3v2Frames& old, const TagValues& values, int targetMajor) {
  CarriedFrames carried;
  carried.urlDescription = KeptUrlDescription(old.frames, old.major, old.allUnsynchronised, values);
  const std::vector<FrameRole> roles =
      ClassifyFrames(old.frames, old.major, old.allUnsynchronised, values);
  const std::uint16_t discardFlag = old.major == 3   ? kV23DiscardOnTagAlter
                                    : old.major == 4 ? kV24DiscardOnTagAlter
                                                     : 0;
  for (std::size_t i = 0; i < old.frames.size(); ++i) {
    if (roles[i] != FrameRole::kOther) continue;
    const Frame& frame = old.frames[i];
    // The frame's writer asked for it to go when anything else in the tag
    // changes: its content may depend on the rest (a checksum, say).
    if (frame.flags & discardFlag) {
      carried.dropped.push_back(frame.id);
      continue;
    }
    std::optional<Frame> converted =
        ConvertFrame(frame, old.major, old.allUnsynchronised, targetMajor);
    if (!converted) {
      carried.dropped.push_back(frame.id);
      continue;
    }
    carried.frames.push_back(std::move(*converted));
  }
  return carried;
}

}  // namespace quilmark
