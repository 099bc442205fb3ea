// The editor over a grid of real MP3 files: the test writes each file,
// the grid reads it as adding it does, and a save writes the changed rows
// back for the test to read again.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "bridge/read_file_tags.h"
#include "bridge/save_changed_rows.h"
#include "support/mp3_maker.h"
#include "support/temp_dir.h"
#include "tag/tag_file.h"
#include "text/tag_text.h"
#include "tracklist/editor_harness.h"

namespace quilmark::testing {

struct FileStage : EditorStage {
  // One file per title, "1.mp3", "2.mp3"... or the names given; the artist
  // of each is "A" + its number. The texts are UTF-16, so any text is read
  // back as it was.
  explicit FileStage(const std::vector<std::string>& titles,
                     const std::vector<std::string>& names = {}) {
    for (std::size_t i = 0; i < titles.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      files.push_back(dir.File(i < names.size() ? names[i] : number + ".mp3"));
      std::string body;
      for (auto [id, text] : {std::pair{"TIT2", titles[i]}, {"TPE1", "A" + number}}) {
        body += Frame23(id, "\x01" + EncodeTagText(text, Charset::Utf16Le));
      }
      WriteBytes(files.back(), Id3v2Tag(3, body) + MpegAudio(2));
      EXPECT_EQ(ReadFileTags(grid, files.back()).row, static_cast<int>(i + 1));
    }
  }

  // Writes every changed row as ID3v2.3 in UTF-16; all must be written.
  void Save() {
    TagWriteOptions options;
    options.charset = Charset::Utf16Le;
    const SaveReport report = SaveChangedRows(grid, options, messages, busy);
    EXPECT_EQ(report.Failed(), 0);
    EXPECT_EQ(grid.ChangedRowCount(), 0);
  }
  // A tag value as the file holds it now ("Title", "Album", "Track"...).
  std::string OnDisk(std::size_t i, std::string_view key) const {
    return ReadTagValues(files[i])->Get(key);
  }
  // A field's cells from the top row down, separated by "|".
  std::string Column(Field f) const {
    std::string cells;
    for (int r = 1; r < grid.RowCount(); ++r) cells += (r > 1 ? "|" : "") + At(f, r);
    return cells;
  }
  TempDir dir;
  std::vector<std::string> files;
};

}  // namespace quilmark::testing
