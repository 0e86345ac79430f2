#include "frontpanel/win32/about_dialog_window.h"

#include "frontpanel/win32/front_panel.h"
#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
ScreenRect ToScreenRect(const RECT& r) {
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// The picture is drawn straight into the control: a repaint of the control shows icon 118 again
// until the next tick.
VOID CALLBACK AdvanceAboutIcon(HWND dialog, UINT, UINT_PTR, DWORD) {
  const IconHandle icon = ThePanel().about.AdvanceAboutIcon();
  HWND picture = ::GetDlgItem(dialog, IDC_ABOUT_PICTURE);
  HDC dc = ::GetDC(picture);
  if (dc == nullptr) return;
  if (icon != 0) ::DrawIcon(dc, 0, 0, reinterpret_cast<HICON>(icon));
  ::ReleaseDC(picture, dc);
}

void StartAbout(FrontPanel& p, HWND dialog) {
  CenterOverParent(dialog, ::GetParent(dialog));
  p.about.LoadAboutIcons();
  ::SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, p.state.panelTitle);
  ::SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kAboutVersionText);
  ::SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE_1, kAboutNoticeLine1);
  ::SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE_2, kAboutNoticeLine2);
  p.aboutTimer = ::SetTimer(dialog, kAboutTimerId, kAboutTimerPeriodMs, AdvanceAboutIcon);
}

void CloseAbout(FrontPanel& p, HWND dialog) {
  if (p.aboutTimer != 0) {
    ::KillTimer(dialog, p.aboutTimer);
    p.aboutTimer = 0;
  }
  p.about.DestroyAboutIcons();
  ::EndDialog(dialog, 0);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  FrontPanel& p = ThePanel();
  if (message == WM_INITDIALOG) {
    StartAbout(p, dialog);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    CloseAbout(p, dialog);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

IconHandle AboutDialogWindow::LoadIconA(int resource) {
  return reinterpret_cast<IconHandle>(::LoadIconA(instance_, MAKEINTRESOURCEA(resource)));
}

void AboutDialogWindow::DestroyIcon(IconHandle icon) {
  ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

void RunAboutDialog(HINSTANCE instance, HWND mainWindow) {
  ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), mainWindow, AboutDialogProc, 0);
}

void CenterOverParent(HWND window, HWND parent) {
  RECT own{};
  RECT over{};
  ::GetWindowRect(window, &own);
  ::GetWindowRect(parent, &over);
  RECT area{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const ScreenPoint at = CenterOverParent(ToScreenRect(own), ToScreenRect(over), ToScreenRect(area));
  ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace kiv
