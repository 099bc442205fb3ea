// A temporary folder holding the XDG folders a dialog test reads and writes,
// with a MIME database that knows the given file types. Export() points this
// process's XDG variables (and HOME) at them, for what it starts to see them.
#pragma once

#include <QByteArray>
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
  void Export() const {
    for (auto [var, dir] : {std::pair{"HOME", ""},
                            {"XDG_DATA_HOME", "data"},
                            {"XDG_DATA_DIRS", "system"},
                            {"XDG_CONFIG_HOME", "config"},
                            {"XDG_CONFIG_DIRS", "system/xdg"}}) {
      qputenv(var, QByteArray::fromStdString(tmp.File(dir)));
    }
  }

  TempDir tmp;
};

}  // namespace quilmark::testing
