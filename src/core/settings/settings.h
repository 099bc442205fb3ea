// The thirteen settings, in memory. One Settings object lives for the run;
// whoever needs a setting is handed it (no global instance), and the core
// layers below are handed only the options they use, made here.
#pragma once

#include <array>
#include <cstddef>

#include "lists/csv_columns.h"
#include "lists/list_writer.h"
#include "tag/tag_kind.h"
#include "tag/write_file_tags.h"
#include "text/charset.h"
#include "tracklist/columns.h"

namespace quilmark {

struct WindowBounds {
  int left = -1, top = -1, width = -1, height = -1;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

inline constexpr std::size_t kCsvFlagCount = kCsvColumnCount;

struct Settings {
  WindowBounds WinSize;
  bool ShowToolbar = true;
  bool ShowStatusbar = true;
  ColumnLayout Columns = ColumnLayout::Default();  // ColOrder and ShowCol
  bool FileTime = false;
  bool ForceWrite = false;
  bool WriteConfirm = false;
  bool AbsolutePath = false;  // true: lists get paths relative to their folder
  bool SaveSettings = true;
  ::quilmark::Charset Charset = ::quilmark::Charset::ShiftJis;
  std::array<bool, kCsvFlagCount> CSV{true, true, true, true, true, true, true, true, true,
                                      true, true, true, true, true, true, true, true};
  TagKind WriteTagVersion = TagKind::Id3v23;

  // What a save of tags takes from the settings.
  TagWriteOptions TagWrite() const { return {WriteTagVersion, Charset, ForceWrite, FileTime}; }
  // What writing a playlist or CSV list takes from them.
  ListWriteOptions ListWrite() const { return {AbsolutePath, CSV}; }

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace quilmark
