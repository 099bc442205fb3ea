#include "lists/list_text.h"

#include <cstdint>

#include "platform/cp932.h"
#include "platform/file.h"
#include "platform/replacement.h"

namespace quilmark {

namespace {

// A list of a hundred thousand long paths is a few megabytes; a file far
// beyond that is no list anyone wrote, and is refused before it is read.
constexpr std::uint64_t kListSizeLimit = std::uint64_t{64} << 20;

std::string ReadFailure(const std::string& path, const platform::IoError& error) {
  const std::string reason =
      error.Is(std::errc::file_too_large) ? "too large for a list" : error.Reason();
  return path + "\nファイルを読み込めません。(" + reason + ")";
}

}  // namespace

std::vector<std::string> SplitListLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> DecodeListText(std::string_view bytes) {
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
    bytes = bytes.substr(0, nul);
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    // Through UTF-16 and back, so that ill-formed bytes become U+FFFD and
    // nothing downstream sees broken UTF-8.
    return SplitListLines(platform::Utf16ToUtf8(platform::Utf8ToUtf16(bytes)));
  }
  return SplitListLines(platform::Cp932ToUtf8(bytes));
}

std::string EncodeListText(const std::vector<std::string>& lines) {
  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  bool lossless = true;
  std::string cp932 = platform::Utf8ToCp932(text, &lossless);
  if (lossless) return cp932;
  return std::string(kUtf8Bom) + text;
}

ListFileText ReadListFile(const std::string& path) {
  ListFileText result;
  platform::IoResult<std::string> bytes = platform::ReadWholeFile(path, kListSizeLimit);
  if (!bytes) {
    result.error = ReadFailure(path, bytes.Error());
    return result;
  }
  result.lines = DecodeListText(*bytes);
  result.ok = true;
  return result;
}

ListWriteResult WriteListFile(const std::string& path, const std::vector<std::string>& lines) {
  const platform::IoStatus written = platform::WriteFileAtomically(path, EncodeListText(lines));
  if (written) return {true, {}};
  return {false, path + "\nファイルに書き込めません。(" + written.Error().Reason() + ")"};
}

}  // namespace quilmark
