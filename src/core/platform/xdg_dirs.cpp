#include "platform/xdg_dirs.h"

#include "platform/xdg_text.h"

namespace quilmark::platform {

XdgDirs XdgDirs::FromEnvironment() {
  const std::string home = EnvironmentOr("HOME", "/");
  XdgDirs dirs;
  dirs.dataHome = EnvironmentOr("XDG_DATA_HOME", home + "/.local/share");
  dirs.dataDirs =
      NonEmpty(Split(EnvironmentOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), ':'));
  dirs.configHome = EnvironmentOr("XDG_CONFIG_HOME", home + "/.config");
  dirs.configDirs = NonEmpty(Split(EnvironmentOr("XDG_CONFIG_DIRS", "/etc/xdg"), ':'));
  for (const std::string& desktop :
       NonEmpty(Split(EnvironmentOr("XDG_CURRENT_DESKTOP", ""), ':'))) {
    dirs.currentDesktops.push_back(AsciiLowerCase(desktop));
  }
  return dirs;
}

std::vector<std::string> XdgDirs::DataSearchPath() const {
  std::vector<std::string> path{dataHome};
  path.insert(path.end(), dataDirs.begin(), dataDirs.end());
  return path;
}

}  // namespace quilmark::platform
