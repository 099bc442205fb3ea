#include "tag/id3v2_fields.h"

#include <algorithm>

#include "text/line_ends.h"
#include "text/tag_text.h"
#include "text/utf8.h"

namespace quilmark {

namespace {

constexpr char kBomLe[] = "\xFF\xFE";
constexpr char kBomBe[] = "\xFE\xFF";

unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool StartsWithBom(std::string_view bytes) {
  return bytes.size() >= 2 && ((Byte(bytes, 0) == 0xFF && Byte(bytes, 1) == 0xFE) ||
                               (Byte(bytes, 0) == 0xFE && Byte(bytes, 1) == 0xFF));
}

bool IsUtf16Encoding(unsigned char encoding) { return encoding == 1 || encoding == 2; }

constexpr unsigned char kEncodingUtf16Be = 2;
constexpr unsigned char kEncodingUtf8 = 3;

// Taggers commonly end a string with a terminator although nothing follows.
std::string_view DropTerminator(std::string_view bytes, bool utf16) {
  if (utf16) {
    const std::size_t n = bytes.size();
    if (n % 2 == 1 && bytes[n - 1] == '\0') return bytes.substr(0, n - 1);  // a stray odd byte
    if (n >= 2 && n % 2 == 0 && bytes[n - 1] == '\0' && bytes[n - 2] == '\0') {
      return bytes.substr(0, n - 2);
    }
    return bytes;
  }
  if (!bytes.empty() && bytes.back() == '\0') return bytes.substr(0, bytes.size() - 1);
  return bytes;
}

// Where a string ends in a layout that separates strings: the first zero
// byte, or for UTF-16 the first zero unit (counted from `bytes`' start).
std::size_t FindTerminator(std::string_view bytes, bool utf16) {
  if (!utf16) return bytes.find('\0');
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\0' && bytes[i + 1] == '\0') return i;
  }
  return std::string_view::npos;
}

// A UTF-16 string of the standard layout; a string without a byte-order
// mark is in the byte order its encoding byte gives.
std::string DecodeUtf16String(std::string_view bytes, unsigned char encoding) {
  if (bytes.empty()) return {};
  if (StartsWithBom(bytes)) return DecodeTagText(bytes, true);
  std::string marked = encoding == 2 ? kBomBe : kBomLe;
  marked += bytes;
  return DecodeTagText(marked, true);
}

std::string LanguageText(std::string_view bytes) {
  std::string language;
  for (char c : bytes.substr(0, 3)) {
    if (c >= 0x20 && c <= 0x7E) language.push_back(c);
  }
  return language;
}

// Byte index after the first `count` characters of UTF-8 text.
std::size_t Utf8Prefix(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  while (i < text.size() && count > 0) {
    ++i;
    while (i < text.size() && (Byte(text, i) & 0xC0) == 0x80) ++i;
    --count;
  }
  return i;
}

// One string of a frame whose encoding byte says UTF-8 or big-endian
// UTF-16, where the bytes alone would be misread; other encodings are
// detected from the bytes as they always were.
std::string DecodeString(std::string_view bytes, unsigned char encoding,
                         const LegacyStrings& legacy) {
  if (encoding == kEncodingUtf8 && IsWellFormedUtf8(bytes)) return EscapeNul(bytes);
  if (IsUtf16Encoding(encoding) && !StartsWithBom(bytes) &&
      (encoding == kEncodingUtf16Be || bytes.empty())) {
    return DecodeUtf16String(bytes, encoding);
  }
  return legacy.Decode(bytes);
}

// Splits at every terminator of the encoding.
std::vector<std::string_view> SplitStrings(std::string_view bytes, bool utf16) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t end = FindTerminator(bytes, utf16);
    if (end == std::string_view::npos) break;
    parts.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + (utf16 ? 2 : 1));
  }
  parts.push_back(bytes);
  return parts;
}

void SplitDescription(std::string_view text, CommentFields& fields) {
  const std::size_t nul = text.find("\\0");
  if (nul == std::string_view::npos) {
    fields.description = ToCrLf(text);
    return;
  }
  fields.description = ToCrLf(text.substr(0, nul));
  fields.text = ToCrLf(text.substr(nul + 2));
}

// UTF-16 units of `text` in `charset`'s byte order, without the mark.
std::string Utf16Units(std::string_view text, Charset charset) {
  std::string encoded = EncodeTagText(text, charset);
  if (StartsWithBom(encoded)) encoded.erase(0, 2);
  return encoded;
}

