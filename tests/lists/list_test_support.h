// Shared pieces of the list tests: a presenter that records what the user
// would have seen, small tagged MP3 files, and a track list in a folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "messages/msgbox.h"
#include "settings/settings.h"
#include "support/mp3_maker.h"
#include "support/temp_dir.h"
#include "tracklist/track_grid.h"

namespace quilmark::testing {

struct RecordingPresenter : MessagePresenter {
  int Show(const std::string& text, const std::string&, unsigned) override {
    texts.push_back(text);
    return IDOK;
  }
  std::vector<std::string> texts;
};

// An MP3 file with an ID3v2.3 tag of Shift-JIS (ASCII here) text frames,
// those given, followed by a little audio.
inline void WriteMp3(const std::string& path, std::string_view title = {},
                     std::string_view artist = {}, std::string_view encoder = {}) {
  std::string body;
  for (auto [id, text] : {std::pair{"TIT2", title}, {"TPE1", artist}, {"TENC", encoder}})
    if (!text.empty()) body += Frame23(id, std::string(1, '\0') + std::string(text));
  WriteBytes(path, (body.empty() ? "" : Id3v2Tag(3, body + std::string(64, '\0'))) + MpegAudio(2));
}

class ListTest : public ::testing::Test {
 protected:
  std::string F(std::string_view name) const { return dir.File(name); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> paths;
    for (int row = 1; row <= grid.FileRowCount(); ++row) paths.push_back(grid.FullPathOf(row));
    return paths;
  }

  TempDir dir;
  Settings settings;
  RecordingPresenter presenter;
  Messages messages{settings, presenter};
  TrackGrid grid;
};

}  // namespace quilmark::testing
