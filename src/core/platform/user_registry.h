// HKEY_CURRENT_USER, kept in a text file:
//   $XDG_CONFIG_HOME/quilmark/registry.txt   (XDG_CONFIG_HOME defaults to ~/.config)
//
// The format, one item per line (UTF-8; a trailing CR is ignored):
//   ; comment                         also blank lines
//   [Software\QUIL\QUILMARK]          a key, by its full path; the values below
//                                     belong to it until the next key
//   "ShowToolbar"=dword:00000001      a REG_DWORD value, hexadecimal (1 to 8 digits)
//   "WinSize"="-1,-1,-1,-1"           a REG_SZ value
//   "Path"=expand:"%HOME%/x"          a REG_EXPAND_SZ value, kept unexpanded
//   @="text"                          the key's default value (the name "")
// Inside quotes, \\ is a backslash, \" a quote, \n a line feed, \r a carriage
// return, \t a tab and \xHH any other byte, so every text comes back exactly.
// Anything else (an unknown type, bad hex digits, a missing closing quote,
// a value before the first key, text after a value) is an error. A key that
// appears twice is one key; a value that appears twice keeps the last one.
//
// Key paths and value names are compared without regard to letter case, as
// the Windows registry does, and keep the spelling they were first given.
// Writing a value creates its key, and a key always has its parents.
//
// The file is read when the backend is made and written, whole and
// atomically, by Flush; a missing file is an empty registry. A file that
// cannot be read or parsed makes the constructor throw RegistryError with the
// path (and line): there is then no FileRegistry whose Flush could replace
// the user's file, so it is never overwritten silently.
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
  struct NamedValue {
    std::string name;  // as first spelled
    RegValue value;
  };
  struct Key {
    std::string path;                          // as first spelled, without empty parts
    std::map<std::string, NamedValue> values;  // by case-folded name
  };
  const Key* Find(const std::string& key) const;
  Key& Create(const std::string& key);
  void Parse(const std::string& text);
  std::string Serialise() const;

  std::string path_;
  // Keys by their case-folded full path ("" is the root, which always
  // exists); parents of a key always exist.
  std::map<std::string, Key> keys_;
};

}  // namespace quilmark::platform
