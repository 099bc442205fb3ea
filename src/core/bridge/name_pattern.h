// A pattern that joins a file name and tag fields, such as
// "%track% - %artist% - %title%": text to match or write as it stands,
// and placeholders, one per tag field, and %dummy% for text that a file
// name holds but no field takes. "%%" is one "%".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tracklist/columns.h"

namespace quilmark {

enum class PatternUse {
  TagsFromNames,  // a file name's parts go into fields
  NamesFromTags,  // fields make a file name
};

struct ParsedPattern;

class NamePattern {
 public:
  struct Part {
    std::string literal;         // text, when no placeholder
    std::optional<Field> field;  // the field of a placeholder
    bool placeholder = false;    // %dummy% is one without a field
  };

  // The pattern, or why it cannot be used so: an unknown or unclosed
  // placeholder, a folder separator, no field named; for
  // reading names also two placeholders with no text between them (where
  // one would end is anybody's guess) and a field named twice; for
  // making names also %dummy%, which has no value.
  static ParsedPattern Parse(std::string_view text, PatternUse use);

  // The fields of the placeholders, in pattern order.
  std::vector<Field> Fields() const;

  // Each field's value in a file name without its extension, in Fields()
  // order, or nothing when the name does not fit. Each placeholder takes
  // the shortest text after which the rest still fits, so
  // "%artist% - %title%" gives "A - B - C" the artist "A".
  std::optional<std::vector<std::string>> Match(std::string_view stem) const;

  // The text with each placeholder's field value put in.
  template <typename ValueOf>
  std::string Fill(ValueOf valueOf) const {
    std::string text;
    for (const Part& part : parts_) {
      if (!part.placeholder) {
        text += part.literal;
      } else if (part.field) {
        text += valueOf(*part.field);
      }
    }
    return text;
  }

 private:
  std::vector<Part> parts_;
};

struct [[nodiscard]] ParsedPattern {
  std::optional<NamePattern> pattern;
  std::string error;  // why there is none, in words for the user
};

// The placeholder name of a tag field ("track", "artist"...); empty for
// the path and the file name.
std::string_view PlaceholderName(Field f);

}  // namespace quilmark
