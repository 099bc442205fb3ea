// Locale-aware comparison of text, as the user's language orders it.
//
// The sort compares whole row lines with letter case ignored while width
// (ｱ / ア) and kana type (あ / ア) stay distinct. No single collator
// attribute gives that combination, so case is folded first and the folded
// strings are compared at tertiary strength.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quilmark::platform {

class LocaleCollator {
 public:
  enum class Case { Sensitive, Ignored };

  // `locale` empty means the user's default locale (from the environment).
  explicit LocaleCollator(Case caseRule, std::string_view locale = {});
  ~LocaleCollator();
  LocaleCollator(LocaleCollator&&) noexcept;
  LocaleCollator& operator=(LocaleCollator&&) noexcept;

  // <0, 0, >0 like strcmp, on UTF-8 text.
  int Compare(std::string_view a, std::string_view b) const;

  // A byte string whose memcmp order equals Compare's order; computed once
  // per item it makes sorting large lists cheap.
  std::string SortKey(std::string_view text) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quilmark::platform
