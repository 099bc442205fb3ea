// TagValues: the ordered name=value list that carries one file's tag fields
// between a file and a grid row. Setting an empty value removes the key, so
// the list never holds an empty value. Names compare without letter case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quilmark {

class TagValues {
 public:
  // Replaces the first line with this name in place, appends when there is
  // none; an empty value removes the line instead.
  void Set(std::string_view key, std::string_view value);
  // The value of the first line with this name, or "".
  std::string Get(std::string_view key) const;

  std::size_t Count() const { return lines_.size(); }
  const std::string& Name(std::size_t i) const { return lines_[i].first; }
  const std::string& Value(std::size_t i) const { return lines_[i].second; }
  void Clear() { lines_.clear(); }
  bool Empty() const { return lines_.empty(); }

  // The list as comma text of "name=value" items (the colWork form), and back.
  std::string ToCommaText() const;
  static TagValues FromCommaText(std::string_view text);

  friend bool operator==(const TagValues&, const TagValues&) = default;

 private:
  std::vector<std::pair<std::string, std::string>> lines_;
};

// The fixed keys.
namespace keys {
inline constexpr std::string_view Title = "Title", Artist = "Artist", Album = "Album",
                                  Year = "Year", Comment = "Comment", Comment0 = "Comment0",
                                  Comment2 = "Comment2", Commentv1 = "Commentv1", Track = "Track",
                                  Genre = "Genre", Lyricist = "Lyricist", Composer = "Composer",
                                  Copyright = "Copyright", Encoded = "Encoded", URL = "URL",
                                  BPM = "BPM", OrgAlbum = "OrgAlbum", OrgLyricist = "OrgLyricist",
                                  OrgArtist = "OrgArtist", OrgYear = "OrgYear",
                                  TagVersion = "TagVersion";
}  // namespace keys

}  // namespace quilmark
