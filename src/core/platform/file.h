// A file opened by the program: an owned descriptor with reads and writes
// that report failure, with its reason, by result. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/io_result.h"

namespace quilmark::platform {

class File {
 public:
  enum class Mode {
    Read,       // existing file, read only
    CreateNew,  // must not exist yet; read and write
    ReadWrite,  // existing file, read and write
    Truncate,   // create or empty; write
  };

  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens a file, or says why it cannot be opened.
  static IoResult<File> Open(const std::string& path, Mode mode);

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

  // Size in bytes.
  IoResult<std::uint64_t> Size() const;

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

  // Data and metadata on the disk.
  IoStatus Sync();
  // Closing can report a late write-back failure; the descriptor is released
  // either way.
  IoStatus Close();

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
  std::uint64_t writeOffset_ = 0;
};

// Reads a whole file, up to `limit` bytes; a larger file fails with
// EFBIG.
IoResult<std::string> ReadWholeFile(const std::string& path,
                                    std::uint64_t limit = std::uint64_t{1} << 30);

// Replaces `path` with `bytes` through a temporary file in the same folder,
// flushed and renamed over it, so that a failure leaves the old file whole.
IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

namespace testing {
// Fault injection for tests: after `bytes` more bytes have been written
// through File, every further write fails as on a full disk (ENOSPC).
// nullopt switches it off. Not thread-safe; tests only.
void FailWritesAfter(std::optional<std::uint64_t> bytes);
}  // namespace testing

}  // namespace quilmark::platform
