// The installer's backdrop: a large teal window behind every question the installer asks, and the
// owner of the "Modem Already Installed" dialog. The program has no message loop; the modal loops of
// the boxes and the dialog dispatch this window's messages.
#pragma once

#include <windows.h>

#include "installer/installer_settings.h"

namespace kiv {

// The class is named by the settings' windowClass; they must outlive the window.
void RegisterSplashClass(HINSTANCE instance, const InstallerSettings& settings);
bool CreateSplashWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// None until CreateSplashWindow succeeds.
HWND SplashWindowHandle();

}  // namespace kiv
