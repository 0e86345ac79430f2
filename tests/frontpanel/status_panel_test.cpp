#include "frontpanel/status_panel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kiv {
namespace {

using ::testing::ElementsAre;

// The controls as a person would see them, plus the order in which they were touched.
struct FakeWidgets : StatusWidgets {
  std::vector<std::string> calls;
  std::string paneText[2];
  std::string simpleText;
  bool simple = false;

  void SetBarText(unsigned part, const char* text) override {
    calls.push_back("text " + std::to_string(part) + " " + text);
    if ((part & 0xFF) == 0xFF) simpleText = text;
    if ((part & 0xFF) < 2) paneText[part & 0xFF] = text;
  }
  void SetBarSimple(bool on) override { simple = on; }
  // What the bar shows in its mode pane, or across its whole width in simple mode.
  std::string ModeShown() const { return simple ? simpleText : paneText[0]; }
  void ShowLight(int control, bool lit) override {
    calls.push_back("light " + std::to_string(control) + (lit ? " lit" : " dark"));
  }
  void EnableControl(int control, bool on) override {
    calls.push_back("enable " + std::to_string(control) + (on ? " on" : " off"));
  }
};

TEST(StatusPanelTest, ModeTextIsCurrentInEitherMode) {
  FakeWidgets widgets;
  StatusPanel panel(widgets);
  panel.SetSimpleStatus(true);
  panel.SetModeText("Idle");
  EXPECT_EQ(widgets.ModeShown(), "Idle");
  panel.SetModeText("Data mode");  // while simple: shown at once
  EXPECT_EQ(widgets.ModeShown(), "Data mode");
  panel.SetSimpleStatus(false);  // and the mode pane already holds it
  EXPECT_EQ(widgets.ModeShown(), "Data mode");
  panel.SetCallText(" ");
  EXPECT_EQ(widgets.paneText[1], " ");
  EXPECT_THAT(widgets.calls, ElementsAre("text 512 Idle", "text 767 Idle", "text 512 Data mode",
                                         "text 767 Data mode", "text 1  "));
}

TEST(StatusPanelTest, LightsAndGroupsReachTheirControlsInTableOrder) {
  FakeWidgets widgets;
  StatusPanel panel(widgets);
  panel.SetLight(Light::kCd, true);
  panel.SetLight(Light::kOh, false);
  panel.ClearLights();
  panel.EnableLightGroups(true);
  EXPECT_THAT(widgets.calls,
              ElementsAre("light 1002 lit", "light 1006 dark", "light 1000 dark", "light 1001 dark",
                          "light 1013 dark", "light 1014 dark", "light 1002 dark", "light 1006 dark",
                          "light 1003 dark", "enable 1015 on", "enable 1017 on"));
}

TEST(StatusPanelTest, PaneEdgesTruncateEachProductOnItsOwn) {
  const struct { int width, mode, call; } cases[] = {{333, 99, 332}, {320, 96, 320}, {0, 0, 0}, {1, 0, 0}};
  for (const auto& c : cases) {
    const PaneEdges edges = ComputePaneEdges(c.width);
    EXPECT_EQ(edges.mode, c.mode) << c.width;
    EXPECT_EQ(edges.call, c.call) << c.width;
  }
}

TEST(StatusPanelTest, TipTextsFollowTheToolIds) {
  EXPECT_STREQ(LightTipText(0x8000), "Data Terminal Ready");
  EXPECT_STREQ(LightTipText(0x8005), "Ring Indicate");
  EXPECT_STREQ(LightTipText(0x8006), "Off Hook");
  EXPECT_EQ(LightTipText(0x7FFF), nullptr);
  EXPECT_EQ(LightTipText(0x8007), nullptr);
  // Tool 0x8006 covers the OH tip area, 1011, not RING's 1010.
  EXPECT_EQ(kLightControls[5].toolId, 0x8006u);
  EXPECT_EQ(kLightControls[5].tipAreaControl, 1011);
  // The light rows follow the view's light table.
  for (std::size_t i = 0; i < kLightControls.size(); ++i)
    EXPECT_EQ(kLightControls[i].light, kLightTable[i].light);
}

}  // namespace
}  // namespace kiv
