// What the program asks of the file system by name besides reading and
// writing: kinds, folders, removal and renaming. Replacing a file
// whole is replacement.h's.
#pragma once

#include <cstdint>
#include <string>

#include "platform/io_result.h"

namespace quilmark::platform {

bool DirectoryExists(const std::string& path);

// Creates the folder and any missing parents with permission bits `mode`
// (less the creation mask); folders that exist are left as they are.
IoStatus MakeFolders(const std::string& folder, std::uint32_t mode);

IoStatus RemoveFile(const std::string& path);
// Atomically replaces `to` with `from` (same file system).
IoStatus RenameFile(const std::string& from, const std::string& to);

}  // namespace quilmark::platform
