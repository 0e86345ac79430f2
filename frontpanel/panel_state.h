// The front panel's program-wide state, shared by program entry, the main window, the settings store
// and the dialogs. The program owns one; tests make their own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kiv {

// A window as the platform names it; 0 is no window.
using WindowHandle = std::uintptr_t;

// The fixed text buffers: settings texts, the title and the key path.
inline constexpr std::size_t kPanelTextSize = 80;

// StartMode values; any other non-zero value read from the settings acts as kStartAsTrayIcon.
inline constexpr int kStartAsWindow = 0;
inline constexpr int kStartAsTrayIcon = 1;

struct PanelState {
  WindowHandle mainWindow = 0;
  char settingsKeyPath[kPanelTextSize] = {};  // under HKEY_LOCAL_MACHINE; empty addresses the root
  char modemName[kPanelTextSize] = {};
  char panelTitle[kPanelTextSize] = {};
  int alwaysOnTop = 0;
  int startMode = kStartAsWindow;
  int commandLineTrayStart = 0;  // "/i" or "/I": tray-only start, StartMode never saved
};

}  // namespace kiv
