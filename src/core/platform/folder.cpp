#include "platform/folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/paths.h"

namespace quilmark::platform {

Folder::~Folder() {
  if (fd_ >= 0) close(fd_);
}

Folder::Folder(Folder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

Folder& Folder::operator=(Folder&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

IoResult<Folder> Folder::Open(const std::string& path) {
  std::string shown = path.empty() ? std::string(".") : path;
  int fd;
  do {
    fd = open(shown.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return IoError::FromSystem(errno);
  if (!IsPathSeparator(shown.back())) shown += kPathSeparator;
  return Folder(fd, std::move(shown));
}

IoStatus Folder::Sync() const {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  // Some file systems cannot sync a folder and say so; the entries are then
  // as lasting as that file system makes them, which is no failure of ours.
  if (fsync(fd_) != 0 && errno != EINVAL) return IoError::FromSystem(errno);
  return {};
}

std::pair<std::uint64_t, std::uint64_t> Folder::Identity() const {
  struct stat st;
  if (fd_ < 0 || fstat(fd_, &st) != 0) return {0, 0};
  return {st.st_dev, st.st_ino};
}

void FolderSyncs::Add(const Folder& folder) {
  auto id = folder.Identity();
  if (std::none_of(folders_.begin(), folders_.end(), [&](const auto& f) { return f.first == id; }))
    folders_.emplace_back(id, &folder);
}

void FolderSyncs::SyncAll() {
  for (const auto& [id, folder] : folders_) static_cast<void>(folder->Sync());
  folders_.clear();
}

}  // namespace quilmark::platform
