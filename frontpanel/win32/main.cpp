// kivpanel: the modem's front panel, a small window and a tray icon showing the modem's live status.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "frontpanel/command_line.h"
#include "frontpanel/win32/front_panel.h"
#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
constexpr char kClassName[] = "KIVAPPL";
constexpr char kPanelWindowName[] = "Panel";
constexpr UINT kRestoreRequest = WM_USER + 2;

FrontPanel* thePanel = nullptr;

// A panel already runs: it is placed as the settings say and asked to show itself, unless the start
// mode read says tray only. This instance's own command line plays no part.
int SignalRunningPanel(FrontPanel& p, HWND running) {
  p.state.mainWindow = reinterpret_cast<WindowHandle>(running);
  p.settings.RestoreWindowPosition(p.state.mainWindow, kPanelWindowName);
  if (p.state.startMode != kStartAsTrayIcon) ::PostMessageA(running, kRestoreRequest, 0, 0);
  return 0;
}

void RegisterPanelClass(FrontPanel& p, const char* commandLine) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;  // a window made from a dialog template with a private class
  windowClass.hInstance = p.instance;
  windowClass.hIcon = ::LoadIconA(p.instance, MAKEINTRESOURCEA(IDI_PANEL));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);

  const CommandLine line = ReadCommandLine(commandLine);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(line.menu);
  std::memcpy(p.state.settingsKeyPath, line.settingsKeyPath, sizeof p.state.settingsKeyPath);
  const bool named = p.settings.ReadSettingString("ModemName", p.state.modemName, sizeof p.state.modemName);
  ComposeTitle(named ? p.state.modemName : nullptr, p.state.panelTitle);
  if (!named) p.state.modemName[0] = '\0';

  windowClass.lpszClassName = kClassName;
  windowClass.hIconSm = ::LoadIconA(p.instance, MAKEINTRESOURCEA(IDI_PANEL));
  ::RegisterClassExA(&windowClass);
}

int RunMessageLoop(FrontPanel& p) {
  MSG message{};
  // Only the quit message ends the loop; an error counts as a message.
  while (::GetMessageA(&message, nullptr, 0, 0) != 0) {
    // Keys go to the statistics dialog first while it is open: F1 to F3 and Esc act only outside it.
    HWND statistics = StatisticsDialogHandle(p);
    if (statistics != nullptr && ::IsDialogMessageA(statistics, &message)) continue;
    if (::TranslateAcceleratorA(reinterpret_cast<HWND>(p.state.mainWindow), p.accelerators, &message))
      continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void ShutDown(FrontPanel& p) {
  p.tray.RemoveTrayIcon();
  p.link.Close();
  p.tray.DestroyTrayIcons();
  p.about.DestroyAboutIcons();
}
}  // namespace

FrontPanel& ThePanel() {
  return *thePanel;
}

}  // namespace kiv

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  using namespace kiv;
  FrontPanel panel(instance);
  thePanel = &panel;

  if (HWND running = ::FindWindowA(kClassName, nullptr)) return SignalRunningPanel(panel, running);

  ::InitCommonControls();
  RegisterPanelClass(panel, commandLine);

  HWND window = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, nullptr, 0);
  panel.state.mainWindow = reinterpret_cast<WindowHandle>(window);
  ::SetWindowTextA(window, panel.state.panelTitle);
  panel.panelWindow.CreateLightTips(instance, window);
  panel.timer.SetWindow(window);
  panel.poller.StartPolling();
  panel.settings.RestoreWindowPosition(panel.state.mainWindow, "Panel");
  const CommandLine line = ReadCommandLine(commandLine);
  if (line.trayStart) {
    panel.state.commandLineTrayStart = 1;
    panel.state.startMode = kStartAsTrayIcon;
  }
  if (panel.state.startMode == kStartAsWindow) ::ShowWindow(window, SW_SHOWNORMAL);

  const int exitCode = RunMessageLoop(panel);
  ShutDown(panel);
  return exitCode;
}
