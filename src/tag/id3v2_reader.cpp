#include "tag/id3v2_reader.h"

#include "tag/frame_map.h"
#include "tag/id3v2_fields.h"

namespace quilmark {

bool WantFrameForValues(std::string_view id, std::uint32_t size) {
  return size <= (FrameIdToKey(id).empty() ? kMaxUnknownFrameSize : kMaxShownFrameSize);
}

void AddFrameValues(const std::vector<Frame>& frames, TagValues& values) {
  for (const Frame& frame : frames) {
    if (!frame.contentRead) continue;
    const std::string_view key = FrameIdToKey(frame.id);
    if (key == keys::Comment) {
      CommentFields comment = ParseCommentContent(frame.content);
      values.Set(keys::Comment0, comment.language);
      if (comment.text) values.Set(keys::Comment2, *comment.text);
      values.Set(keys::Comment, comment.description);
    } else if (key == keys::URL) {
      values.Set(key, ParseUrlContent(frame.content));
    } else if (key.empty()) {
      // One line for the last unknown frame that has a value: an empty one
      // does not take it away.
      if (std::string text = ParseTextContent(frame.content); !text.empty()) values.Set(key, text);
    } else {
      values.Set(key, ParseTextContent(frame.content));
    }
  }
}

}  // namespace quilmark
