#include "bridge/name_pattern.h"

#include <array>
#include <set>
#include <utility>

#include "platform/paths.h"

namespace quilmark {

namespace {

constexpr std::string_view kDummy = "dummy";

// By field letter; the path and the file name have none.
constexpr std::array<std::string_view, kFieldCount> kPlaceholders = {
    "",      "",         "track",       "artist",    "title",     "album",   "year",
    "genre", "comment",  "lyricist",    "composer",  "copyright", "encoder", "url",
    "bpm",   "orgalbum", "orglyricist", "orgartist", "orgyear"};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

ParsedPattern Refused(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

std::string_view PlaceholderName(Field f) { return kPlaceholders[FieldIndex(f)]; }

ParsedPattern NamePattern::Parse(std::string_view text, PatternUse use) {
  const bool reading = use == PatternUse::TagsFromNames;
  NamePattern pattern;
  std::set<Field> named;
  std::string literal;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (platform::IsPathSeparator(text[i])) {
      return Refused("パターンにフォルダの区切り（/ や \\）は使えません。");
    }
    if (text[i] != '%') {
      literal += text[i];
      continue;
    }
    const std::size_t close = text.find('%', i + 1);
    if (close == std::string_view::npos) return Refused("% が閉じていません。");
    const std::string name = Lower(text.substr(i + 1, close - i - 1));
    const std::string shown(text.substr(i, close - i + 1));
    i = close;
    if (name.empty()) {
      literal += '%';
      continue;
    }
    Part part{{}, std::nullopt, true};
    if (name != kDummy) {
      for (int k = 0; k < kFieldCount && !part.field; ++k) {
        const Field f = FieldOfIndex(static_cast<std::size_t>(k));
        if (!PlaceholderName(f).empty() && PlaceholderName(f) == name) part.field = f;
      }
      if (!part.field) return Refused("知らない項目です: " + shown);
      if (!named.insert(*part.field).second && reading) {
        return Refused("同じ項目が 2 回あります: " + shown);
      }
    } else if (!reading) {
      return Refused("%dummy% はファイル名からタグを設定するときだけ使えます。");
    }
    if (!literal.empty()) {
      pattern.parts_.push_back(Part{std::move(literal), std::nullopt, false});
      literal.clear();
    } else if (reading && !pattern.parts_.empty() && pattern.parts_.back().placeholder) {
      return Refused("項目と項目の間には区切りの文字が必要です: " + shown);
    }
    pattern.parts_.push_back(std::move(part));
  }
  if (!literal.empty()) pattern.parts_.push_back(Part{std::move(literal), std::nullopt, false});
  if (named.empty()) return Refused("タグの項目（%title% など）がありません。");
  return {std::move(pattern), {}};
}

std::vector<Field> NamePattern::Fields() const {
  std::vector<Field> fields;
  for (const Part& part : parts_) {
    if (part.field) fields.push_back(*part.field);
  }
  return fields;
}

// Placeholders and texts alternate (reading patterns never put two
// placeholders side by side), so a placeholder ends where an occurrence of
// the next text starts; the occurrences are tried nearest first. A part
// that failed at a position fails there every time, which bounds the
// search by parts times positions.
std::optional<std::vector<std::string>> NamePattern::Match(std::string_view stem) const {
  const std::size_t count = parts_.size();
  std::vector<std::string_view> taken(count);
  std::set<std::pair<std::size_t, std::size_t>> failed;  // part, position
  auto fits = [&](auto& self, std::size_t i, std::size_t pos) -> bool {
    if (i == count) return pos == stem.size();
    if (failed.contains({i, pos})) return false;
    const Part& part = parts_[i];
    bool ok = false;
    if (!part.placeholder) {
      ok = stem.substr(pos).starts_with(part.literal) &&
           self(self, i + 1, pos + part.literal.size());
    } else if (i + 1 == count) {
      taken[i] = stem.substr(pos);
      ok = true;
    } else {
      const std::string& next = parts_[i + 1].literal;
      for (std::size_t at = stem.find(next, pos); !ok && at != std::string_view::npos;
           at = stem.find(next, at + 1)) {
        taken[i] = stem.substr(pos, at - pos);
        ok = self(self, i + 1, at);
      }
    }
    if (!ok) failed.insert({i, pos});
    return ok;
  };
  if (!fits(fits, 0, 0)) return std::nullopt;
  std::vector<std::string> values;
  for (std::size_t i = 0; i < count; ++i) {
    if (parts_[i].field) values.emplace_back(taken[i]);
  }
  return values;
}

}  // namespace quilmark
