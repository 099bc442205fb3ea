// HKEY_CURRENT_USER, kept in a text file:
//   $XDG_CONFIG_HOME/quilmark/registry.txt   (XDG_CONFIG_HOME defaults to ~/.config)
//
// The format, one item per line (UTF-8):
//   ; comment
//   [Software\QUIL\QUILMARK]          a key, by its full path
//   "ShowToolbar"=dword:00000001      a REG_DWORD value, eight hex digits
//   "WinSize"="-1,-1,-1,-1"           a REG_SZ value
//   "Path"=expand:"%HOME%/x"          a REG_EXPAND_SZ value
//   @="text"                          the key's default value
// Inside quotes, \\ is a backslash, \" a quote, \n a line feed.
//
// The file is read when the backend is made and written, whole and
// atomically, by Flush. A file that cannot be parsed makes the constructor
// throw RegistryError with the path and line, and is never overwritten.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace quilmark::platform {

class FileRegistry : public RegistryBackend {
 public:
  explicit FileRegistry(std::string filePath);

  // The default location, from the environment.
  static std::string DefaultPath();

  const std::string& FilePath() const { return path_; }

  bool KeyExists(const std::string& key) const override;
  std::optional<RegValue> ReadValue(const std::string& key, const std::string& name) const override;
  void CreateKey(const std::string& key) override;
  void WriteValue(const std::string& key, const std::string& name, const RegValue& value) override;
  bool DeleteKey(const std::string& key) override;
  std::vector<std::string> SubKeys(const std::string& key) const override;
  void Flush() override;

 private:
  struct Key {
    std::map<std::string, RegValue> values;
  };
  std::string path_;
  // Keys by their normalised full path; parents of a key always exist.
  std::map<std::string, Key> keys_;
};

}  // namespace quilmark::platform
