#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/paths.h"

namespace quilmark::platform {

namespace {

IoResult<struct stat> Stat(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return IoError::FromSystem(errno);
  return st;
}

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

std::string Hex8(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return text;
}

}  // namespace

bool FileExists(const std::string& path) {
  auto st = Stat(path);
  return st && S_ISREG(st->st_mode);
}

bool DirectoryExists(const std::string& path) {
  auto st = Stat(path);
  return st && S_ISDIR(st->st_mode);
}

IoResult<bool> IsReadOnly(const std::string& path) {
  auto st = Stat(path);
  if (!st) return st.Error();
  return (st->st_mode & S_IWUSR) == 0;
}

IoStatus SetReadOnly(const std::string& path, bool readOnly) {
  auto st = Stat(path);
  if (!st) return st.Status();
  mode_t mode = st->st_mode & 07777;
  // Read-only takes every write bit away, so nobody else can write it
  // either; clearing it gives writing back to the owner only.
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return Done(chmod(path.c_str(), mode) == 0);
}

IoResult<FileAttributes> GetAttributes(const std::string& path) {
  auto st = Stat(path);
  if (!st) return st.Error();
  return FileAttributes{static_cast<std::uint32_t>(st->st_mode & 07777),
                        static_cast<std::uint32_t>(st->st_uid),
                        static_cast<std::uint32_t>(st->st_gid)};
}

IoStatus SetAttributes(const std::string& path, const FileAttributes& attributes) {
  auto st = Stat(path);
  if (!st) return st.Status();
  // Owner first: chown clears the set-id bits, which chmod then restores.
  if (st->st_uid != attributes.owner || st->st_gid != attributes.group) {
    // Only a privileged process may give a file away; for anyone else the
    // file simply stays theirs, which is not a failure of the rewrite.
    if (chown(path.c_str(), attributes.owner, attributes.group) != 0 && errno != EPERM) {
      return IoError::FromSystem(errno);
    }
  }
  return Done(chmod(path.c_str(), static_cast<mode_t>(attributes.mode & 07777)) == 0);
}

IoResult<std::int64_t> LastWriteTime(const std::string& path) {
  auto st = Stat(path);
  if (!st) return st.Error();
  return static_cast<std::int64_t>(st->st_mtim.tv_sec) * 1'000'000'000 + st->st_mtim.tv_nsec;
}

IoStatus SetLastWriteTime(const std::string& path, std::int64_t nanoseconds) {
  std::int64_t seconds = nanoseconds / 1'000'000'000;
  std::int64_t rest = nanoseconds % 1'000'000'000;
  if (rest < 0) {  // times before 1970 round towards the past
    rest += 1'000'000'000;
    --seconds;
  }
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(seconds);
  times[1].tv_nsec = static_cast<long>(rest);
  return Done(utimensat(AT_FDCWD, path.c_str(), times, 0) == 0);
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

IoResult<std::string> ResolveLinks(const std::string& path) {
  std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
  if (!resolved) return IoError::FromSystem(errno);
  return std::string(resolved.get());
}

IoStatus RenameFile(const std::string& from, const std::string& to) {
  return Done(rename(from.c_str(), to.c_str()) == 0);
}

IoResult<std::string> MakeTempFile(const std::string& folder, const std::string& prefix) {
  std::string base = folder;
  if (!base.empty() && !IsPathSeparator(base.back())) base += kPathSeparator;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = base + prefix + Hex8(RandomNumber());
    // Private until its owner decides otherwise: temporary copies of the
    // user's files often sit in a folder everybody can read.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      close(fd);
      return path;
    }
    if (errno != EEXIST) return IoError::FromSystem(errno);
  }
  return IoError::FromSystem(EEXIST);
}

std::string TempFolder() {
  const char* env = std::getenv("TMPDIR");
  std::string folder = env && *env ? env : "/tmp";
  if (!IsPathSeparator(folder.back())) folder += kPathSeparator;
  return folder;
}

}  // namespace quilmark::platform
