// The main window: its creation, its message table and the command table every menu item, accelerator
// key and tray menu item reaches.
#include <windows.h>

#include <commctrl.h>

#include "frontpanel/win32/front_panel.h"
#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
constexpr char kPanelWindowName[] = "Panel";
constexpr UINT kRestoreRequest = WM_USER + 2;  // from a second instance
constexpr char kUninstallMessageName[] = "_MODEM_UNINSTALLED_BY_KIVCPL.CPL";

HWND MainWindowHandle(const FrontPanel& p) {
  return reinterpret_cast<HWND>(p.state.mainWindow);
}

void SaveMainWindow(FrontPanel& p) {
  p.settings.SaveWindowPosition(p.state.mainWindow, kPanelWindowName);
}

LRESULT OnCreate(FrontPanel& p, HWND window) {
  p.panelWindow.LoadLightBitmaps(p.instance);
  p.trayWindow.LoadTrayMenu();
  p.tray.LoadTrayIcons();
  p.tray.AddTrayIcon(reinterpret_cast<WindowHandle>(window));
  p.modes.SetMainMenu(::GetMenu(window));
  p.modes.ApplyAlwaysOnTopCheck();
  p.panelWindow.CreateStatusBar(window);
  p.accelerators = ::LoadAcceleratorsA(p.instance, MAKEINTRESOURCEA(IDA_PANEL));
  p.panelWindow.CreatePanelBrush();
  // No sizing frame: the status bar's panes are laid out once.
  if (HMENU systemMenu = ::GetSystemMenu(window, FALSE)) {
    ::EnableMenuItem(systemMenu, SC_SIZE, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
  }
  p.uninstallMessage = ::RegisterWindowMessageA(kUninstallMessageName);
  return 0;
}

void RunCommand(FrontPanel& p, HWND window, WORD command) {
  switch (command) {
    case IDM_ALWAYS_ON_TOP:
      p.state.alwaysOnTop = p.state.alwaysOnTop == 0 ? 1 : 0;
      p.modes.ApplyAlwaysOnTop();
      break;
    case IDM_START_AS_WINDOW:
      p.state.startMode = kStartAsWindow;
      p.modes.UpdateStartModeChecks();
      break;
    case IDM_START_AS_TRAY_ICON:
      p.state.startMode = kStartAsTrayIcon;
      p.modes.UpdateStartModeChecks();
      break;
    case IDM_EXIT:
      // An open statistics dialog saves its position and closes on IDOK.
      if (HWND statistics = StatisticsDialogHandle(p)) ::SendMessageA(statistics, WM_COMMAND, IDOK, 0);
      SaveMainWindow(p);
      ::PostQuitMessage(0);
      break;
    case IDM_ABOUT:
      // The tray menu still opens while the modal box runs: its About item must not open a second.
      ::EnableMenuItem(p.trayWindow.TrayMenu(), IDM_ABOUT, MF_BYCOMMAND | MF_GRAYED);
      RunAboutDialog(p.instance, window);
      ::EnableMenuItem(p.trayWindow.TrayMenu(), IDM_ABOUT, MF_BYCOMMAND | MF_ENABLED);
      break;
    case IDM_OPEN:
      ::ShowWindow(window, SW_RESTORE);
      ::SetForegroundWindow(window);
      break;
    case IDM_STATISTICS:
      // Only one dialog: an open one just takes the focus. The new one records its own handle.
      if (HWND statistics = StatisticsDialogHandle(p)) {
        ::SetFocus(statistics);
      } else {
        ::CreateDialogParamA(p.instance, MAKEINTRESOURCEA(IDD_STATISTICS), window, StatisticsDialogProc, 0);
      }
      break;
    case IDM_MINIMIZE:
      ::ShowWindow(window, SW_MINIMIZE);
      break;
    case IDM_CONFIGURE:
      ::WinExec("control kivcpl.cpl", SW_SHOWNORMAL);
      break;
    default:
      break;
  }
}

// A second instance asks to see the panel: hidden or shown normal comes to the front, a minimised or
// maximised one stays as it is.
void OnRestoreRequest(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(window, &placement) && placement.showCmd == SW_SHOWNORMAL) {
    ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
  }
}
}  // namespace

void MainWindowModes::UpdateStartModeChecks() {
  ::CheckMenuItem(mainMenu_, IDM_START_AS_WINDOW,
                  MF_BYCOMMAND | (state_.startMode == kStartAsWindow ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(mainMenu_, IDM_START_AS_TRAY_ICON,
                  MF_BYCOMMAND | (state_.startMode != kStartAsWindow ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindowModes::ApplyAlwaysOnTopCheck() {
  ::CheckMenuItem(mainMenu_, IDM_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (state_.alwaysOnTop != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindowModes::ApplyAlwaysOnTop() {
  ApplyAlwaysOnTopCheck();
  ::SetWindowPos(reinterpret_cast<HWND>(state_.mainWindow),
                 state_.alwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FrontPanel& p = ThePanel();
  if (p.uninstallMessage != 0 && message == p.uninstallMessage) RunCommand(p, window, IDM_EXIT);

  switch (message) {
    case WM_CREATE:
      return OnCreate(p, window);
    case WM_DESTROY:
      SaveMainWindow(p);
      p.panelWindow.DeletePanelBrush();
      ::PostQuitMessage(0);
      return 0;
    case WM_CLOSE:
      // The panel goes on in the tray.
      SaveMainWindow(p);
      ::ShowWindow(MainWindowHandle(p), SW_HIDE);
      return 1;
    case WM_SYSCOLORCHANGE:
      p.panelWindow.RenewPanelBrush();
      return 0;
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == TTN_NEEDTEXTA) p.panelWindow.SupplyTipText(reinterpret_cast<TOOLTIPTEXTA*>(lParam));
      return 0;
    }
    case WM_COMMAND:
      RunCommand(p, window, LOWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      if (wParam == SC_SIZE) return 0;
      if (wParam == SC_MAXIMIZE) {
        ::ShowWindow(window, SW_SHOWNORMAL);
        return 0;
      }
      return ::DefWindowProcA(window, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kPollTimerId) p.poller.PollTick();
      return 0;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          p.panelWindow.ColorPanelStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      p.panelWindow.RelayToTips(window, message, wParam, lParam);
      return 0;
    case WM_POWERBROADCAST:
      p.poller.HandlePowerEvent(wParam);
      return 0;
    case kTrayCallbackMessage:
      p.trayWindow.HandleTrayCallback(window, wParam, lParam);
      return 0;
    case kRestoreRequest:
      OnRestoreRequest(window);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace kiv
