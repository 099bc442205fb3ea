#include "platform/text_transform.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <stdexcept>

namespace quilmark::platform {

namespace {

// ICU transform IDs; a leading set limits a transform to those characters.
const char* TransformId(TextConversion conversion) {
  switch (conversion) {
    case TextConversion::AsciiToFullwidth:
      return "[\\u0020-\\u007E] Halfwidth-Fullwidth";
    case TextConversion::AsciiToHalfwidth:
      return "[\\uFF01-\\uFF5E\\u3000] Fullwidth-Halfwidth";
    case TextConversion::KatakanaToFullwidth:
      // The half-width voiced marks become combining ones: NFC joins them.
      return "[\\uFF61-\\uFF9F] Halfwidth-Fullwidth; NFC";
    case TextConversion::KatakanaToHalfwidth:
      return "[[:Katakana:]\\u30FB\\u30FC\\u309B\\u309C] Fullwidth-Halfwidth";
    case TextConversion::HiraganaToKatakana:
      return "[:Hiragana:] Hiragana-Katakana";
    case TextConversion::KatakanaToHiragana:
      return "Katakana-Hiragana";
    case TextConversion::Upper:
      return "Any-Upper";
    case TextConversion::Lower:
      return "Any-Lower";
    case TextConversion::Title:
      return "Any-Title";
    case TextConversion::TidySpaces:
      return nullptr;
  }
  return nullptr;
}

// White space as Unicode counts it, the ideographic space included.
constexpr const char* kTidySpacesRules =
    "$ws = [[:White_Space:]];\n"
    "^ $ws+ > ;\n"
    "$ws+ $ > ;\n"
    "($ws) $ws+ > $1;\n";

}  // namespace

struct TextConverter::Impl {
  std::unique_ptr<icu::Transliterator> transform;
};

TextConverter::TextConverter(TextConversion conversion) : impl_(new Impl) {
  UErrorCode status = U_ZERO_ERROR;
  UParseError where{};
  if (const char* id = TransformId(conversion)) {
    impl_->transform.reset(icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id),
                                                               UTRANS_FORWARD, where, status));
  } else {
    impl_->transform.reset(icu::Transliterator::createFromRules(
        "TidySpaces", icu::UnicodeString::fromUTF8(kTidySpacesRules), UTRANS_FORWARD, where,
        status));
  }
  if (U_FAILURE(status) || !impl_->transform) {
    throw std::runtime_error(std::string("no text transform: ") + u_errorName(status));
  }
}

TextConverter::~TextConverter() = default;
TextConverter::TextConverter(TextConverter&&) noexcept = default;
TextConverter& TextConverter::operator=(TextConverter&&) noexcept = default;

std::string TextConverter::Apply(std::string_view text) const {
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  impl_->transform->transliterate(unicode);
  std::string converted;
  unicode.toUTF8String(converted);
  return converted;
}

}  // namespace quilmark::platform
