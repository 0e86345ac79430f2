#include "installer/installation.h"

#include <cstring>

#include "installer/configuration.h"
#include "installer/text_buffers.h"

namespace kiv {

namespace {

const char kInstallErrorCaption[] = "Modem Install Error";

struct FileCopy {
  SettingText InstallerSettings::*fileName;
  const char* destinationFormat;
  PathText InstallerSettings::*destinationDir;
};

// The catalogue goes beside the drivers; the installer copies itself under installerFile, whatever
// name it was started by.
const FileCopy kFileCopies[] = {
    {&InstallerSettings::nt4Sys, "%s\\drivers\\%s", &InstallerSettings::systemDir},
    {&InstallerSettings::nt4Inf, "%s\\inf\\%s", &InstallerSettings::windowsDir},
    {&InstallerSettings::nt5Sys, "%s\\drivers\\%s", &InstallerSettings::systemDir},
    {&InstallerSettings::nt5Inf, "%s\\inf\\%s", &InstallerSettings::windowsDir},
    {&InstallerSettings::nt5Cat, "%s\\drivers\\%s", &InstallerSettings::systemDir},
    {&InstallerSettings::installerFile, "%s\\%s", &InstallerSettings::programDir},
    {&InstallerSettings::countryTool, "%s\\%s", &InstallerSettings::programDir},
};

// Text values keep their terminating zero.
long SetText(Registry& registry, RegistryKey key, const char* valueName, const char* text) {
  return registry.RegSetValueExA(key, valueName, kRegSz, reinterpret_cast<const std::uint8_t*>(text),
                                 static_cast<std::uint32_t>(std::strlen(text) + 1));
}

long SetNumber(Registry& registry, RegistryKey key, const char* valueName, std::uint32_t number) {
  const std::uint8_t data[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                static_cast<std::uint8_t>(number >> 16),
                                static_cast<std::uint8_t>(number >> 24)};
  return registry.RegSetValueExA(key, valueName, kRegDword, data, sizeof data);
}

}  // namespace

bool Installation::InstallModem() {
  if (!CopyModemFiles()) {
    p_.boxes.MessageBoxA("Failed to copy modem system files", kInstallErrorCaption, kMbIconError);
    return false;
  }
  if (!WriteModemRegistry()) {
    p_.boxes.MessageBoxA("Failed to initialize modem registry values", kInstallErrorCaption, kMbIconError);
    return false;
  }
  if (!CreateDriverService()) return false;
  if (!CreateShortcuts()) {
    // The driver is in place; only the modem's registration with the control panel is skipped.
    p_.boxes.MessageBoxA("Failed to create modem shortcuts", kInstallErrorCaption, kMbIconError);
    return true;
  }
  p_.cursor.SetCursor(CursorShape::kWait);
  p_.cursor.ShowCursor(true);
  RunModemControlPanel(p_.processes, settings_, kModemAddArguments);
  p_.cursor.ShowCursor(false);
  p_.cursor.SetCursor(CursorShape::kArrow);
  return true;
}

bool Installation::CopyModemFiles() {
  for (const FileCopy& copy : kFileCopies) {
    const char* fileName = settings_.*copy.fileName;
    char source[kPathSize];
    char destination[kPathSize];
    // A path that does not fit would name another file: that copy fails instead.
    if (!FormatText(source, sizeof source, "%s\\%s", settings_.sourceDir, fileName) ||
        !FormatText(destination, sizeof destination, copy.destinationFormat, settings_.*copy.destinationDir,
                    fileName)) {
      return false;
    }
    // Clears a read-only mark left by an earlier installation; fails harmlessly on a new file.
    p_.files.SetFileAttributesA(destination, kFileAttributeNormal);
    if (!p_.files.CopyFileA(source, destination, false)) return false;
  }
  return true;
}

bool Installation::WriteModemRegistry() {
  char keyPath[kPathSize];
  RegistryKey key = 0;

  if (!FormatText(keyPath, sizeof keyPath, kParametersKeyFormat, settings_.serviceName)) return false;
  if (p_.registry.RegCreateKeyA(kHKeyLocalMachine, keyPath, &key) != kErrorSuccess) return false;
  bool ok =
      SetText(p_.registry, key, "DeviceDesc", settings_.modemName) == kErrorSuccess &&
      SetText(p_.registry, key, "Mfg", settings_.oemName) == kErrorSuccess &&
      SetNumber(p_.registry, key, "CurrentCountry", ParseDecimal(settings_.countryCode)) == kErrorSuccess;
  p_.registry.RegCloseKey(key);
  if (!ok) return false;

  if (!FormatText(keyPath, sizeof keyPath, kUninstallKeyFormat, settings_.oemName)) return false;
  if (p_.registry.RegCreateKeyA(kHKeyLocalMachine, keyPath, &key) != kErrorSuccess) return false;
  // Quoted: the program directory lies under "Program Files", and an unquoted path with a blank
  // would have the system try "C:\Program" first.
  char uninstallCommand[kPathSize];
  ok = SetText(p_.registry, key, "DisplayName", settings_.modemName) == kErrorSuccess &&
       FormatText(uninstallCommand, sizeof uninstallCommand, "\"%s\\%s\" -u", settings_.programDir,
                  settings_.installerFile) &&
       SetText(p_.registry, key, "UninstallString", uninstallCommand) == kErrorSuccess;
  p_.registry.RegCloseKey(key);
  return ok;
}

bool Installation::CreateDriverService() {
  char driverPath[kPathSize];
  FormatText(driverPath, sizeof driverPath, kDriverPathFormat, settings_.systemDir, settings_.nt4Sys);

  const ServiceHandle manager = p_.services.OpenSCManagerA(nullptr, nullptr, kScManagerAllAccess);
  ServiceHandle service = 0;
  if (manager != 0) {
    const ServiceDefinition definition = {
        settings_.serviceName, settings_.serviceName, kServiceAllAccess, kServiceKernelDriver,
        kServiceAutoStart,     kServiceErrorNormal,   driverPath,        kLoadOrderGroup};
    service = p_.services.CreateServiceA(manager, definition);
  }
  if (service == 0) {
    ShowLastServiceError("Modem service not created");
    if (manager != 0) p_.services.CloseServiceHandle(manager);
    return false;
  }
  const bool started = p_.services.StartServiceA(service);
  if (!started) ShowLastServiceError("INFO");
  p_.services.CloseServiceHandle(service);
  p_.services.CloseServiceHandle(manager);
  return started;
}

void Installation::ShowLastServiceError(const char* caption) {
  const std::uint32_t error = p_.services.GetLastError();
  char text[256] = {};
  if (p_.errors.FormatMessageA(error, text, sizeof text) == 0) {
    // The system has no text for this code: the number at least tells what went wrong.
    FormatText(text, sizeof text, "Error %lu", static_cast<unsigned long>(error));
  }
  text[sizeof text - 1] = '\0';
  p_.boxes.MessageBoxA(text, caption, kMbIconError);
}

bool Installation::CreateShortcuts() {
  char folder[kPathSize];
  if (!FormatText(folder, sizeof folder, kStartMenuFolderFormat, settings_.windowsDir, settings_.oemName)) {
    return false;
  }
  p_.files.CreateDirectoryA(folder);
  char shortcutPath[kPathSize];
  char targetPath[kPathSize];
  if (!FormatText(shortcutPath, sizeof shortcutPath, "%s\\%s", folder, settings_.shortcutFile) ||
      !FormatText(targetPath, sizeof targetPath, "%s\\%s", settings_.programDir, settings_.countryTool)) {
    return false;
  }
  return Succeeded(CreateShellLink(targetPath, shortcutPath, settings_.countryTool));
}

ComResult Installation::CreateShellLink(const char* targetPath, const char* shortcutPath,
                                        const char* description) {
  p_.links.CoInitialize();
  ComObject link = 0;
  ComResult result = p_.links.CreateShellLinkObject(&link);
  if (!Succeeded(result)) {
    p_.links.CoUninitialize();
    return result;
  }
  p_.links.SetPath(link, targetPath);
  p_.links.SetDescription(link, description);
  ComObject persistFile = 0;
  result = p_.links.QueryPersistFile(link, &persistFile);
  if (!Succeeded(result)) {
    p_.links.Release(link);
    p_.links.CoUninitialize();
    return result;
  }
  result = p_.links.Save(persistFile, shortcutPath);
  p_.links.Release(persistFile);
  p_.links.Release(link);
  p_.links.CoUninitialize();
  return result;
}

}  // namespace kiv