bool IsUtf16(Charset charset) { return charset == Charset::Utf16Le || charset == Charset::Utf16Be; }

char EncodingByte(Charset charset) {
  return IsUtf16(charset) ? 1 : charset == Charset::Utf8 ? static_cast<char>(kEncodingUtf8) : 0;
}

}  // namespace

std::string LegacyStrings::Decode(std::string_view bytes) const {
  if (noted_) {
    // ASCII says nothing about the encoding, and UTF-16 is no legacy text.
    const bool high = std::any_of(bytes.begin(), bytes.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (high && !StartsWithBom(bytes)) noted_->emplace_back(bytes);
    return {};
  }
  return DecodeTagText(bytes, true, reading_);
}

std::string ParseTextContent(std::string_view content, bool severalValues,
                             const LegacyStrings& legacy) {
  if (content.size() <= 1) return {};
  const unsigned char encoding = Byte(content, 0);
  std::string_view text = content.substr(1);
  const bool utf16 = IsUtf16Encoding(encoding) || (encoding == 0 && StartsWithBom(text));
  if (severalValues) {
    std::string joined;
    const std::vector<std::string_view> values = SplitStrings(DropTerminator(text, utf16), utf16);
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (i > 0) joined += kValueSeparator;
      joined += DecodeString(values[i], encoding, legacy);
    }
    return joined;
  }
  if (encoding == kEncodingUtf8 || encoding == kEncodingUtf16Be) {
    return DecodeString(DropTerminator(text, encoding == kEncodingUtf16Be), encoding, legacy);
  }
  return legacy.Decode(DropTerminator(text, StartsWithBom(text)));
}

CommentFields ParseCommentContent(std::string_view content, const LegacyStrings& legacy) {
  CommentFields fields;
  if (content.empty()) return fields;
  const unsigned char encoding = Byte(content, 0);
  std::string_view data = content.substr(1);

  if (StartsWithBom(data)) {
    // One UTF-16 string holding language, description, NUL and text.
    std::string text = DecodeTagText(DropTerminator(data, true), true);
    const std::size_t languageEnd = Utf8Prefix(text, 3);
    fields.language = LanguageText(std::string_view(text).substr(0, languageEnd));
    SplitDescription(std::string_view(text).substr(languageEnd), fields);
    return fields;
  }

  fields.language = LanguageText(data.substr(0, 3));
  std::string_view rest = data.substr(std::min<std::size_t>(3, data.size()));
  if (IsUtf16Encoding(encoding)) {
    const std::size_t end = FindTerminator(rest, true);
    if (end == std::string_view::npos) {
      fields.description = ToCrLf(DecodeUtf16String(DropTerminator(rest, true), encoding));
      return fields;
    }
    fields.description = ToCrLf(DecodeUtf16String(rest.substr(0, end), encoding));
    fields.text = ToCrLf(DecodeUtf16String(DropTerminator(rest.substr(end + 2), true), encoding));
    return fields;
  }
  if (encoding == kEncodingUtf8) {
    const std::size_t end = rest.find('\0');
    if (end == std::string_view::npos) {
      fields.description = ToCrLf(DecodeString(rest, encoding, legacy));
      return fields;
    }
    fields.description = ToCrLf(DecodeString(rest.substr(0, end), encoding, legacy));
    fields.text =
        ToCrLf(DecodeString(DropTerminator(rest.substr(end + 1), false), encoding, legacy));
    return fields;
  }
  // Single-byte strings: the text is decoded as a whole (its pairs decide
  // between Shift-JIS and EUC-JP) and split at its first NUL, which is a
  // character here, never the trail byte of a double-byte character.
  SplitDescription(legacy.Decode(DropTerminator(rest, false)), fields);
  return fields;
}

std::string ParseUrlContent(std::string_view content, const LegacyStrings& legacy) {
  if (content.size() <= 1) return {};
  const unsigned char encoding = Byte(content, 0);
  std::string_view data = content.substr(1);
  const bool utf16 = IsUtf16Encoding(encoding);
  const std::size_t end = FindTerminator(data, utf16);
  if (end == std::string_view::npos) {
    // A bare address without a description.
    return legacy.Decode(DropTerminator(data, StartsWithBom(data)));
  }
  // The address is single-byte text as a rule; UTF-16 after a byte-order mark where a
  // UTF-16 tag had to write it so, UTF-8 in a frame that says UTF-8.
  const std::string_view address = data.substr(end + (utf16 ? 2 : 1));
  if (encoding == kEncodingUtf8)
    return DecodeString(DropTerminator(address, false), encoding, legacy);
  return legacy.Decode(DropTerminator(address, StartsWithBom(address)));
}

