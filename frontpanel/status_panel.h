// The main window's content as the status logic sees it: seven lights in two groups and a status bar
// with a mode pane, a call pane and a simple mode. The controls are reached through StatusWidgets.
#pragma once

#include <array>
#include <cstdint>

#include "frontpanel/view_operations.h"

namespace kiv {

inline constexpr int kStatusBarId = 4660;
inline constexpr int kFirstLightGroupId = 1015;
inline constexpr int kSecondLightGroupId = 1017;
inline constexpr int kTipFrameId = 1016;

// SB_SETTEXTA's part argument: pane 0 raised, the simple-mode text raised, pane 1 sunken.
inline constexpr unsigned kModePanePart = 0x0200;
inline constexpr unsigned kSimpleTextPart = 0x02FF;
inline constexpr unsigned kCallPanePart = 1;

struct LightControls {
  Light light;
  int lightControl;
  unsigned toolId;
  int tipAreaControl;
  const char* tipText;
};

// In light-table order; the tool ids of OH and RING are the other way round.
inline constexpr std::array<LightControls, 7> kLightControls = {{
    {Light::kDtr, 1000, 0x8000, 1008, "Data Terminal Ready"},
    {Light::kRts, 1001, 0x8001, 1005, "Request to Send"},
    {Light::kDsr, 1013, 0x8002, 1007, "Data Set Ready"},
    {Light::kCts, 1014, 0x8003, 1012, "Clear to Send"},
    {Light::kCd, 1002, 0x8004, 1009, "Carrier Detect"},
    {Light::kOh, 1006, 0x8006, 1011, "Off Hook"},
    {Light::kRing, 1003, 0x8005, 1010, "Ring Indicate"},
}};

// The light's name for a tooltip's text request; null for a tool id that is not a light's.
const char* LightTipText(std::uintptr_t toolId);

// The right edges of the two panes for a client width; each product is truncated on its own.
struct PaneEdges {
  int mode;
  int call;
};
PaneEdges ComputePaneEdges(int clientWidth);

class StatusWidgets {
 public:
  virtual ~StatusWidgets() = default;
  virtual void SetBarText(unsigned part, const char* text) = 0;  // SB_SETTEXTA
  virtual void SetBarSimple(bool on) = 0;                        // SB_SIMPLE
  virtual void ShowLight(int control, bool lit) = 0;             // STM_SETIMAGE, lit or dark bitmap
  virtual void EnableControl(int control, bool on) = 0;
};

class StatusPanel {
 public:
  explicit StatusPanel(StatusWidgets& widgets) : widgets_(widgets) {}

  // The mode text goes to pane 0 and to the simple-mode text, so it is current in either mode.
  void SetModeText(const char* text);
  void SetCallText(const char* text);
  void SetSimpleStatus(bool on);
  void SetLight(Light light, bool on);
  void ClearLights();
  void EnableLightGroups(bool on);

 private:
  StatusWidgets& widgets_;
};

}  // namespace kiv
