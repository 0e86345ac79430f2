// The poll timer as a window timer on the main window: each expiry arrives as its WM_TIMER.
#pragma once

#include <windows.h>

#include "frontpanel/poll_timer.h"

namespace kiv {

class Win32PollTimer final : public PollTimer {
 public:
  void SetWindow(HWND window) { window_ = window; }
  TimerId SetTimer(TimerId id, std::uint32_t elapseMs) override {
    return ::SetTimer(window_, id, elapseMs, nullptr);
  }
  bool KillTimer(TimerId identifier) override { return ::KillTimer(window_, identifier) != FALSE; }

 private:
  HWND window_ = nullptr;
};

}  // namespace kiv
