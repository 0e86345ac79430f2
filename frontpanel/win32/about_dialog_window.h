// The About box as a modal dialog of template 113: the core's animation icons loaded and released
// with real calls, and the dialog and timer procedures.
#pragma once

#include <windows.h>

#include "frontpanel/about_dialog.h"
#include "frontpanel/settings_store.h"

namespace kiv {

class AboutDialogWindow final : public AboutPlatform {
 public:
  AboutDialogWindow(HINSTANCE instance, SettingsStore& settings) : instance_(instance), settings_(settings) {}

  IconHandle LoadIconA(int resource) override;
  void DestroyIcon(IconHandle icon) override;
  void ShowNotice(const char* caption, const char* text) override { settings_.ShowNotice(caption, text); }

 private:
  HINSTANCE instance_;
  SettingsStore& settings_;
};

// Runs the About box modally over the main window; returns when it has closed.
void RunAboutDialog(HINSTANCE instance, HWND mainWindow);

// Places a window centred over another, inside the work area.
void CenterOverParent(HWND window, HWND parent);

}  // namespace kiv
