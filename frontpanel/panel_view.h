// The view operations as the front panel carries them out: the status panel, the tray icon and the
// statistics dialog.
#pragma once

#include "frontpanel/statistics_dialog.h"
#include "frontpanel/status_panel.h"
#include "frontpanel/tray_icon.h"
#include "frontpanel/view_operations.h"

namespace kiv {

class PanelView final : public ViewOperations {
 public:
  PanelView(StatusPanel& panel, TrayIcon& tray, StatisticsDialog& statistics)
      : panel_(panel), tray_(tray), statistics_(statistics) {}

  void SetModeText(const char* text) override { panel_.SetModeText(text); }
  void SetCallText(const char* text) override { panel_.SetCallText(text); }
  void SetSimpleStatus(bool on) override { panel_.SetSimpleStatus(on); }
  void SetLight(Light light, bool on) override { panel_.SetLight(light, on); }
  void ClearLights() override { panel_.ClearLights(); }
  void EnableLightGroups(bool on) override { panel_.EnableLightGroups(on); }
  void SetTrayState(TraySlot slot) override { tray_.SetTrayState(slot); }
  void SetTrayTip(const char* text) override { tray_.SetTrayTip(text); }
  bool IsStatisticsOpen() override { return statistics_.IsOpen(); }
  bool StatisticsActive() override { return statistics_.Active(); }
  void PollStatistics() override { statistics_.Poll(); }
  void SetStatisticsActive(bool on) override { statistics_.SetActive(on); }

 private:
  StatusPanel& panel_;
  TrayIcon& tray_;
  StatisticsDialog& statistics_;
};

}  // namespace kiv
