// The settings file as the user may have edited it: it loads or is refused
// with a reason, and what the program stores reads back the same.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/registry.h"
#include "platform/user_registry.h"
#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quilmark;
  const std::string path = fuzz::WriteScratchFile(
      "registry.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  Settings settings;
  try {
    platform::UserRegistry stored(path);
    LoadSettings(stored, settings);
    StoreSettings(stored, settings);
  } catch (const platform::RegistryError&) {
    return 0;  // refused with its reason: a broken or a wrongly typed file
  }
  Settings again;
  try {
    LoadSettings(platform::UserRegistry(path), again);
  } catch (const platform::RegistryError&) {
    fuzz::Broken("the stored settings do not read back");
  }
  if (again.Columns.ColOrder() != settings.Columns.ColOrder() ||
      again.Columns.ShowCol() != settings.Columns.ShowCol() || again.CSV != settings.CSV ||
      again.Charset != settings.Charset || again.WriteTagVersion != settings.WriteTagVersion) {
    fuzz::Broken("the stored settings read back different");
  }
  return 0;
}
