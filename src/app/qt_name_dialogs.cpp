#include "app/qt_name_dialogs.h"

#include "dialogs/name_pattern_dialog.h"

namespace quilmark {

bool QtNameDialogs::AskNamePattern(PatternUse use, std::string& pattern, const Preview& preview) {
  return quilmark::AskNamePattern(parent_, use, pattern, preview);
}

}  // namespace quilmark
