// The front panel's lasting settings: text values in one registry key, window positions, start mode
// and always-on-top. Every operation opens the key, handles one value and closes it again. Also holds
// ShowNotice, the information box several parts of the panel use.
#pragma once

#include <cstddef>

#include "frontpanel/panel_state.h"
#include "frontpanel/settings_platform.h"

namespace kiv {

// The longest window name that fits the 32-byte value-name buffer with its letter and zero.
inline constexpr std::size_t kWindowNameMax = 30;
// Restored coordinates outside 0 to this are taken as 0.
inline constexpr long kPositionMax = 8000;

class SettingsStore {
 public:
  SettingsStore(PanelState& state, SettingsPlatform& platform, PanelModes& modes)
      : state_(state), platform_(platform), modes_(modes) {}

  // True when the value exists, is REG_SZ and fits the buffer; the text then ends in a zero within it.
  bool ReadSettingString(const char* name, char* buffer, std::size_t size);
  // The value as a decimal number, or the default when it is missing, not REG_SZ or over 80 bytes.
  long ReadSettingInt(const char* name, long defaultValue);
  bool WriteSettingString(const char* name, const char* text);

  void SaveWindowPosition(WindowHandle window, const char* name);
  void RestoreWindowPosition(WindowHandle window, const char* name);

  void ShowNotice(const char* caption, const char* text);

 private:
  bool WriteSettingNumber(const char* name, long value);
  void NoticeWriteFailure();

  PanelState& state_;
  SettingsPlatform& platform_;
  PanelModes& modes_;
  bool writeFailureNoticed_ = false;  // once per run
};

// The decimal conversion of stored numbers: leading white space, an optional sign, digits up to the
// first other character; no digits give 0. Looks at no more than size bytes.
long ParseSettingNumber(const char* text, std::size_t size);

}  // namespace kiv
