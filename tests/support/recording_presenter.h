// A stand-in for the message boxes: it records every box and answers with
// the queued answers, then with `answer` when set, else with each box's
// first button, as an unattended run would.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/message_box.h"
#include "ui/message_ids.h"

namespace quilmark::testing {

struct RecordingPresenter : MessagePresenter {
  int Show(const std::string& text, const std::string& boxCaption, unsigned boxStyle) override {
    texts.push_back(text);
    style = boxStyle;
    if (!answers.empty()) {
      const int next = answers.front();
      answers.pop_front();
      return next;
    }
    if (answer) return *answer;
    return (boxStyle & 0x0F) == MB_YESNOCANCEL ? IDYES : IDOK;
  }
  // Whether a box showed a text holding `part`.
  bool Shown(std::string_view part) const {
    return std::any_of(texts.begin(), texts.end(),
                       [part](const std::string& t) { return t.find(part) != t.npos; });
  }

  std::deque<int> answers;
  std::optional<int> answer;
  std::vector<std::string> texts;
  unsigned style = 0;  // of the last box
};

}  // namespace quilmark::testing
