#include "lists/list_text.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/replacement.h"
#include "text/utf8.h"

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

std::string UnreadableLine(const std::string& path, std::size_t line) {
  return path + "\n" + std::to_string(line) +
         " 行目を読めません。一覧は UTF-8、UTF-16 (BOM 付き)、Shift-JIS "
         "のいずれかで保存してください。";
}

// Lines from 1: the line that the character at `at` stands on (CR LF, a
// lone CR and a lone LF each end one).
template <typename Text>
std::size_t LineOf(const Text& text, std::size_t at) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
      ++line;
  }
  return line;
}

bool HasHighByte(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

DecodedList Read(std::string text) { return DecodedList{true, std::move(text), 0}; }
DecodedList BadLine(std::size_t line) { return DecodedList{false, {}, line}; }

DecodedList DecodeUtf8(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const std::size_t bad = IllFormedUtf8At(bytes);
  if (bad != std::string_view::npos) return BadLine(LineOf(bytes, bad));
  return Read(std::string(bytes));
}

// After its byte-order mark; unpaired surrogates and an odd last byte are
// not text.
DecodedList DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    const char16_t unit =
        bigEndian ? static_cast<char16_t>(a << 8 | b) : static_cast<char16_t>(b << 8 | a);
    if (unit == 0) break;
    units += unit;
  }
  const bool cut = bytes.size() % 2 == 1 && units.size() == bytes.size() / 2;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    const bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
    if (low || (high && (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)))
      return BadLine(LineOf(std::u16string_view(units), i));
    if (high) ++i;
  }
  if (cut) return BadLine(LineOf(std::u16string_view(units), units.size()));
  return Read(platform::Utf16ToUtf8(units));
}

DecodedList DecodeCp932(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string text = platform::Cp932ToUtf8(bytes);
  // Code page 932 maps nothing to U+FFFD: it stands for bytes it cannot read.
  const std::size_t bad = text.find("\xEF\xBF\xBD");
  if (bad != std::string::npos) return BadLine(LineOf(std::string_view(text), bad));
  return Read(std::move(text));
}

enum class ListBytes { Utf8AfterMark, Utf8, Utf16Le, Utf16Be, Cp932 };

// How a list's bytes are read: the one judgement for reading and writing.
ListBytes ListBytesOf(std::string_view bytes, ListEncoding encoding) {
  if (bytes.starts_with(kUtf8Bom)) return ListBytes::Utf8AfterMark;
  if (encoding == ListEncoding::Utf8) return ListBytes::Utf8;
  if (bytes.starts_with("\xFF\xFE")) return ListBytes::Utf16Le;
  if (bytes.starts_with("\xFE\xFF")) return ListBytes::Utf16Be;
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  if (HasHighByte(text) && IsWellFormedUtf8(text)) return ListBytes::Utf8;
  return ListBytes::Cp932;
}

}  // namespace

ListEncoding ListEncodingOf(std::string_view fileName) {
  return platform::UpperExtension(fileName) == ".M3U8" ? ListEncoding::Utf8
                                                       : ListEncoding::ByContent;
}

DecodedList DecodeListBytes(std::string_view bytes, ListEncoding encoding) {
  switch (ListBytesOf(bytes, encoding)) {
    case ListBytes::Utf8AfterMark:
      return DecodeUtf8(bytes.substr(kUtf8Bom.size()));
    case ListBytes::Utf8:
      return DecodeUtf8(bytes);
    case ListBytes::Utf16Le:
      return DecodeUtf16(bytes.substr(2), false);
    case ListBytes::Utf16Be:
      return DecodeUtf16(bytes.substr(2), true);
    case ListBytes::Cp932:
      break;
  }
  return DecodeCp932(bytes);
}

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
  return SplitListLines(DecodeListBytes(bytes).text);
}

std::string EncodeListText(const std::vector<std::string>& lines, ListEncoding encoding) {
  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  if (encoding == ListEncoding::Utf8) return text;
  bool lossless = true;
  std::string cp932 = platform::Utf8ToCp932(text, &lossless);
  // Code page 932 only where the reader takes it for what it is. Lossless,
  // every character comes back as itself; but half-width katakana, say, can
  // make bytes that are well-formed UTF-8 ("ﾃｽ" would come back as "ý"),
  // and a NUL would end the list early.
  if (lossless && text.find('\0') == std::string::npos &&
      ListBytesOf(cp932, ListEncoding::ByContent) == ListBytes::Cp932) {
    return cp932;
  }
  return std::string(kUtf8Bom) + text;
}

ListFileText ReadListFile(const std::string& path) {
  ListFileText result;
  platform::IoResult<std::string> bytes = platform::ReadWholeFile(path, kListSizeLimit);
  if (!bytes) {
    result.error = ReadFailure(path, bytes.Error());
    return result;
  }
  DecodedList decoded = DecodeListBytes(*bytes, ListEncodingOf(path));
  if (!decoded.ok) {
    result.error = UnreadableLine(path, decoded.badLine);
    return result;
  }
  result.text = std::move(decoded.text);
  result.ok = true;
  return result;
}

ListWriteResult WriteListFile(const std::string& path, const std::vector<std::string>& lines) {
  const platform::IoStatus written =
      platform::WriteFileAtomically(path, EncodeListText(lines, ListEncodingOf(path)));
  if (written) return {true, {}};
  return {false, path + "\nファイルに書き込めません。(" + written.Error().Reason() + ")"};
}

}  // namespace quilmark
