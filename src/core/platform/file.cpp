#include "platform/file.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "platform/folder.h"

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

int AccessFlags(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read:
      return O_RDONLY;
    case File::Mode::Truncate:
      return O_WRONLY | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

// Never waits in the open (FIFOs), never takes a terminal as the
// controlling one.
int OpenFlags(File::Mode mode) { return O_CLOEXEC | O_NONBLOCK | O_NOCTTY | AccessFlags(mode); }

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

File::~File() {
  if (fd_ >= 0) static_cast<void>(Close());
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      writeOffset_(other.writeOffset_),
      openedSize_(other.openedSize_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) static_cast<void>(Close());
    fd_ = std::exchange(other.fd_, -1);
    writeOffset_ = other.writeOffset_;
    openedSize_ = other.openedSize_;
  }
  return *this;
}

IoResult<File> File::Adopt(int fd) {
  File file(fd);
  struct stat st;
  if (fstat(fd, &st) != 0) return IoError::FromSystem(errno);
  if (S_ISDIR(st.st_mode)) return IoError::FromSystem(EISDIR);
  if (!S_ISREG(st.st_mode)) return IoError::Because(kNotRegularFile);
  file.openedSize_ = static_cast<std::uint64_t>(st.st_size);
  return file;
}

IoResult<File> File::Open(const std::string& path, Mode mode) {
  int fd;
  do {
    fd = open(path.c_str(), OpenFlags(mode), 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return IoError::FromSystem(errno);
  return Adopt(fd);
}

IoResult<File> File::OpenIn(const Folder& folder, const std::string& name, Mode mode) {
  int fd;
  do {
    fd = openat(folder.Descriptor(), name.c_str(), OpenFlags(mode) | O_NOFOLLOW, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return IoError::FromSystem(errno);
  return Adopt(fd);
}

IoResult<std::uint64_t> File::Size() const {
  auto info = Info();
  if (!info) return info.Error();
  return info->size;
}

IoResult<FileInfo> File::Info() const {
  struct stat st;
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  if (fstat(fd_, &st) != 0) return IoError::FromSystem(errno);
  FileInfo info;
  info.mode = static_cast<std::uint32_t>(st.st_mode & 07777);
  info.owner = st.st_uid;
  info.group = st.st_gid;
  info.links = st.st_nlink;
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.lastWrite = Nanoseconds(st.st_mtim);
  info.device = st.st_dev;
  info.inode = st.st_ino;
  return info;
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

IoStatus File::WriteAt(std::uint64_t offset, std::string_view bytes) {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
  while (!bytes.empty()) {
    std::size_t allowed = AllowedBytes(bytes.size());
    if (allowed == 0) return IoError::FromSystem(ENOSPC);
    ssize_t n = pwrite(fd_, bytes.data(), allowed, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return IoError::FromSystem(errno);
    }
    Spend(static_cast<std::size_t>(n));
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return {};
}

IoResult<bool> File::ShareFrom(File& from, std::uint64_t offset, std::uint64_t size) {
  if (fd_ < 0 || from.fd_ < 0) return IoError::FromSystem(EBADF);
  struct stat st;
  if (writeOffset_ != 0 || size == 0 || fstat(from.fd_, &st) != 0) return false;
  // Blocks are shared whole and only where both files have them at the
  // same offset; the system's preferred unit is a whole number of them.
  const auto block = static_cast<std::uint64_t>(st.st_blksize);
  if (block < 512 || (block & (block - 1)) != 0) return false;
  const std::uint64_t end = offset + size;
  const std::uint64_t first = (offset + block - 1) & ~(block - 1);
  // A range that ends where the file does may end in a partial block.
  const std::uint64_t last =
      end == static_cast<std::uint64_t>(st.st_size) ? end : end & ~(block - 1);
  if (first >= last) return false;
  struct file_clone_range range {};
  range.src_fd = from.fd_;
  range.src_offset = first;
  range.src_length = last - first;
  range.dest_offset = first;
  if (ioctl(fd_, FICLONERANGE, &range) != 0) {
    // Whatever the reason (no such file system, another device, a range it
    // will not take), copying still works; a real failure shows there.
    static_cast<void>(ftruncate(fd_, 0));
    return false;
  }
  std::string piece;
  for (auto [at, length] : {std::pair{offset, first - offset}, std::pair{last, end - last}}) {
    piece.resize(static_cast<std::size_t>(length));
    if (IoStatus read = from.ReadExactlyAt(at, piece.data(), piece.size()); !read) {
      return read.Error();
    }
    if (IoStatus written = WriteAt(at, piece); !written) return written.Error();
  }
  if (lseek(fd_, static_cast<off_t>(end), SEEK_SET) < 0) return IoError::FromSystem(errno);
  writeOffset_ = end;
  return true;
}

IoStatus File::SetLastWriteTime(std::int64_t nanoseconds) {
  if (fd_ < 0) return IoError::FromSystem(EBADF);
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
  if (futimens(fd_, times) != 0) return IoError::FromSystem(errno);
  return {};
}

void File::StartSync() {
  // Only a head start: Sync alone makes the data lasting, so a system that
  // cannot start early loses nothing.
  if (fd_ >= 0) static_cast<void>(sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE));
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
  auto size = file.Size();
  if (!size) return size.Error();
  if (*size > limit) return IoError::FromSystem(EFBIG);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(*size));
  // Read to the end rather than trusting the size, which /proc files do
  // not give and a file being written may outgrow; the limit holds still.
  char chunk[65536];
  for (;;) {
    auto n = file.ReadAt(bytes.size(), chunk, sizeof chunk);
    if (!n) return n.Error();
    if (*n == 0) break;
    if (bytes.size() + *n > limit) return IoError::FromSystem(EFBIG);
    bytes.append(chunk, *n);
  }
  return bytes;
}

namespace testing {
void FailWritesAfter(std::optional<std::uint64_t> bytes) { g_writeBudget = bytes; }
}  // namespace testing

}  // namespace quilmark::platform
