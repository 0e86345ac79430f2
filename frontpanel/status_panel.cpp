#include "frontpanel/status_panel.h"

namespace kiv {

const char* LightTipText(std::uintptr_t toolId) {
  for (const LightControls& row : kLightControls) {
    if (row.toolId == toolId) return row.tipText;
  }
  return nullptr;
}

PaneEdges ComputePaneEdges(int clientWidth) {
  const int mode = 30 * clientWidth / 100;
  return {mode, mode + 70 * clientWidth / 100};
}

void StatusPanel::SetModeText(const char* text) {
  widgets_.SetBarText(kModePanePart, text);
  widgets_.SetBarText(kSimpleTextPart, text);
}

void StatusPanel::SetCallText(const char* text) {
  widgets_.SetBarText(kCallPanePart, text);
}

void StatusPanel::SetSimpleStatus(bool on) {
  widgets_.SetBarSimple(on);
}

void StatusPanel::SetLight(Light light, bool on) {
  for (const LightControls& row : kLightControls) {
    if (row.light == light) widgets_.ShowLight(row.lightControl, on);
  }
}

void StatusPanel::ClearLights() {
  for (const LightControls& row : kLightControls) widgets_.ShowLight(row.lightControl, false);
}

void StatusPanel::EnableLightGroups(bool on) {
  widgets_.EnableControl(kFirstLightGroupId, on);
  widgets_.EnableControl(kSecondLightGroupId, on);
}

}  // namespace kiv
