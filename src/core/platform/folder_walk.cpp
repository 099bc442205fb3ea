#include "platform/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <set>
#include <utility>

namespace quilmark::platform {

namespace {

struct CloseDir {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, CloseDir>;

struct Entry {
  std::string name;
  unsigned char type;  // d_type: DT_UNKNOWN where the file system does not say
};

// One folder being walked: its entries in order and the next one to take.
struct Frame {
  DirHandle dir;
  std::string path;  // no trailing separator, except for "/" itself
  std::vector<Entry> entries;
  std::size_t next = 0;
};

std::string Join(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

// O_NONBLOCK: a FIFO put where a folder was is refused by O_DIRECTORY
// before it could be waited on, and no open here may ever wait.
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

int OpenFolderAt(int parent, const char* name, bool followLink) {
  int fd;
  do {
    fd = openat(parent, name, kFolderFlags | (followLink ? 0 : O_NOFOLLOW));
  } while (fd < 0 && errno == EINTR);
  return fd;
}

class Walker {
 public:
  Walker(const FolderWalkOptions& options, FolderWalkResult& result)
      : options_(options), result_(result) {}

  void Run(std::string root) {
    while (root.size() > 1 && root.ends_with('/')) root.pop_back();
    if (!Enter(OpenFolderAt(AT_FDCWD, root.c_str(), true), root)) return;
    while (!stack_.empty()) {
      Frame& top = stack_.back();
      if (top.next == top.entries.size()) {
        stack_.pop_back();
        continue;
      }
      const Entry& entry = top.entries[top.next++];
      if (!Take(top, entry)) return;
    }
  }

 private:
  bool KeepGoing() {
    if (options_.keepGoing && !options_.keepGoing(result_.files.size())) {
      result_.stopped = true;
      return false;
    }
    return true;
  }

  void Problem(const std::string& folder, int error) {
    result_.problems.push_back({folder, IoError::FromSystem(error)});
  }

  // False when the walk is to end.
  bool Take(const Frame& parent, const Entry& entry) {
    const int parentFd = dirfd(parent.dir.get());
    unsigned char type = entry.type;
    bool link = type == DT_LNK;
    if (type == DT_LNK || type == DT_UNKNOWN) {
      struct stat st;
      // Followed: a link is taken as what it leads to; a broken one is
      // nothing to take.
      if (fstatat(parentFd, entry.name.c_str(), &st, 0) != 0) return true;
      if (type == DT_UNKNOWN) {
        struct stat own;
        link = fstatat(parentFd, entry.name.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISLNK(own.st_mode);
      }
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_REG) {
      if (!options_.wanted || !options_.wanted(entry.name)) return true;
      result_.files.push_back(Join(parent.path, entry.name));
      return KeepGoing();
    }
    if (type != DT_DIR) return true;
    const std::string path = Join(parent.path, entry.name);
    return Enter(OpenFolderAt(parentFd, entry.name.c_str(), link), path);
  }

  // Reads the folder open on `fd` (or tells why it could not be opened)
  // and puts it on the stack, unless it was read before.
  bool Enter(int fd, const std::string& path) {
    if (fd < 0) {
      Problem(path, errno);
      return true;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
      Problem(path, errno);
      close(fd);
      return true;
    }
    if (!seen_.insert({st.st_dev, st.st_ino}).second) {
      close(fd);
      return true;
    }
    DirHandle dir(fdopendir(fd));
    if (!dir) {
      Problem(path, errno);
      close(fd);
      return true;
    }
    Frame frame{std::move(dir), path, {}, 0};
    for (;;) {
      errno = 0;
      const dirent* d = readdir(frame.dir.get());
      if (d == nullptr) {
        if (errno != 0) Problem(path, errno);  // what was read before still counts
        break;
      }
      if (d->d_name[0] == '.') continue;  // hidden, and "." and ".."
      frame.entries.push_back({d->d_name, d->d_type});
    }
    std::sort(frame.entries.begin(), frame.entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    stack_.push_back(std::move(frame));
    return KeepGoing();
  }

  const FolderWalkOptions& options_;
  FolderWalkResult& result_;
  std::vector<Frame> stack_;
  std::set<std::pair<dev_t, ino_t>> seen_;
};

}  // namespace

FolderWalkResult WalkFolder(const std::string& root, const FolderWalkOptions& options) {
  FolderWalkResult result;
  Walker(options, result).Run(root);
  return result;
}

}  // namespace quilmark::platform
