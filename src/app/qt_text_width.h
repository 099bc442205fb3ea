// Text widths in the grid's font, for fitting the columns.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <string>
#include <unordered_map>

#include "ui/text_width.h"

namespace quilmark {

class QtTextWidth : public TextWidth {
 public:
  // `padding` is added to every non-empty text: the part of the cell's
  // inner margin that the grid's own +4 does not cover.
  explicit QtTextWidth(const QFont& font, int padding = 0);
  int Width(std::string_view utf8) const override;

 private:
  QFontMetrics metrics_;
  int padding_;
  // Folder paths, genres and years repeat down a long list; measuring each
  // distinct text once keeps fitting 10,000 rows cheap.
  mutable std::unordered_map<std::string, int> cache_;
};

}  // namespace quilmark
