// The text conversions a user applies to many cells at once: width of
// letters and of katakana, hiragana and katakana, letter case, spaces. All
// are the system's text transforms (ICU's), not tables of our own.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quilmark::platform {

enum class TextConversion {
  AsciiToFullwidth,     // "Abc 1!" -> "Ａｂｃ　１！" (letters, digits, symbols, the space)
  AsciiToHalfwidth,     // the other way; katakana stay as they are
  KatakanaToFullwidth,  // "ｶﾞｷﾞ" -> "ガギ", half-width katakana punctuation too
  KatakanaToHalfwidth,  // "ガ・ー" -> "ｶﾞ･ｰ"; brackets and other punctuation stay
  HiraganaToKatakana,   // half-width katakana stay half-width
  KatakanaToHiragana,   // full- and half-width katakana
  Upper,
  Lower,
  Title,       // the first letter of each word upper case, the rest lower
  TidySpaces,  // no spaces at either end, a run of spaces inside becomes its first
};

class TextConverter {
 public:
  // Throws std::runtime_error when the system has no such transform.
  explicit TextConverter(TextConversion conversion);
  ~TextConverter();
  TextConverter(TextConverter&&) noexcept;
  TextConverter& operator=(TextConverter&&) noexcept;

  // The converted UTF-8 text.
  std::string Apply(std::string_view text) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quilmark::platform
