// A folder held open by the program: names inside it are created, renamed
// and checked through this descriptor, so that the folder path being
// swapped for another (or for a link) half-way cannot send them elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
  // Which folder it is (device and inode); zeros when the system cannot say.
  std::pair<std::uint64_t, std::uint64_t> Identity() const;

 private:
  Folder(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_ = -1;
  std::string path_;
};

// The folders in which a run renamed files, each flushed once at the end
// however many of its names changed. The folders must outlive it.
class FolderSyncs {
 public:
  void Add(const Folder& folder);
  // As Folder::Sync, which a rename that is already in place cannot undo:
  // only how lasting it is depends on this.
  void SyncAll();

 private:
  std::vector<std::pair<std::pair<std::uint64_t, std::uint64_t>, const Folder*>> folders_;
};

}  // namespace quilmark::platform
