// The installer's backdrop: a large teal window behind every question the installer asks, with the
// picture "setup.bmp" in its middle and the modem's name as a title, and the owner of the "Modem
// Already Installed" dialog. The program has no message loop; the modal loops of the boxes and the
// dialog dispatch this window's messages, and the uninstallation paints it directly while it waits.
#pragma once

#include <windows.h>

#include "installer/installer_settings.h"

namespace kiv {

inline constexpr int kSplashAboutCommand = 104;
inline constexpr int kSplashCloseCommand = 105;

// The class is named by the settings' windowClass; they must outlive the window.
void RegisterSplashClass(HINSTANCE instance, const InstallerSettings& settings);
bool CreateSplashWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// None until CreateSplashWindow succeeds.
HWND SplashWindowHandle();

// The whole file, kept for the rest of the process; false when it cannot be read or is no bitmap the
// backdrop can draw.
bool LoadSplashBitmap(const char* fileName);
// Centred in the client area; nothing without a picture.
void DrawSplashBitmap(HDC dc, int clientWidth, int clientHeight);

INT_PTR CALLBACK InstallerAboutBox(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kiv
