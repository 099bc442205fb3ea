#include "platform/replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <thread>
#include <vector>

namespace quilmark::platform {

namespace {

bool g_namedTempFiles = false;

constexpr std::size_t kHexDigits = 8;
constexpr int kMaxLinkHops = 40;  // as the system's own limit

IoStatus Done(bool ok) { return ok ? IoStatus() : IoStatus(IoError::FromSystem(errno)); }

std::uint32_t RandomNumber() {
  std::uint32_t value = 0;
  if (getrandom(&value, sizeof value, GRND_NONBLOCK) == sizeof value) return value;
  // Without the kernel's generator any varying value will do: O_EXCL, not
  // unpredictability, is what keeps two files apart.
  static std::uint32_t counter = static_cast<std::uint32_t>(getpid()) * 2654435761u;
  counter = counter * 1664525u + 1013904223u;
  return counter;
}

std::string TempName() {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string name(kTempPrefix);
  std::uint32_t value = RandomNumber();
  for (std::size_t i = 0; i < kHexDigits; ++i, value >>= 4) name += kDigits[value & 15];
  return name;
}

bool IsTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kHexDigits || !name.starts_with(kTempPrefix))
    return false;
  for (char c : name.substr(kTempPrefix.size())) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

// Folder and name of a path, split at the last "/" only: the system knows
// no other separator.
std::pair<std::string, std::string> SplitAtLastSlash(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Follows symbolic links at the last part of `path` to the name they end
// at, which need not exist yet.
IoResult<std::string> FollowLinksAtName(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return IoError::FromSystem(errno);
    // A link that grew since lstat: read it again with room to spare.
    if (static_cast<std::size_t>(length) == target.size()) continue;
    std::string next(target.data(), static_cast<std::size_t>(length));
    path = next.starts_with('/') ? next : SplitAtLastSlash(path).first + next;
  }
  return IoError::FromSystem(ELOOP);
}

bool SameFileAt(const Folder& folder, const std::string& name, const File& file) {
  struct stat there, ours;
  return fstatat(folder.Descriptor(), name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
         fstat(file.Descriptor(), &ours) == 0 && there.st_dev == ours.st_dev &&
         there.st_ino == ours.st_ino;
}

// The creation mask, without changing it for the rest of the process.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  mode_t mask = umask(022);
  umask(mask);
  return mask;
}

// A NUL-separated list the system fills, grown until it fits.
template <typename Query>
IoResult<std::vector<char>> SizedQuery(Query query) {
  for (;;) {
    const ssize_t size = query(nullptr, 0);
    if (size < 0) return IoError::FromSystem(errno);
    std::vector<char> buffer(static_cast<std::size_t>(size));
    const ssize_t got = query(buffer.data(), buffer.size());
    if (got >= 0) {
      buffer.resize(static_cast<std::size_t>(got));
      return buffer;
    }
    if (errno != ERANGE) return IoError::FromSystem(errno);  // grew in between: again
  }
}

// Labels the system gives by its own rules, which a process may be refused.
bool IsSystemLabel(std::string_view name) {
  return name.starts_with("security.") || name.starts_with("trusted.");
}

IoStatus CopyExtendedAttributes(int from, int to) {
  auto names =
      SizedQuery([from](char* list, std::size_t size) { return flistxattr(from, list, size); });
  if (!names) {
    // A file system without extended attributes has none to keep.
    if (names.Error().Is(std::errc::not_supported)) return {};
    return names.Error();
  }
  for (std::size_t at = 0; at < names->size();) {
    const std::string name(names->data() + at);
    at += name.size() + 1;
    auto value = SizedQuery([from, &name](char* data, std::size_t size) {
      return fgetxattr(from, name.c_str(), data, size);
    });
    if (!value) {
      if (value.Error().Is(std::errc::no_message_available)) continue;  // removed meanwhile
      return value.Error();
    }
    if (fsetxattr(to, name.c_str(), value->data(), value->size(), 0) == 0) continue;
    const int error = errno;
    if (IsSystemLabel(name) && (error == EPERM || error == EACCES || error == ENOTSUP)) continue;
    return IoError::Because("the extended attribute " + name + " cannot be kept (" +
                            IoError::FromSystem(error).Reason() + ")");
  }
  return {};
}

}  // namespace

