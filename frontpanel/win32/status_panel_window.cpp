#include "frontpanel/win32/status_panel_window.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>

#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
// The first version of TOOLINFOA, without lParam: what NT 4's common controls know.
constexpr UINT kToolInfoV1Size = offsetof(TOOLINFOA, lParam);
static_assert(sizeof(void*) != 4 || kToolInfoV1Size == 40, "the first record is 40 bytes on x86");
}  // namespace

void StatusPanelWindow::LoadLightBitmaps(HINSTANCE instance) {
  litLight_ = ::LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LIGHT_LIT));
  darkLight_ = ::LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LIGHT_DARK));
}

void StatusPanelWindow::CreateStatusBar(HWND window) {
  window_ = window;
  statusBar_ =
      ::CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM, " ", window, kStatusBarId);
  RECT client{};
  ::GetClientRect(window, &client);
  const PaneEdges edges = ComputePaneEdges(client.right);
  int parts[2] = {edges.mode, edges.call};
  ::SendMessageA(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  panel_.SetModeText("Idle");
  panel_.SetCallText(" ");
  panel_.SetSimpleStatus(true);
}

void StatusPanelWindow::CreateLightTips(HINSTANCE instance, HWND window) {
  tips_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
  if (tips_ == nullptr) return;
  ::SendMessageA(tips_, TTM_ACTIVATE, 1, 0);
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(window, kTipFrameId), &frame);
  // In tool-id order, which differs from the light order for OH and RING.
  for (unsigned toolId = 0x8000; toolId <= 0x8006; ++toolId) {
    for (const LightControls& row : kLightControls) {
      if (row.toolId != toolId) continue;
      RECT area{};
      ::GetWindowRect(::GetDlgItem(window, row.tipAreaControl), &area);
      TOOLINFOA tool{};
      tool.cbSize = kToolInfoV1Size;
      tool.uFlags = TTF_CENTERTIP;
      tool.hwnd = window;
      tool.uId = row.toolId;
      tool.rect = {area.left - frame.left, area.top - frame.top, area.right - frame.left,
                   area.bottom - frame.top};
      tool.lpszText = LPSTR_TEXTCALLBACKA;
      ::SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
}

void StatusPanelWindow::CreatePanelBrush() {
  panelBrush_ = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
}

void StatusPanelWindow::DeletePanelBrush() {
  ::DeleteObject(panelBrush_);
  panelBrush_ = nullptr;
}

void StatusPanelWindow::RenewPanelBrush() {
  DeletePanelBrush();
  CreatePanelBrush();
}

void StatusPanelWindow::SupplyTipText(TOOLTIPTEXTA* info) {
  info->lpszText = info->szText;
  const char* text = LightTipText(info->hdr.idFrom);
  if (text != nullptr) std::memcpy(info->szText, text, std::strlen(text) + 1);
}

void StatusPanelWindow::RelayToTips(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (tips_ == nullptr) return;
  if (message == WM_RBUTTONDOWN) ::MessageBeep(0xFFFFFFFF);
  MSG relayed{};
  relayed.hwnd = window;
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  ::SendMessageA(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

HBRUSH StatusPanelWindow::ColorPanelStatic(HDC dc, HWND control) {
  const LONG id = ::GetWindowLongA(control, GWL_ID);
  if (id == kFirstLightGroupId || id == kSecondLightGroupId) ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  return panelBrush_;
}

void StatusPanelWindow::SetBarText(unsigned part, const char* text) {
  ::SendMessageA(statusBar_, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void StatusPanelWindow::SetBarSimple(bool on) {
  ::SendMessageA(statusBar_, SB_SIMPLE, on ? 1 : 0, 0);
}

void StatusPanelWindow::ShowLight(int control, bool lit) {
  ::SendMessageA(::GetDlgItem(window_, control), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(lit ? litLight_ : darkLight_));
}

void StatusPanelWindow::EnableControl(int control, bool on) {
  ::EnableWindow(::GetDlgItem(window_, control), on ? TRUE : FALSE);
}

}  // namespace kiv
