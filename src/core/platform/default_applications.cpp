#include "platform/default_applications.h"

#include <filesystem>
#include <vector>

#include "platform/key_file.h"
#include "platform/xdg_text.h"

namespace quilmark::platform {

namespace {

namespace fs = std::filesystem;

// The file of desktop id `id` in the applications folders, if installed and
// not hidden.
std::optional<std::string> FindDesktopEntry(const XdgDirs& dirs, const std::string& id,
                                            bool skipOwn) {
  if (id.empty() || id.find('/') != std::string::npos || (skipOwn && id == kDesktopEntryFileName)) {
    return std::nullopt;
  }
  for (const std::string& dir : dirs.DataSearchPath()) {
    const std::string path = dir + "/applications/" + id;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) continue;
    const auto lines = ReadTextLines(path);
    if (!lines) return std::nullopt;
    // The first folder that has the id decides, even when it hides it.
    if (KeyFileValue(*lines, kDesktopEntryGroup, "Hidden") == "true") return std::nullopt;
    return path;
  }
  return std::nullopt;
}

std::vector<std::string> MimeAppsLists(const XdgDirs& dirs) {
  std::vector<std::string> files;
  auto add = [&](const std::string& dir) {
    for (const std::string& desktop : dirs.currentDesktops) {
      files.push_back(dir + "/" + desktop + "-mimeapps.list");
    }
    files.push_back(dir + "/mimeapps.list");
  };
  add(dirs.configHome);
  for (const std::string& dir : dirs.configDirs) add(dir);
  add(dirs.dataHome + "/applications");
  for (const std::string& dir : dirs.dataDirs) add(dir + "/applications");
  return files;
}

}  // namespace

std::optional<DefaultApplication> FindDefaultApplication(const XdgDirs& dirs,
                                                         std::string_view mimeType, bool skipOwn) {
  const std::string mime = AsciiLowerCase(mimeType);
  auto firstInstalled = [&](const std::vector<std::string>& ids,
                            bool named) -> std::optional<DefaultApplication> {
    for (const std::string& id : ids) {
      if (auto path = FindDesktopEntry(dirs, id, skipOwn)) {
        return DefaultApplication{id, *path, named};
      }
    }
    return std::nullopt;
  };
  const std::vector<std::string> lists = MimeAppsLists(dirs);
  for (const char* group : {"Default Applications", "Added Associations"}) {
    for (const std::string& list : lists) {
      const auto lines = ReadTextLines(list);
      if (!lines) continue;
      const bool named = std::string_view(group) == "Default Applications";
      if (auto app = firstInstalled(ListValue(KeyFileValue(*lines, group, mime)), named)) {
        return app;
      }
    }
  }
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto lines = ReadTextLines(dir + "/applications/mimeinfo.cache");
    if (!lines) continue;
    if (auto app = firstInstalled(ListValue(KeyFileValue(*lines, "MIME Cache", mime)), false)) {
      return app;
    }
  }
  return std::nullopt;
}

std::optional<std::string> DefaultApplicationEntry(const XdgDirs& dirs, std::string_view mimeType) {
  auto app = FindDefaultApplication(dirs, mimeType, true);
  if (!app) return std::nullopt;
  return std::move(app->path);
}

}  // namespace quilmark::platform
