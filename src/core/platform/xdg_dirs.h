// The folders where the desktop keeps its data and configuration (XDG base
// directories), as the environment names them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quilmark::platform {

struct XdgDirs {
  std::string dataHome;                      // $XDG_DATA_HOME, else ~/.local/share
  std::vector<std::string> dataDirs;         // $XDG_DATA_DIRS, else /usr/local/share:/usr/share
  std::string configHome;                    // $XDG_CONFIG_HOME, else ~/.config
  std::vector<std::string> configDirs;       // $XDG_CONFIG_DIRS, else /etc/xdg
  std::vector<std::string> currentDesktops;  // $XDG_CURRENT_DESKTOP, lower-cased

  static XdgDirs FromEnvironment();
  // dataHome first, then dataDirs: the order in which they take precedence.
  std::vector<std::string> DataSearchPath() const;
};

// The desktop file id of the program, for the installed menu entry and the
// user's association entry alike.
inline constexpr std::string_view kDesktopEntryFileName = "quilmark.desktop";

}  // namespace quilmark::platform
