// The text of a list file (playlist or CSV) between its bytes and lines.
//
// Lists are read in the encoding they are in: UTF-8 or UTF-16 after a
// byte-order mark; without one, UTF-8 when the bytes are well-formed UTF-8
// with some non-ASCII in them (what spreadsheets and editors write here),
// else Shift-JIS (code page 932), as Windows programs write them. A list
// none of these can read is refused, naming its first bad line. .m3u8
// playlists are UTF-8 by name, read and written so.
//
// Other lists are written in code page 932, or as UTF-8 after a byte-order
// mark when they hold text code page 932 cannot represent, so that no
// character is lost on the way out and back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class ListEncoding {
  ByContent,  // as the bytes say (see above)
  Utf8,       // UTF-8, with or without a byte-order mark: .m3u8
};

// By the file's name: .m3u8 is UTF-8.
ListEncoding ListEncodingOf(std::string_view fileName);

struct [[nodiscard]] DecodedList {
  bool ok = false;
  std::string text;         // UTF-8, up to the first NUL
  std::size_t badLine = 0;  // when not ok: the first line (from 1) that could not be read
};

// Bytes of a list file to UTF-8 text; a NUL character ends the text.
DecodedList DecodeListBytes(std::string_view bytes,
                            ListEncoding encoding = ListEncoding::ByContent);

// The same cut into lines: they end at CR LF, a lone CR or a lone LF; a
// break at the very end adds no line. No lines for a list that could not be
// read.
std::vector<std::string> DecodeListText(std::string_view bytes);

// Splits UTF-8 text into lines by the same rules.
std::vector<std::string> SplitListLines(std::string_view text);

// Lines to the bytes of a list file: each line ended by CR LF, encoded as
// code page 932, or as UTF-8 after a byte-order mark when some character
// has no code page 932 form; plain UTF-8 when `encoding` says so.
std::string EncodeListText(const std::vector<std::string>& lines,
                           ListEncoding encoding = ListEncoding::ByContent);

struct [[nodiscard]] ListFileText {
  bool ok = false;
  std::string text;   // UTF-8; cut it with SplitListLines or SplitCsvRecords
  std::string error;  // why the file could not be read, naming it
};

// Reads and decodes a list file, in the encoding its name and bytes say.
ListFileText ReadListFile(const std::string& path);

struct [[nodiscard]] ListWriteResult {
  bool written = false;  // false with an empty error: nothing was to be written
  std::string error;     // why the file could not be written, naming it
};

// Replaces `path` atomically with the encoded lines (in the encoding its
// name says).
ListWriteResult WriteListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quilmark
