#include "platform/registry.h"

namespace quilmark::platform {

namespace {

[[noreturn]] void WrongType(const std::string& name) {
  throw RegistryError((name.empty() ? std::string("(default)") : name) +
                      ": the value has the wrong data type");
}

}  // namespace

std::optional<std::string> ReadString(const RegistryBackend& reg, const std::string& key,
                                      const std::string& name) {
  auto value = reg.ReadValue(key, name);
  if (!value) return std::nullopt;
  // An expandable string is still a string; its %...% parts are kept as they are.
  if (value->type != RegType::Sz && value->type != RegType::ExpandSz) WrongType(name);
  return value->text;
}

std::optional<std::uint32_t> ReadDword(const RegistryBackend& reg, const std::string& key,
                                       const std::string& name) {
  auto value = reg.ReadValue(key, name);
  if (!value) return std::nullopt;
  // No reading of digits out of a string: a number stored as text is as
  // wrong as text stored as a number.
  if (value->type != RegType::Dword) WrongType(name);
  return value->number;
}

std::optional<bool> ReadBool(const RegistryBackend& reg, const std::string& key,
                             const std::string& name) {
  auto number = ReadDword(reg, key, name);
  if (!number) return std::nullopt;
  return *number != 0;
}

}  // namespace quilmark::platform
