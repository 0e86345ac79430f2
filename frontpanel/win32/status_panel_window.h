// The status panel in the main window: the light bitmaps, the status bar, the tooltips and the
// panel's background brush, and the StatusWidgets the core's StatusPanel drives.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "frontpanel/status_panel.h"

namespace kiv {

class StatusPanelWindow final : public StatusWidgets {
 public:
  explicit StatusPanelWindow(StatusPanel& panel) : panel_(panel) {}

  void LoadLightBitmaps(HINSTANCE instance);
  void CreateStatusBar(HWND window);
  void CreateLightTips(HINSTANCE instance, HWND window);
  void CreatePanelBrush();
  void DeletePanelBrush();
  void RenewPanelBrush();
  void SupplyTipText(TOOLTIPTEXTA* info);
  void RelayToTips(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HBRUSH ColorPanelStatic(HDC dc, HWND control);

  void SetBarText(unsigned part, const char* text) override;
  void SetBarSimple(bool on) override;
  void ShowLight(int control, bool lit) override;
  void EnableControl(int control, bool on) override;

  HWND StatusBar() const { return statusBar_; }

 private:
  StatusPanel& panel_;
  HWND window_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND tips_ = nullptr;
  HBITMAP litLight_ = nullptr;
  HBITMAP darkLight_ = nullptr;
  HBRUSH panelBrush_ = nullptr;
};

}  // namespace kiv
