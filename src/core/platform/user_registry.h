// HKEY_CURRENT_USER, kept in a text file (see registry_text.h for the
// format):
//   $XDG_CONFIG_HOME/quilmark/registry.txt   (XDG_CONFIG_HOME defaults to ~/.config)
//
// The file is read when the registry is made and written, whole and
// atomically, by Flush; a missing file is an empty registry. A file that
// cannot be read or parsed makes the constructor throw RegistryError with the
// path (and line): there is then no UserRegistry whose Flush could replace
// the user's file, so it is never overwritten silently.
#pragma once

#include <string>

#include "platform/registry_tree.h"

namespace quilmark::platform {

class UserRegistry : public RegistryTree {
 public:
  explicit UserRegistry(std::string filePath);

  // The default location, from the environment.
  static std::string DefaultPath();

  // Throws RegistryError naming the file and the reason when it cannot be
  // written; the old file then stays as it was.
  void Flush() override;

 private:
  std::string path_;
};

}  // namespace quilmark::platform
