// The installation sequence: files, registry values, the driver service, the start-menu shortcut,
// and the system's modem control panel. Stops at the first failing step and undoes nothing.
#pragma once

#include "installer/file_system.h"
#include "installer/installer_settings.h"
#include "installer/modem_control_panel.h"
#include "installer/processes.h"
#include "installer/registry.h"
#include "installer/service_control.h"
#include "installer/shell_link.h"
#include "installer/user_interface.h"

namespace kiv {

inline constexpr const char* kUninstallKeyFormat =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s";
inline constexpr const char* kStartMenuFolderFormat = "%s\\Profiles\\All Users\\Start Menu\\Programs\\%s";
inline constexpr const char* kDriverPathFormat = "%s\\drivers\\%s";
inline constexpr const char* kLoadOrderGroup = "PCI Configuration";

struct InstallationPlatform {
  FileSystem& files;
  Registry& registry;
  ServiceControl& services;
  ErrorMessages& errors;
  ShellLinkObjects& links;
  Processes& processes;
  Cursor& cursor;
  MessageBoxes& boxes;
};

class Installation {
 public:
  Installation(const InstallerSettings& settings, const InstallationPlatform& platform)
      : settings_(settings), p_(platform) {}

  bool InstallModem();

  bool CopyModemFiles();
  bool WriteModemRegistry();
  bool CreateDriverService();
  bool CreateShortcuts();
  ComResult CreateShellLink(const char* targetPath, const char* shortcutPath, const char* description);

 private:
  void ShowLastServiceError(const char* caption);

  const InstallerSettings& settings_;
  InstallationPlatform p_;
};

}  // namespace kiv
