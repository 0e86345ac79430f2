#include "frontpanel/win32/win32_settings_platform.h"

#include <windows.h>

namespace kiv {

namespace {
HKEY Key(SettingsKey key) {
  return reinterpret_cast<HKEY>(key);
}
HWND Window(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
}  // namespace

long Win32SettingsPlatform::RegOpenKeyExA(const char* subKey, std::uint32_t desiredAccess,
                                          SettingsKey* result) {
  HKEY key = nullptr;
  const LONG status = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, desiredAccess, &key);
  *result = reinterpret_cast<SettingsKey>(key);
  return status;
}

long Win32SettingsPlatform::RegQueryValueExA(SettingsKey key, const char* valueName, std::uint32_t* type,
                                             std::uint8_t* data, std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD bytes = *size;
  const LONG status = ::RegQueryValueExA(Key(key), valueName, nullptr, &valueType, data, &bytes);
  *type = valueType;
  *size = bytes;
  return status;
}

long Win32SettingsPlatform::RegSetValueExA(SettingsKey key, const char* valueName, std::uint32_t type,
                                           const std::uint8_t* data, std::uint32_t size) {
  return ::RegSetValueExA(Key(key), valueName, 0, type, data, size);
}

long Win32SettingsPlatform::RegCloseKey(SettingsKey key) {
  return ::RegCloseKey(Key(key));
}

bool Win32SettingsPlatform::GetWindowRect(WindowHandle window, long* left, long* top) {
  RECT rect{};
  const BOOL ok = ::GetWindowRect(Window(window), &rect);
  *left = rect.left;
  *top = rect.top;
  return ok != FALSE;
}

bool Win32SettingsPlatform::IsIconic(WindowHandle window) {
  return ::IsIconic(Window(window)) != FALSE;
}

bool Win32SettingsPlatform::SetWindowPos(WindowHandle window, int x, int y) {
  return ::SetWindowPos(Window(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != FALSE;
}

int Win32SettingsPlatform::MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                                       unsigned type) {
  return ::MessageBoxA(Window(owner), text, caption, type);
}

}  // namespace kiv
