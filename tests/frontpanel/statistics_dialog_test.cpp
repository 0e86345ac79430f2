#include "frontpanel/statistics_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "frontpanel/status_interpreter.h"
#include "frontpanel/status_poller.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_poll_timer.h"
#include "tests/support/recording_view.h"

namespace kiv {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using testing::FakeDevice;
using testing::FakePollTimer;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::RecordingView;

using Calls = std::vector<std::string>;

// Writes down every change the dialog makes to its controls.
class RecordingWidgets : public StatisticsWidgets {
 public:
  Calls calls;
  int sliderPosition = 0;

  Calls Take() { return std::exchange(calls, {}); }

  void EnableControl(int control, bool on) override {
    calls.push_back("Enable(" + std::to_string(control) + (on ? ",on)" : ",off)"));
  }
  void SetTitle(const char* text) override { calls.push_back(std::string("Title(") + text + ")"); }
  void SetControlText(int control, const char* text) override {
    calls.push_back("Text(" + std::to_string(control) + "," + text + ")");
  }
  void SetBar(int bar, std::uint16_t size, std::uint16_t used) override {
    calls.push_back("Bar(" + std::to_string(bar) + ",0-" + std::to_string(size) + "," + std::to_string(used) +
                    ")");
  }
  void SetSliderRange(int low, int high) override {
    calls.push_back("SliderRange(" + std::to_string(low) + "," + std::to_string(high) + ")");
  }
  void SetSliderPosition(int position) override {
    calls.push_back("SliderPosition(" + std::to_string(position) + ")");
  }
  int SliderPosition() override { return sliderPosition; }
};

// The poller reaches the dialog through the view operations, as in the program.
class ForwardingView : public RecordingView {
 public:
  StatisticsDialog* dialog = nullptr;
  bool IsStatisticsOpen() override { return dialog->IsOpen(); }
  bool StatisticsActive() override { return dialog->Active(); }
  void PollStatistics() override { dialog->Poll(); }
  void SetStatisticsActive(bool on) override { dialog->SetActive(on); }
};

constexpr WindowHandle kDialog = 0x7700;
constexpr std::uint32_t kGetStatus = 0x801;
constexpr std::uint32_t kGetStatistics = 0x802;
constexpr std::uint32_t kSetRtsPeriod = 0x803;

ModemStatisticsRecord Statistics(std::uint16_t rtsFrequency) {
  ModemStatisticsRecord r{};
  r.set_word(ModemStatisticsRecord::kDteTxUsed, 29);
  r.set_word(ModemStatisticsRecord::kDteTxSize, 100);
  r.set_word(ModemStatisticsRecord::kDteRxUsed, 50);
  r.set_word(ModemStatisticsRecord::kDteRxSize, 100);
  r.set_word(ModemStatisticsRecord::kDceTxUsed, 7);
  r.set_word(ModemStatisticsRecord::kDceTxSize, 0);
  r.set_word(ModemStatisticsRecord::kDceRxUsed, 150);
  r.set_word(ModemStatisticsRecord::kDceRxSize, 100);
  r.set_word(ModemStatisticsRecord::kQInUsed, 12345);
  r.set_word(ModemStatisticsRecord::kQInSize, 65535);
  r.set_word(ModemStatisticsRecord::kQOutUsed, 0);
  r.set_word(ModemStatisticsRecord::kQOutSize, 4096);
  r.set_word(ModemStatisticsRecord::kTaskerRuntime, 3);
  r.set_word(ModemStatisticsRecord::kTaskerLoops, 812);
  r.set_word(ModemStatisticsRecord::kRtsFrequency, rtsFrequency);
  r.set_word(ModemStatisticsRecord::kRtsAsync, 65535);
  return r;
}

Calls Switched(bool on, const std::string& title) {
  Calls calls;
  for (int control : kStatisticsSwitchedControls) {
    calls.push_back("Enable(" + std::to_string(control) + (on ? ",on)" : ",off)"));
  }
  calls.push_back("Title(" + title + ")");
  return calls;
}

class StatisticsDialogTest : public ::testing::Test {
 protected:
  StatisticsDialogTest() {
    view.dialog = &dialog;
    device.replies[kGetStatus].bytes.assign(KIV_STATUS_RECORD_SIZE, 0);
    Answer(Statistics(30));
  }

