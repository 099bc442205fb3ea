#include "platform/rename_no_replace.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder.h"
#include "platform/paths.h"

namespace quilmark::platform {

namespace {

bool g_renameByLinking = false;

// The last hard link is only removed once the new one exists, so the file
// always has at least one name; a failed removal takes the new one back.
IoStatus LinkThenUnlink(const Folder& fromFolder, const std::string& fromName,
                        const Folder& toFolder, const std::string& toName) {
  if (linkat(fromFolder.Descriptor(), fromName.c_str(), toFolder.Descriptor(), toName.c_str(), 0) !=
      0) {
    return IoError::FromSystem(errno);
  }
  if (unlinkat(fromFolder.Descriptor(), fromName.c_str(), 0) != 0) {
    const int error = errno;
    unlinkat(toFolder.Descriptor(), toName.c_str(), 0);
    return IoError::FromSystem(error);
  }
  return {};
}

}  // namespace

IoStatus RenameWithoutReplacing(const std::string& from, const std::string& to) {
  const std::string fromName = FileNamePart(from);
  const std::string toName = FileNamePart(to);
  if (fromName.empty() || toName.empty()) return IoError::FromSystem(EINVAL);
  IoResult<Folder> fromFolder = Folder::Open(FolderPart(from));
  if (!fromFolder) return fromFolder.Error();
  IoResult<Folder> toFolder = Folder::Open(FolderPart(to));
  if (!toFolder) return toFolder.Error();
  if (!g_renameByLinking &&
      renameat2(fromFolder->Descriptor(), fromName.c_str(), toFolder->Descriptor(), toName.c_str(),
                RENAME_NOREPLACE) == 0) {
    return {};
  }
  // EINVAL: this file system takes no flags; ENOSYS: an old kernel.
  if (!g_renameByLinking && errno != EINVAL && errno != ENOSYS) {
    return IoError::FromSystem(errno);
  }
  return LinkThenUnlink(*fromFolder, fromName, *toFolder, toName);
}

bool NameTaken(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

namespace testing {
void RenameByLinking(bool on) { g_renameByLinking = on; }
}  // namespace testing

}  // namespace quilmark::platform
