#include "text/sjis_euc.h"

#include <cstdint>

#include "text/bytes.h"

namespace quilmark {

using text_bytes::ByteAt;
using text_bytes::InRange;

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

}  // namespace quilmark
