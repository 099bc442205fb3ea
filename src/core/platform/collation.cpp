#include "platform/collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <stdexcept>

namespace quilmark::platform {

namespace {

// The collation locale the environment asks for, as ICU names it
// ("ja_JP.UTF-8" gives "ja_JP"). The C and POSIX locales, and no setting at
// all, give Japanese: the program's users sort Japanese titles, and ICU's
// own stand-in for C (en_US_POSIX) orders every capital before every small
// letter, which no user expects.
std::string EnvironmentLocale() {
  for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    std::string locale = value;
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") return "ja";
    return locale;
  }
  return "ja";
}

icu::UnicodeString Prepare(std::string_view text, LocaleCollator::Case caseRule) {
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  if (caseRule == LocaleCollator::Case::Ignored) unicode.foldCase(U_FOLD_CASE_DEFAULT);
  return unicode;
}

}  // namespace

struct LocaleCollator::Impl {
  Case caseRule;
  std::unique_ptr<icu::Collator> collator;
};

LocaleCollator::LocaleCollator(Case caseRule, std::string_view locale) : impl_(new Impl) {
  impl_->caseRule = caseRule;
  std::string name = locale.empty() ? EnvironmentLocale() : std::string(locale);
  UErrorCode status = U_ZERO_ERROR;
  impl_->collator.reset(icu::Collator::createInstance(icu::Locale(name.c_str()), status));
  if (U_FAILURE(status) || !impl_->collator) {
    status = U_ZERO_ERROR;
    impl_->collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
  }
  if (U_FAILURE(status) || !impl_->collator) throw std::runtime_error("no collator available");
  // Identical strength: the Japanese tailoring puts the kana type on the
  // quaternary level and the width on the identical one, and both must
  // keep strings apart. For other locales it only breaks ties that the
  // tertiary level leaves, so the order stays total.
  impl_->collator->setStrength(icu::Collator::IDENTICAL);
}

LocaleCollator::~LocaleCollator() = default;
LocaleCollator::LocaleCollator(LocaleCollator&&) noexcept = default;
LocaleCollator& LocaleCollator::operator=(LocaleCollator&&) noexcept = default;

int LocaleCollator::Compare(std::string_view a, std::string_view b) const {
  UErrorCode status = U_ZERO_ERROR;
  UCollationResult result =
      impl_->collator->compare(Prepare(a, impl_->caseRule), Prepare(b, impl_->caseRule), status);
  return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

std::string LocaleCollator::SortKey(std::string_view text) const {
  icu::UnicodeString unicode = Prepare(text, impl_->caseRule);
  std::string key(64 + static_cast<std::size_t>(unicode.length()) * 4, '\0');
  for (;;) {
    int32_t length = impl_->collator->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                                                 static_cast<int32_t>(key.size()));
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) <= key.size()) {
      // The key ends in a zero byte that memcmp order does not need.
      key.resize(static_cast<std::size_t>(length) - 1);
      return key;
    }
    key.resize(static_cast<std::size_t>(length));
  }
}

}  // namespace quilmark::platform
