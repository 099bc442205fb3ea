#include "platform/registry_tree.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <string_view>

namespace quilmark::platform {

namespace {

std::string Fold(std::string_view text) {
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  unicode.foldCase(U_FOLD_CASE_DEFAULT);
  std::string folded;
  unicode.toUTF8String(folded);
  return folded;
}

// "Software\\QUIL\\" and "\\Software\\\\QUIL" both mean "Software\\QUIL".
std::string NormalKeyPath(std::string_view key) {
  std::string path;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string_view::npos) end = key.size();
    if (end > start) {
      if (!path.empty()) path += '\\';
      path += key.substr(start, end - start);
    }
    start = end + 1;
  }
  return path;
}

// A key line is one line of the file: control characters cannot be in a
// key name (the Windows registry refuses them as well).
void CheckKeyName(const std::string& path) {
  for (unsigned char c : path) {
    if (c < 0x20 || c == 0x7F) throw RegistryError("invalid key name: " + path);
  }
}

}  // namespace

RegistryTree::RegistryTree() { keys_[""]; }

std::string RegistryTree::FoldedPath(std::string_view key) { return Fold(NormalKeyPath(key)); }

std::string RegistryTree::FoldedName(std::string_view name) { return Fold(name); }

const RegistryTree::Key* RegistryTree::Find(const std::string& key) const {
  auto it = keys_.find(FoldedPath(key));
  return it == keys_.end() ? nullptr : &it->second;
}

RegistryTree::Key& RegistryTree::Create(const std::string& key) {
  std::string path = NormalKeyPath(key);
  CheckKeyName(path);
  Key* found = &keys_[""];
  // Parents first, each keeping the spelling it already has.
  for (std::size_t end = 0; end < path.size();) {
    end = path.find('\\', end + 1);
    if (end == std::string::npos) end = path.size();
    std::string prefix = path.substr(0, end);
    auto [it, inserted] = keys_.try_emplace(Fold(prefix));
    if (inserted) it->second.path = prefix;
    found = &it->second;
  }
  return *found;
}

bool RegistryTree::KeyExists(const std::string& key) const { return Find(key) != nullptr; }

std::optional<RegValue> RegistryTree::ReadValue(const std::string& key,
                                                const std::string& name) const {
  const Key* found = Find(key);
  if (!found) return std::nullopt;
  auto it = found->values.find(Fold(name));
  if (it == found->values.end()) return std::nullopt;
  return it->second.value;
}

void RegistryTree::CreateKey(const std::string& key) { Create(key); }

void RegistryTree::WriteValue(const std::string& key, const std::string& name,
                              const RegValue& value) {
  Key& target = Create(key);
  auto [it, inserted] = target.values.try_emplace(Fold(name), NamedValue{name, value});
  if (!inserted) it->second.value = value;
}

bool RegistryTree::DeleteKey(const std::string& key) {
  std::string folded = FoldedPath(key);
  if (folded.empty()) return false;  // the root stays
  auto it = keys_.find(folded);
  if (it == keys_.end()) return false;
  std::string below = folded + '\\';
  auto last = std::next(it);
  while (last != keys_.end() && last->first.compare(0, below.size(), below) == 0) ++last;
  keys_.erase(it, last);
  return true;
}

}  // namespace quilmark::platform
