// The text of a list file (playlist or CSV) between its bytes and lines.
//
// Lists are Shift-JIS (code page 932) files, as Windows programs write them.
// A file that starts with a UTF-8 byte-order mark is read as UTF-8, and a
// list that holds text code page 932 cannot represent is written that way,
// so that no character is lost on the way out and back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Bytes of a list file to UTF-8 lines: a NUL byte ends the text; lines end
// at CR LF, a lone CR or a lone LF; a break at the very end adds no line.
std::vector<std::string> DecodeListText(std::string_view bytes);

// Splits UTF-8 text into lines by the same rules.
std::vector<std::string> SplitListLines(std::string_view text);

// Lines to the bytes of a list file: each line ended by CR LF, encoded as
// code page 932, or as UTF-8 after a byte-order mark when some character
// has no code page 932 form.
std::string EncodeListText(const std::vector<std::string>& lines);

struct [[nodiscard]] ListFileText {
  bool ok = false;
  std::vector<std::string> lines;
  std::string error;  // why the file could not be read, naming it
};

// Reads and decodes a list file.
ListFileText ReadListFile(const std::string& path);

struct [[nodiscard]] ListWriteResult {
  bool written = false;  // false with an empty error: nothing was to be written
  std::string error;     // why the file could not be written, naming it
};

// Replaces `path` atomically with the encoded lines.
ListWriteResult WriteListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quilmark
