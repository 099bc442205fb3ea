#include "text/legacy_reading.h"

#include <cstdint>
#include <optional>
#include <string>

#include "text/japanese_text.h"
#include "text/utf8.h"

namespace quilmark {

namespace {

// Bytes past either end read as -1: no letter, no high byte.
int At(std::string_view s, std::ptrdiff_t i) {
  return i >= 0 && i < static_cast<std::ptrdiff_t>(s.size()) ? static_cast<std::uint8_t>(s[i]) : -1;
}

bool HasHighByte(std::string_view s) {
  for (char c : s) {
    if (static_cast<std::uint8_t>(c) >= 0x80) return true;
  }
  return false;
}

bool AsciiLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// --- UTF-8

// The code point at i of well-formed UTF-8, and its length.
char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t& length) {
  const auto b = [&](std::size_t k) {
    return static_cast<char32_t>(static_cast<std::uint8_t>(s[k]));
  };
  const char32_t c = b(i);
  if (c < 0x80) {
    length = 1;
    return c;
  }
  if (c < 0xE0) {
    length = 2;
    return (c & 0x1F) << 6 | (b(i + 1) & 0x3F);
  }
  if (c < 0xF0) {
    length = 3;
    return (c & 0x0F) << 12 | (b(i + 1) & 0x3F) << 6 | (b(i + 2) & 0x3F);
  }
  length = 4;
  return (c & 0x07) << 18 | (b(i + 1) & 0x3F) << 12 | (b(i + 2) & 0x3F) << 6 | (b(i + 3) & 0x3F);
}

// Letters of Latin-1 and the Windows-1252 additions.
bool IsLatinLetter(char32_t c) {
  return (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) || c == 0x152 || c == 0x153 ||
         c == 0x160 || c == 0x161 || c == 0x178 || c == 0x17D || c == 0x17E;
}

bool IsEastAsian(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000;
}

// Signs that UTF-8 is what was written: an accented letter inside a word of
// ASCII letters, or two CJK, kana or Hangul characters in a row. A lone
// such character is no sign: Shift-JIS and EUC-JP bytes make one now and
// then.
int Utf8Evidence(std::string_view s) {
  int evidence = 0;
  bool previousEastAsian = false;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t length = 0;
    const char32_t c = DecodeAt(s, i, length);
    const auto at = static_cast<std::ptrdiff_t>(i);
    const bool eastAsian = length > 1 && IsEastAsian(c);
    if (length > 1 && IsLatinLetter(c) &&
        (AsciiLetter(At(s, at - 1)) ||
         AsciiLetter(At(s, at + static_cast<std::ptrdiff_t>(length))))) {
      ++evidence;
    }
    if (eastAsian && previousEastAsian) ++evidence;
    previousEastAsian = eastAsian;
    i += length;
  }
  return evidence;
}

// --- Windows-1252

