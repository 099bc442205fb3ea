#include "platform/mime_database.h"

#include <algorithm>
#include <vector>

#include "platform/xdg_text.h"

namespace quilmark::platform {

namespace {

struct Glob {
  int weight = 50;
  std::string mimeType;
  std::string pattern;
  bool caseSensitive = false;
};

// Globs of all data folders, highest precedence first. A "__NOGLOBS__" line
// drops what less important folders say about that type.
std::vector<Glob> LoadGlobs(const XdgDirs& dirs) {
  std::vector<Glob> globs;
  std::vector<std::string> cleared;
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto lines = ReadTextLines(dir + "/mime/globs2");
    if (!lines) continue;
    std::vector<std::string> clearedHere;
    for (const std::string& line : *lines) {
      if (line.empty() || line.front() == '#') continue;
      const auto fields = Split(line, ':');
      if (fields.size() < 3) continue;
      Glob glob;
      try {
        glob.weight = std::stoi(fields[0]);
      } catch (...) {
        continue;
      }
      glob.mimeType = fields[1];
      glob.pattern = fields[2];
      if (std::find(cleared.begin(), cleared.end(), glob.mimeType) != cleared.end()) continue;
      if (glob.pattern == "__NOGLOBS__") {
        clearedHere.push_back(glob.mimeType);
        continue;
      }
      if (fields.size() > 3) {
        for (const std::string& flag : Split(fields[3], ',')) {
          if (flag == "cs") glob.caseSensitive = true;
        }
      }
      globs.push_back(std::move(glob));
    }
    cleared.insert(cleared.end(), clearedHere.begin(), clearedHere.end());
  }
  return globs;
}

}  // namespace

bool IsMimeTypeName(std::string_view s) {
  const auto slash = s.find('/');
  if (slash == std::string_view::npos || slash == 0 || slash + 1 == s.size()) return false;
  if (s.find('/', slash + 1) != std::string_view::npos) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/+-._").find(c) != std::string_view::npos;
  });
}

std::optional<std::string> MimeTypeForExtension(const XdgDirs& dirs, std::string_view extension) {
  if (extension.empty() || extension.front() != '.') return std::nullopt;
  const std::string pattern = "*" + std::string(extension);
  const Glob* best = nullptr;
  const std::vector<Glob> globs = LoadGlobs(dirs);
  for (const Glob& glob : globs) {
    const bool match = glob.caseSensitive ? glob.pattern == pattern
                                          : EqualsIgnoringAsciiCase(glob.pattern, pattern);
    if (match && (best == nullptr || glob.weight > best->weight)) best = &glob;
  }
  if (best == nullptr) return std::nullopt;
  return best->mimeType;
}

bool IsKnownMimeType(const XdgDirs& dirs, std::string_view mimeType) {
  if (!IsMimeTypeName(mimeType)) return false;
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto types = ReadTextLines(dir + "/mime/types");
    if (types && std::any_of(types->begin(), types->end(), [&](const std::string& t) {
          return EqualsIgnoringAsciiCase(t, mimeType);
        })) {
      return true;
    }
  }
  const std::vector<Glob> globs = LoadGlobs(dirs);
  return std::any_of(globs.begin(), globs.end(),
                     [&](const Glob& g) { return EqualsIgnoringAsciiCase(g.mimeType, mimeType); });
}

}  // namespace quilmark::platform
