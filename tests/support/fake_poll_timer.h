// A PollTimer kept in memory. It writes its calls, as "SetTimer(0x5555,100)" or "KillTimer(0x5555)",
// into the log it is given, so that a test sharing the RecordingView's log sees timer and view calls
// in the order they happened.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "frontpanel/poll_timer.h"

namespace kiv::testing {

class FakePollTimer : public PollTimer {
 public:
  explicit FakePollTimer(std::vector<std::string>& log) : log_(log) {}

  // Script: SetTimer makes no timer and answers 0.
  bool setTimerFails = false;

  // The timer as the system would hold it: its identifier (0 when none runs) and its period.
  TimerId running = 0;
  std::uint32_t elapseMs = 0;

  TimerId SetTimer(TimerId id, std::uint32_t elapse) override {
    log_.push_back("SetTimer(" + Hex(id) + "," + std::to_string(elapse) + ")");
    if (setTimerFails) return 0;
    // A timer on a window answers with the id it was given.
    running = id;
    elapseMs = elapse;
    return id;
  }

  bool KillTimer(TimerId identifier) override {
    log_.push_back("KillTimer(" + Hex(identifier) + ")");
    if (identifier != running || running == 0) return false;
    running = 0;
    return true;
  }

 private:
  static std::string Hex(TimerId value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
  }

  std::vector<std::string>& log_;
};

}  // namespace kiv::testing
