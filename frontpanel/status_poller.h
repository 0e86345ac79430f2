// Keeps the front panel in step with the driver on one window timer: while the link is closed it tries
// to open it once a second, while open it reads the status ten times a second, relights changed signals
// at once, interprets a changed record on every sixth poll, and feeds the statistics dialog.
#pragma once

#include <cstdint>

#include "frontpanel/driver_link.h"
#include "frontpanel/poll_timer.h"
#include "frontpanel/records.h"
#include "frontpanel/status_interpreter.h"
#include "frontpanel/view_operations.h"

namespace kiv {

enum class PollState { kClosed, kOpen };

inline constexpr std::uint32_t kClosedPollInterval = 1000;  // milliseconds
inline constexpr std::uint32_t kOpenPollInterval = 100;

// WM_POWERBROADCAST events the poller answers; every other one is ignored.
inline constexpr std::uintptr_t kPowerEventSuspend = 4;  // PBT_APMSUSPEND
inline constexpr std::uintptr_t kPowerEventResume = 7;   // PBT_APMRESUMESUSPEND

class StatusPoller {
 public:
  StatusPoller(DriverLink& link, StatusInterpreter& interpreter, ViewOperations& view, PollTimer& timer)
      : link_(link), interpreter_(interpreter), view_(view), timer_(timer) {}

  // Once, after the main window, its status bar and its tooltips exist: the first tick comes a
  // second later.
  void StartPolling();
  // For the main window's WM_TIMER with the poll timer's id.
  void PollTick();
  // For WM_POWERBROADCAST: suspend stops the timer, resume starts it again; the link stays as it is.
  void HandlePowerEvent(std::uintptr_t event);
  // One status poll, returning GetStatus's result. The statistics dialog runs one itself when it opens,
  // in either state.
  LinkResult PollStep();

  // The statistics dialog reads its lowest bit.
  std::uint16_t PollTickCount() const { return pollTickCount_; }
  PollState State() const { return state_; }
  std::uint32_t PollInterval() const { return pollInterval_; }
  TimerId TimerIdentifier() const { return timerIdentifier_; }
  const ModemStatusRecord& CurrentStatus() const { return currentStatus_; }
  // The last record interpreted; its signals are at the same time what the lights show.
  const ModemStatusRecord& LastStatus() const { return lastStatus_; }

 private:
  void OpenStep();
  void ResetToClosed();
  void StartPollTimer();
  void StopPollTimer();
  void SetPollInterval(std::uint32_t milliseconds);

  DriverLink& link_;
  StatusInterpreter& interpreter_;
  ViewOperations& view_;
  PollTimer& timer_;

  PollState state_ = PollState::kClosed;
  std::uint32_t pollInterval_ = kClosedPollInterval;
  TimerId timerIdentifier_ = 0;
  std::uint16_t pollTickCount_ = 0;
  ModemStatusRecord currentStatus_{};
  ModemStatusRecord lastStatus_{};
};

}  // namespace kiv
