// The installer's start-up and decision flow: version check, settings, program directory, then
// install, uninstall or reinstall, each after asking the user. Returns the process exit code.
#pragma once

#include "installer/configuration.h"
#include "installer/installer_settings.h"
#include "installer/user_interface.h"

namespace kiv {

inline constexpr int kExitCodeNormal = 0;
inline constexpr int kExitCodeUninstallPath = 1;  // after "-u", whatever the answer

inline constexpr int kAlreadyInstalledDialogId = 130;
inline constexpr int kAlreadyInstalledUninstall = 1000;
inline constexpr int kAlreadyInstalledReinstall = 1001;

// The two sequences the flow starts; the program runs Installation and Uninstallation behind it.
class InstallerSteps {
 public:
  virtual ~InstallerSteps() = default;
  virtual bool InstallModem() = 0;
  virtual bool UninstallModem() = 0;
};

struct InstallerPlatform {
  SystemInfo& system;
  StringTable& strings;
  ProfileReader& profiles;
  Registry& registry;
  FileSystem& files;
  MessageBoxes& boxes;
  Backdrop& backdrop;
};

class InstallerFlow {
 public:
  InstallerFlow(InstallerSettings& settings, const InstallerPlatform& platform, InstallerSteps& steps)
      : settings_(settings), p_(platform), steps_(steps) {}

  // commandTail: the command line after the program name and the blanks that follow it.
  int Run(const char* commandTail, int showCommand);

  bool AskUninstall();
  bool AskReinstall();

 private:
  InstallerSettings& settings_;
  InstallerPlatform p_;
  InstallerSteps& steps_;
};

}  // namespace kiv
