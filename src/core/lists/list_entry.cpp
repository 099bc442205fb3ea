#include "lists/list_entry.h"

#include <vector>

#include "platform/paths.h"

namespace quilmark {

namespace {

// The analogue of a drive part here: the root for an absolute path.
std::string_view RootPart(std::string_view path) {
  return !path.empty() && platform::IsPathSeparator(path.front()) ? path.substr(0, 1)
                                                                  : std::string_view{};
}

// The folder names of a path's folder part, root left out.
std::vector<std::string_view> FolderNames(std::string_view folder) {
  std::vector<std::string_view> names;
  folder.remove_prefix(RootPart(folder).size());
  std::size_t start = 0;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (platform::IsPathSeparator(folder[i])) {
      names.push_back(folder.substr(start, i - start));
      start = i + 1;
    }
  }
  return names;
}

}  // namespace

std::string ResolveListEntry(std::string_view entry, std::string_view listFile) {
  if (entry.empty()) return {};
  if (platform::IsPathSeparator(entry.front())) return platform::FullPath(entry);
  return platform::FullPath(platform::FolderPart(listFile) + std::string(entry));
}

std::string MakeRelativePath(std::string_view baseFolder, std::string_view target) {
  if (RootPart(baseFolder) != RootPart(target)) return std::string(target);
  const std::string targetFolder = platform::FolderPart(target);
  const std::vector<std::string_view> base = FolderNames(baseFolder);
  const std::vector<std::string_view> own = FolderNames(targetFolder);
  std::size_t common = 0;
  while (common < base.size() && common < own.size() && base[common] == own[common]) ++common;

  std::string result;
  for (std::size_t i = common; i < base.size(); ++i) result += "../";
  for (std::size_t i = common; i < own.size(); ++i) {
    result += own[i];
    result += platform::kPathSeparator;
  }
  result += platform::FileNamePart(target);
  return result;
}

}  // namespace quilmark