  void Answer(const ModemStatisticsRecord& record) {
    device.replies[kGetStatistics] = {};
    device.replies[kGetStatistics].bytes.assign(record.bytes, record.bytes + sizeof record.bytes);
  }
  int StatisticsRequests() const {
    int count = 0;
    for (const auto& call : device.ioCalls) count += call.controlCode == kGetStatistics ? 1 : 0;
    return count;
  }
  void OpenLive() {
    ASSERT_EQ(link.Open(), LinkResult::kSuccess);
    dialog.Open(kDialog);
    ASSERT_TRUE(dialog.Active());
    widgets.Take();
  }

  FakeDevice device;
  ForwardingView view;
  FakePollTimer timer{view.calls};
  DriverLink link{device, view};
  StatusInterpreter interpreter{view};
  StatusPoller poller{link, interpreter, view, timer};
  RecordingWidgets widgets;
  char modemName[kPanelTextSize] = "Kiv 56K";
  StatisticsDialog dialog{widgets, link, poller, modemName};
};

TEST(GaugePercentageTest, TruncatesTheDoubleRatioAndTakesSixteenBits) {
  struct Case {
    std::uint16_t used, size, percent;
  };
  const Case cases[] = {{29, 100, 28},   {50, 100, 50}, {7, 0, 0},           {0, 0, 0},
                        {150, 100, 150}, {1, 3, 33},    {65535, 65535, 100}, {65535, 1, 65436}};
  for (const Case& c : cases) {
    EXPECT_EQ(GaugePercentage(c.used, c.size), c.percent) << c.used << " of " << c.size;
  }
}

TEST_F(StatisticsDialogTest, OpeningWithoutALinkStaysInactiveWithTheTemplateTexts) {
  modemName[0] = '\0';
  dialog.Open(kDialog);
  Calls expected = Switched(false, " Statistics (Modem Inactive)");
  expected.push_back("SliderRange(0,9)");
  EXPECT_THAT(widgets.Take(), ::testing::ElementsAreArray(expected));
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_FALSE(dialog.Active());
  EXPECT_EQ(dialog.RequestedRtsPeriod(), 30);
  EXPECT_EQ(poller.PollTickCount(), 1);
  EXPECT_THAT(device.ioCalls, IsEmpty());
}

TEST_F(StatisticsDialogTest, OpeningOnALiveLinkShowsTheFirstRecordAndSeedsTheSlider) {
  ASSERT_EQ(link.Open(), LinkResult::kSuccess);
  dialog.Open(kDialog);
  Calls expected = Switched(false, "Kiv 56K Statistics (Modem Inactive)");
  expected.push_back("SliderRange(0,9)");
  const Calls active = Switched(true, "Kiv 56K Statistics ");
  expected.insert(expected.end(), active.begin(), active.end());
  const Calls shown = {"Text(1022,  29 of  100      28%)",
                       "Bar(1020,0-100,29)",
                       "Text(1023,  50 of  100      50%)",
                       "Bar(1021,0-100,50)",
                       "Text(1025,   7 of    0      0%)",
                       "Bar(1024,0-0,7)",
                       "Text(1027, 150 of  100      150%)",
                       "Bar(1026,0-100,150)",
                       "Text(1033,12345 of 65535      18%)",
                       "Bar(1032,0-65535,12345)",
                       "Text(1035,   0 of 4096      0%)",
                       "Bar(1034,0-4096,0)",
                       "Text(1028,30 ms)",
                       "Text(1030,65535 ms)",
                       "Text(1029,3 ms)",
                       "Text(1031,812 )",
                       "SliderPosition(5)",
                       "Text(1038,30)"};
  expected.insert(expected.end(), shown.begin(), shown.end());
  EXPECT_THAT(widgets.Take(), ::testing::ElementsAreArray(expected));
  EXPECT_TRUE(dialog.Seeded());
  EXPECT_EQ(dialog.RequestedRtsPeriod(), 30) << "seeding shows the period but does not request it";
}

TEST_F(StatisticsDialogTest, OnceSeededStatisticsAreFetchedOnEvenPollsAndRedrawnOnlyWhenChanged) {
  OpenLive();  // poll 1, odd, fetched because not yet seeded
  ASSERT_EQ(StatisticsRequests(), 1);
  poller.PollStep();  // 2: fetched, unchanged
  EXPECT_EQ(StatisticsRequests(), 2);
  EXPECT_THAT(widgets.Take(), IsEmpty());
  Answer(Statistics(35));
  poller.PollStep();  // 3: skipped
  EXPECT_EQ(StatisticsRequests(), 2);
  poller.PollStep();  // 4: fetched, changed, shown, not seeded again
  EXPECT_EQ(StatisticsRequests(), 3);
  const Calls calls = widgets.Take();
  EXPECT_THAT(calls, Contains("Text(1028,35 ms)"));
  EXPECT_THAT(calls, Not(Contains("SliderPosition(6)")));
}

TEST_F(StatisticsDialogTest, UntilSeededEveryPollTriesAndAFailedRequestKeepsTheDialogActive) {
  device.replies[kGetStatistics] = {false, {}, std::nullopt, 31};
  OpenLive();
  poller.PollStep();
  poller.PollStep();
  EXPECT_EQ(StatisticsRequests(), 3);
  EXPECT_THAT(widgets.Take(), IsEmpty()) << "figures stay as they were";
  EXPECT_TRUE(dialog.Active());
  EXPECT_FALSE(dialog.Seeded());
}

TEST_F(StatisticsDialogTest, AFailedStatusPollGreysTheDialogOnceAndASuccessLightsItAgain) {
  OpenLive();
  device.replies[kGetStatus] = {false, {}, std::nullopt, 1167};
  poller.PollStep();
  EXPECT_THAT(widgets.Take(),
              ::testing::ElementsAreArray(Switched(false, "Kiv 56K Statistics (Modem Inactive)")));
  poller.PollStep();
  EXPECT_THAT(widgets.Take(), IsEmpty());
  device.replies[kGetStatus] = {};
  device.replies[kGetStatus].bytes.assign(KIV_STATUS_RECORD_SIZE, 0);
  poller.PollStep();
  EXPECT_THAT(widgets.Take(), ::testing::ElementsAreArray(Switched(true, "Kiv 56K Statistics ")))
      << "the unchanged record is not redrawn";
}

TEST_F(StatisticsDialogTest, TheSliderIsSeededFromTheRtsFrequency) {
  struct Case {
    std::uint16_t rtsFrequency;
    int position;
  };
  const Case cases[] = {{30, 5}, {50, 9}, {54, 9},  {7, 0},        {5, 0},
                        {4, -1}, {0, -1}, {55, 10}, {65535, 13106}};
  for (const Case& c : cases) {
    Answer(Statistics(c.rtsFrequency));
    ASSERT_EQ(link.Open(), LinkResult::kSuccess);
    dialog.Open(kDialog);
    const Calls calls = widgets.Take();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_THAT(Calls(calls.end() - 2, calls.end()),
                ElementsAre("SliderPosition(" + std::to_string(c.position) + ")",
                            "Text(1038," + std::to_string(c.rtsFrequency) + ")"))
        << c.rtsFrequency;
    link.Close();
    dialog.Close();
  }
}

TEST_F(StatisticsDialogTest, SetRtsValueSendsTheRequestedPeriodWithCommandFour) {
  struct Case {
    int moveTo;  // -1: the slider never notified
    std::uint8_t period;
  };
  const Case cases[] = {{-1, 30}, {9, 50}, {0, 5}, {4, 25}};
  for (const Case& c : cases) {
    OpenLive();
    if (c.moveTo >= 0) {
      widgets.sliderPosition = c.moveTo;
      dialog.SliderMoved();
      EXPECT_THAT(widgets.Take(), ElementsAre("Text(1038," + std::to_string(c.period) + ")"));
    }
    device.ioCalls.clear();
    device.replies[kSetRtsPeriod] = {false, {}, std::nullopt, 31};  // silently ignored
    dialog.SendRtsPeriod();
    ASSERT_EQ(device.ioCalls.size(), 1u);
    EXPECT_EQ(device.ioCalls[0].controlCode, kSetRtsPeriod);
    EXPECT_EQ(device.ioCalls[0].input, std::vector<std::uint8_t>({0, 0, 0, 0, c.period, 0, 0, 0, 4, 0}));
    EXPECT_THAT(widgets.Take(), IsEmpty());
    link.Close();
    dialog.Close();
    EXPECT_FALSE(dialog.IsOpen());
  }
}

}  // namespace
}  // namespace kiv
