// The first half of a tag write: the new file made complete beside the old
// one, with everything it keeps of it, but neither flushed nor in place.
// TagWriteBatch finishes many of them together.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "platform/file.h"
#include "platform/replacement.h"
#include "tag/write_file_tags.h"

namespace quilmark {

// The file being rewritten, open for reading, and where its replacement
// goes. The replacement refers to the target: both stay where they are.
struct PreparedTagWrite {
  platform::ReplaceTarget target;
  platform::File original;
  platform::FileInfo info;
  std::optional<platform::Replacement> replacement;
  std::uint64_t bytes = 0;  // of the new file
  TagWriteResult result;    // what the write will say once the file is in place
};

// The new file for `path` with `values` and `pictures` (see WriteFileTags),
// its writing to the disk started; or, for a file that is not to be
// written, the result that says why.
std::variant<TagWriteResult, std::unique_ptr<PreparedTagWrite>> PrepareTagWrite(
    const std::string& path, const TagValues& values, const PictureEdit& pictures,
    const TagWriteOptions& options, platform::LeftoverSweep* sweep);

// The result of a write that failed for `error`.
TagWriteResult FailedWrite(const platform::IoError& error);

}  // namespace quilmark
