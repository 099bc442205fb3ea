#include "ui/text_width.h"

namespace quilmark {

int FixedTextWidth::Width(std::string_view utf8) const {
  int characters = 0;
  for (unsigned char byte : utf8) {
    if ((byte & 0xC0) != 0x80) ++characters;  // continuation bytes belong to the one before
  }
  return characters * perCharacter_;
}

}  // namespace quilmark
