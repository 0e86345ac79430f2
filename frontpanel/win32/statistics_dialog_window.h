// The modeless statistics dialog of template 102: its dialog procedure and the StatisticsWidgets the
// core's StatisticsDialog drives through the dialog's controls.
#pragma once

#include <windows.h>

#include "frontpanel/statistics_dialog.h"

namespace kiv {

class StatisticsDialogWindow final : public StatisticsWidgets {
 public:
  // From WM_INITDIALOG until the dialog is destroyed.
  void Attach(HWND dialog) { dialog_ = dialog; }

  void EnableControl(int control, bool on) override;
  void SetTitle(const char* text) override;
  void SetControlText(int control, const char* text) override;
  void SetBar(int bar, std::uint16_t size, std::uint16_t used) override;
  void SetSliderRange(int low, int high) override;
  void SetSliderPosition(int position) override;
  int SliderPosition() override;

 private:
  LRESULT SendToControl(int control, UINT message, WPARAM wParam, LPARAM lParam);

  HWND dialog_ = nullptr;
};

// The dialog procedure for template 102, created modeless with parameter 0.
INT_PTR CALLBACK StatisticsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kiv
