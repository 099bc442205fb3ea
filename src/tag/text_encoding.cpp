#include "tag/text_encoding.h"

#include <cstdint>

#include "platform/cp932.h"

namespace quilmark {
namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// Byte i of the text, or the zero that would follow it in a zero-filled
// buffer: the byte rules pair a lead byte at the end with that zero.
std::uint8_t ByteAt(std::string_view bytes, std::size_t i) {
  return i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
}

bool InRange(std::uint8_t c, std::uint8_t lo, std::uint8_t hi) { return c >= lo && c <= hi; }

int NormalCharset(int charset) {
  return (charset >= kCharsetSjis && charset <= kCharsetUtf16Be) ? charset : kCharsetSjis;
}

// UTF-16 after its byte-order mark, straight to UTF-8: nothing is lost on
// the way (a tag may hold characters that code page 932 has no form for).
std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  const std::size_t units = bytes.size() / 2 - 1;  // an odd last byte is ignored
  std::u16string text;
  text.reserve(units);
  for (std::size_t k = 0; k < units; ++k) {
    const std::uint8_t a = ByteAt(bytes, 2 + 2 * k);
    const std::uint8_t b = ByteAt(bytes, 3 + 2 * k);
    const char16_t unit =
        bigEndian ? static_cast<char16_t>(a << 8 | b) : static_cast<char16_t>(b << 8 | a);
    if (unit == 0) {
      text += u"\\0";
    } else {
      text += unit;
    }
  }
  return platform::Utf16ToUtf8(text);
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
  const std::u16string units = platform::Utf8ToUtf16(text);
  std::string out;
  out.reserve(2 + 2 * units.size());
  auto put = [&](char16_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    if (bigEndian) {
      out += hi;
      out += lo;
    } else {
      out += lo;
      out += hi;
    }
  };
  put(0xFEFF);
  for (char16_t u : units) put(u);
  return out;
}

// The longest prefix of at most maxBytes that does not end inside a pair,
// where isLead tells which bytes begin a two-byte character.
template <typename IsLead>
std::string CutPairs(const std::string& bytes, std::size_t maxBytes, IsLead isLead) {
  std::size_t p = 0;
  while (p < maxBytes) {
    if (isLead(static_cast<std::uint8_t>(bytes[p]))) {
      if (p + 1 == maxBytes) break;
      p += 2;
    } else {
      p += 1;
    }
  }
  return bytes.substr(0, p);
}

}  // namespace

TextCode DetectTextCode(std::string_view bytes) {
  const std::uint8_t b0 = ByteAt(bytes, 0), b1 = ByteAt(bytes, 1);
  if (b0 == 0xFF && b1 == 0xFE) return kTextUtf16Le;
  if (b0 == 0xFE && b1 == 0xFF) return kTextUtf16Be;

  int sjis = 0, euc = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t c1 = ByteAt(bytes, i), c2 = ByteAt(bytes, i + 1);
    if (c1 == 0x8E && InRange(c2, 0xA1, 0xDF)) {
      i += 1;  // EUC-JP kana marker: the kana byte is looked at next
    } else if (InRange(c1, 0x81, 0x9F) && (InRange(c2, 0x40, 0x7E) || InRange(c2, 0x80, 0xFC))) {
      ++sjis;
      i += 2;
    } else if (InRange(c1, 0xE0, 0xFC) && InRange(c2, 0x40, 0x7E)) {
      ++sjis;
      i += 2;
    } else if (InRange(c1, 0xA1, 0xDF) || InRange(c1, 0xFD, 0xFE)) {
      if (InRange(c2, 0xA1, 0xFE)) ++euc;
      i += 2;
    } else {
      i += 1;
    }
  }
  if (sjis == 0 && euc == 0) return kTextAscii;
  if (euc == 0) return kTextSjis;
  if (sjis == 0) return kTextEuc;
  return kTextMixed;
}

std::string SjisToEuc(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 2);
  std::size_t i = 0;
  while (i < sjis.size()) {
    std::uint8_t c1 = ByteAt(sjis, i++);
    if (InRange(c1, 0x81, 0x9F) || InRange(c1, 0xE0, 0xEE)) {
      std::uint8_t c2 = ByteAt(sjis, i++);
      // 8-bit arithmetic throughout; bit 7 is forced on at the end, which
      // is why either subtrahend gives the right JIS row.
      c1 = static_cast<std::uint8_t>(c1 - (c1 < 0x9F ? 0xB1 : 0x71));
      c1 = static_cast<std::uint8_t>(c1 * 2 + 1);
      if (c2 > 0x7F) c2 = static_cast<std::uint8_t>(c2 - 1);
      if (c2 >= 0x9E) {
        c2 = static_cast<std::uint8_t>(c2 + 0x83);
        c1 = static_cast<std::uint8_t>(c1 + 1);
      } else {
        c2 = static_cast<std::uint8_t>(c2 + 0xE1);
      }
      out += static_cast<char>(c1 | 0x80);
      out += static_cast<char>(c2 | 0x80);
    } else if (InRange(c1, 0xA1, 0xDF)) {
      out += '\x8E';
      out += static_cast<char>(c1);
    } else {
      // ASCII, NUL, 0x80, 0xA0 and the lead bytes 0xEF..0xFC (user-defined
      // and IBM extension rows, which have no EUC-JP form) stay as they are.
      out += static_cast<char>(c1);
    }
  }
  return out;
}

