// HKEY_CURRENT_USER, kept in a text file (see registry_text.h for the
// format):
//   $XDG_CONFIG_HOME/quilmark/registry.txt   (XDG_CONFIG_HOME defaults to ~/.config)
//
// The file is read when the registry is made; a missing file is an empty
// registry. A file that cannot be read or parsed makes the constructor throw
// RegistryError with the path (and line): there is then no UserRegistry
// whose Flush could replace the user's file, so it is never overwritten
// silently.
//
// Flush writes what changed since then, and only that, into the file as it
// is on disk at that moment (see EditRegistryText): values another running
// copy stored meanwhile, and the user's comments, stay. The file is
// replaced whole and atomically; a link to it stays a link.
#pragma once

#include <string>
#include <vector>

#include "platform/registry_text.h"
#include "platform/registry_tree.h"

namespace quilmark::platform {

class UserRegistry : public RegistryTree {
 public:
  explicit UserRegistry(std::string filePath);

  // The default location, from the environment.
  static std::string DefaultPath();

  void CreateKey(const std::string& key) override;
  void WriteValue(const std::string& key, const std::string& name, const RegValue& value) override;
  bool DeleteKey(const std::string& key) override;

  // Throws RegistryError naming the file and the reason when it cannot be
  // read, parsed or written; the old file then stays as it was.
  void Flush() override;

 private:
  std::string path_;
  std::vector<RegistryEdit> edits_;  // since the file was read or last written
};

}  // namespace quilmark::platform
