// Settings kept in the user's registry file from one run to the next, and
// what a load makes of values the program never wrote. (A broken file or a
// value of the wrong type stops the run: see the registry's and the CLI's
// tests; what another copy of the program stored meanwhile survives a save:
// see the registry's.)
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "platform/user_registry.h"
#include "support/temp_dir.h"

namespace quilmark {
namespace {

using platform::RegValue;
using platform::UserRegistry;

// The settings a load gives when the store holds one value, `name`.
Settings LoadWith(const char* name, const RegValue& value) {
  testing::TempDir dir;
  UserRegistry reg(dir.File("registry.txt"));
  reg.WriteValue(kSettingsKey, name, value);
  Settings s;
  LoadSettings(reg, s);
  return s;
}

TEST(SettingsStore, FirstRunDefaultsWhatOneRunStoresTheNextLoadsUnlessSavingIsOff) {
  testing::TempDir dir;
  const std::string path = dir.File("config/quilmark/registry.txt");
  Settings s;
  s.WinSize = {10, 20, 300, 200};
  s.Columns.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  s.ShowToolbar = false, s.AbsolutePath = true, s.Charset = Charset::Utf16Be, s.CSV[16] = false;
  Settings loaded = s;  // every value is set by the load, present or not
  UserRegistry firstRun(path);
  LoadSettings(firstRun, loaded);
  EXPECT_EQ(loaded, Settings{});
  EXPECT_FALSE(testing::Exists(dir.File("config")));  // nothing made until it saves
  StoreSettings(firstRun, s);
  UserRegistry nextRun(path);
  LoadSettings(nextRun, loaded);
  EXPECT_EQ(loaded, s);
  // With saving off only that switch is written.
  Settings off = s;
  off.SaveSettings = false, off.Charset = Charset::EucJp;
  std::string expected = testing::ReadBytes(path);
  StoreSettings(nextRun, off);
  const std::string on = "\"SaveSettings\"=dword:00000001";
  expected.replace(expected.find(on), on.size(), "\"SaveSettings\"=dword:00000000");
  EXPECT_EQ(testing::ReadBytes(path), expected);
}

TEST(SettingsStore, MalformedStoredValuesFallBackToDefaultsAndEnumNumbersStay) {
  for (const auto& [name, stored] : {
           std::pair{"ColOrder", RegValue::String("AACDEFGHIJKLMNOPQRS")},
           {"WinSize", RegValue::String("10,20,300")},
           {"WinSize", RegValue::String("10,20,2147483648,1")},
           {"Charset", RegValue::Number(9)},
       }) {
    EXPECT_EQ(LoadWith(name, stored), Settings{}) << name;
  }
  // The stored numbers of the two enumerations stay what they always were;
  // ID3v2.4 came later and took the next one.
  EXPECT_EQ(LoadWith("Charset", RegValue::Number(3)).Charset, Charset::Utf16Be);
  const TagKind kinds[] = {TagKind::Id3v1, TagKind::Id3v22, TagKind::Id3v23, TagKind::Id3v24};
  for (std::uint32_t stored = 0; stored < 4; ++stored)
    EXPECT_EQ(LoadWith("WriteTagVersion", RegValue::Number(stored)).WriteTagVersion, kinds[stored]);
}

}  // namespace
}  // namespace quilmark
