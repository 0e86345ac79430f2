// SettingsPlatform over the registry under HKEY_LOCAL_MACHINE and user32's window calls.
#pragma once

#include "frontpanel/settings_platform.h"

namespace kiv {

class Win32SettingsPlatform final : public SettingsPlatform {
 public:
  long RegOpenKeyExA(const char* subKey, std::uint32_t desiredAccess, SettingsKey* result) override;
  long RegQueryValueExA(SettingsKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* size) override;
  long RegSetValueExA(SettingsKey key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t size) override;
  long RegCloseKey(SettingsKey key) override;
  bool GetWindowRect(WindowHandle window, long* left, long* top) override;
  bool IsIconic(WindowHandle window) override;
  bool SetWindowPos(WindowHandle window, int x, int y) override;
  int MessageBoxA(WindowHandle owner, const char* text, const char* caption, unsigned type) override;
};

}  // namespace kiv
