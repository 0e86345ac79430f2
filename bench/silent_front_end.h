// The screen and the timer with nothing behind them: the view only counts the calls it receives, the
// timer always answers with its id.
#pragma once

#include <cstdint>

#include "frontpanel/poll_timer.h"
#include "frontpanel/view_operations.h"

namespace kiv::bench {

class SilentView : public ViewOperations {
 public:
  std::uint64_t calls = 0;

  void SetModeText(const char*) override { ++calls; }
  void SetCallText(const char*) override { ++calls; }
  void SetSimpleStatus(bool) override { ++calls; }
  void SetLight(Light, bool) override { ++calls; }
  void ClearLights() override { ++calls; }
  void EnableLightGroups(bool) override { ++calls; }
  void SetTrayState(TraySlot) override { ++calls; }
  void SetTrayTip(const char*) override { ++calls; }
  bool IsStatisticsOpen() override { return false; }
  bool StatisticsActive() override { return false; }
  void PollStatistics() override { ++calls; }
  void SetStatisticsActive(bool) override { ++calls; }
};

class SilentTimer : public PollTimer {
 public:
  TimerId SetTimer(TimerId id, std::uint32_t) override { return id; }
  bool KillTimer(TimerId) override { return true; }
};

}  // namespace kiv::bench
