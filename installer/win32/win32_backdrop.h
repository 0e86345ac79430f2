// Backdrop over the splash window and the "Modem Already Installed" dialog it owns.
#pragma once

#include <windows.h>

#include "installer/installer_settings.h"
#include "installer/user_interface.h"

namespace kiv {

class Win32Backdrop final : public Backdrop {
 public:
  Win32Backdrop(HINSTANCE instance, const InstallerSettings& settings)
      : instance_(instance), settings_(settings) {}

  void RegisterSplashClass() override;
  bool CreateSplashWindow(int showCommand) override;
  int DialogBoxParamA(int templateId) override;
  void PaintSplashWindow() override;

 private:
  HINSTANCE instance_;
  const InstallerSettings& settings_;
};

INT_PTR CALLBACK AlreadyInstalledDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kiv
