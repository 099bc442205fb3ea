// Settings kept in the user's registry file from one run to the next.
#include <gtest/gtest.h>

#include <string>

#include "platform/user_registry.h"
#include "settings/settings_store.h"
#include "support/temp_dir.h"

namespace quilmark {
namespace {

using platform::FileRegistry;
using platform::RegistryError;

TEST(SettingsFileTest, WhatOneRunStoresTheNextRunLoads) {
  testing::TempDir dir;
  const std::string path = dir.File("registry.txt");
  {
    FileRegistry hkcu(path);  // first run: no file yet
    Settings s;
    LoadSettings(hkcu, s);
    s.WinSize = {10, 20, 300, 200};
    s.Columns.ApplyColOrder("BACDEFGHIJKLMNOPQRS");
    s.Columns.ApplyShowCol("0111111111111111111");
    s.WriteConfirm = true;
    s.Charset = 2;
    s.CSV[3] = false;
    StoreSettings(hkcu, s);
  }
  FileRegistry hkcu(path);
  Settings s;
  LoadSettings(hkcu, s);
  EXPECT_EQ(s.WinSize.left, 10);
  EXPECT_EQ(s.WinSize.height, 200);
  EXPECT_EQ(s.Columns.Position(colFile), 5);
  EXPECT_FALSE(s.Columns.IsFieldShown(colPath));
  EXPECT_TRUE(s.WriteConfirm);
  EXPECT_EQ(s.Charset, 2);
  EXPECT_FALSE(s.CSV[3]);
  EXPECT_TRUE(s.CSV[4]);
}

TEST(SettingsFileTest, HandEditedFileIsReadOrRefusedClearly) {
  testing::TempDir dir;
  const std::string path = dir.File("registry.txt");

  // An edit that keeps the format is honoured, a wrong type names the value.
  testing::WriteBytes(path,
                      "[Software\\QUIL\\QUILMARK]\n"
                      "\"ShowToolbar\"=dword:00000000\n"
                      "\"ColOrder\"=dword:00000001\n");
  {
    FileRegistry hkcu(path);
    Settings s;
    try {
      LoadSettings(hkcu, s);
      ADD_FAILURE() << "ColOrder stored as a number was accepted";
    } catch (const RegistryError& e) {
      EXPECT_NE(std::string(e.what()).find("ColOrder"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(s.ShowToolbar);
  }

  // A broken line: the error says where, and the file is left as it was.
  const std::string broken =
      "[Software\\QUIL\\QUILMARK]\n"
      "\"ShowToolbar\"=dword:00000001\n"
      "\"WinSize\"=\"10,20,300,200\n";
  testing::WriteBytes(path, broken);
  try {
    FileRegistry hkcu(path);
    ADD_FAILURE() << "a broken file was accepted";
  } catch (const RegistryError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
  }
  EXPECT_EQ(testing::ReadBytes(path), broken);
}

}  // namespace
}  // namespace quilmark
