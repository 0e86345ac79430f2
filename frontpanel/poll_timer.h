// The main window's poll timer, as the poller asks for it: the Win32 layer calls SetTimer and KillTimer
// on the main window, tests and benchmarks keep it in memory.
#pragma once

#include <cstdint>

namespace kiv {

using TimerId = std::uintptr_t;

// Each expiry arrives as the main window's WM_TIMER with this id; there is no timer procedure.
inline constexpr TimerId kPollTimerId = 0x5555;

class PollTimer {
 public:
  virtual ~PollTimer() = default;

  // Returns the running timer's identifier, 0 when no timer was made.
  virtual TimerId SetTimer(TimerId id, std::uint32_t elapseMs) = 0;
  virtual bool KillTimer(TimerId identifier) = 0;
};

}  // namespace kiv