IoResult<ReplaceTarget> LocateReplaceTarget(const std::string& path) {
  IoResult<std::string> followed = FollowLinksAtName(path);
  if (!followed) return followed.Error();
  auto [folderPath, name] = SplitAtLastSlash(*followed);
  if (name.empty() || name == "." || name == "..") return IoError::FromSystem(EISDIR);
  IoResult<Folder> folder = Folder::Open(folderPath);
  if (!folder) return folder.Error();
  return ReplaceTarget{std::move(*folder), std::move(name)};
}

IoStatus CheckMayReplace(const ReplaceTarget& target, const FileInfo& info, bool readOnlyToo) {
  if ((info.mode & S_IWUSR) == 0) {
    if (!readOnlyToo) return IoError::Because(kReadOnlyFile);
    // Making it writable again would be the owner's right, and nobody
    // else's short of a privileged process.
    if (geteuid() != info.owner && geteuid() != 0) return IoError::FromSystem(EACCES);
    return {};
  }
  // The folder's write permission allows the rename whoever owns the file:
  // the file's own permission is what this user must have.
  if (faccessat(target.folder.Descriptor(), target.name.c_str(), W_OK,
                AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0) {
    return IoError::FromSystem(errno);
  }
  return {};
}

IoResult<Replacement> Replacement::Create(const ReplaceTarget& target) {
  const int folder = target.folder.Descriptor();
  int fd = -1;
  std::string name;
  if (!g_namedTempFiles) fd = openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) {
    // Older kernels and some file systems have no unnamed files: a name
    // from the start. Any other error is the folder's own.
    if (!g_namedTempFiles && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      return IoError::FromSystem(errno);
    }
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      name = TempName();
      fd = openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd < 0 && errno != EEXIST) return IoError::FromSystem(errno);
    }
    if (fd < 0) return IoError::FromSystem(EEXIST);
  }
  // Held until the file is in place or gone (a file system without locks
  // only loses the tidying of leftovers).
  static_cast<void>(flock(fd, LOCK_EX | LOCK_NB));
  return Replacement(target, File(fd), std::move(name));
}

Replacement::~Replacement() {
  if (target_ && !name_.empty() && SameFileAt(target_->folder, name_, file_)) {
    unlinkat(target_->folder.Descriptor(), name_.c_str(), 0);
  }
}

Replacement::Replacement(Replacement&& other) noexcept
    : target_(std::exchange(other.target_, nullptr)),
      file_(std::move(other.file_)),
      name_(std::move(other.name_)) {
  other.name_.clear();
}

IoResult<KeptOwnership> Replacement::TakeAttributesOf(File& original, const FileInfo& info) {
  const int fd = file_.Descriptor();
  // Owner and group first: changing them clears the set-id bits.
  if (fchown(fd, info.owner, info.group) != 0) {
    if (errno != EPERM) return IoError::FromSystem(errno);
    // Only a privileged process gives a file away; a member of its group
    // may still give it that group.
    if (fchown(fd, static_cast<uid_t>(-1), info.group) != 0 && errno != EPERM) {
      return IoError::FromSystem(errno);
    }
  }
  IoResult<FileInfo> now = file_.Info();
  if (!now) return now.Error();
  KeptOwnership kept{now->owner == info.owner, now->group == info.group};

  // A set-id bit means "run as this owner (group)": never for another one.
  std::uint32_t mode = info.mode & 07777;
  if (!kept.owner) mode &= ~static_cast<std::uint32_t>(S_ISUID);
  if (!kept.group) mode &= ~static_cast<std::uint32_t>(S_ISGID);
  if (fchmod(fd, static_cast<mode_t>(mode)) != 0) return IoError::FromSystem(errno);
  if (IoStatus copied = CopyExtendedAttributes(original.Descriptor(), fd); !copied) {
    return copied.Error();
  }
  return kept;
}

IoStatus Replacement::SetModeForNewFile(std::uint32_t mode) {
  return Done(fchmod(file_.Descriptor(), static_cast<mode_t>(mode & 0777 & ~CurrentUmask())) == 0);
}

IoStatus Replacement::Flush() { return file_.Sync(); }

