// installer: puts the modem's driver in place, takes it out again, or both in turn.
#include <windows.h>

#include "installer/installation.h"
#include "installer/installer_flow.h"
#include "installer/uninstallation.h"
#include "installer/win32/win32_backdrop.h"
#include "installer/win32/win32_platform.h"

namespace {

// The two sequences the flow runs, over the real system.
class ProgramSteps final : public kiv::InstallerSteps {
 public:
  ProgramSteps(kiv::Installation& installation, kiv::Uninstallation& uninstallation)
      : installation_(installation), uninstallation_(uninstallation) {}
  bool InstallModem() override { return installation_.InstallModem(); }
  bool UninstallModem() override { return uninstallation_.UninstallModem(); }

 private:
  kiv::Installation& installation_;
  kiv::Uninstallation& uninstallation_;
};

kiv::InstallerSettings settings;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int showCommand) {
  kiv::Win32StringTable strings(instance);
  kiv::Win32ProfileReader profiles;
  kiv::Win32Registry registry;
  kiv::Win32FileSystem files;
  kiv::Win32SystemInfo system;
  kiv::Win32ServiceControl services;
  kiv::Win32ErrorMessages errors;
  kiv::Win32ShellLinkObjects links;
  kiv::Win32Processes processes;
  kiv::Win32MessageBoxes boxes;
  kiv::Win32Cursor cursor;
  kiv::Win32Threads threads;
  kiv::Win32Backdrop backdrop(instance, settings);

  kiv::Installation installation(settings,
                                 {files, registry, services, errors, links, processes, cursor, boxes});
  kiv::Uninstallation uninstallation(
      settings, {services, registry, files, boxes, processes, system, threads, backdrop});
  ProgramSteps steps(installation, uninstallation);
  kiv::InstallerFlow flow(settings, {system, strings, profiles, registry, files, boxes, backdrop}, steps);
  return flow.Run(commandTail, showCommand);
}
