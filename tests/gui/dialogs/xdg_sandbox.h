// A temporary folder holding the XDG folders a dialog test reads and writes,
// with a MIME database that knows the given file types.
#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace quilmark::testing {

struct XdgSandbox {
  explicit XdgSandbox(const std::string& globs) {
    for (const char* dir :
         {"data/applications", "system/applications", "system/mime", "config", "music", "help"}) {
      std::filesystem::create_directories(tmp.File(dir));
    }
    WriteBytes(tmp.File("system/mime/globs2"), globs);
  }
  std::string File(const std::string& name) const { return tmp.File(name); }

  TempDir tmp;
};

}  // namespace quilmark::testing
