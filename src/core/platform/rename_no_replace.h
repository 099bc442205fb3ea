// Giving a file a new name without ever taking the place of another: the
// check that the new name is free and the rename are one step of the
// system's, so a file that appears under that name in the meantime stays.
#pragma once

#include <string>

#include "platform/io_result.h"

namespace quilmark::platform {

// Moves `from` to `to`. Fails with EEXIST when anything (a file, a folder,
// a link) is at `to`. Where the file system cannot rename that way, the
// file is linked under the new name (which fails the same way) and the old
// name removed; where it can do neither, nothing is done and the reason is
// returned, never a plain rename.
IoStatus RenameWithoutReplacing(const std::string& from, const std::string& to);

// Whether anything is at `path`, a dangling link included.
bool NameTaken(const std::string& path);

namespace testing {
// Renames through a link and a removal, as on a file system without the
// system's no-replace rename. Tests only.
void RenameByLinking(bool on);
}  // namespace testing

}  // namespace quilmark::platform
