// A file opened by the program: an owned descriptor with reads and writes
// that report failure by result. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quilmark::platform {

class File {
 public:
  enum class Mode {
    Read,         // existing file, read only
    CreateNew,    // must not exist yet; read and write
    ReadWrite,    // existing file, read and write
    Truncate,     // create or empty; write
  };

  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens a file; an invalid File (IsOpen false) on failure, with the
  // system's error number in LastError().
  static File Open(const std::string& path, Mode mode);

  bool IsOpen() const { return fd_ >= 0; }
  int LastError() const { return error_; }
  int Descriptor() const { return fd_; }

  // Size in bytes, or nullopt when it cannot be told.
  std::optional<std::uint64_t> Size() const;

  // Reads up to `size` bytes at `offset`; returns how many were read (0 at
  // the end), or nullopt on an error.
  std::optional<std::size_t> ReadAt(std::uint64_t offset, void* buffer, std::size_t size);
  // Reads exactly `size` bytes at `offset` or fails.
  bool ReadExactlyAt(std::uint64_t offset, void* buffer, std::size_t size);

  // Appends all bytes at the current end of what was written, or fails.
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Copies `size` bytes of `from`, starting at `offset`, to the end of this
  // file, in large chunks (the kernel's copy where it can). False on any
  // short read or write.
  bool CopyFrom(File& from, std::uint64_t offset, std::uint64_t size);

  // Data and metadata on the disk.
  bool Sync();
  bool Close();

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
  int error_ = 0;
  std::uint64_t writeOffset_ = 0;
};

// Reads a whole file, up to `limit` bytes; nullopt when it cannot be read or
// is larger than the limit.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::uint64_t limit = std::uint64_t{1} << 30);

// Replaces `path` with `bytes` through a temporary file in the same folder,
// flushed and renamed over it, so that a failure leaves the old file whole.
// False on failure, with the system's error number in *error when given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

namespace testing {
// Fault injection for tests: after `bytes` more bytes have been written
// through File, every further write fails as on a full disk (ENOSPC).
// nullopt switches it off. Not thread-safe; tests only.
void FailWritesAfter(std::optional<std::uint64_t> bytes);
}  // namespace testing

}  // namespace quilmark::platform
