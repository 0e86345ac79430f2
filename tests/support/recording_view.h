// A ViewOperations that writes down every visible call, in order, as readable text such as
// "SetModeText(Idle mode)" or "SetLight(DTR,on)", so a test can state exactly what the user would see
// happen. The two queries answer from plain fields and are not written down.
#pragma once

#include <string>
#include <vector>

#include "frontpanel/view_operations.h"

namespace kiv::testing {

class RecordingView : public ViewOperations {
 public:
  std::vector<std::string> calls;
  bool statisticsOpen = false;
  bool statisticsActive = false;

  // Returns the calls recorded so far and forgets them.
  std::vector<std::string> Take();

  void SetModeText(const char* text) override;
  void SetCallText(const char* text) override;
  void SetSimpleStatus(bool on) override;
  void SetLight(Light light, bool on) override;
  void ClearLights() override;
  void EnableLightGroups(bool on) override;
  void SetTrayState(TraySlot slot) override;
  void SetTrayTip(const char* text) override;
  bool IsStatisticsOpen() override { return statisticsOpen; }
  bool StatisticsActive() override { return statisticsActive; }
  void PollStatistics() override;
  void SetStatisticsActive(bool on) override;
};

const char* TraySlotName(TraySlot slot);

}  // namespace kiv::testing
