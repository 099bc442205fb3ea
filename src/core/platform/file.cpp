#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace quilmark::platform {

namespace {

constexpr std::size_t kCopyChunk = std::size_t{1} << 20;

// Bytes that may still be written before the injected "disk full".
std::optional<std::uint64_t> g_writeBudget;

// How many of `wanted` bytes the fault injection lets through (all of them
// when it is off).
std::size_t AllowedBytes(std::size_t wanted) {
  if (!g_writeBudget) return wanted;
  return static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *g_writeBudget));
}

void Spend(std::size_t written) {
  if (g_writeBudget) *g_writeBudget -= std::min<std::uint64_t>(written, *g_writeBudget);
}

int OpenFlags(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read:
      return O_RDONLY;
    case File::Mode::CreateNew:
      return O_RDWR | O_CREAT | O_EXCL;
    case File::Mode::ReadWrite:
      return O_RDWR;
    case File::Mode::Truncate:
      return O_WRONLY | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

// The creation mask, without changing it for the rest of the process.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    }
  }
  mode_t mask = umask(022);
  umask(mask);
  return mask;
}

bool SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

}  // namespace

File::~File() {
  if (fd_ >= 0) static_cast<void>(Close());
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), writeOffset_(other.writeOffset_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) static_cast<void>(Close());
    fd_ = std::exchange(other.fd_, -1);
    writeOffset_ = other.writeOffset_;
  }
  return *this;
}

IoResult<File> File::Open(const std::string& path, Mode mode) {
  int fd;
  do {
    fd = open(path.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return IoError::FromSystem(errno);
  return File(fd);
}

IoResult<std::uint64_t> File::Size() const {
  struct stat st;
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  if (fstat(fd_, &st) != 0) return IoError::FromSystem(errno);
  return static_cast<std::uint64_t>(st.st_size);
}

IoResult<std::size_t> File::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  for (;;) {
    ssize_t n = pread(fd_, buffer, size, static_cast<off_t>(offset));
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return IoError::FromSystem(errno);
  }
}

IoStatus File::ReadExactlyAt(std::uint64_t offset, void* buffer, std::size_t size) {
  auto* out = static_cast<char*>(buffer);
  while (size > 0) {
    auto n = ReadAt(offset, out, size);
    if (!n) return n.Status();
    if (*n == 0) return IoError::Because("the file ended early");
    out += *n;
    offset += *n;
    size -= *n;
  }
  return {};
}

IoStatus File::Write(const void* data, std::size_t size) {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  const auto* in = static_cast<const char*>(data);
  while (size > 0) {
    std::size_t allowed = AllowedBytes(size);
    if (allowed == 0) return IoError::FromSystem(ENOSPC);
    ssize_t n = write(fd_, in, allowed);
    if (n < 0) {
      if (errno == EINTR) continue;
      return IoError::FromSystem(errno);
    }
    Spend(static_cast<std::size_t>(n));
    in += n;
    size -= static_cast<std::size_t>(n);
    writeOffset_ += static_cast<std::uint64_t>(n);
  }
  return {};
}

IoStatus File::CopyFrom(File& from, std::uint64_t offset, std::uint64_t size) {
  if (fd_ < 0 || from.fd_ < 0) return IoError::FromSystem(EBADF);
  // The kernel's copy first: it can share blocks and skips user space. File
  // systems and kernels that refuse it get the plain loop from where it
  // stopped, since it moved our position exactly as write() would.
  bool kernelCopy = true;
  while (kernelCopy && size > 0) {
    std::size_t chunk =
        AllowedBytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyChunk)));
    if (chunk == 0) return IoError::FromSystem(ENOSPC);
    auto in = static_cast<off_t>(offset);
    ssize_t n = copy_file_range(from.fd_, &in, fd_, nullptr, chunk, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL ||
          errno == EBADF) {
        kernelCopy = false;
        break;
      }
      return IoError::FromSystem(errno);
    }
    if (n == 0) {
      // Either the source ended early or the file system copied nothing
      // (some report 0 instead of an error); the loop below tells which.
      kernelCopy = false;
      break;
    }
    Spend(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::uint64_t>(n);
    writeOffset_ += static_cast<std::uint64_t>(n);
  }
  if (size == 0) return {};

  std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyChunk)));
  while (size > 0) {
    std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
    if (IoStatus read = from.ReadExactlyAt(offset, buffer.data(), chunk); !read) return read;
    if (IoStatus written = Write(buffer.data(), chunk); !written) return written;
    offset += chunk;
    size -= chunk;
  }
  return {};
}

