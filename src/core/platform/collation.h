// Locale-aware comparison of text, as the user's language orders it.
//
// The sort compares whole row lines with letter case ignored while width
// (ｱ / ア) and kana type (あ / ア) stay distinct. No single collator
// attribute gives that combination, so case is folded first and the folded
// strings are compared at tertiary strength.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
  // The primary level of SortKey (the bytes before its first 0x01), made
  // without computing the other levels.
  std::string PrimaryKey(std::string_view text) const;

  // A long text handed over piece by piece and converted only as far as
  // comparisons read it. A key covers the whole text at every level; a
  // comparison stops at the first difference, so long texts that differ
  // early cost little more than their beginnings. `piece(i, out)` appends
  // piece i to `out` and returns false when there is none; pieces end
  // between characters. A text is compared with one collator only.
  class LazyText {
   public:
    explicit LazyText(std::function<bool(std::size_t, std::string&)> piece)
        : piece_(std::move(piece)) {}

   private:
    friend class LocaleCollator;
    // Converts from piece `first` on, starting over when what is converted
    // begins later.
    void StartAt(std::size_t first);
    // Converts a little more; false at the end of the text.
    bool ConvertMore(Case caseRule);

    std::function<bool(std::size_t, std::string&)> piece_;
    bool started_ = false;
    bool complete_ = false;
    std::size_t firstPiece_ = 0;              // the piece converted_ begins with
    std::vector<std::uint32_t> pieceStarts_;  // where each piece begins in converted_
    std::string pending_;                     // the piece being converted
    std::size_t pendingDone_ = 0;             // its bytes converted so far
    std::u16string converted_;
  };
  // Compare's order, on the whole texts, where their first `samePieces`
  // pieces are known to be the same and the piece after them starts with a
  // character that no contraction spans and whose weight depends on nothing
  // before it (a comma, say): the comparison starts there.
  int Compare(LazyText& a, LazyText& b, std::size_t samePieces = 0) const;

 private:
  struct Impl;
  struct LazyIterator;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quilmark::platform
