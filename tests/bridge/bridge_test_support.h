// Shared pieces of the tests that join files and rows: a busy indicator
// that records its texts, and a track list in a folder to save, to add
// files and lists to, or to write as a list.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/add_files.h"
#include "bridge/read_file_tags.h"
#include "bridge/save_changed_rows.h"
#include "lists/list_writer.h"
#include "support/mp3_maker.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"
#include "tracklist/track_grid.h"
#include "ui/busy_indicator.h"
#include "ui/msgbox.h"

namespace quilmark::testing {

struct RecordingBusy : BusyIndicator {
  void SetBusy(bool on) override { busy = on; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void ShowProgress(const RunProgress& p) override { progress.push_back(p); }
  // The user presses cancel once the progress shown meets `stopWhen`.
  bool StopRequested() override {
    return stopWhen && !progress.empty() && stopWhen(progress.back());
  }
  bool busy = false;
  std::vector<std::string> statusTexts;
  std::vector<RunProgress> progress;
  std::function<bool(const RunProgress&)> stopWhen;
};

// A track list and what a save run of it needs, confirmations off.
class SaveTest : public ::testing::Test {
 protected:
  SaveReport Save() { return SaveChangedRows(grid_, options_, messages_, busy_); }

  TempDir dir_;
  TagWriteOptions options_;
  bool writeConfirm_ = false;
  RecordingPresenter presenter_;
  Messages messages_{writeConfirm_, presenter_};
  RecordingBusy busy_;
  TrackGrid grid_;
};

// The same, with the list's files named from the test's folder, and what
// writing a list needs.
class ListTest : public SaveTest {
 protected:
  using Paths = std::vector<std::string>;
  std::string F(std::string_view name) const { return dir_.File(name); }
  AddFilesResult Add(const Paths& names) { return AddFiles(grid_, names, messages_); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> paths;
    for (int row = 1; row <= grid_.FileRowCount(); ++row) paths.push_back(grid_.FullPathOf(row));
    return paths;
  }

  ListWriteOptions options;
};

// One song in the track list, made from bytes, edited and saved.
class SongSaveTest : public SaveTest {
 protected:
  // Writes the file and makes it the list's only row.
  void Add(const std::string& bytes) {
    WriteBytes(path_, bytes);
    grid_.ClearRows();
    ASSERT_EQ(ReadFileTags(grid_, path_).row, 1);
  }
  // Marks the row and saves it; the file must be written.
  void MarkAndSave() {
    grid_.MarkRowChanged(1);
    report_ = Save();
    ASSERT_EQ(report_.Written(), 1);
  }
  void EditAndSave(Field field, const std::string& value) {
    grid_.SetFieldCell(field, 1, value);
    MarkAndSave();
  }

  std::string path_ = dir_.File("song.mp3");
  const std::string audio_ = MpegAudio(3);
  SaveReport report_;
};

}  // namespace quilmark::testing
