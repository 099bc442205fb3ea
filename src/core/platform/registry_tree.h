// A registry held in memory: keys by backslash-separated path, each with
// typed values. Key paths and value names are compared without regard to
// letter case, as the Windows registry does, and keep the spelling they were
// first given. Writing a value creates its key, and a key always has its
// parents. Flush does nothing: UserRegistry keeps a tree in a file.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace quilmark::platform {

class RegistryTree : public RegistryBackend {
 public:
  struct NamedValue {
    std::string name;  // as first spelled
    RegValue value;
  };
  struct Key {
    std::string path;                          // as first spelled, without empty parts
    std::map<std::string, NamedValue> values;  // by case-folded name
  };

  RegistryTree();

  bool KeyExists(const std::string& key) const override;
  std::optional<RegValue> ReadValue(const std::string& key, const std::string& name) const override;
  // Throws RegistryError for a key name holding a control character.
  void CreateKey(const std::string& key) override;
  void WriteValue(const std::string& key, const std::string& name, const RegValue& value) override;
  bool DeleteKey(const std::string& key) override;
  void Flush() override {}

  // Every key by its case-folded path, each after its parents; "" is the
  // root, which always exists.
  const std::map<std::string, Key>& Keys() const { return keys_; }

  // How keys and value names are compared: paths without empty parts, and
  // both case-folded.
  static std::string FoldedPath(std::string_view key);
  static std::string FoldedName(std::string_view name);

 private:
  const Key* Find(const std::string& key) const;
  Key& Create(const std::string& key);

  std::map<std::string, Key> keys_;
};

}  // namespace quilmark::platform
