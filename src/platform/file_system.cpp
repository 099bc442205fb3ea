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

std::optional<struct stat> Stat(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

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

std::optional<bool> IsReadOnly(const std::string& path) {
  auto st = Stat(path);
  if (!st) return std::nullopt;
  return (st->st_mode & S_IWUSR) == 0;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  auto st = Stat(path);
  if (!st) return false;
  mode_t mode = st->st_mode & 07777;
  // Read-only takes every write bit away, so nobody else can write it
  // either; clearing it gives writing back to the owner only.
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return chmod(path.c_str(), mode) == 0;
}

std::optional<FileAttributes> GetAttributes(const std::string& path) {
  auto st = Stat(path);
  if (!st) return std::nullopt;
  return FileAttributes{static_cast<std::uint32_t>(st->st_mode & 07777),
                        static_cast<std::uint32_t>(st->st_uid),
                        static_cast<std::uint32_t>(st->st_gid)};
}

bool SetAttributes(const std::string& path, const FileAttributes& attributes) {
  auto st = Stat(path);
  if (!st) return false;
  // Owner first: chown clears the set-id bits, which chmod then restores.
  if (st->st_uid != attributes.owner || st->st_gid != attributes.group) {
    // Only a privileged process may give a file away; for anyone else the
    // file simply stays theirs, which is not a failure of the rewrite.
    if (chown(path.c_str(), attributes.owner, attributes.group) != 0 && errno != EPERM) {
      return false;
    }
  }
  return chmod(path.c_str(), static_cast<mode_t>(attributes.mode & 07777)) == 0;
}

std::optional<std::int64_t> LastWriteTime(const std::string& path) {
  auto st = Stat(path);
  if (!st) return std::nullopt;
  return static_cast<std::int64_t>(st->st_mtim.tv_sec) * 1'000'000'000 + st->st_mtim.tv_nsec;
}

bool SetLastWriteTime(const std::string& path, std::int64_t nanoseconds) {
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
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

std::optional<std::string> ResolveLinks(const std::string& path) {
  std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

bool RenameFile(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

std::optional<std::string> MakeTempFile(const std::string& folder, const std::string& prefix) {
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
    if (errno != EEXIST) return std::nullopt;
  }
  errno = EEXIST;
  return std::nullopt;
}

std::string TempFolder() {
  const char* env = std::getenv("TMPDIR");
  std::string folder = env && *env ? env : "/tmp";
  if (!IsPathSeparator(folder.back())) folder += kPathSeparator;
  return folder;
}

}  // namespace quilmark::platform
