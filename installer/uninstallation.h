// Taking the driver out again: the service is stopped and deleted, the user is told to remove the
// modem in the system's modem control panel, which a second thread opens while the main thread keeps
// the backdrop drawn; once the panel is closed the uninstall entry and the start-menu shortcut go.
// The copied files, the program directory and the Parameters values stay.
#pragma once

#include <atomic>

#include "installer/file_system.h"
#include "installer/installer_settings.h"
#include "installer/modem_control_panel.h"
#include "installer/processes.h"
#include "installer/registry.h"
#include "installer/service_control.h"
#include "installer/system_info.h"
#include "installer/threads.h"
#include "installer/user_interface.h"

namespace kiv {

inline constexpr std::uint32_t kUninstallWaitMs = 10;

struct UninstallationPlatform {
  ServiceControl& services;
  Registry& registry;
  FileSystem& files;
  MessageBoxes& boxes;
  Processes& processes;
  SystemInfo& system;
  Threads& threads;
  Backdrop& backdrop;
};

class Uninstallation final : private ThreadBody {
 public:
  Uninstallation(const InstallerSettings& settings, const UninstallationPlatform& platform)
      : settings_(settings), p_(platform) {}

  // Always succeeds; waits, without a time limit, until the user has closed the modem control panel.
  bool UninstallModem();

  bool RemoveDriverService();
  // The second thread's body: the notice, the modem control panel, then uninstallNoticeDone.
  void UninstallNoticeThread();
  void RemoveShortcuts();

  bool UninstallNoticeDone() const { return uninstallNoticeDone_.load(); }

 private:
  void Run() override { UninstallNoticeThread(); }

  const InstallerSettings& settings_;
  UninstallationPlatform p_;
  // Shared with the second thread, which sets it once as its last action.
  std::atomic<bool> uninstallNoticeDone_{false};
};

}  // namespace kiv
