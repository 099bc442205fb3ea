// What the program asks of the file system besides reading and writing:
// attributes, times, temporary names, removal and replacement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quilmark::platform {

bool FileExists(const std::string& path);       // a regular file
bool DirectoryExists(const std::string& path);

// A file counts as read-only when its owner may not write it.
std::optional<bool> IsReadOnly(const std::string& path);
bool SetReadOnly(const std::string& path, bool readOnly);

// What a rewritten file must get back from the one it replaces.
struct FileAttributes {
  std::uint32_t mode = 0;  // permission bits
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};
std::optional<FileAttributes> GetAttributes(const std::string& path);
// Permission bits always; owner and group where the process may set them.
bool SetAttributes(const std::string& path, const FileAttributes& attributes);

// Last-write time in nanoseconds since the epoch.
std::optional<std::int64_t> LastWriteTime(const std::string& path);
bool SetLastWriteTime(const std::string& path, std::int64_t nanoseconds);

// The path with every symbolic link resolved; nullopt when it cannot be.
std::optional<std::string> ResolveLinks(const std::string& path);

bool RemoveFile(const std::string& path);
// Atomically replaces `to` with `from` (same file system).
bool RenameFile(const std::string& from, const std::string& to);

// Creates a new empty file in `folder` named `prefix` followed by
// hexadecimal digits, and returns its path; nullopt on failure.
std::optional<std::string> MakeTempFile(const std::string& folder, const std::string& prefix);

// The system's folder for temporary files, with a trailing separator.
std::string TempFolder();

}  // namespace quilmark::platform