IoStatus File::Sync() {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  if (fsync(fd_) != 0) return IoError::FromSystem(errno);
  return {};
}

IoStatus File::Close() {
  if (fd_ < 0) return {};
  // Linux releases the descriptor even when close() reports an error, so it
  // is never retried; the error still counts (a late write-back failure).
  int result = close(std::exchange(fd_, -1));
  if (result != 0 && errno != EINTR) return IoError::FromSystem(errno);
  return {};
}

IoResult<std::string> ReadWholeFile(const std::string& path, std::uint64_t limit) {
  IoResult<File> opened = File::Open(path, File::Mode::Read);
  if (!opened) return opened.Error();
  File& file = *opened;
  std::string bytes;
  if (auto size = file.Size()) {
    if (*size > limit) return IoError::FromSystem(EFBIG);
    bytes.reserve(static_cast<std::size_t>(*size));
  }
  // Read to the end rather than trusting the size: the file may grow, or be
  // something (a pipe, /proc) whose size says nothing.
  char chunk[65536];
  std::uint64_t offset = 0;
  for (;;) {
    auto n = file.ReadAt(offset, chunk, sizeof chunk);
    if (!n) {
      // Pipes cannot be read at an offset; read them in order instead.
      if (!n.Error().Is(std::errc::invalid_seek)) return n.Error();
      ssize_t r;
      do {
        r = read(file.Descriptor(), chunk, sizeof chunk);
      } while (r < 0 && errno == EINTR);
      if (r < 0) return IoError::FromSystem(errno);
      n = static_cast<std::size_t>(r);
    }
    if (*n == 0) break;
    if (bytes.size() + *n > limit) return IoError::FromSystem(EFBIG);
    bytes.append(chunk, *n);
    offset += *n;
  }
  return bytes;
}

IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string folder = FolderPart(path);
  std::string name = FileNamePart(path);
  if (name.empty()) return IoError::FromSystem(EISDIR);

  // The replacement keeps the permission bits of the file it replaces; a new
  // file gets what the creation mask allows, like any other new file.
  struct stat old;
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());

  IoResult<std::string> temp = MakeTempFile(folder.empty() ? "./" : folder, "." + name + ".");
  if (!temp) return temp.Error();
  IoStatus written = [&]() -> IoStatus {
    IoResult<File> file = File::Open(*temp, File::Mode::ReadWrite);
    if (!file) return file.Error();
    if (IoStatus status = file->Write(bytes); !status) return status;
    if (fchmod(file->Descriptor(), mode) != 0) return IoError::FromSystem(errno);
    if (IoStatus status = file->Sync(); !status) return status;
    if (IoStatus status = file->Close(); !status) return status;
    if (rename(temp->c_str(), path.c_str()) != 0) return IoError::FromSystem(errno);
    return {};
  }();
  if (!written) {
    unlink(temp->c_str());
    return written;
  }
  // The new name is in place; only its lasting on the disk depends on the
  // folder being synced. An error here cannot be undone and the old content
  // is gone either way, so it is not reported as a failed write.
  SyncFolder(folder.empty() ? "." : folder);
  return {};
}

namespace testing {
void FailWritesAfter(std::optional<std::uint64_t> bytes) { g_writeBudget = bytes; }
}  // namespace testing

}  // namespace quilmark::platform
