#include "installer/configuration.h"

#include <cstring>

#include "installer/text_buffers.h"

namespace kiv {

namespace {

struct TextDefault {
  SettingText InstallerSettings::*field;
  unsigned id;
  const char* text;
};

// The string table's own texts; they stand when the table itself cannot be read.
const TextDefault kTextDefaults[] = {
    {&InstallerSettings::windowTitle, kIdsWindowTitle, "installer"},
    {&InstallerSettings::windowClass, kIdsWindowClass, "INSTALLER"},
    {&InstallerSettings::configFile, kIdsConfigFile, "installer.cfg"},
    {&InstallerSettings::nt4Sys, kIdsNt4Sys, "TarvoK41.sys"},
    {&InstallerSettings::nt4Inf, kIdsNt4Inf, "TarvoK41.inf"},
    {&InstallerSettings::nt5Sys, kIdsNt5Sys, "TarvoK51.sys"},
    {&InstallerSettings::nt5Inf, kIdsNt5Inf, "TarvoK51.inf"},
    {&InstallerSettings::nt5Cat, kIdsNt5Cat, "TarvoK51.cat"},
    {&InstallerSettings::serviceName, kIdsServiceName, "kiv"},
    {&InstallerSettings::countryCode, kIdsCountryCode, "1"},
    {&InstallerSettings::modemName, kIdsModemName, "Tarvo Kiv Data Fax"},
    {&InstallerSettings::oemName, kIdsOemName, "Tarvo Corporation"},
    {&InstallerSettings::installerFile, kIdsInstallerFile, "installer.exe"},
    {&InstallerSettings::countryTool, kIdsCountryTool, "kivtool.exe"},
    {&InstallerSettings::shortcutFile, kIdsShortcutFile, "kivtool.lnk"},
};

struct ProfileEntry {
  const char* section;
  const char* key;
  SettingText InstallerSettings::*field;
};

const ProfileEntry kConfigEntries[] = {
    {"NT4_Files", "inf", &InstallerSettings::nt4Inf},
    {"NT4_Files", "sys", &InstallerSettings::nt4Sys},
    {"NT4_Files", "CountryTool", &InstallerSettings::countryTool},
    {"NT5_Files", "inf", &InstallerSettings::nt5Inf},
    {"NT5_Files", "sys", &InstallerSettings::nt5Sys},
    {"NT5_Files", "cat", &InstallerSettings::nt5Cat},
};

const ProfileEntry kInfEntries[] = {
    {"Strings", "CurrentCountry", &InstallerSettings::countryCode},
    {"Strings", "ModemName", &InstallerSettings::modemName},
    {"Strings", "Oem", &InstallerSettings::oemName},
    {"Strings", "ServiceName", &InstallerSettings::serviceName},
};

struct RegistryEntry {
  const char* valueName;
  SettingText InstallerSettings::*field;
};

const RegistryEntry kParameterValues[] = {
    {"DeviceDesc", &InstallerSettings::modemName},
    {"Mfg", &InstallerSettings::oemName},
    {"ServiceName", &InstallerSettings::serviceName},
};

// Each entry passes the setting's current text as the default, so a missing entry keeps it.
template <std::size_t N>
void ReadProfile(ProfileReader& profiles, const ProfileEntry (&entries)[N], const char* fileName,
                 InstallerSettings& settings) {
  for (const ProfileEntry& entry : entries) {
    char* text = settings.*entry.field;
    profiles.GetPrivateProfileStringA(entry.section, entry.key, text, text, kSettingTextSize, fileName);
  }
}

// A value that does not fit, or that fills the room without a terminator, must not leave a cut or
// unterminated setting behind: it is read into scratch and taken only when it is whole text.
void QueryText(Registry& registry, RegistryKey key, const char* valueName, SettingText& setting) {
  std::uint8_t data[kSettingTextSize];
  std::uint32_t size = sizeof data;
  if (registry.RegQueryValueExA(key, valueName, nullptr, data, &size) != kErrorSuccess) return;
  if (size > sizeof data) return;
  const void* end = std::memchr(data, '\0', size);
  if (end == nullptr) {
    if (size == sizeof data) return;
    data[size] = '\0';
  }
  CopyText(setting, reinterpret_cast<const char*>(data));
}

using DirectoryCall = std::uint32_t (*)(SystemInfo&, char*, std::uint32_t);

void ReadDirectory(SystemInfo& system, DirectoryCall call, PathText& directory) {
  char buffer[kPathSize] = {};
  const std::uint32_t length = call(system, buffer, sizeof buffer);
  buffer[sizeof buffer - 1] = '\0';
  CopyText(directory, length > 0 && length < sizeof buffer ? buffer : "");
}

}  // namespace

void LoadDefaults(StringTable& strings, InstallerSettings& settings) {
  for (const TextDefault& entry : kTextDefaults) {
    SettingText& text = settings.*entry.field;
    CopyText(text, entry.text);
    strings.LoadStringA(entry.id, text, kSettingTextSize);
    text[kSettingTextSize - 1] = '\0';
  }
}

void ReadSystemDirectories(SystemInfo& system, InstallerSettings& settings) {
  ReadDirectory(
      system, [](SystemInfo& s, char* b, std::uint32_t n) { return s.GetCurrentDirectoryA(n, b); },
      settings.sourceDir);
  ReadDirectory(
      system, [](SystemInfo& s, char* b, std::uint32_t n) { return s.GetWindowsDirectoryA(b, n); },
      settings.windowsDir);
  ReadDirectory(
      system, [](SystemInfo& s, char* b, std::uint32_t n) { return s.GetSystemDirectoryA(b, n); },
      settings.systemDir);
}

void ReadConfigFile(ProfileReader& profiles, InstallerSettings& settings) {
  char fileName[kPathSize];
  FormatText(fileName, sizeof fileName, ".\\%s", settings.configFile);
  ReadProfile(profiles, kConfigEntries, fileName, settings);
}

bool ReadInstalledParameters(Registry& registry, InstallerSettings& settings) {
  char keyPath[kPathSize];
  FormatText(keyPath, sizeof keyPath, kParametersKeyFormat, settings.serviceName);
  RegistryKey key = 0;
  if (registry.RegOpenKeyA(kHKeyLocalMachine, keyPath, &key) != kErrorSuccess) return false;
  for (const RegistryEntry& entry : kParameterValues) {
    QueryText(registry, key, entry.valueName, settings.*entry.field);
  }
  registry.RegCloseKey(key);
  return true;
}

void ReadInfStrings(ProfileReader& profiles, InstallerSettings& settings) {
  char fileName[kPathSize];
  FormatText(fileName, sizeof fileName, ".\\%s", settings.nt4Inf);
  ReadProfile(profiles, kInfEntries, fileName, settings);
}

void PrepareProgramDir(FileSystem& files, InstallerSettings& settings) {
  char path[kPathSize];
  CopyText(path, settings.windowsDir);
  // Only the drive part of the Windows directory is kept. Without one the folders hang from the root
  // of the current drive, which is where the same rule leads with an empty drive part.
  char* drive = std::strstr(path, ":\\");
  char* tail = drive != nullptr ? drive : path;
  const std::size_t room = sizeof path - static_cast<std::size_t>(tail - path);
  const char* const prefix = drive != nullptr ? ":" : "";
  FormatText(tail, room, "%s\\Program Files\\%s", prefix, settings.oemName);
  files.CreateDirectoryA(path);
  FormatText(tail, room, "%s\\Program Files\\%s\\%s", prefix, settings.oemName, settings.modemName);
  files.CreateDirectoryA(path);
  CopyText(settings.programDir, path);
}

bool IsInstalled(Registry& registry, const InstallerSettings& settings) {
  char keyPath[kPathSize];
  FormatText(keyPath, sizeof keyPath, "%s\\%s", kServicesKey, settings.serviceName);
  RegistryKey key = 0;
  if (registry.RegOpenKeyExA(kHKeyLocalMachine, keyPath, 0, kKeyRead, &key) != kErrorSuccess) return false;
  registry.RegCloseKey(key);
  return true;
}

}  // namespace kiv
