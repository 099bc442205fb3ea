// The question tags from file names and file names from tags ask: a
// pattern, with the preview of what it would do; the window shows a real
// dialog, tests answer for the user.
#pragma once

#include <functional>
#include <string>

#include "bridge/name_pattern.h"
#include "bridge/name_plans.h"

namespace quilmark {

class NameDialogs {
 public:
  using Preview = std::function<NamePreview(const std::string& pattern)>;
  virtual ~NameDialogs() = default;
  // Shows `pattern` and what `preview` gives for it, again whenever the
  // user changes it. True when the user confirmed; `pattern` then holds
  // the one confirmed.
  virtual bool AskNamePattern(PatternUse use, std::string& pattern, const Preview& preview) = 0;
};

}  // namespace quilmark
