// The installer's record of configurable texts and directories. Filled once at start-up, read-only
// afterwards. Every text field has room for 99 characters and its terminator; every directory for 259.
#pragma once

#include <cstddef>

namespace kiv {

inline constexpr std::size_t kSettingTextSize = 100;
inline constexpr std::size_t kPathSize = 260;

using SettingText = char[kSettingTextSize];
using PathText = char[kPathSize];

struct InstallerSettings {
  SettingText windowTitle;
  SettingText windowClass;
  SettingText configFile;
  SettingText nt4Sys;
  SettingText nt4Inf;
  SettingText nt5Sys;
  SettingText nt5Inf;
  SettingText nt5Cat;
  SettingText serviceName;
  SettingText countryCode;
  SettingText modemName;
  SettingText oemName;
  SettingText installerFile;
  SettingText countryTool;
  SettingText shortcutFile;

  PathText sourceDir;
  PathText windowsDir;
  PathText systemDir;
  PathText programDir;
};

// String-table ids of the text fields, as the resource script numbers them.
enum StringId : unsigned {
  kIdsWindowTitle = 103,
  kIdsWindowClass = 109,
  kIdsNt4Sys = 110,
  kIdsNt4Inf = 111,
  kIdsNt5Sys = 112,
  kIdsNt5Inf = 113,
  kIdsNt5Cat = 114,
  kIdsServiceName = 115,
  kIdsOemName = 116,
  kIdsModemName = 117,
  kIdsCountryCode = 118,
  kIdsInstallerFile = 119,
  kIdsCountryTool = 120,
  kIdsShortcutFile = 121,
  kIdsConfigFile = 122,
};

}  // namespace kiv