bool IsCapital(int c) {
  return (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F;
}
bool IsSmall(int c) { return (c >= 0xDF && c != 0xF7) || c == 0x9A || c == 0x9C || c == 0x9E; }
bool AnyCapital(int c) { return (c >= 'A' && c <= 'Z') || (c >= 0x80 && IsCapital(c)); }
bool AnySmall(int c) { return (c >= 'a' && c <= 'z') || (c >= 0x80 && IsSmall(c)); }

// Words have no capital after a small letter, and a capital inside a word
// only among capitals.
bool CaseFits(std::string_view s, std::ptrdiff_t k) {
  const int c = At(s, k), before = At(s, k - 1), after = At(s, k + 1);
  if (IsSmall(c)) return !AnyCapital(after);
  if (IsCapital(c)) return !AnySmall(before) && !(AnyCapital(before) && AnySmall(after));
  return true;
}

// The accented letters of the languages most Latin-1 tags are in. The
// Nordic ones (å æ ð ø ý þ) are plausible, but their bytes are lead bytes of
// common Shift-JIS characters and prove nothing.
bool IsTellingLetter(int c) {
  switch (c) {
    case 0xC5:
    case 0xC6:
    case 0xD0:
    case 0xD8:
    case 0xDD:
    case 0xDE:
    case 0xE5:
    case 0xE6:
    case 0xF0:
    case 0xF8:
    case 0xFD:
    case 0xFE:
      return false;
    default:
      return c >= 0xC0;
  }
}

// The word around [begin, end) has more ASCII letters than other bytes.
bool InMostlyAsciiWord(std::string_view s, std::ptrdiff_t begin, std::ptrdiff_t end) {
  const auto inWord = [](int c) { return c >= 0x80 || AsciiLetter(c) || c == '\''; };
  while (inWord(At(s, begin - 1))) --begin;
  while (inWord(At(s, end))) ++end;
  int ascii = 0, high = 0;
  for (std::ptrdiff_t k = begin; k < end; ++k) {
    const int c = At(s, k);
    if (c >= 0x80) {
      ++high;
    } else if (AsciiLetter(c)) {
      ++ascii;
    }
  }
  return ascii > high;
}

// How plausible the Windows-1252 reading is: -1 when some byte cannot be
// part of a word as Western languages write them, else the number of
// accented letters that could hardly be anything else.
int WesternEvidence(std::string_view s) {
  int evidence = 0;
  const auto n = static_cast<std::ptrdiff_t>(s.size());
  for (std::ptrdiff_t i = 0; i < n;) {
    if (At(s, i) < 0x80) {
      ++i;
      continue;
    }
    std::ptrdiff_t end = i;
    while (end < n && At(s, end) >= 0x80) ++end;
    const std::ptrdiff_t run = end - i;
    const bool touchesAscii = AsciiLetter(At(s, i - 1)) || AsciiLetter(At(s, end));
    // Accented letters come one at a time, two only inside a word.
    if (run > 2 || (run == 2 && (!touchesAscii || IsCapital(At(s, i)) != IsCapital(At(s, i + 1)))))
      return -1;
    // Two side by side prove something only in the pairs words have
    // (mäßig, Grüße, réécrire).
    const bool telling = run == 1 || At(s, i + 1) == 0xDF || At(s, i) == At(s, i + 1);
    for (std::ptrdiff_t k = i; k < end; ++k) {
      const int c = At(s, k);
      if (c < 0xA0) {
        // The Windows-1252 additions: a letter or an apostrophe, alone.
        const bool apostrophe = c == 0x92 && AsciiLetter(At(s, k - 1)) && AsciiLetter(At(s, k + 1));
        if (run > 1 || !(apostrophe || IsCapital(c) || IsSmall(c)) || !CaseFits(s, k)) return -1;
        continue;
      }
      if ((!IsCapital(c) && !IsSmall(c)) || !CaseFits(s, k)) return -1;
      if (touchesAscii && telling && IsTellingLetter(c) && InMostlyAsciiWord(s, i, end)) ++evidence;
    }
    i = end;
  }
  return evidence;
}

// Half-width katakana (U+FF61..U+FF9F, EF BD A1 .. EF BE 9F in UTF-8) stand
// in runs in Japanese text. One standing alone is what an accented capital
// of Latin-1 (Ä, É, Ü...) or a byte of UTF-8 becomes in code page 932.
bool HasLoneHalfWidthKana(std::string_view text) {
  const auto kanaAt = [&](std::size_t i) {
    if (i + 3 > text.size() || text[i] != '\xEF') return false;
    const auto b1 = static_cast<std::uint8_t>(text[i + 1]),
               b2 = static_cast<std::uint8_t>(text[i + 2]);
    return (b1 == 0xBD && b2 >= 0xA1) || (b1 == 0xBE && b2 <= 0x9F);
  };
  bool previous = false;
  for (std::size_t i = 0; i < text.size();) {
    if (!kanaAt(i)) {
      previous = false;
      i += 1;
      continue;
    }
    if (!previous && !kanaAt(i + 3)) return true;
    previous = true;
    i += 3;
  }
  return false;
}

// The Japanese reading reads every byte; tells whether it has a lone
// half-width kana.
bool IsCleanJapanese(std::string_view text, bool& loneHalfWidthKana) {
  const JapaneseText japanese = DecodeJapanese(text, true);
  if (!japanese.clean) return false;
  loneHalfWidthKana = loneHalfWidthKana || HasLoneHalfWidthKana(japanese.text);
  return true;
}

}  // namespace

LegacyReading DecideLegacyReading(const std::vector<std::string_view>& texts) {
  bool any = false, utf8 = true;
  for (std::string_view text : texts) {
    if (!HasHighByte(text)) continue;
    any = true;
    utf8 = utf8 && IsWellFormedUtf8(text);
  }
  if (!any) return LegacyReading::Japanese;

  // The Japanese reading costs a decoding: it is asked only when another
  // reading is still possible, which most Japanese text rules out at once.
  std::optional<bool> japaneseDoubtful;  // unclean, or with a lone half-width kana
  const auto doubtful = [&] {
    if (!japaneseDoubtful) {
      bool clean = true, loneKana = false;
      for (std::string_view text : texts) {
        if (HasHighByte(text)) clean = clean && IsCleanJapanese(text, loneKana);
      }
      japaneseDoubtful = !clean || loneKana;
    }
    return *japaneseDoubtful;
  };

  if (utf8) {
    int evidence = 0;
    for (std::string_view text : texts) evidence += Utf8Evidence(text);
    if (evidence > 0 || doubtful()) return LegacyReading::Utf8;
  }
  int western = 0;
  for (std::string_view text : texts) {
    const int e = WesternEvidence(text);
    if (e < 0) return LegacyReading::Japanese;
    western += e;
  }
  if (western > 0 || doubtful()) return LegacyReading::Western;
  return LegacyReading::Japanese;
}

}  // namespace quilmark
