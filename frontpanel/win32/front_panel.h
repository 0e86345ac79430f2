// The front panel program's one set of objects: the program-wide state, the core and the windows that
// carry out its view operations. WinMain owns it; the main window procedure reaches it through
// ThePanel().
#pragma once

#include <windows.h>

#include "frontpanel/driver_link.h"
#include "frontpanel/panel_state.h"
#include "frontpanel/panel_view.h"
#include "frontpanel/settings_store.h"
#include "frontpanel/statistics_dialog.h"
#include "frontpanel/status_interpreter.h"
#include "frontpanel/status_panel.h"
#include "frontpanel/status_poller.h"
#include "frontpanel/tray_icon.h"
#include "frontpanel/win32/about_dialog_window.h"
#include "frontpanel/win32/statistics_dialog_window.h"
#include "frontpanel/win32/status_panel_window.h"
#include "frontpanel/win32/tray_icon_window.h"
#include "frontpanel/win32/win32_device_access.h"
#include "frontpanel/win32/win32_poll_timer.h"
#include "frontpanel/win32/win32_settings_platform.h"

namespace kiv {

// The check marks and topmost state that follow the panel's modes.
class MainWindowModes final : public PanelModes {
 public:
  explicit MainWindowModes(PanelState& state) : state_(state) {}
  void SetMainMenu(HMENU menu) { mainMenu_ = menu; }
  void UpdateStartModeChecks() override;
  void ApplyAlwaysOnTop() override;
  // The check mark alone, as the window's creation sets it before the window can be placed.
  void ApplyAlwaysOnTopCheck();

 private:
  PanelState& state_;
  HMENU mainMenu_ = nullptr;
};

struct FrontPanel {
  explicit FrontPanel(HINSTANCE instance) : instance(instance) {}

  HINSTANCE instance;
  PanelState state;
  MainWindowModes modes{state};
  Win32SettingsPlatform settingsPlatform;
  SettingsStore settings{state, settingsPlatform, modes};

  StatusPanelWindow panelWindow{panel};
  StatusPanel panel{panelWindow};
  TrayIconWindow trayWindow{instance, settings};
  TrayIcon tray{trayWindow};
  AboutDialogWindow aboutWindow{instance, settings};
  AboutAnimation about{aboutWindow};
  UINT_PTR aboutTimer = 0;  // the About box's animation timer, 0 while none runs
  PanelView view{panel, tray, statistics};

  Win32DeviceAccess device;
  DriverLink link{device, view};
  StatusInterpreter interpreter{view};
  Win32PollTimer timer;
  StatusPoller poller{link, interpreter, view, timer};

  StatisticsDialogWindow statisticsWindow;
  StatisticsDialog statistics{statisticsWindow, link, poller, state.modemName};

  HACCEL accelerators = nullptr;
  UINT uninstallMessage = 0;
};

// The modeless statistics dialog, null exactly while it is not open.
inline HWND StatisticsDialogHandle(const FrontPanel& p) {
  return reinterpret_cast<HWND>(p.statistics.Window());
}

FrontPanel& ThePanel();

// The window procedure of the class "KIVAPPL".
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kiv
