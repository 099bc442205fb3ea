// The registry stand-in: a tree of keys, each with subkeys and typed values,
// reached by backslash-separated key paths ("Software\QUIL\QUILMARK"). The
// value name "" is a key's default value. One backend per root key.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

namespace quilmark::platform {

enum class RegType { Sz, ExpandSz, Dword };

struct RegValue {
  RegType type = RegType::Sz;
  std::string text;          // Sz, ExpandSz
  std::uint32_t number = 0;  // Dword

  static RegValue String(std::string s) { return {RegType::Sz, std::move(s), 0}; }
  static RegValue ExpandString(std::string s) { return {RegType::ExpandSz, std::move(s), 0}; }
  static RegValue Number(std::uint32_t n) { return {RegType::Dword, {}, n}; }
  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// A failure the registry reports: a value of the wrong type, a store that
// cannot be read or written. The message names the value or file.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  virtual bool KeyExists(const std::string& key) const = 0;
  virtual std::optional<RegValue> ReadValue(const std::string& key,
                                            const std::string& name) const = 0;
  // Creates the key and its parents when missing.
  virtual void CreateKey(const std::string& key) = 0;
  virtual void WriteValue(const std::string& key, const std::string& name,
                          const RegValue& value) = 0;
  // Removes the key with everything below it; false when it did not exist.
  virtual bool DeleteKey(const std::string& key) = 0;
  // Makes what was written lasting (a backend that writes through may do nothing).
  virtual void Flush() = 0;
};

// Typed reads, as the settings reader needs them: a missing value gives
// nullopt; a value of another type throws RegistryError naming the value.
std::optional<std::string> ReadString(const RegistryBackend& reg, const std::string& key,
                                      const std::string& name);
std::optional<std::uint32_t> ReadDword(const RegistryBackend& reg, const std::string& key,
                                       const std::string& name);
std::optional<bool> ReadBool(const RegistryBackend& reg, const std::string& key,
                             const std::string& name);

}  // namespace quilmark::platform
