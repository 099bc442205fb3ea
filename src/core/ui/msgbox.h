// The message catalogue and `msgbox`: every question and notice the program
// gives goes through here. Questions are answered with their kind's default,
// without showing anything, while the WriteConfirm setting is off.
#pragma once

#include <string>
#include <string_view>

#include "ui/message_box.h"
#include "ui/message_ids.h"

namespace quilmark {

inline constexpr const char* kApplicationTitle = "QUILMARK for Win32";

// The catalogue text of a number, or nullptr when it has none.
const char* CatalogueText(MessageId id);

class Messages {
 public:
  // `writeConfirm` is the WriteConfirm setting, read at every question so
  // that a change in the options counts at once; it must outlive this.
  Messages(const bool& writeConfirm, MessagePresenter& presenter)
      : writeConfirm_(writeConfirm), presenter_(presenter) {}

  // Shows message `id`, with `prefix` (usually a path) as a first line for
  // the messages that take it; returns the answer (IDOK, IDCANCEL, ...).
  int msgbox(MessageId id, std::string_view prefix = {});

  // A notice outside the catalogue (an error the platform reported, say),
  // shown whatever WriteConfirm says.
  int Notice(std::string_view text, unsigned style = MB_OK | MB_ICONERROR);

  MessagePresenter& Presenter() { return presenter_; }

 private:
  const bool& writeConfirm_;
  MessagePresenter& presenter_;
};

}  // namespace quilmark
