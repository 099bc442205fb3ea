// Settings kept in the user's registry file from one run to the next, and
// what a load makes of values the program never wrote.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/user_registry.h"
#include "support/temp_dir.h"

namespace quilmark {
namespace {

using platform::FileRegistry;
using platform::RegistryError;
using platform::RegValue;

Settings LoadFrom(const platform::RegistryBackend& reg) {
  Settings s;
  LoadSettings(reg, s);
  return s;
}

// The settings a load gives when the store holds one value, `name`.
Settings LoadWith(const char* name, const RegValue& value) {
  testing::TempDir dir;
  FileRegistry reg(dir.File("registry.txt"));
  reg.WriteValue(kSettingsKey, name, value);
  return LoadFrom(reg);
}

TEST(SettingsStore, WhatOneRunStoresTheNextLoadsAndAFirstRunGetsDefaults) {
  testing::TempDir dir;
  const std::string path = dir.File("config/quilmark/registry.txt");
  Settings s;
  s.WinSize = {10, 20, 300, 200};
  s.ShowToolbar = s.ShowStatusbar = false;
  s.Columns.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  s.Columns.ApplyShowCol("0111111111111111110");
  s.FileTime = s.ForceWrite = s.WriteConfirm = s.AbsolutePath = true;
  s.Charset = 3;
  s.CSV[0] = s.CSV[16] = false;
  s.WriteTagVersion = 1;
  {
    FileRegistry firstRun(path);
    Settings loaded = s;  // every value is set by the load, present or not
    LoadSettings(firstRun, loaded);
    EXPECT_EQ(loaded, Settings{});
    StoreSettings(firstRun, s);
  }
  FileRegistry nextRun(path);
  EXPECT_EQ(LoadFrom(nextRun), s);

  // With saving off only that switch is written; the older values stay.
  Settings off = s;
  off.SaveSettings = false;
  off.WinSize = {1, 2, 3, 4};
  off.Charset = 1;
  StoreSettings(nextRun, off);
  const Settings third = LoadFrom(FileRegistry(path));
  EXPECT_FALSE(third.SaveSettings);
  EXPECT_EQ(third.WinSize, s.WinSize);
  EXPECT_EQ(third.Charset, 3);
}

TEST(SettingsStore, MalformedStoredTextFallsBackToDefaults) {
  // A letter twice, too few or too many flags, over-long text, a WinSize not
  // four integers in range separated by single commas.
  for (const auto& [name, stored] : {std::pair{"ColOrder", "AACDEFGHIJKLMNOPQRS"},
                                     {"ShowCol", "0000"},
                                     {"CSV", "0000000000000000"},
                                     {"WinSize", "10,20,300"},
                                     {"WinSize", "10,20,300,99999999999999999999"},
                                     {"WinSize", "10,20,2147483648,1"},
                                     {"WinSize", "10 ,20,300,200"}}) {
    EXPECT_EQ(LoadWith(name, RegValue::String(stored)), Settings{}) << name << "=" << stored;
  }
  EXPECT_EQ(LoadWith("ShowCol", RegValue::String(std::string(319, '0'))), Settings{});
}

TEST(SettingsStore, OddButReadableValuesAreTakenAsStored) {
  EXPECT_EQ(LoadWith("WinSize", RegValue::String(" 10, +20,300,-2 trailing")).WinSize,
            (WindowBounds{10, 20, 300, -2}));
  // Characters other than '1' are off.
  EXPECT_EQ(LoadWith("ShowCol", RegValue::String("1x11111111111111112")).Columns.ShowCol(),
            "1011111111111111110");
  EXPECT_FALSE(LoadWith("CSV", RegValue::String("1a111111111111111")).CSV[1]);
  // Out of range: kept as stored, used as the default everywhere.
  const Settings charset = LoadWith("Charset", RegValue::Number(9));
  EXPECT_EQ(charset.Charset, 9);
  EXPECT_EQ(charset.EffectiveCharset(), 0);
  const Settings version = LoadWith("WriteTagVersion", RegValue::Number(0xFFFFFFFF));
  EXPECT_EQ(version.WriteTagVersion, -1);
  EXPECT_EQ(version.EffectiveWriteTagVersion(), 2);
}

TEST(SettingsStore, ValueOfTheWrongTypeEscapesNamingIt) {
  for (auto [name, value] : {std::pair{"ShowToolbar", RegValue::String("1")},
                             {"ColOrder", RegValue::Number(1)},
                             {"Charset", RegValue::String("0")},
                             {"WinSize", RegValue::Number(0)}}) {
    try {
      LoadWith(name, value);
      ADD_FAILURE() << name << " was accepted";
    } catch (const RegistryError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace quilmark
