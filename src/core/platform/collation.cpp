#include "platform/collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/uiter.h>
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

icu::UnicodeString CollationText(std::string_view text, LocaleCollator::Case caseRule) {
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  if (caseRule == LocaleCollator::Case::Ignored) unicode.foldCase(U_FOLD_CASE_DEFAULT);
  return unicode;
}

}  // namespace

struct LocaleCollator::Impl {
  Case caseRule;
  std::unique_ptr<icu::Collator> collator;
  std::unique_ptr<icu::Collator> primaryOnly;
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
  impl_->primaryOnly.reset(impl_->collator->clone());
  if (!impl_->primaryOnly) throw std::runtime_error("no collator available");
  impl_->primaryOnly->setStrength(icu::Collator::PRIMARY);
}

LocaleCollator::~LocaleCollator() = default;
LocaleCollator::LocaleCollator(LocaleCollator&&) noexcept = default;
LocaleCollator& LocaleCollator::operator=(LocaleCollator&&) noexcept = default;

int LocaleCollator::Compare(std::string_view a, std::string_view b) const {
  UErrorCode status = U_ZERO_ERROR;
  UCollationResult result = impl_->collator->compare(CollationText(a, impl_->caseRule),
                                                     CollationText(b, impl_->caseRule), status);
  return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

// An ICU character iterator over a LazyText from `base` on, converting
// more of it when a comparison reads past what is converted.
struct LocaleCollator::LazyIterator {
  LocaleCollator::Case caseRule;
  LocaleCollator::LazyText& text;
  std::size_t base;

  // True when the unit at `index` exists, converting as far as needed.
  bool Reach(std::size_t index);
  int32_t Length() {
    while (Reach(text.converted_.size() - base)) {
    }
    return static_cast<int32_t>(text.converted_.size() - base);
  }
  char16_t At(std::size_t index) const { return text.converted_[base + index]; }

  static LazyIterator& Of(UCharIterator* iter) {
    return *static_cast<LazyIterator*>(const_cast<void*>(iter->context));
  }
  static int32_t GetIndex(UCharIterator* iter, UCharIteratorOrigin origin) {
    switch (origin) {
      case UITER_START:
      case UITER_ZERO:
        return 0;
      case UITER_CURRENT:
        return iter->index;
      case UITER_LIMIT:
      case UITER_LENGTH:
        return Of(iter).Length();
    }
    return 0;
  }
  static int32_t Move(UCharIterator* iter, int32_t delta, UCharIteratorOrigin origin) {
    int64_t position = int64_t{GetIndex(iter, origin)} + delta;
    if (position < 0) position = 0;
    LazyIterator& self = Of(iter);
    if (position > 0 && !self.Reach(static_cast<std::size_t>(position - 1))) {
      position = self.Length();
    }
    iter->index = static_cast<int32_t>(position);
    return iter->index;
  }
  static UBool HasNext(UCharIterator* iter) {
    return Of(iter).Reach(static_cast<std::size_t>(iter->index));
  }
  static UBool HasPrevious(UCharIterator* iter) { return iter->index > 0; }
  static UChar32 Current(UCharIterator* iter) {
    LazyIterator& self = Of(iter);
    const auto index = static_cast<std::size_t>(iter->index);
    return self.Reach(index) ? self.At(index) : U_SENTINEL;
  }
  static UChar32 Next(UCharIterator* iter) {
    LazyIterator& self = Of(iter);
    const auto index = static_cast<std::size_t>(iter->index);
    if (!self.Reach(index)) return U_SENTINEL;
    ++iter->index;
    return self.At(index);
  }
  static UChar32 Previous(UCharIterator* iter) {
    if (iter->index <= 0) return U_SENTINEL;
    return Of(iter).At(static_cast<std::size_t>(--iter->index));
  }
  static uint32_t GetState(const UCharIterator* iter) { return static_cast<uint32_t>(iter->index); }
  static void SetState(UCharIterator* iter, uint32_t state, UErrorCode*) {
    iter->index = static_cast<int32_t>(state);
  }

  UCharIterator Iterator() {
    UCharIterator iter{};
    iter.context = this;
    iter.length = -1;
    iter.limit = -1;
    iter.getIndex = &GetIndex;
    iter.move = &Move;
    iter.hasNext = &HasNext;
    iter.hasPrevious = &HasPrevious;
    iter.current = &Current;
    iter.next = &Next;
    iter.previous = &Previous;
    iter.getState = &GetState;
    iter.setState = &SetState;
    return iter;
  }
};

void LocaleCollator::LazyText::StartAt(std::size_t first) {
  started_ = true;
  complete_ = false;
  firstPiece_ = first;
  pieceStarts_.clear();
  pending_.clear();
  pendingDone_ = 0;
  converted_.clear();
}

bool LocaleCollator::LazyText::ConvertMore(Case caseRule) {
  // Most comparisons read a few characters past where two texts begin to
  // differ: a long piece is converted a few dozen bytes at a time.
  constexpr std::size_t kChunk = 32;
  if (complete_) return false;
  if (pendingDone_ >= pending_.size()) {
    pending_.clear();
    pendingDone_ = 0;
    if (!piece_(firstPiece_ + pieceStarts_.size(), pending_)) {
      complete_ = true;
      return false;
    }
    pieceStarts_.push_back(static_cast<std::uint32_t>(converted_.size()));
  }
  // Cut before a byte that starts a character (or is no part of one), so
  // that a character is never split. Case folding and UTF-8 decoding look
  // at no neighbouring character, so text converted in parts is the text
  // converted whole.
  std::size_t end = std::min(pendingDone_ + kChunk, pending_.size());
  while (end < pending_.size() && (static_cast<unsigned char>(pending_[end]) & 0xC0) == 0x80) {
    ++end;
  }
  const icu::UnicodeString unicode =
      CollationText(std::string_view(pending_).substr(pendingDone_, end - pendingDone_), caseRule);
  converted_.append(unicode.getBuffer(), static_cast<std::size_t>(unicode.length()));
  pendingDone_ = end;
  return true;
}

bool LocaleCollator::LazyIterator::Reach(std::size_t index) {
  while (base + index >= text.converted_.size()) {
    if (!text.ConvertMore(caseRule)) return false;
  }
  return true;
}

int LocaleCollator::Compare(LazyText& a, LazyText& b, std::size_t samePieces) const {
  std::size_t bases[2] = {0, 0};
  LazyText* texts[2] = {&a, &b};
  for (int k = 0; k < 2; ++k) {
    LazyText& text = *texts[k];
    // The pieces both texts share need no converting.
    if (!text.started_ || text.firstPiece_ > samePieces) text.StartAt(samePieces);
    const std::size_t piece = samePieces - text.firstPiece_;
    while (text.pieceStarts_.size() <= piece && text.ConvertMore(impl_->caseRule)) {
    }
    bases[k] = piece < text.pieceStarts_.size() ? text.pieceStarts_[piece] : text.converted_.size();
  }
  LazyIterator left{impl_->caseRule, a, bases[0]}, right{impl_->caseRule, b, bases[1]};
  UCharIterator leftIter = left.Iterator(), rightIter = right.Iterator();
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult result = impl_->collator->compare(leftIter, rightIter, status);
  return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

namespace {

std::string KeyOf(const icu::Collator& collator, const icu::UnicodeString& unicode) {
  std::string key(64 + static_cast<std::size_t>(unicode.length()) * 4, '\0');
  for (;;) {
    int32_t length = collator.getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
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

}  // namespace

std::string LocaleCollator::SortKey(std::string_view text) const {
  return KeyOf(*impl_->collator, CollationText(text, impl_->caseRule));
}

std::string LocaleCollator::PrimaryKey(std::string_view text) const {
  return KeyOf(*impl_->primaryOnly, CollationText(text, impl_->caseRule));
}

}  // namespace quilmark::platform
