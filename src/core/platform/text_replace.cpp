#include "platform/text_replace.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace quilmark::platform {

namespace {

// In the match engine's time steps: a tenth of a second or so here, far
// more than any title's search takes.
constexpr int32_t kMatchSteps = 300;

icu::UnicodeString Unicode(std::string_view text) {
  return icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string Describe(UErrorCode status, const UParseError* where = nullptr) {
  std::string text = u_errorName(status);
  if (where != nullptr && where->offset >= 0)
    text += " (" + std::to_string(where->offset + 1) + ")";
  return text;
}

}  // namespace

struct TextReplacer::Impl {
  std::unique_ptr<icu::RegexPattern> pattern;
  std::unique_ptr<icu::RegexMatcher> matcher;  // of `pattern`
  icu::UnicodeString replacement;
  // Plain text with letter case counting: a byte search rules out most
  // texts before any conversion (a UTF-8 match is a character match).
  std::string plainFind;
};

TextReplacer::TextReplacer(std::string_view find, std::string_view replacement, Options options)
    : impl_(new Impl) {
  uint32_t flags = options.caseSensitive ? 0 : UREGEX_CASE_INSENSITIVE;
  if (!options.regex) flags |= UREGEX_LITERAL;
  UErrorCode status = U_ZERO_ERROR;
  UParseError where{};
  impl_->pattern.reset(icu::RegexPattern::compile(Unicode(find), flags, where, status));
  if (U_SUCCESS(status)) impl_->matcher.reset(impl_->pattern->matcher(status));
  // A pattern that backtracks without end ("(a+)+b") would hold the window
  // for good; such a search is stopped, and the replace reports it like a
  // bad pattern, changing nothing.
  if (U_SUCCESS(status)) impl_->matcher->setTimeLimit(kMatchSteps, status);
  if (U_FAILURE(status) || !impl_->matcher) {
    impl_->matcher.reset();
    error_ = Describe(status, &where);
    return;
  }
  impl_->replacement = Unicode(replacement);
  if (!options.regex && options.caseSensitive) impl_->plainFind = std::string(find);
  if (!options.regex) {
    // Plain text replaces with itself: "$" and "\" mean nothing there.
    impl_->replacement.findAndReplace("\\", "\\\\");
    impl_->replacement.findAndReplace("$", "\\$");
  }
}

TextReplacer::~TextReplacer() = default;
TextReplacer::TextReplacer(TextReplacer&&) noexcept = default;
TextReplacer& TextReplacer::operator=(TextReplacer&&) noexcept = default;

std::string TextReplacer::Replace(std::string_view text, int& count) {
  count = 0;
  if (!impl_->matcher) return std::string(text);
  if (!impl_->plainFind.empty() && text.find(impl_->plainFind) == std::string_view::npos) {
    return std::string(text);
  }
  const icu::UnicodeString input = Unicode(text);
  icu::RegexMatcher& matcher = *impl_->matcher;
  matcher.reset(input);
  icu::UnicodeString output;
  UErrorCode status = U_ZERO_ERROR;
  int found = 0;
  while (matcher.find(status) && U_SUCCESS(status)) {
    matcher.appendReplacement(output, impl_->replacement, status);
    if (U_FAILURE(status)) break;
    ++found;
  }
  if (U_FAILURE(status)) {
    error_ = Describe(status);
    return std::string(text);
  }
  if (found == 0) return std::string(text);
  matcher.appendTail(output);
  count = found;
  std::string replaced;
  output.toUTF8String(replaced);
  return replaced;
}

}  // namespace quilmark::platform
