// The settings store over the real registry: what the panel reads back from the values it and the
// modem's installation leave under HKEY_LOCAL_MACHINE.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frontpanel/settings_store.h"
#include "frontpanel/win32/win32_settings_platform.h"

namespace kiv {
namespace {

constexpr char kKeyPath[] = "Software\\KivSettingsTest\\FrontPanel";

struct NoModes : PanelModes {
  void UpdateStartModeChecks() override {}
  void ApplyAlwaysOnTop() override {}
};

class SettingsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
    ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, kKeyPath, &key), ERROR_SUCCESS);
    std::strcpy(state.settingsKeyPath, kKeyPath);
  }
  void TearDown() override {
    ::RegCloseKey(key);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
  }
  std::string Stored(const char* name, DWORD* type = nullptr) {
    char data[128] = {};
    DWORD size = sizeof data;
    DWORD valueType = 0;
    if (::RegQueryValueExA(key, name, nullptr, &valueType, reinterpret_cast<BYTE*>(data), &size) != 0) {
      return "<absent>";
    }
    if (type != nullptr) *type = valueType;
    return std::string(data, size);
  }

  HKEY key = nullptr;
  PanelState state;
  Win32SettingsPlatform platform;
  NoModes modes;
  SettingsStore store{state, platform, modes};
};

TEST_F(SettingsRegistryTest, NumbersGoInAsTextWithTheirZeroAndComeBack) {
  ASSERT_TRUE(store.WriteSettingString("PanelX", "-123"));
  DWORD type = 0;
  EXPECT_EQ(Stored("PanelX", &type), std::string("-123", 5));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), -123);
  EXPECT_EQ(store.ReadSettingInt("Missing", 99), 99);
}

TEST_F(SettingsRegistryTest, OnlyAFittingTextCounts) {
  const DWORD number = 5;
  ::RegSetValueExA(key, "AlwaysOnTop", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  EXPECT_EQ(store.ReadSettingInt("AlwaysOnTop", 7), 7);
  const std::string longName(80, 'n');
  ::RegSetValueExA(key, "ModemName", 0, REG_SZ, reinterpret_cast<const BYTE*>(longName.c_str()), 81);
  char name[kPanelTextSize];
  EXPECT_FALSE(store.ReadSettingString("ModemName", name, sizeof name));
  ::RegSetValueExA(key, "ModemName", 0, REG_SZ, reinterpret_cast<const BYTE*>("Kiv"), 4);
  ASSERT_TRUE(store.ReadSettingString("ModemName", name, sizeof name));
  EXPECT_STREQ(name, "Kiv");
  // Stored without its zero: read no further than the value's bytes.
  ::RegSetValueExA(key, "PanelY", 0, REG_SZ, reinterpret_cast<const BYTE*>("42"), 2);
  EXPECT_EQ(store.ReadSettingInt("PanelY", 99), 42);
}

TEST_F(SettingsRegistryTest, AMissingKeyIsNeverCreated) {
  std::strcpy(state.settingsKeyPath, "Software\\KivSettingsTest\\Nowhere\\FrontPanel");
  EXPECT_FALSE(store.WriteSettingString("PanelX", "1"));
  HKEY missing = nullptr;
  EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, state.settingsKeyPath, 0, KEY_READ, &missing), ERROR_SUCCESS);
}

}  // namespace
}  // namespace kiv
