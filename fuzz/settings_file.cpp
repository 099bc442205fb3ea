// The settings file as the user may have edited it: it loads or is refused
// with a reason; the program's changes go into it line by line, and the
// result reads back with them and with everything else as it was.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "platform/registry_tree.h"
#include "platform/user_registry.h"
#include "settings/settings_store.h"

namespace {

using namespace quilmark;

bool SameTree(const platform::RegistryTree& a, const platform::RegistryTree& b) {
  if (a.Keys().size() != b.Keys().size()) return false;
  for (const auto& [folded, key] : a.Keys()) {
    const auto it = b.Keys().find(folded);
    if (it == b.Keys().end() || it->second.values.size() != key.values.size()) return false;
    for (const auto& [name, named] : key.values) {
      if (b.ReadValue(key.path, named.name) != named.value) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  platform::RegistryTree before;
  if (platform::ParseRegistryText(text, before)) return 0;  // refused with its line

  // The program's settings, stored into the file as it is: what they set
  // reads back, and nothing else changed.
  const std::string path = fuzz::WriteScratchFile("registry.txt", text);
  Settings settings;
  try {
    platform::UserRegistry stored(path);
    LoadSettings(stored, settings);
    settings.SaveSettings = !settings.SaveSettings;
    StoreSettings(stored, settings);
  } catch (const platform::RegistryError&) {
    return 0;  // a value of the wrong type, named
  }
  platform::RegistryTree after;
  if (platform::ParseRegistryText(fuzz::ReadScratchFile(path), after)) {
    fuzz::Broken("the stored file does not parse");
  }
  Settings again;
  LoadSettings(after, again);
  if (!(again == settings)) fuzz::Broken("the stored settings read back different");
  StoreSettings(before, settings);
  if (!SameTree(before, after)) fuzz::Broken("the edit changed more than the settings");
  return 0;
}
