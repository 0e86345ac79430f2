#include "frontpanel/tray_icon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kiv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Icons are their resource number plus 1000; a resource in failing does not load.
struct FakeTrayPlatform : TrayPlatform {
  std::set<int> failing;
  std::vector<std::string> requests;  // "add|modify|delete <icon> <tip>"
  std::vector<IconHandle> destroyed;
  std::vector<std::string> notices;

  IconHandle LoadIconA(int resource) override {
    return failing.count(resource) ? 0 : static_cast<IconHandle>(resource + 1000);
  }
  void ShellNotifyIcon(TrayRequest request, const TrayRecord& record) override {
    static const char* const kNames[] = {"add", "modify", "delete"};
    requests.push_back(std::string(kNames[static_cast<int>(request)]) + " " + std::to_string(record.icon) +
                       " " + record.tip);
  }
  void DestroyIcon(IconHandle icon) override { destroyed.push_back(icon); }
  void ShowNotice(const char* caption, const char* text) override {
    notices.push_back(std::string(caption) + ": " + text);
  }
};

class TrayIconTest : public ::testing::Test {
 protected:
  FakeTrayPlatform platform;
  TrayIcon tray{platform};

  void Start() {
    tray.LoadTrayIcons();
    tray.AddTrayIcon(7);
  }
};

TEST_F(TrayIconTest, AddsTheIdlePictureWithTheIdleTip) {
  Start();
  EXPECT_THAT(platform.requests, ElementsAre("add 1122 Modem Status (Idle)"));
  EXPECT_EQ(tray.Record().window, 7u);
  EXPECT_THAT(platform.notices, IsEmpty());
}

TEST_F(TrayIconTest, OnlyAChangedPictureReachesTheShell) {
  Start();
  platform.requests.clear();
  tray.SetTrayState(TraySlot::kIdle);  // nothing sent yet by SetTrayState: IDLE is a change
  tray.SetTrayState(TraySlot::kIdle);
  tray.SetTrayState(TraySlot::kOrig);
  tray.SetTrayState(TraySlot::kAnsw);  // the same picture as ORIG
  tray.SetTrayState(static_cast<TraySlot>(6));
  tray.SetTrayState(TraySlot::kConnected);
  tray.SetTrayState(static_cast<TraySlot>(-1));
  EXPECT_THAT(platform.requests,
              ElementsAre("modify 1122 Modem Status (Idle)", "modify 1123 Modem Status (Idle)",
                          "modify 1122 Modem Status (Idle)", "modify 1125 Modem Status (Idle)",
                          "modify 1122 Modem Status (Idle)"));
}

TEST_F(TrayIconTest, TheTipIsSentEveryTimeAndKeepsTheLastPicture) {
  Start();
  tray.SetTrayState(TraySlot::kConnected);
  platform.requests.clear();
  tray.SetTrayTip("Data mode");
  tray.SetTrayTip("Data mode");
  EXPECT_THAT(platform.requests,
              ElementsAre("modify 1125 Modem Status (Data mode)", "modify 1125 Modem Status (Data mode)"));
  // The longest tip that fits is 63 characters: a longer text is cut.
  tray.SetTrayTip(std::string(60, 'c').c_str());
  EXPECT_EQ(std::string(tray.Record().tip), "Modem Status (" + std::string(49, 'c'));
}

TEST_F(TrayIconTest, AnIconThatFailsToLoadIsReportedAndNeverShown) {
  platform.failing = {125};
  Start();
  EXPECT_THAT(platform.notices, ElementsAre("Error: Error loading CONNECTED Tray icon"));
  platform.requests.clear();
  tray.SetTrayState(TraySlot::kRetrain);
  tray.SetTrayState(TraySlot::kConnected);  // the picture stays as it was
  EXPECT_THAT(platform.requests, ElementsAre("modify 1127 Modem Status (Idle)"));
}

TEST_F(TrayIconTest, ORIGAndANSWFailEachWithTheirOwnMessage) {
  platform.failing = {122, 123};
  Start();
  EXPECT_THAT(platform.notices,
              ElementsAre("Error: Error loading IDLE Tray icon", "Error: Error loading ORIG Tray icon",
                          "Error: Error loading ANSW Tray icon"));
  // Without an IDLE picture the icon is added without one.
  EXPECT_THAT(platform.requests, ElementsAre("add 0 Modem Status (Idle)"));
}

TEST_F(TrayIconTest, RemovalAndTheSharedIconReleasedOnce) {
  Start();
  tray.RemoveTrayIcon();
  tray.DestroyTrayIcons();
  EXPECT_EQ(platform.requests.back(), "delete 1122 Modem Status (Idle)");
  EXPECT_THAT(platform.destroyed, ElementsAre(1122u, 1123u, 1125u, 1126u, 1127u));
  for (int slot = 0; slot < kTraySlotCount; ++slot) EXPECT_EQ(tray.SlotIcon(slot), 0u);
  tray.DestroyTrayIcons();
  EXPECT_EQ(platform.destroyed.size(), 5u);
}

}  // namespace
}  // namespace kiv
