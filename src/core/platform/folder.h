// A folder held open by the program: names inside it are created, renamed
// and checked through this descriptor, so that the folder path being
// swapped for another (or for a link) half-way cannot send them elsewhere.
#pragma once

#include <string>

#include "platform/io_result.h"

namespace quilmark::platform {

class Folder {
 public:
  Folder() = default;
  ~Folder();
  Folder(Folder&& other) noexcept;
  Folder& operator=(Folder&& other) noexcept;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // "" is the current folder. Links in the path are followed.
  static IoResult<Folder> Open(const std::string& path);

  int Descriptor() const { return fd_; }
  // As it was given, with a trailing separator ("./" for the current one).
  const std::string& Path() const { return path_; }

  // The folder's entries (a rename or a new name) on the disk.
  IoStatus Sync() const;

 private:
  Folder(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_ = -1;
  std::string path_;
};

}  // namespace quilmark::platform
