// Plays one MP3 file with the desktop's default application for its type.
#pragma once

#include <string>

#include "ui/msgbox.h"

namespace quilmark {

// Starts the default player for `fullPath` detached and does not wait for
// it. Every failure (no association, missing file, unusable player, a path
// too long to hand over) is shown through `messages`; nothing else changes.
void PlayFile(const std::string& fullPath, Messages& messages);

// The longest path (in Shift-JIS bytes) that play hands over.
inline constexpr std::size_t kMaxPlayPathBytes = 253;

}  // namespace quilmark
