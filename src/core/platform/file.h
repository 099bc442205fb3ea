// A file opened by the program: an owned descriptor with reads and writes
// that report failure, with its reason, by result. Nothing here throws.
//
// Only regular files are ever opened. The open itself never waits (a FIFO
// would block until a writer came), and what it opened is checked on the
// descriptor: a FIFO, a device or a folder is refused with the reason, so
// nothing the user names can hang the program or be read or written as if
// it were a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/io_result.h"

namespace quilmark::platform {

class Folder;

// The reason given for anything that is not a regular file.
inline constexpr const char* kNotRegularFile = "not a regular file";

// What the system keeps about an open file beside its bytes.
struct FileInfo {
  std::uint32_t mode = 0;  // permission bits, set-id and sticky bits included
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
  std::uint64_t links = 1;  // names (hard links) the file has
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;  // nanoseconds since the epoch
  std::uint64_t device = 0;    // with the inode: which file it is
  std::uint64_t inode = 0;

  bool SameFile(const FileInfo& other) const {
    return device == other.device && inode == other.inode;
  }
};

class File {
 public:
  enum class Mode {
    Read,      // existing file, read only
    Truncate,  // create or empty; write
  };

  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens a regular file, or says why it cannot be opened.
  static IoResult<File> Open(const std::string& path, Mode mode);
  // The same for `name` in `folder`, where `name` itself must not be a
  // symbolic link (a link put there since it was resolved is refused).
  static IoResult<File> OpenIn(const Folder& folder, const std::string& name, Mode mode);

  int Descriptor() const { return fd_; }

  // Size in bytes.
  IoResult<std::uint64_t> Size() const;
  IoResult<FileInfo> Info() const;
  // The size when the file was opened: a reader that opens, reads and
  // closes at once has no need to ask again.
  std::uint64_t SizeWhenOpened() const { return openedSize_; }

  // Reads up to `size` bytes at `offset`; how many were read (0 at the end).
  IoResult<std::size_t> ReadAt(std::uint64_t offset, void* buffer, std::size_t size);
  // Reads exactly `size` bytes at `offset` or fails (also when the file ends
  // before them).
  IoStatus ReadExactlyAt(std::uint64_t offset, void* buffer, std::size_t size);

  // Appends all bytes at the current end of what was written, or fails.
  IoStatus Write(const void* data, std::size_t size);
  IoStatus Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Copies `size` bytes of `from`, starting at `offset`, to the end of this
  // file, in large chunks (the kernel's copy where it can). Fails on any
  // short read or write.
  IoStatus CopyFrom(File& from, std::uint64_t offset, std::uint64_t size);
  // Writes all bytes at `offset`; later appends go on from where they would
  // have.
  IoStatus WriteAt(std::uint64_t offset, std::string_view bytes);
  // Puts bytes [offset, offset + size) of `from` at the same offset of this
  // file, which must be empty: the file system's whole blocks are shared
  // with `from` (cloned, on a file system that can) and only the pieces
  // before the first and after the last whole block are copied; appends go
  // on after them, and the bytes before `offset` read as zeros. False,
  // with this file left empty, where nothing can be shared: the caller
  // copies instead.
  IoResult<bool> ShareFrom(File& from, std::uint64_t offset, std::uint64_t size);

  // The last-write time, in nanoseconds since the epoch.
  IoStatus SetLastWriteTime(std::int64_t nanoseconds);

  // Starts writing the data to the disk and returns at once, so that the
  // disk works on many files together and a later Sync waits for less.
  void StartSync();
  // Data and metadata on the disk.
  IoStatus Sync();
  // Closing can report a late write-back failure; the descriptor is released
  // either way.
  IoStatus Close();

 private:
  friend class Replacement;  // makes files that have no name yet
  explicit File(int fd) : fd_(fd) {}
  static IoResult<File> Adopt(int fd);  // refuses what is not a regular file
  int fd_ = -1;
  std::uint64_t writeOffset_ = 0;
  std::uint64_t openedSize_ = 0;
};

// Reads a whole file of at most `limit` bytes; a larger one fails at once
// with EFBIG, before anything is read.
IoResult<std::string> ReadWholeFile(const std::string& path, std::uint64_t limit);

namespace testing {
// Fault injection for tests: after `bytes` more bytes have been written
// through File, every further write fails as on a full disk (ENOSPC).
// nullopt switches it off. Not thread-safe; tests only.
void FailWritesAfter(std::optional<std::uint64_t> bytes);
}  // namespace testing

}  // namespace quilmark::platform
