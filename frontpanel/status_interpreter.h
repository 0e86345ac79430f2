// Turns the driver's status record into what the user sees: the signal lights, the mode and call
// panes, the tray tip and the tray picture. It keeps no state; what the lights show is the caller's.
#pragma once

#include <cstdint>

#include "frontpanel/records.h"
#include "frontpanel/view_operations.h"

namespace kiv {

class StatusInterpreter {
 public:
  explicit StatusInterpreter(ViewOperations& view) : view_(view) {}

  // Relights exactly the lights whose bits differ between the signals the lights show and the new ones.
  void UpdateSignalLights(std::uint32_t shownSignals, std::uint32_t newSignals) const;
  // Rewrites the mode and call texts, the tray tip and the tray picture from a changed record.
  void InterpretStatus(const ModemStatusRecord& record) const;

 private:
  void ShowDataConnection(const ModemStatusRecord& record) const;
  void ShowFaxConnection(const ModemStatusRecord& record) const;
  void ShowCallState(const ModemStatusRecord& record) const;

  ViewOperations& view_;
};

}  // namespace kiv
