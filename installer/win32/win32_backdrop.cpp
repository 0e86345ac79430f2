#include "installer/win32/win32_backdrop.h"

#include "installer/win32/resource.h"
#include "installer/win32/splash_window.h"

namespace kiv {

void Win32Backdrop::RegisterSplashClass() {
  kiv::RegisterSplashClass(instance_, settings_);
}

bool Win32Backdrop::CreateSplashWindow(int showCommand) {
  return kiv::CreateSplashWindow(instance_, showCommand);
}

int Win32Backdrop::DialogBoxParamA(int templateId) {
  return static_cast<int>(::DialogBoxParamA(instance_, MAKEINTRESOURCEA(templateId), SplashWindowHandle(),
                                            AlreadyInstalledDialog, 0));
}

void Win32Backdrop::PaintSplashWindow() {
  SplashWindowProc(SplashWindowHandle(), WM_PAINT, 0, 0);
}

// The focus starts on the first tab stop, "Cancel"; Escape and the close box arrive as IDCANCEL.
INT_PTR CALLBACK AlreadyInstalledDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case IDC_UNINSTALL:
        case IDC_REINSTALL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace kiv