std::string ParseUrlDescription(std::string_view content, const LegacyStrings& legacy) {
  if (content.size() <= 1) return {};
  auto description = ParseTerminatedString(content.substr(1), Byte(content, 0), legacy);
  return description ? std::move(description->text) : std::string();
}

std::optional<TerminatedString> ParseTerminatedString(std::string_view bytes,
                                                      unsigned char encoding,
                                                      const LegacyStrings& legacy) {
  const bool utf16 = IsUtf16Encoding(encoding);
  const std::size_t end = FindTerminator(bytes, utf16);
  if (end == std::string_view::npos) return std::nullopt;
  return TerminatedString{DecodeString(bytes.substr(0, end), encoding, legacy),
                          bytes.substr(end + (utf16 ? 2 : 1))};
}

std::vector<std::string> SplitAtNulEscapes(std::string_view text) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      if (text[i + 1] == '0') {
        parts.emplace_back();
      } else {
        // A held-back backslash takes the next character with it, so "\\0"
        // is a backslash and a digit, not a backslash and a NUL.
        parts.back() += text.substr(i, 2);
      }
      i += 2;
      continue;
    }
    parts.back().push_back(text[i]);
    ++i;
  }
  return parts;
}

RenderedContent RenderTextContent(std::string_view value, Charset charset) {
  RenderedContent out;
  out.bytes.push_back(EncodingByte(charset));
  out.bytes += EncodeTagText(value, charset, &out.exact);
  out.counted = out.bytes.size();
  return out;
}

RenderedContent RenderCommentContent(std::string_view value, Charset charset) {
  const std::string text = ToLf(value);
  RenderedContent out;
  out.bytes.push_back(EncodingByte(charset));
  if (IsLegacyCharset(charset)) {
    const std::vector<std::string> parts = SplitAtNulEscapes(text);
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (i > 0) out.bytes.push_back('\0');
      bool exact = true;
      out.bytes += EncodeTagText(parts[i], charset, &exact);
      out.exact = out.exact && exact;
    }
    // The size arithmetic counts the text before its NULs were collapsed.
    out.counted = 1 + EncodeTagText(text, charset).size();
    return out;
  }

  const std::size_t languageEnd = Utf8Prefix(text, 3);
  std::string language;
  for (char c : std::string_view(text).substr(0, languageEnd)) {
    if (c >= 0x20 && c <= 0x7E) language.push_back(c);
  }
  language.resize(3, ' ');
  out.bytes += language;

  // Description, terminator, text: each string of UTF-16 after its own mark.
  const std::vector<std::string> parts =
      SplitAtNulEscapes(std::string_view(text).substr(languageEnd));
  const bool utf16 = IsUtf16(charset);
  const std::string terminator(utf16 ? 2 : 1, '\0');
  const std::string bom = !utf16 ? "" : charset == Charset::Utf16Be ? kBomBe : kBomLe;
  auto encode = [&](std::string_view part) {
    return utf16 ? Utf16Units(part, charset) : EncodeTagText(part, charset);
  };
  out.bytes += bom + encode(parts[0]) + terminator + bom;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (i > 1) out.bytes += terminator;
    out.bytes += encode(parts[i]);
  }
  out.counted = out.bytes.size();
  return out;
}

RenderedContent RenderUrlContent(std::string_view url, std::string_view description,
                                 Charset charset) {
  RenderedContent out;
  if (description.empty()) {
    // A UTF-8 tag says so here too: its reader takes the address as UTF-8.
    out.bytes.push_back(charset == Charset::Utf8 ? EncodingByte(charset) : '\0');
    out.bytes.push_back('\0');
  } else {
    out.bytes.push_back(EncodingByte(charset));
    out.bytes += EncodeTagText(description, charset, &out.exact);
    out.bytes.append(IsUtf16(charset) ? 2 : 1, '\0');
  }
  bool exact = true;
  std::string address = charset == Charset::Utf8 ? EncodeTagText(url, charset)
                                                 : EncodeTagText(url, Charset::ShiftJis, &exact);
  if (!exact && IsUtf16(charset)) {
    address = EncodeTagText(url, charset);
    exact = true;
  }
  out.exact = out.exact && exact;
  out.bytes += address;
  out.counted = out.bytes.size();
  return out;
}

}  // namespace quilmark
