#include "frontpanel/settings_store.h"

#include <cstdio>
#include <cstring>

namespace kiv {

namespace {
constexpr std::size_t kNumberValueSize = 80;
constexpr std::size_t kValueNameSize = 32;

constexpr char kWriteFailureCaption[] = "FrontPanel: WriteRegStr";
constexpr char kWriteFailureFormat[] =
    "%s\n\nPlease check your Modem installation.\n\nThis message is sent if your install INF file didn't "
    "create the proper registry settings.";

// The name followed by the letter; false when the name does not fit the value-name buffer.
bool PositionValueName(const char* name, char letter, char (&valueName)[kValueNameSize]) {
  const std::size_t length = std::strlen(name);
  if (length > kWindowNameMax) return false;
  std::memcpy(valueName, name, length);
  valueName[length] = letter;
  valueName[length + 1] = '\0';
  return true;
}

long ClampPosition(long value) {
  return value > kPositionMax || value < 0 ? 0 : value;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

long ParseSettingNumber(const char* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as unsigned so that an overlong digit run wraps instead of overflowing.
  unsigned long value = 0;
  while (i < size && text[i] >= '0' && text[i] <= '9')
    value = value * 10 + static_cast<unsigned long>(text[i++] - '0');
  return static_cast<long>(negative ? 0 - value : value);
}

bool SettingsStore::ReadSettingString(const char* name, char* buffer, std::size_t size) {
  SettingsKey key = 0;
  if (platform_.RegOpenKeyExA(state_.settingsKeyPath, kSettingsKeyRead, &key) != kSettingsSuccess)
    return false;
  std::uint32_t type = 0;
  std::uint32_t bytes = static_cast<std::uint32_t>(size);
  const long result =
      platform_.RegQueryValueExA(key, name, &type, reinterpret_cast<std::uint8_t*>(buffer), &bytes);
  platform_.RegCloseKey(key);
  if (result != kSettingsSuccess || type != kSettingsRegSz || bytes > size) return false;
  // A text stored without its zero still ends within the buffer, or is refused when it fills it.
  if (bytes == 0 || buffer[bytes - 1] != '\0') {
    if (bytes == size) return false;
    buffer[bytes] = '\0';
  }
  return true;
}

long SettingsStore::ReadSettingInt(const char* name, long defaultValue) {
  SettingsKey key = 0;
  if (platform_.RegOpenKeyExA(state_.settingsKeyPath, kSettingsKeyRead, &key) != kSettingsSuccess) {
    return defaultValue;
  }
  char text[kNumberValueSize];
  std::uint32_t type = 0;
  std::uint32_t bytes = sizeof text;
  const long result =
      platform_.RegQueryValueExA(key, name, &type, reinterpret_cast<std::uint8_t*>(text), &bytes);
  platform_.RegCloseKey(key);
  if (result != kSettingsSuccess || type != kSettingsRegSz || bytes > sizeof text) return defaultValue;
  // Only the bytes the value holds count: a text without its zero ends where its data ends.
  return ParseSettingNumber(text, bytes);
}

bool SettingsStore::WriteSettingString(const char* name, const char* text) {
  SettingsKey key = 0;
  if (platform_.RegOpenKeyExA(state_.settingsKeyPath, kSettingsKeySetValue, &key) != kSettingsSuccess) {
    return false;
  }
  const long result =
      platform_.RegSetValueExA(key, name, kSettingsRegSz, reinterpret_cast<const std::uint8_t*>(text),
                               static_cast<std::uint32_t>(std::strlen(text) + 1));
  platform_.RegCloseKey(key);
  if (result != kSettingsSuccess) {
    NoticeWriteFailure();
    return false;
  }
  return true;
}

bool SettingsStore::WriteSettingNumber(const char* name, long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", value);
  return WriteSettingString(name, text);
}

void SettingsStore::NoticeWriteFailure() {
  if (writeFailureNoticed_) return;
  writeFailureNoticed_ = true;
  char text[400];
  std::snprintf(text, sizeof text, kWriteFailureFormat, "RegSetValueEx failed.");
  ShowNotice(kWriteFailureCaption, text);
}

void SettingsStore::SaveWindowPosition(WindowHandle window, const char* name) {
  if (window == 0 || name == nullptr || name[0] == '\0') {
    ShowNotice("WindowSavePosition", "Bad parameters!");
    return;
  }
  long left = 0;
  long top = 0;
  platform_.GetWindowRect(window, &left, &top);
  char valueName[kValueNameSize];
  // A minimised window's rectangle is the icon's, not the place to come back to.
  if (!platform_.IsIconic(window) && PositionValueName(name, 'X', valueName))
    WriteSettingNumber(valueName, left);
  if (!platform_.IsIconic(window) && PositionValueName(name, 'Y', valueName))
    WriteSettingNumber(valueName, top);
  if (window != state_.mainWindow) return;
  if (state_.commandLineTrayStart == 0) WriteSettingNumber("Startup", state_.startMode);
  WriteSettingNumber("AlwaysOnTop", state_.alwaysOnTop);
}

void SettingsStore::RestoreWindowPosition(WindowHandle window, const char* name) {
  constexpr char kCaption[] = "WindowGetPosition";
  if (window == 0) return ShowNotice(kCaption, "Bad parameter!  hDlg=0");
  if (name == nullptr) return ShowNotice(kCaption, "Bad parameter!  szWindowName=0");
  if (name[0] == '\0') return ShowNotice(kCaption, "Bad parameter!  szWindowName NULL");

  char valueName[kValueNameSize];
  long x = 0;
  long y = 0;
  if (PositionValueName(name, 'X', valueName)) x = ClampPosition(ReadSettingInt(valueName, 0));
  if (PositionValueName(name, 'Y', valueName)) y = ClampPosition(ReadSettingInt(valueName, 0));
  if (window == state_.mainWindow) {
    state_.startMode = static_cast<int>(ReadSettingInt("Startup", kStartAsWindow));
    modes_.UpdateStartModeChecks();
    state_.alwaysOnTop = static_cast<int>(ReadSettingInt("AlwaysOnTop", 0));
    modes_.ApplyAlwaysOnTop();
  }
  platform_.SetWindowPos(window, static_cast<int>(x), static_cast<int>(y));
}

void SettingsStore::ShowNotice(const char* caption, const char* text) {
  platform_.MessageBoxA(state_.mainWindow, text, caption, kNoticeType);
}

}  // namespace kiv
