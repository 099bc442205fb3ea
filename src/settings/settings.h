// The thirteen settings, in memory. One Settings object lives for the run;
// whoever needs a setting is handed it (no global instance).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tracklist/columns.h"

namespace quilmark {

struct WindowBounds {
  int left = -1, top = -1, width = -1, height = -1;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

inline constexpr int kCsvFlagCount = 17;

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
  int Charset = 0;  // 0 Shift-JIS, 1 EUC, 2 UTF-16LE, 3 UTF-16BE
  std::array<bool, kCsvFlagCount> CSV{true, true, true, true, true, true, true, true, true,
                                      true, true, true, true, true, true, true, true};
  int WriteTagVersion = 2;  // 0 ID3v1, 1 ID3v2.2, 2 ID3v2.3

  // The value in effect: a stored value out of range counts as the default,
  // everywhere the same way.
  int EffectiveCharset() const { return Charset >= 0 && Charset <= 3 ? Charset : 0; }
  int EffectiveWriteTagVersion() const {
    return WriteTagVersion >= 0 && WriteTagVersion <= 2 ? WriteTagVersion : 2;
  }

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace quilmark
