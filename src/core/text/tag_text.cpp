#include "text/tag_text.h"

#include <cstdint>

#include "platform/cp932.h"
#include "text/bytes.h"
#include "text/japanese_text.h"
#include "text/raw_bytes.h"
#include "text/sjis_euc.h"
#include "text/text_code.h"
#include "text/utf8.h"
#include "text/western_text.h"

namespace quilmark {
namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;
using text_bytes::ByteAt;
using text_bytes::InRange;

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

// Raw bytes as the Latin-1 characters of their value.
std::string Latin1ForRawBytes(std::string_view text) {
  std::string out;
  raw_bytes::Split(
      text, [&](std::string_view part) { out += part; },
      [&](std::uint8_t byte) { AppendUtf8(out, byte); });
  return out;
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
  const std::u16string units = platform::Utf8ToUtf16(Latin1ForRawBytes(text));
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

namespace {

// Legacy text that the tag's other texts showed to be UTF-8; a byte that
// breaks the form (a field cut short) stays raw.
std::string DecodeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t end = i + 1;
    while (end < bytes.size() && end - i < 4 && (ByteAt(bytes, end) & 0xC0) == 0x80) ++end;
    for (std::size_t length = end - i; length > 0; --length) {
      if (IsWellFormedUtf8(bytes.substr(i, length))) {
        out += bytes.substr(i, length);
        i += length;
        break;
      }
      if (length == 1) {
        raw_bytes::Append(out, ByteAt(bytes, i));
        ++i;
      }
    }
  }
  return out;
}

// The legacy bytes of `text` in `charset` (Shift-JIS or EUC-JP), raw bytes
// as themselves.
std::string EncodeLegacy(std::string_view text, Charset charset, bool& exact) {
  std::string out;
  exact = true;
  raw_bytes::Split(
      text,
      [&](std::string_view part) {
        bool lossless = true;
        std::string cp932 = Utf8ToCp932(part, &lossless);
        exact = exact && lossless;
        if (charset == Charset::EucJp) {
          std::string euc = SjisToEuc(cp932);
          // The user-defined and IBM rows have no EUC-JP form.
          exact = exact && EucToSjis(euc) == cp932;
          out += euc;
        } else {
          out += cp932;
        }
      },
      [&](std::uint8_t byte) { out += static_cast<char>(byte); });
  return out;
}

}  // namespace

std::string DecodeTagText(std::string_view bytes, bool escapeNul, LegacyReading legacy) {
  switch (DetectTextCode(bytes)) {
    case TextCode::Utf16Le:
      return DecodeUtf16(bytes, false);
    case TextCode::Utf16Be:
      return DecodeUtf16(bytes, true);
    default:
      break;
  }
  if (legacy == LegacyReading::Japanese) return DecodeJapanese(bytes, escapeNul).text;
  // Unescaped text is read as a zero-terminated string: it ends at its
  // first NUL, so no NUL ever reaches the program's text.
  const std::string_view text = escapeNul ? bytes : bytes.substr(0, bytes.find('\0'));
  const std::string escaped = escapeNul ? EscapeNul(text) : std::string();
  const std::string_view input = escapeNul ? std::string_view(escaped) : text;
  return legacy == LegacyReading::Utf8 ? DecodeUtf8(input) : DecodeWindows1252(input);
}

std::string DecodeTagTextAs(std::string_view bytes, Charset charset, bool escapeNul) {
  switch (charset) {
    case Charset::ShiftJis:
      return DecodeShiftJis(bytes, escapeNul).text;
    case Charset::EucJp:
      return DecodeEucJp(bytes).text;
    case Charset::Utf8:
      return escapeNul ? EscapeNul(bytes) : std::string(bytes.substr(0, bytes.find('\0')));
    case Charset::Utf16Le:
    case Charset::Utf16Be:
      break;
  }
  return DecodeTagText(bytes, escapeNul);
}

std::string EncodeTagText(std::string_view text, Charset charset, bool* exact) {
  bool fits = true;
  std::string out;
  switch (charset) {
    case Charset::Utf16Le:
    case Charset::Utf16Be:
      out = EncodeUtf16(text, charset == Charset::Utf16Be);
      break;
    case Charset::Utf8:
      out = Latin1ForRawBytes(text);
      break;
    case Charset::ShiftJis:
    case Charset::EucJp:
      out = EncodeLegacy(text, charset, fits);
      break;
  }
  if (exact) *exact = fits;
  return out;
}

std::size_t Cp932Length(std::string_view text) { return Utf8ToCp932(text).size(); }

std::string FitV1Text(std::string_view text, std::size_t maxBytes, Charset charset) {
  std::string encoded = EncodeTagText(text, charset);
  if (encoded.size() <= maxBytes) return encoded;

  switch (charset) {
    case Charset::ShiftJis:
      // Half-width kana (0xA0..0xDF) are single bytes.
      return CutPairs(encoded, maxBytes,
                      [](std::uint8_t c) { return c >= 0x80 && !InRange(c, 0xA0, 0xDF); });
    case Charset::EucJp:
      // Cut on the EUC-JP form itself, where half-width kana take two bytes
      // too; cutting the Shift-JIS form could leave a kana marker without
      // its kana at the end of the field.
      return CutPairs(encoded, maxBytes, [](std::uint8_t c) { return c >= 0x80; });
    case Charset::Utf8: {
      std::size_t end = maxBytes;
      while (end > 0 && (ByteAt(encoded, end) & 0xC0) == 0x80) --end;
      return encoded.substr(0, end);
    }
    default: {
      // The byte-order mark and as many whole units as fit, never the
      // first half of a surrogate pair alone.
      if (maxBytes < 2) return {};
      std::size_t end = 2 + (maxBytes - 2) / 2 * 2;
      const bool big = charset == Charset::Utf16Be;
      if (end > 2) {
        const auto lastHi = static_cast<std::uint8_t>(encoded[big ? end - 2 : end - 1]);
        if (InRange(lastHi, 0xD8, 0xDB)) end -= 2;
      }
      return encoded.substr(0, end);
    }
  }
}

}  // namespace quilmark