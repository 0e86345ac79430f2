#include "installer/uninstallation.h"

#include "installer/installation.h"
#include "installer/text_buffers.h"

namespace kiv {

namespace {

// The notice's fixed words plus a full modem name fit.
using NoticeText = char[200];

}  // namespace

bool Uninstallation::UninstallModem() {
  RemoveDriverService();

  if (!p_.threads.CreateThread(*this)) {
    // Waiting for a thread that never ran would never end: the notice and the panel run here
    // instead. The notice box's modal loop still serves the backdrop; while the panel runs it is
    // not repainted.
    UninstallNoticeThread();
  }
  while (!uninstallNoticeDone_.load()) {
    p_.system.Sleep(kUninstallWaitMs);
    p_.backdrop.PaintSplashWindow();
  }

  char keyPath[kPathSize];
  if (FormatText(keyPath, sizeof keyPath, kUninstallKeyFormat, settings_.oemName)) {
    p_.registry.RegDeleteKeyA(kHKeyLocalMachine, keyPath);
  }
  RemoveShortcuts();
  return true;
}

// Nothing is examined: a missing service, or one that will not stop, does not hold up the rest; the
// system deletes a running service once it has stopped.
bool Uninstallation::RemoveDriverService() {
  const ServiceHandle manager = p_.services.OpenSCManagerA(nullptr, nullptr, kScManagerAllAccess);
  if (manager == 0) return true;
  const ServiceHandle service = p_.services.OpenServiceA(manager, settings_.serviceName, kServiceAllAccess);
  if (service != 0) {
    p_.services.ControlService(service, kServiceControlStop);
    p_.services.DeleteService(service);
    p_.services.CloseServiceHandle(service);
  }
  p_.services.CloseServiceHandle(manager);
  return true;
}

void Uninstallation::UninstallNoticeThread() {
  NoticeText notice;
  FormatText(notice, sizeof notice,
             "You may remove the\n%s\nmodem from the modem control panel\nif it is there.",
             settings_.modemName);
  p_.boxes.MessageBoxA(notice, "Modem uninstall", kMbTopmost | kMbIconInformation);
  RunModemControlPanel(p_.processes, settings_, kModemPanelArguments);
  // The last action: once the main thread sees it, this object may go.
  uninstallNoticeDone_.store(true);
}

// A path that does not fit would name another file: nothing is removed then.
void Uninstallation::RemoveShortcuts() {
  char folder[kPathSize];
  char shortcut[kPathSize];
  if (!FormatText(folder, sizeof folder, kStartMenuFolderFormat, settings_.windowsDir, settings_.oemName) ||
      !FormatText(shortcut, sizeof shortcut, "%s\\%s", folder, settings_.shortcutFile)) {
    return;
  }
  p_.files.DeleteFileA(shortcut);
  p_.files.RemoveDirectoryA(folder);
}

}  // namespace kiv
