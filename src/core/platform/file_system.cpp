#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/paths.h"

namespace quilmark::platform {

namespace {

IoResult<struct stat> Stat(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return IoError::FromSystem(errno);
  return st;
}

IoStatus Done(bool ok) { return ok ? IoStatus() : IoStatus(IoError::FromSystem(errno)); }

}  // namespace

bool DirectoryExists(const std::string& path) {
  auto st = Stat(path);
  return st && S_ISDIR(st->st_mode);
}

IoStatus MakeFolders(const std::string& folder, std::uint32_t mode) {
  for (std::size_t end = folder.find('/', 1); !folder.empty(); end = folder.find('/', end + 1)) {
    const std::string path = folder.substr(0, end);
    if (mkdir(path.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) {
      return IoError::FromSystem(errno);
    }
    if (end == std::string::npos) break;
  }
  if (!folder.empty() && !DirectoryExists(folder)) return IoError::FromSystem(ENOTDIR);
  return {};
}

IoStatus RemoveFile(const std::string& path) { return Done(unlink(path.c_str()) == 0); }

IoStatus RenameFile(const std::string& from, const std::string& to) {
  return Done(rename(from.c_str(), to.c_str()) == 0);
}

}  // namespace quilmark::platform
