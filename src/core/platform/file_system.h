// What the program asks of the file system besides reading and writing:
// attributes, times, temporary names, removal and replacement.
#pragma once

#include <cstdint>
#include <string>

#include "platform/io_result.h"

namespace quilmark::platform {

bool FileExists(const std::string& path);  // a regular file
bool DirectoryExists(const std::string& path);

// A file counts as read-only when its owner may not write it.
IoResult<bool> IsReadOnly(const std::string& path);
IoStatus SetReadOnly(const std::string& path, bool readOnly);

// What a rewritten file must get back from the one it replaces.
struct FileAttributes {
  std::uint32_t mode = 0;  // permission bits
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};
IoResult<FileAttributes> GetAttributes(const std::string& path);
// Permission bits always; owner and group where the process may set them.
IoStatus SetAttributes(const std::string& path, const FileAttributes& attributes);

// Last-write time in nanoseconds since the epoch.
IoResult<std::int64_t> LastWriteTime(const std::string& path);
IoStatus SetLastWriteTime(const std::string& path, std::int64_t nanoseconds);

// The path with every symbolic link resolved.
IoResult<std::string> ResolveLinks(const std::string& path);

// Creates the folder and any missing parents with permission bits `mode`
// (less the creation mask); folders that exist are left as they are.
IoStatus MakeFolders(const std::string& folder, std::uint32_t mode);

IoStatus RemoveFile(const std::string& path);
// Atomically replaces `to` with `from` (same file system).
IoStatus RenameFile(const std::string& from, const std::string& to);

// Creates a new empty file in `folder` named `prefix` followed by
// hexadecimal digits, and returns its path.
IoResult<std::string> MakeTempFile(const std::string& folder, const std::string& prefix);

// The system's folder for temporary files, with a trailing separator.
std::string TempFolder();

}  // namespace quilmark::platform
