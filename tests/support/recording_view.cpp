#include "tests/support/recording_view.h"

#include <utility>

namespace kiv::testing {

namespace {
const char* OnOff(bool on) {
  return on ? "on" : "off";
}
}  // namespace

const char* TraySlotName(TraySlot slot) {
  switch (slot) {
    case TraySlot::kIdle:
      return "IDLE";
    case TraySlot::kOrig:
      return "ORIG";
    case TraySlot::kAnsw:
      return "ANSW";
    case TraySlot::kConnected:
      return "CONNECTED";
    case TraySlot::kDisc:
      return "DISC";
    case TraySlot::kRetrain:
      return "RETRAIN";
  }
  return "out-of-range";
}

std::vector<std::string> RecordingView::Take() {
  return std::exchange(calls, {});
}

void RecordingView::SetModeText(const char* text) {
  calls.push_back(std::string("SetModeText(") + text + ")");
}
void RecordingView::SetCallText(const char* text) {
  calls.push_back(std::string("SetCallText(") + text + ")");
}
void RecordingView::SetSimpleStatus(bool on) {
  calls.push_back(std::string("SetSimpleStatus(") + OnOff(on) + ")");
}
void RecordingView::SetLight(Light light, bool on) {
  calls.push_back(std::string("SetLight(") + kLightTable[static_cast<std::size_t>(light)].abbreviation + "," +
                  OnOff(on) + ")");
}
void RecordingView::ClearLights() {
  calls.push_back("ClearLights");
}
void RecordingView::EnableLightGroups(bool on) {
  calls.push_back(std::string("EnableLightGroups(") + OnOff(on) + ")");
}
void RecordingView::SetTrayState(TraySlot slot) {
  calls.push_back(std::string("SetTrayState(") + TraySlotName(slot) + ")");
}
void RecordingView::SetTrayTip(const char* text) {
  calls.push_back(std::string("SetTrayTip(") + text + ")");
}
void RecordingView::PollStatistics() {
  calls.push_back("PollStatistics");
}
void RecordingView::SetStatisticsActive(bool on) {
  calls.push_back(std::string("SetStatisticsActive(") + OnOff(on) + ")");
}

}  // namespace kiv::testing
