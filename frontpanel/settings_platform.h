// The system calls the settings store makes, as an interface: the Win32 layer forwards them to the
// registry and user32, tests answer them from memory. Registry results are the system's error codes,
// 0 for success; keys are opened under HKEY_LOCAL_MACHINE.
#pragma once

#include <cstdint>

#include "frontpanel/panel_state.h"

namespace kiv {

using SettingsKey = std::uintptr_t;

inline constexpr long kSettingsSuccess = 0;                    // ERROR_SUCCESS
inline constexpr std::uint32_t kSettingsKeyRead = 0x20019;     // KEY_READ
inline constexpr std::uint32_t kSettingsKeySetValue = 0x0002;  // KEY_SET_VALUE
inline constexpr std::uint32_t kSettingsRegSz = 1;             // REG_SZ

inline constexpr unsigned kNoticeType = 0x40;  // MB_OK | MB_ICONINFORMATION

class SettingsPlatform {
 public:
  virtual ~SettingsPlatform() = default;

  virtual long RegOpenKeyExA(const char* subKey, std::uint32_t desiredAccess, SettingsKey* result) = 0;
  // size: in, the room in data; out, the bytes the value holds.
  virtual long RegQueryValueExA(SettingsKey key, const char* valueName, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long RegSetValueExA(SettingsKey key, const char* valueName, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long RegCloseKey(SettingsKey key) = 0;

  // Left and top of the window's outer rectangle, in screen coordinates.
  virtual bool GetWindowRect(WindowHandle window, long* left, long* top) = 0;
  virtual bool IsIconic(WindowHandle window) = 0;
  // Moves the window, keeping its size and z-order.
  virtual bool SetWindowPos(WindowHandle window, int x, int y) = 0;

  virtual int MessageBoxA(WindowHandle owner, const char* text, const char* caption, unsigned type) = 0;
};

// What the main window does when the settings change its modes: check marks and topmost state.
class PanelModes {
 public:
  virtual ~PanelModes() = default;
  virtual void UpdateStartModeChecks() = 0;
  virtual void ApplyAlwaysOnTop() = 0;
};

}  // namespace kiv
