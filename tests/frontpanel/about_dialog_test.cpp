#include "frontpanel/about_dialog.h"

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
struct FakeAboutPlatform : AboutPlatform {
  std::set<int> failing;
  std::vector<IconHandle> destroyed;
  std::vector<std::string> notices;

  IconHandle LoadIconA(int resource) override {
    return failing.count(resource) ? 0 : static_cast<IconHandle>(resource + 1000);
  }
  void DestroyIcon(IconHandle icon) override { destroyed.push_back(icon); }
  void ShowNotice(const char* caption, const char* text) override {
    notices.push_back(std::string(caption) + ": " + text);
  }
};

class AboutAnimationTest : public ::testing::Test {
 protected:
  FakeAboutPlatform platform;
  AboutAnimation animation{platform};

  std::vector<IconHandle> Ticks(int count) {
    std::vector<IconHandle> drawn;
    for (int i = 0; i < count; ++i) drawn.push_back(animation.AdvanceAboutIcon());
    return drawn;
  }
};

TEST_F(AboutAnimationTest, FirstOpeningRunsTheGreenLightFromLeftToRightAndRoundAgain) {
  animation.LoadAboutIcons();
  EXPECT_THAT(Ticks(6), ElementsAre(1119, 1120, 1121, 1118, 1119, 1120));
  EXPECT_THAT(platform.notices, IsEmpty());
}

TEST_F(AboutAnimationTest, ReopeningContinuesTheCycleWhereTheLastOpeningStopped) {
  animation.LoadAboutIcons();
  Ticks(2);  // the last tick drew 120
  animation.DestroyAboutIcons();
  animation.LoadAboutIcons();
  EXPECT_THAT(Ticks(3), ElementsAre(1121, 1118, 1119));
}

TEST_F(AboutAnimationTest, AFailedIconIsReportedOnceAndItsTicksDrawNothing) {
  platform.failing = {119, 121};
  animation.LoadAboutIcons();
  EXPECT_THAT(platform.notices,
              ElementsAre("Error: Error loading ABOUT icon 2", "Error: Error loading ABOUT icon 4"));
  EXPECT_THAT(Ticks(4), ElementsAre(0u, 1120, 0u, 1118));
  animation.DestroyAboutIcons();
  EXPECT_THAT(platform.destroyed, ElementsAre(1118, 1120));
}

TEST_F(AboutAnimationTest, EachOpeningReleasesItsIconsExactlyOnce) {
  for (int opening = 0; opening < 3; ++opening) {
    animation.LoadAboutIcons();
    animation.DestroyAboutIcons();
  }
  animation.DestroyAboutIcons();  // the exit sequence after a normal close
  ASSERT_EQ(platform.destroyed.size(), 12u);
  for (std::size_t i = 0; i < platform.destroyed.size(); ++i)
    EXPECT_EQ(platform.destroyed[i], static_cast<IconHandle>(1118 + i % 4)) << i;
  for (int slot = 0; slot < kAboutIconCount; ++slot) EXPECT_EQ(animation.SlotIcon(slot), 0u);
}

TEST_F(AboutAnimationTest, TheExitSequenceReleasesIconsADialogLeftHeld) {
  animation.LoadAboutIcons();
  animation.DestroyAboutIcons();
  EXPECT_THAT(platform.destroyed, ElementsAre(1118, 1119, 1120, 1121));
}

struct CenteringCase {
  const char* name;
  ScreenRect window;
  ScreenRect parent;
  ScreenRect workArea;
  ScreenPoint expected;
};

// Work area 0,0 - 800,600 unless a case says otherwise.
const CenteringCase kCenteringCases[] = {
    {"centred inside the work area", {0, 0, 200, 100}, {100, 100, 500, 400}, {0, 0, 800, 600}, {200, 200}},
    {"odd negative difference rounds toward zero",
     {0, 0, 203, 103},
     {100, 100, 300, 200},
     {0, 0, 800, 600},
     {99, 99}},
    {"exactly on the left edge stays", {0, 0, 200, 100}, {-100, 0, 300, 100}, {0, 0, 800, 600}, {0, 0}},
    {"ending exactly on the right edge stays",
     {0, 0, 200, 100},
     {500, 500, 900, 600},
     {0, 0, 800, 600},
     {600, 500}},
    {"past the right and bottom edges", {0, 0, 200, 100}, {700, 550, 900, 650}, {0, 0, 800, 600}, {600, 500}},
    {"far left of and above the work area",
     {0, 0, 200, 100},
     {-900, -700, -700, -600},
     {10, 20, 800, 600},
     {10, 20}},
    {"wider than the work area, left of it: left edge wins",
     {0, 0, 900, 100},
     {-200, 0, 100, 100},
     {0, 0, 800, 600},
     {0, 0}},
    {"wider than the work area, at its left edge: placed right - w",
     {0, 0, 900, 100},
     {0, 0, 900, 100},
     {0, 0, 800, 600},
     {-100, 0}},
};

TEST(CenterOverParentTest, PlacesTheWindowCentredAndInsideTheWorkArea) {
  for (const CenteringCase& c : kCenteringCases) {
    const ScreenPoint at = CenterOverParent(c.window, c.parent, c.workArea);
    EXPECT_EQ(at.x, c.expected.x) << c.name;
    EXPECT_EQ(at.y, c.expected.y) << c.name;
  }
}

}  // namespace
}  // namespace kiv