std::string EucToSjis(std::string_view euc) {
  std::string out;
  out.reserve(euc.size() * 2);
  std::size_t i = 0;
  while (i < euc.size()) {
    std::uint8_t c1 = ByteAt(euc, i++);
    if (InRange(c1, 0xA1, 0xFC)) {
      std::uint8_t c2 = ByteAt(euc, i++) & 0x7F;
      c1 &= 0x7F;
      c2 = static_cast<std::uint8_t>(c2 + ((c1 & 1) ? 0x1F : 0x7D));
      if (c2 >= 0x7F) c2 = static_cast<std::uint8_t>(c2 + 1);
      c1 = static_cast<std::uint8_t>(((c1 - 0x21) >> 1) + 0x81);
      if (c1 > 0x9F) c1 = static_cast<std::uint8_t>(c1 + 0x40);
      out += static_cast<char>(c1);
      out += static_cast<char>(c2);
    } else if (c1 == 0) {
      out += "\\0";
    } else if (c1 == 0x8E) {
      // Half-width kana: its byte alone. A kana marker before a NUL or at
      // the end has nothing to give; the NUL is then escaped like any other
      // instead of ending the text.
      if (ByteAt(euc, i) != 0) out += euc[i++];
    } else {
      out += static_cast<char>(c1);  // ASCII, 0x8F and other single bytes
    }
  }
  return out;
}

std::string EscapeNul(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    if (c == '\0') {
      out += "\\0";
    } else {
      out += c;
    }
  }
  return out;
}

std::string DecodeTagText(std::string_view bytes, bool escapeNul) {
  switch (DetectTextCode(bytes)) {
    case kTextEuc:
      return Cp932ToUtf8(EucToSjis(bytes));
    case kTextUtf16Le:
      return DecodeUtf16(bytes, false);
    case kTextUtf16Be:
      return DecodeUtf16(bytes, true);
    default:
      if (escapeNul) {
        if (bytes.find('\0') == std::string_view::npos) return Cp932ToUtf8(bytes);
        return Cp932ToUtf8(EscapeNul(bytes));
      }
      // Unescaped text is read as a zero-terminated string: it ends at its
      // first NUL, so no NUL ever reaches the program's text.
      return Cp932ToUtf8(bytes.substr(0, bytes.find('\0')));
  }
}

std::string EncodeTagText(std::string_view text, int charset) {
  switch (NormalCharset(charset)) {
    case kCharsetEuc:
      return SjisToEuc(Utf8ToCp932(text));
    case kCharsetUtf16Le:
      return EncodeUtf16(text, false);
    case kCharsetUtf16Be:
      return EncodeUtf16(text, true);
    default:
      return Utf8ToCp932(text);
  }
}

// CR and LF bytes in UTF-8 stand only for themselves, as they do in code
// page 932 (never a trail byte), so the line-end rules work on the program's
// text directly.
std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 2);
  char pending = 0;
  for (char c : text) {
    const bool lineEnd = c == kCr || c == kLf;
    if (pending == 0) {
      if (lineEnd) {
        pending = c;
      } else {
        out += c;
      }
    } else if (lineEnd) {
      out += "\r\n";
      // CR then LF completes one line end; anything else starts a new one.
      pending = (pending == kCr && c == kLf) ? 0 : c;
    } else {
      out += "\r\n";
      out += c;
      pending = 0;
    }
  }
  if (pending != 0) out += "\r\n";
  return out;
}

// Removing CRs before encoding gives the same bytes as removing CR units
// after it: every encoding the writer uses turns U+000D into exactly one
// unit of value 0x0D (byte or 16-bit unit), and no other character yields
// such a unit (0x0D is never a Shift-JIS or EUC-JP trail byte). Working on
// the text also spares the writer from knowing the units of each Charset.
std::string ToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != kCr) out += c;
  }
  return out;
}

std::size_t Cp932Length(std::string_view text) { return Utf8ToCp932(text).size(); }

std::string FitV1Text(std::string_view text, std::size_t maxBytes, int charset) {
  charset = NormalCharset(charset);
  std::string encoded = EncodeTagText(text, charset);
  if (encoded.size() <= maxBytes) return encoded;

  switch (charset) {
    case kCharsetSjis:
      // Half-width kana (0xA0..0xDF) are single bytes.
      return CutPairs(encoded, maxBytes,
                      [](std::uint8_t c) { return c >= 0x80 && !InRange(c, 0xA0, 0xDF); });
    case kCharsetEuc:
      // Cut on the EUC-JP form itself, where half-width kana take two bytes
      // too; cutting the Shift-JIS form could leave a kana marker without
      // its kana at the end of the field.
      return CutPairs(encoded, maxBytes, [](std::uint8_t c) { return c >= 0x80; });
    default: {
      // The byte-order mark and as many whole units as fit, never the
      // first half of a surrogate pair alone.
      if (maxBytes < 2) return {};
      std::size_t end = 2 + (maxBytes - 2) / 2 * 2;
      const bool big = charset == kCharsetUtf16Be;
      if (end > 2) {
        const auto lastHi = static_cast<std::uint8_t>(encoded[big ? end - 2 : end - 1]);
        if (InRange(lastHi, 0xD8, 0xDB)) end -= 2;
      }
      return encoded.substr(0, end);
    }
  }
}

}  // namespace quilmark
