#include "frontpanel/win32/statistics_dialog_window.h"

#include <commctrl.h>

#include "frontpanel/win32/front_panel.h"
#include "frontpanel/win32/resource.h"

namespace kiv {

namespace {
constexpr char kStatisticsWindowName[] = "Statistics";
}  // namespace

LRESULT StatisticsDialogWindow::SendToControl(int control, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(::GetDlgItem(dialog_, control), message, wParam, lParam);
}

void StatisticsDialogWindow::EnableControl(int control, bool on) {
  ::EnableWindow(::GetDlgItem(dialog_, control), on ? TRUE : FALSE);
}

void StatisticsDialogWindow::SetTitle(const char* text) {
  ::SetWindowTextA(dialog_, text);
}

void StatisticsDialogWindow::SetControlText(int control, const char* text) {
  ::SetWindowTextA(::GetDlgItem(dialog_, control), text);
}

void StatisticsDialogWindow::SetBar(int bar, std::uint16_t size, std::uint16_t used) {
  SendToControl(bar, PBM_SETRANGE, 0, MAKELPARAM(0, size));
  SendToControl(bar, PBM_SETPOS, used, 0);
}

void StatisticsDialogWindow::SetSliderRange(int low, int high) {
  SendToControl(IDC_RTS_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
}

void StatisticsDialogWindow::SetSliderPosition(int position) {
  SendToControl(IDC_RTS_SLIDER, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
}

int StatisticsDialogWindow::SliderPosition() {
  return static_cast<int>(SendToControl(IDC_RTS_SLIDER, TBM_GETPOS, 0, 0));
}

INT_PTR CALLBACK StatisticsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  FrontPanel& p = ThePanel();
  const WindowHandle handle = reinterpret_cast<WindowHandle>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      p.statisticsWindow.Attach(dialog);
      p.settings.RestoreWindowPosition(handle, kStatisticsWindowName);
      p.statistics.Open(handle);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SET_RTS:
          p.statistics.SendRtsPeriod();
          return FALSE;
        case IDOK:
        case IDCANCEL:
          p.settings.SaveWindowPosition(handle, kStatisticsWindowName);
          ::DestroyWindow(dialog);
          p.statistics.Close();
          p.statisticsWindow.Attach(nullptr);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_NOTIFY:
      // Every notification of the slider, whatever its code, may follow a move.
      if (wParam == IDC_RTS_SLIDER) p.statistics.SliderMoved();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace kiv
