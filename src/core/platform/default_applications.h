// Which installed application opens a MIME type by default: the
// mimeapps.list defaults, then added associations, then the desktop
// database's cache (mimeinfo.cache), as the desktop itself decides.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/xdg_dirs.h"

namespace quilmark::platform {

struct DefaultApplication {
  std::string id;      // desktop file id ("player.desktop")
  std::string path;    // its file
  bool named = false;  // named by a mimeapps.list default, not picked by the desktop
};

// The application that opens `mimeType` (letter case ignored) by default,
// passing over entries that are not installed or hidden; nullopt when none
// is installed. `skipOwn` passes over this program's own entry.
std::optional<DefaultApplication> FindDefaultApplication(const XdgDirs& dirs,
                                                         std::string_view mimeType, bool skipOwn);

// The desktop entry file of the application that opens `mimeType` by default,
// skipping this program's own entry; nullopt when none is installed.
std::optional<std::string> DefaultApplicationEntry(const XdgDirs& dirs, std::string_view mimeType);

}  // namespace quilmark::platform
