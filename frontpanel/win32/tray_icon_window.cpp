#include "frontpanel/win32/tray_icon_window.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
// The first version of NOTIFYICONDATAA, with its 64-byte tip: what NT 4's shell knows. The headers
// give the newest record's size whatever _WIN32_IE says.
constexpr DWORD kNotifyIconV1Size = offsetof(NOTIFYICONDATAA, szTip) + 64;
static_assert(sizeof(void*) != 4 || kNotifyIconV1Size == 88, "the first record is 88 bytes on x86");
}  // namespace

void TrayIconWindow::LoadTrayMenu() {
  trayMenu_ = ::GetSubMenu(::LoadMenuA(instance_, MAKEINTRESOURCEA(IDM_TRAY)), 0);
}

void TrayIconWindow::HandleTrayCallback(HWND window, WPARAM id, LPARAM event) {
  if (id != kTrayIconId) return;
  if (event == WM_RBUTTONDOWN) {
    // Without the foreground the menu would not close when the user clicks elsewhere, and without the
    // message after it the next opening could close at once.
    ::SetForegroundWindow(window);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(trayMenu_, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    ::PostMessageA(window, WM_USER, 0, 0);
  } else if (event == WM_LBUTTONDBLCLK) {
    ::PostMessageA(window, WM_COMMAND, IDM_OPEN, 0);
  }
}

IconHandle TrayIconWindow::LoadIconA(int resource) {
  return reinterpret_cast<IconHandle>(::LoadIconA(instance_, MAKEINTRESOURCEA(resource)));
}

void TrayIconWindow::ShellNotifyIcon(TrayRequest request, const TrayRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = kNotifyIconV1Size;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  std::memcpy(data.szTip, record.tip, sizeof record.tip);
  ::Shell_NotifyIconA(static_cast<DWORD>(request), &data);
}

void TrayIconWindow::DestroyIcon(IconHandle icon) {
  ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

}  // namespace kiv
