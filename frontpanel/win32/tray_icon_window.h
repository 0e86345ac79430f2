// The tray icon over the shell's notification area, and its pop-up menu.
#pragma once

#include <windows.h>

#include "frontpanel/settings_store.h"
#include "frontpanel/tray_icon.h"

namespace kiv {

class TrayIconWindow final : public TrayPlatform {
 public:
  TrayIconWindow(HINSTANCE instance, SettingsStore& settings) : instance_(instance), settings_(settings) {}

  void LoadTrayMenu();
  HMENU TrayMenu() const { return trayMenu_; }
  // Message 1025: a right-button press opens the menu, a double click opens the main window.
  void HandleTrayCallback(HWND window, WPARAM id, LPARAM event);

  IconHandle LoadIconA(int resource) override;
  void ShellNotifyIcon(TrayRequest request, const TrayRecord& record) override;
  void DestroyIcon(IconHandle icon) override;
  void ShowNotice(const char* caption, const char* text) override { settings_.ShowNotice(caption, text); }

 private:
  HINSTANCE instance_;
  SettingsStore& settings_;
  HMENU trayMenu_ = nullptr;
};

}  // namespace kiv
