#include "text/japanese_text.h"

#include <cstdint>

#include "platform/cp932.h"
#include "text/bytes.h"
#include "text/raw_bytes.h"
#include "text/sjis_euc.h"
#include "text/tag_text.h"
#include "text/text_code.h"

namespace quilmark {

namespace {

using platform::Cp932ToUtf8;
using platform::Undecodable;
using text_bytes::ByteAt;
using text_bytes::InRange;

JapaneseText DecodeCp932Text(std::string_view bytes, bool escapeNul) {
  JapaneseText out;
  if (!escapeNul) {
    out.text = Cp932ToUtf8(bytes.substr(0, bytes.find('\0')), Undecodable::KeepBytes, &out.clean);
  } else if (bytes.find('\0') == std::string_view::npos) {
    out.text = Cp932ToUtf8(bytes, Undecodable::KeepBytes, &out.clean);
  } else {
    out.text = Cp932ToUtf8(EscapeNul(bytes), Undecodable::KeepBytes, &out.clean);
  }
  return out;
}

bool IsEucByte(std::uint8_t c) { return InRange(c, 0xA1, 0xFE); }

// A two-byte character the row-and-cell arithmetic can take: rows 93 and
// 94 (leads FD, FE) are empty in JIS X 0208.
bool IsEucPair(std::uint8_t lead, std::uint8_t trail) {
  return InRange(lead, 0xA1, 0xFC) && IsEucByte(trail);
}

// Whether every byte belongs to an ASCII byte, a half-width kana (8E and
// the kana) or a two-byte character.
bool IsWellFormedEuc(std::string_view euc) {
  for (std::size_t i = 0; i < euc.size();) {
    const std::uint8_t c = ByteAt(euc, i);
    if (c < 0x80) {
      ++i;
    } else if ((c == 0x8E && InRange(ByteAt(euc, i + 1), 0xA1, 0xDF)) ||
               IsEucPair(c, ByteAt(euc, i + 1))) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

// One character at a time, for text with bytes the arithmetic cannot take
// to a character: those stay raw, so that writing EUC-JP gives them back.
JapaneseText DecodeEucByCharacter(std::string_view euc) {
  JapaneseText out;
  out.clean = false;
  for (std::size_t i = 0; i < euc.size();) {
    const std::uint8_t c = ByteAt(euc, i);
    if (c < 0x80) {
      out.text += c == 0 ? std::string_view("\\0") : euc.substr(i, 1);
      ++i;
      continue;
    }
    const std::uint8_t next = ByteAt(euc, i + 1);
    const bool kana = c == 0x8E && InRange(next, 0xA1, 0xDF);
    if (kana || IsEucPair(c, next)) {
      bool clean = false;
      std::string character =
          Cp932ToUtf8(EucToSjis(euc.substr(i, 2)), Undecodable::KeepBytes, &clean);
      if (clean) {
        out.text += character;
      } else {
        raw_bytes::Append(out.text, c);
        raw_bytes::Append(out.text, next);
      }
      i += 2;
      continue;
    }
    raw_bytes::Append(out.text, c);
    ++i;
  }
  return out;
}

JapaneseText DecodeEucText(std::string_view euc) {
  if (IsWellFormedEuc(euc)) {
    JapaneseText out;
    out.text = Cp932ToUtf8(EucToSjis(euc), Undecodable::KeepBytes, &out.clean);
    if (out.clean) return out;
  }
  return DecodeEucByCharacter(euc);
}

}  // namespace

JapaneseText DecodeShiftJis(std::string_view bytes, bool escapeNul) {
  return DecodeCp932Text(bytes, escapeNul);
}

JapaneseText DecodeEucJp(std::string_view bytes) { return DecodeEucText(bytes); }

JapaneseText DecodeJapanese(std::string_view bytes, bool escapeNul) {
  const bool euc = DetectTextCode(bytes) == TextCode::EucJp;
  JapaneseText chosen = euc ? DecodeEucText(bytes) : DecodeCp932Text(bytes, escapeNul);
  if (chosen.clean) return chosen;
  // The pair count misjudged it (kana pairs of one counted as the other).
  JapaneseText other = euc ? DecodeCp932Text(bytes, escapeNul) : DecodeEucText(bytes);
  return other.clean ? other : chosen;
}

}  // namespace quilmark
