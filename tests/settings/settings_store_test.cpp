// Loading and storing the thirteen settings over a registry kept in memory.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quilmark {
namespace {

using platform::RegistryError;
using platform::RegType;
using platform::RegValue;

// Only what the settings use: one level of values per key path.
class MemoryRegistry : public platform::RegistryBackend {
 public:
  std::map<std::string, std::map<std::string, RegValue>> keys;
  int flushes = 0;

  bool KeyExists(const std::string& key) const override { return keys.count(key) != 0; }
  std::optional<RegValue> ReadValue(const std::string& key,
                                    const std::string& name) const override {
    auto k = keys.find(key);
    if (k == keys.end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }
  void CreateKey(const std::string& key) override { keys[key]; }
  void WriteValue(const std::string& key, const std::string& name, const RegValue& value) override {
    auto k = keys.find(key);
    if (k == keys.end()) throw RegistryError("no key " + key);
    k->second[name] = value;
  }
  bool DeleteKey(const std::string& key) override { return keys.erase(key) != 0; }
  std::vector<std::string> SubKeys(const std::string&) const override { return {}; }
  void Flush() override { ++flushes; }

  void Put(const std::string& name, RegValue value) { keys[kSettingsKey][name] = std::move(value); }
  const RegValue& Get(const std::string& name) { return keys.at(kSettingsKey).at(name); }
};

// Settings as they are before the load: everything zero.
Settings Zeroed() {
  Settings s;
  s.WinSize = {0, 0, 0, 0};
  s.ShowToolbar = s.ShowStatusbar = s.SaveSettings = false;
  s.Columns.FieldColumn.fill(0);
  s.Columns.ColumnVisible.fill(false);
  s.Charset = 0;
  s.CSV.fill(false);
  s.WriteTagVersion = 0;
  return s;
}

Settings Load(const MemoryRegistry& reg) {
  Settings s = Zeroed();
  LoadSettings(reg, s);
  return s;
}

TEST(SettingsStoreTest, FirstRunGivesDefaultsAndExitWritesAllThirteen) {
  MemoryRegistry reg;
  const Settings s = Load(reg);
  EXPECT_EQ(s, Settings{});  // a default Settings holds the documented defaults
  EXPECT_EQ(s.WinSize, (WindowBounds{-1, -1, -1, -1}));

  StoreSettings(reg, s);
  EXPECT_EQ(reg.flushes, 1);
  ASSERT_EQ(reg.keys.at(kSettingsKey).size(), 13u);
  EXPECT_EQ(reg.Get("WinSize"), RegValue::String("-1,-1,-1,-1"));
  EXPECT_EQ(reg.Get("ShowToolbar"), RegValue::Number(1));
  EXPECT_EQ(reg.Get("ColOrder"), RegValue::String("ABCDEFGHIJKLMNOPQRS"));
  EXPECT_EQ(reg.Get("ShowCol"), RegValue::String("1111111111111111111"));
  EXPECT_EQ(reg.Get("CSV"), RegValue::String("11111111111111111"));
  EXPECT_EQ(reg.Get("Charset"), RegValue::Number(0));
  EXPECT_EQ(reg.Get("WriteTagVersion"), RegValue::Number(2));
  EXPECT_EQ(reg.Get("SaveSettings"), RegValue::Number(1));
}

TEST(SettingsStoreTest, ValuesSurviveARoundTrip) {
  MemoryRegistry reg;
  Settings s = Load(reg);
  s.WinSize = {10, 20, 300, 200};
  s.ShowToolbar = false;
  s.Columns.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
  s.Columns.ApplyShowCol("0111111111111111110");
  s.FileTime = s.ForceWrite = s.WriteConfirm = s.AbsolutePath = true;
  s.Charset = 3;
  s.CSV[0] = s.CSV[16] = false;
  s.WriteTagVersion = 1;
  StoreSettings(reg, s);

  EXPECT_EQ(Load(reg), s);
  EXPECT_EQ(reg.Get("CSV"), RegValue::String("01111111111111110"));
}

TEST(SettingsStoreTest, SavingSwitchedOffWritesOnlyThatAndKeepsOlderValues) {
  MemoryRegistry reg;
  Settings s = Load(reg);
  s.WinSize = {1, 2, 3, 4};
  s.Charset = 1;
  StoreSettings(reg, s);

  Settings next = Load(reg);
  next.SaveSettings = false;
  next.WinSize = {50, 60, 70, 80};
  next.Charset = 2;
  StoreSettings(reg, next);
  EXPECT_EQ(reg.Get("SaveSettings"), RegValue::Number(0));
  EXPECT_EQ(reg.Get("WinSize"), RegValue::String("1,2,3,4"));
  EXPECT_EQ(reg.Get("Charset"), RegValue::Number(1));

  const Settings third = Load(reg);
  EXPECT_FALSE(third.SaveSettings);
  EXPECT_EQ(third.WinSize.left, 1);
  EXPECT_EQ(third.Charset, 1);

  // On a first run with saving off, the key holds that one value.
  MemoryRegistry fresh;
  StoreSettings(fresh, next);
  EXPECT_EQ(fresh.keys.at(kSettingsKey).size(), 1u);
}

TEST(SettingsStoreTest, MalformedStoredValuesFallBackToDefaults) {
  MemoryRegistry reg;
  reg.Put("ColOrder", RegValue::String("AACDEFGHIJKLMNOPQRS"));
  reg.Put("ShowCol", RegValue::String("0000"));
  reg.Put("CSV", RegValue::String("0000000000000000"));  // 16
  reg.Put("WinSize", RegValue::String("10,20"));
  Settings s = Load(reg);
  EXPECT_EQ(s.Columns.ColOrder(), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(s.Columns.ShowCol(), "1111111111111111111");
  for (bool on : s.CSV) EXPECT_TRUE(on);
  EXPECT_EQ(s.WinSize.width, -1);  // the system places the window

  // Characters other than '1' are off; the stored string comes back as 0/1.
  reg.Put("ShowCol", RegValue::String("1x11111111111111112"));
  reg.Put("CSV", RegValue::String("1a111111111111110"));
  s = Load(reg);
  EXPECT_EQ(s.Columns.ShowCol(), "1011111111111111110");
  EXPECT_FALSE(s.CSV[1]);
  EXPECT_FALSE(s.CSV[16]);
  EXPECT_TRUE(s.CSV[2]);

  // Over-long values were never written by the program.
  reg.Put("ColOrder", RegValue::String(std::string(300, 'A')));
  reg.Put("ShowCol", RegValue::String("0000000000000000000" + std::string(300, '0')));
  reg.Put("WinSize", RegValue::String("1,2,3,4" + std::string(300, ' ')));
  s = Load(reg);
  EXPECT_EQ(s.Columns.ColOrder(), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(s.Columns.ShowCol(), "1111111111111111111");
  EXPECT_EQ(s.WinSize.width, -1);
}

TEST(SettingsStoreTest, WinSizeIsReadAsFourIntegersOrNotAtAll) {
  struct Case {
    const char* stored;
    WindowBounds expected;
  };
  const Case cases[] = {
      {"10,20,300,200", {10, 20, 300, 200}},
      {"-1,-1,-1,-1", {-1, -1, -1, -1}},
      {" 10, +20,300,200 trailing", {10, 20, 300, 200}},
      {"-2147483648,0,2147483647,5", {-2147483647 - 1, 0, 2147483647, 5}},
      {"", {-1, -1, -1, -1}},
      {"garbage", {-1, -1, -1, -1}},
      {"10,20,300", {-1, -1, -1, -1}},
      {"10;20;300;200", {-1, -1, -1, -1}},
      {"10,20,300,99999999999999999999", {-1, -1, -1, -1}},
      {"10,20,2147483648,1", {-1, -1, -1, -1}},
      {"10 ,20,300,200", {-1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    MemoryRegistry reg;
    reg.Put("WinSize", RegValue::String(c.stored));
    EXPECT_EQ(Load(reg).WinSize, c.expected) << c.stored;
  }
}

TEST(SettingsStoreTest, NumbersAndFlagsAreReadAsStored) {
  MemoryRegistry reg;
  reg.Put("ShowToolbar", RegValue::Number(0));
  reg.Put("FileTime", RegValue::Number(7));  // any non-zero is on
  reg.Put("Charset", RegValue::Number(9));
  reg.Put("WriteTagVersion", RegValue::Number(0xFFFFFFFF));
  reg.Put("ColOrder", RegValue::ExpandString("SRQPONMLKJIHGFEDCBA"));
  const Settings s = Load(reg);
  EXPECT_FALSE(s.ShowToolbar);
  EXPECT_TRUE(s.FileTime);
  // Kept as stored, used as the default.
  EXPECT_EQ(s.Charset, 9);
  EXPECT_EQ(s.EffectiveCharset(), 0);
  EXPECT_EQ(s.WriteTagVersion, -1);
  EXPECT_EQ(s.EffectiveWriteTagVersion(), 2);
  EXPECT_EQ(s.Columns.Position(colPath), 23);
}

TEST(SettingsStoreTest, ValueOfTheWrongTypeEscapesNamingIt) {
  for (auto [name, value] : {std::pair{"ShowToolbar", RegValue::String("1")},
                             {"ColOrder", RegValue::Number(1)},
                             {"Charset", RegValue::String("0")},
                             {"CSV", RegValue::Number(0)},
                             {"WinSize", RegValue::Number(0)}}) {
    MemoryRegistry reg;
    reg.Put(name, value);
    Settings s;
    try {
      LoadSettings(reg, s);
      ADD_FAILURE() << name << " was accepted";
    } catch (const RegistryError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace quilmark
