#include "text/text_code.h"

#include <cstdint>

#include "text/bytes.h"

namespace quilmark {

using text_bytes::ByteAt;
using text_bytes::InRange;

TextCode DetectTextCode(std::string_view bytes) {
  const std::uint8_t b0 = ByteAt(bytes, 0), b1 = ByteAt(bytes, 1);
  if (b0 == 0xFF && b1 == 0xFE) return TextCode::Utf16Le;
  if (b0 == 0xFE && b1 == 0xFF) return TextCode::Utf16Be;

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
  if (sjis == 0 && euc == 0) return TextCode::Ascii;
  if (euc == 0) return TextCode::ShiftJis;
  if (sjis == 0) return TextCode::EucJp;
  return TextCode::Mixed;
}

}  // namespace quilmark
