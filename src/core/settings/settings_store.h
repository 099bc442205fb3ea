// Loading and storing the settings under HKEY_CURRENT_USER
// "Software\QUIL\QUILMARK".
#pragma once

#include "platform/registry.h"
#include "settings/settings.h"

namespace quilmark {

inline constexpr const char* kSettingsKey = "Software\\QUIL\\QUILMARK";

// Fills `settings` from the registry; absent values take their defaults.
// A value of the wrong type throws platform::RegistryError naming it.
void LoadSettings(const platform::RegistryBackend& hkcu, Settings& settings);

// Writes SaveSettings always, the rest only when it is on; then flushes.
// Throws platform::RegistryError when the store cannot be written.
void StoreSettings(platform::RegistryBackend& hkcu, const Settings& settings);

}  // namespace quilmark
