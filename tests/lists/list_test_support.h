// Shared pieces of the list tests: a presenter that records what the user
// would have seen, and small tagged MP3 files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "messages/message_box.h"
#include "messages/message_ids.h"
#include "support/mp3_maker.h"
#include "support/temp_dir.h"

namespace quilmark::testing {

class RecordingPresenter : public MessagePresenter {
 public:
  int Show(const std::string& text, const std::string&, unsigned) override {
    texts.push_back(text);
    return IDOK;
  }
  bool AnyMentions(std::string_view part) const {
    for (const std::string& t : texts)
      if (t.find(part) != std::string::npos) return true;
    return false;
  }
  std::vector<std::string> texts;
};

// A v2.3 text frame in Shift-JIS (encoding byte 0); ASCII text only here.
inline std::string TextFrame(std::string_view id, std::string_view text) {
  return Frame23(id, std::string(1, '\0') + std::string(text));
}

// An MP3 file with an ID3v2.3 tag holding the title (and artist, encoder
// when given), followed by a little audio.
inline void WriteMp3(const std::string& path, std::string_view title = {},
                     std::string_view artist = {}, std::string_view encoder = {}) {
  std::string body;
  if (!title.empty()) body += TextFrame("TIT2", title);
  if (!artist.empty()) body += TextFrame("TPE1", artist);
  if (!encoder.empty()) body += TextFrame("TENC", encoder);
  std::string file = body.empty() ? std::string() : Id3v2Tag(3, body + std::string(64, '\0'));
  WriteBytes(path, file + MpegAudio(2));
}

}  // namespace quilmark::testing