IoStatus Replacement::GiveName() {
  const int folder = target_->folder.Descriptor();
  const std::string self = "/proc/self/fd/" + std::to_string(file_.Descriptor());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = TempName();
    int result = linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW);
    // Without /proc, the descriptor itself (which needs a privilege).
    if (result != 0 && errno == ENOENT) {
      result = linkat(file_.Descriptor(), "", folder, name.c_str(), AT_EMPTY_PATH);
    }
    if (result == 0) {
      name_ = std::move(name);
      return {};
    }
    if (errno != EEXIST) return IoError::FromSystem(errno);
  }
  return IoError::FromSystem(EEXIST);
}

IoStatus Replacement::PutInPlace(FolderSyncs* folders) {
  if (name_.empty()) {
    if (IoStatus named = GiveName(); !named) return named;
  }
  const int folder = target_->folder.Descriptor();
  if (renameat(folder, name_.c_str(), folder, target_->name.c_str()) != 0) {
    return IoError::FromSystem(errno);
  }
  name_.clear();
  // Someone with write permission on the folder could have put another
  // file under the temporary name just before the rename; then what now
  // stands at the name is not what was written.
  if (!SameFileAt(target_->folder, target_->name, file_)) {
    return IoError::Because("another program changed the folder during the save");
  }
  // The new name is in place; only its lasting on the disk depends on the
  // folder being flushed. That cannot be undone, and the old content is
  // gone either way, so it is no failure of the write.
  if (folders) {
    folders->Add(target_->folder);
  } else {
    static_cast<void>(target_->folder.Sync());
  }
  return {};
}

std::vector<IoStatus> FlushTogether(const std::vector<Replacement*>& replacements) {
  std::vector<IoStatus> flushed(replacements.size());
  std::vector<std::thread> threads;
  threads.reserve(replacements.size());
  for (std::size_t i = 0; i < replacements.size(); ++i) {
    try {
      threads.emplace_back([&flushed, &replacements, i] { flushed[i] = replacements[i]->Flush(); });
    } catch (const std::system_error&) {
      flushed[i] = replacements[i]->Flush();  // no thread to spare: this one in turn
    }
  }
  for (std::thread& thread : threads) thread.join();
  return flushed;
}

int RemoveLeftovers(const Folder& folder) {
  const int listing = openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return 0;
  DIR* dir = fdopendir(listing);
  if (!dir) {
    close(listing);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTempName(name)) continue;
    const int fd = openat(folder.Descriptor(), name.c_str(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st;
    // Ours, a plain file, and nobody at work on it.
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
        flock(fd, LOCK_EX | LOCK_NB) == 0) {
      struct stat there;
      if (fstatat(folder.Descriptor(), name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
          there.st_dev == st.st_dev && there.st_ino == st.st_ino &&
          unlinkat(folder.Descriptor(), name.c_str(), 0) == 0) {
        ++removed;
      }
    }
    close(fd);
  }
  closedir(dir);
  return removed;
}

void LeftoverSweep::Sweep(const Folder& folder) {
  struct stat st;
  if (fstat(folder.Descriptor(), &st) != 0) return;
  if (done_.emplace(st.st_dev, st.st_ino).second) RemoveLeftovers(folder);
}

IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
  IoResult<ReplaceTarget> target = LocateReplaceTarget(path);
  if (!target) return target.Error();
  IoResult<File> old = File::OpenIn(target->folder, target->name, File::Mode::Read);
  std::optional<FileInfo> info;
  if (old) {
    IoResult<FileInfo> oldInfo = old->Info();
    if (!oldInfo) return oldInfo.Error();
    if (IoStatus may = CheckMayReplace(*target, *oldInfo, false); !may) return may;
    info = *oldInfo;
  } else if (!old.Error().Is(std::errc::no_such_file_or_directory)) {
    return old.Error();
  }

  RemoveLeftovers(target->folder);
  IoResult<Replacement> made = Replacement::Create(*target);
  if (!made) return made.Error();
  Replacement& replacement = *made;
  if (IoStatus written = replacement.Content().Write(bytes); !written) return written;
  if (info) {
    if (IoResult<KeptOwnership> kept = replacement.TakeAttributesOf(*old, *info); !kept) {
      return kept.Error();
    }
  } else if (IoStatus mode = replacement.SetModeForNewFile(0666); !mode) {
    return mode;
  }
  if (IoStatus flushed = replacement.Flush(); !flushed) return flushed;
  return replacement.PutInPlace();
}

namespace testing {
void UseNamedTempFiles(bool on) { g_namedTempFiles = on; }
}  // namespace testing

}  // namespace quilmark::platform
