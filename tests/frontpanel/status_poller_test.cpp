#include "frontpanel/status_poller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_poll_timer.h"
#include "tests/support/recording_view.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::FakeDevice;
using testing::FakePollTimer;
using ::testing::IsEmpty;
using testing::RecordingView;

using Calls = std::vector<std::string>;

// What every return to the closed state shows, after the timer has gone back to one second.
const Calls kResetToClosed = {"KillTimer(0x5555)", "SetTimer(0x5555,1000)", "SetSimpleStatus(on)",
                              "SetModeText(Idle)", "SetTrayTip(Idle)",      "EnableLightGroups(off)",
                              "ClearLights"};

const Calls kOpened = {"SetTrayState(IDLE)",     "EnableLightGroups(on)", "SetSimpleStatus(off)",
                       "SetModeText(Idle mode)", "SetTrayTip(Idle mode)", "SetCallText( )",
                       "KillTimer(0x5555)",      "SetTimer(0x5555,100)"};

// The record an idle modem sends: idle mode, nothing else. Equal to LastStatus right after the start.
ModemStatusRecord IdleRecord() {
  ModemStatusRecord r{};
  r.set_mode(1);
  return r;
}

// A LAPM V.42bis data connection at 28800 bps over V.34, with DTR and CD lit.
ModemStatusRecord DataRecord() {
  ModemStatusRecord r{};
  r.set_mode(2);
  r.set_signals(0x004 | 0x040);
  r.set_speed(28800);
  r.set_errorCorrection(77);
  r.set_compression(67);
  r.set_callState(3);
  r.set_modulation(17);
  return r;
}

const Calls kDataInterpreted = {"SetModeText(Data mode)",
                                "SetTrayTip(Data mode)",
                                "SetCallText(Connected LAPM V.42bis at 28800 bps)",
                                "SetTrayTip(Connected LAPM V.42bis at 28800 bps)",
                                "SetModeText(Data - V.34)",
                                "SetTrayState(CONNECTED)"};

Calls Join(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class StatusPollerTest : public ::testing::Test {
 protected:
  FakeDevice device;
  RecordingView view;
  FakePollTimer timer{view.calls};
  DriverLink link{device, view};
  StatusInterpreter interpreter{view};
  StatusPoller poller{link, interpreter, view, timer};

  void Answer(const ModemStatusRecord& record) {
    device.replies[0x801] = {};
    device.replies[0x801].bytes.assign(record.bytes, record.bytes + sizeof record.bytes);
  }
  void FailStatus() { device.replies[0x801] = {false, {}, std::nullopt, 1167}; }

  // Started and opened, with what that showed forgotten; the next tick is the first poll.
  void StartOpen() {
    poller.StartPolling();
    poller.PollTick();
    ASSERT_EQ(poller.State(), PollState::kOpen);
    view.Take();
  }

  Calls Tick() {
    poller.PollTick();
    return view.Take();
  }

  // Ticks until PollTickCount reaches count; returns everything shown on the way.
  Calls TickUntilCount(std::uint16_t count) {
    Calls all;
    do {
      const Calls calls = Tick();
      all.insert(all.end(), calls.begin(), calls.end());
    } while (poller.PollTickCount() != count);
    return all;
  }
};

TEST_F(StatusPollerTest, StartShowsTheClosedDisplayAndTicksOnceASecond) {
  poller.StartPolling();
  EXPECT_THAT(view.calls, ElementsAreArray(Join({"SetTimer(0x5555,1000)"}, kResetToClosed)));
  EXPECT_EQ(poller.State(), PollState::kClosed);
  EXPECT_EQ(poller.PollInterval(), 1000u);
  EXPECT_EQ(poller.TimerIdentifier(), kPollTimerId);
  EXPECT_EQ(timer.elapseMs, 1000u);
  EXPECT_EQ(poller.LastStatus(), IdleRecord());
  EXPECT_EQ(device.CallCount(), 0);
}

TEST_F(StatusPollerTest, WithoutADriverEveryTickRetriesTheOpenAndShowsOnlyIdle) {
  poller.StartPolling();
  view.Take();
  device.openFails = true;
  for (int i = 0; i < 3; ++i) EXPECT_THAT(Tick(), ElementsAre("SetTrayState(IDLE)"));
  EXPECT_EQ(device.creates.size(), 3u);
  EXPECT_EQ(poller.State(), PollState::kClosed);
  EXPECT_EQ(poller.PollInterval(), 1000u);
  EXPECT_EQ(poller.PollTickCount(), 0);
}

TEST_F(StatusPollerTest, OpenShowsIdleModeAndPollsFromTheNextTickTenTimesASecond) {
  poller.StartPolling();
  view.Take();
  EXPECT_THAT(Tick(), ElementsAreArray(kOpened));
  EXPECT_EQ(poller.State(), PollState::kOpen);
  EXPECT_EQ(poller.PollInterval(), 100u);
  EXPECT_EQ(timer.elapseMs, 100u);
  EXPECT_THAT(device.ioCalls, IsEmpty());

  Answer(IdleRecord());
  EXPECT_THAT(Tick(), IsEmpty());
  ASSERT_EQ(device.ioCalls.size(), 1u);
  EXPECT_EQ(device.ioCalls[0].controlCode, 0x801u);
  EXPECT_EQ(poller.PollTickCount(), 1);
}

TEST_F(StatusPollerTest, SignalsAloneRelightOnThatPollAndAreNeverInterpreted) {
  StartOpen();
  ModemStatusRecord record = IdleRecord();
  record.set_signals(0x004 | 0x040);
  Answer(record);
  EXPECT_THAT(Tick(), ElementsAre("SetLight(DTR,on)", "SetLight(CD,on)"));
  EXPECT_EQ(poller.LastStatus().signals(), 0x044u);
  EXPECT_THAT(TickUntilCount(12), IsEmpty());

  record.set_signals(0x040);
  Answer(record);
  EXPECT_THAT(Tick(), ElementsAre("SetLight(DTR,off)"));

  // Bits without a light still count as a change: no light moves, but LastStatus takes them.
  record.set_signals(0x040 | 0x200 | 0x001);
  Answer(record);
  EXPECT_THAT(Tick(), IsEmpty());
  EXPECT_EQ(poller.LastStatus().signals(), 0x241u);
  EXPECT_THAT(TickUntilCount(24), IsEmpty());
  EXPECT_EQ(poller.LastStatus(), record);
}

TEST_F(StatusPollerTest, FieldChangeIsInterpretedOnTheNextPollDivisibleBy6) {
  StartOpen();
  ModemStatusRecord record = IdleRecord();
  record.set_callState(1);
  Answer(record);
  EXPECT_THAT(Tick(), IsEmpty());
  EXPECT_EQ(poller.CurrentStatus(), record);
  EXPECT_EQ(poller.LastStatus(), IdleRecord());
  for (int poll = 2; poll <= 5; ++poll) EXPECT_THAT(Tick(), IsEmpty()) << "poll " << poll;
  EXPECT_THAT(Tick(), ElementsAre("SetModeText(Idle mode)", "SetTrayTip(Idle mode)",
                                  "SetCallText(Originating call...)", "SetTrayState(ORIG)"));
  EXPECT_EQ(poller.LastStatus(), record);
  EXPECT_THAT(TickUntilCount(18), IsEmpty());
}

TEST_F(StatusPollerTest, LightsComeBeforeTheInterpretationOfTheSamePoll) {
  StartOpen();
  Answer(DataRecord());
  EXPECT_THAT(Tick(), ElementsAre("SetLight(DTR,on)", "SetLight(CD,on)"));
  EXPECT_THAT(TickUntilCount(5), IsEmpty());
  EXPECT_THAT(Tick(), ElementsAreArray(kDataInterpreted));

  ModemStatusRecord record = DataRecord();
  record.set_signals(0x004);
  record.set_speed(26400);
  Answer(record);
  TickUntilCount(11);
  EXPECT_THAT(Tick(), ElementsAre("SetModeText(Data mode)", "SetTrayTip(Data mode)",
                                  "SetCallText(Connected LAPM V.42bis at 26400 bps)",
                                  "SetTrayTip(Connected LAPM V.42bis at 26400 bps)",
                                  "SetModeText(Data - V.34)", "SetTrayState(CONNECTED)"));
}

TEST_F(StatusPollerTest, ChangeUndoneBetweenTwoChancesIsNeverShown) {
  StartOpen();
  Answer(IdleRecord());
  TickUntilCount(6);
  ModemStatusRecord ringing = IdleRecord();
  ringing.set_callState(2);
  ringing.set_reserved24(9);
  Answer(ringing);
  TickUntilCount(9);
  Answer(IdleRecord());
  EXPECT_THAT(TickUntilCount(18), IsEmpty());
}

TEST_F(StatusPollerTest, ReservedWordsCountAsAChange) {
  StartOpen();
  ModemStatusRecord record = IdleRecord();
  record.set_reserved0(1);
  Answer(record);
  EXPECT_THAT(TickUntilCount(6), ElementsAre("SetModeText(Idle mode)", "SetTrayTip(Idle mode)",
                                             "SetCallText(Modem is idle.)", "SetTrayState(ORIG)"));
}

TEST_F(StatusPollerTest, CountWrapsTo0WhichGivesAChanceFourPollsAfter65532) {
  StartOpen();
  Answer(IdleRecord());
  EXPECT_THAT(TickUntilCount(65531), IsEmpty());
  device.ioCalls.clear();

  ModemStatusRecord record = IdleRecord();
  record.set_callState(1);
  Answer(record);
  EXPECT_THAT(Tick(), ElementsAre("SetModeText(Idle mode)", "SetTrayTip(Idle mode)",
                                  "SetCallText(Originating call...)", "SetTrayState(ORIG)"));
  EXPECT_EQ(poller.PollTickCount(), 65532);

  record.set_callState(2);
  Answer(record);
  for (int poll = 65533; poll <= 65535; ++poll) EXPECT_THAT(Tick(), IsEmpty()) << "poll " << poll;
  EXPECT_EQ(poller.PollTickCount(), 65535);
  EXPECT_THAT(Tick(), ElementsAre("SetModeText(Idle mode)", "SetTrayTip(Idle mode)",
                                  "SetCallText(Answering call...)", "SetTrayState(ORIG)"));
  EXPECT_EQ(poller.PollTickCount(), 0);

  record.set_callState(4);
  Answer(record);
  EXPECT_THAT(TickUntilCount(5), IsEmpty());
  EXPECT_THAT(Tick(), ElementsAre("SetModeText(Idle mode)", "SetTrayTip(Idle mode)",
                                  "SetCallText(Dropping call...)", "SetTrayState(DISC)"));
}

TEST_F(StatusPollerTest, SuccessfulPollsFeedAnOpenStatisticsDialogLast) {
  StartOpen();
  Answer(DataRecord());
  view.statisticsOpen = true;
  EXPECT_THAT(Tick(), ElementsAre("SetLight(DTR,on)", "SetLight(CD,on)", "PollStatistics"));
  EXPECT_THAT(TickUntilCount(5),
              ElementsAre("PollStatistics", "PollStatistics", "PollStatistics", "PollStatistics"));
  EXPECT_THAT(Tick(), ElementsAreArray(Join(kDataInterpreted, {"PollStatistics"})));

  view.statisticsOpen = false;
  EXPECT_THAT(Tick(), IsEmpty());
}

// A failed poll: the statistics dialog, if open and active, turns inactive first; then the link closes
// and every display returns to idle.
struct FailedPollCase {
  const char* name;
  bool statisticsOpen, statisticsActive;
  Calls first;
};

void PrintTo(const FailedPollCase& c, std::ostream* os) {
  *os << c.name;
}

class FailedPollTest : public StatusPollerTest, public ::testing::WithParamInterface<FailedPollCase> {};

TEST_P(FailedPollTest, ClosesTheLinkAndReturnsEveryDisplayToIdle) {
  StartOpen();
  Answer(DataRecord());
  TickUntilCount(7);

  view.statisticsOpen = GetParam().statisticsOpen;
  view.statisticsActive = GetParam().statisticsActive;
  device.replies[0x801] = {true, std::vector<std::uint8_t>(25, 0), std::nullopt, 0};  // one byte short
  EXPECT_THAT(Tick(), ElementsAreArray(Join(Join(GetParam().first, {"SetTrayState(IDLE)"}), kResetToClosed)));
  EXPECT_THAT(device.closes, ElementsAre(FakeDevice::kHandle));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(poller.State(), PollState::kClosed);
  EXPECT_EQ(poller.PollInterval(), 1000u);
  EXPECT_EQ(timer.elapseMs, 1000u);

  // Only mode and signals go back to idle; the rest stays for the comparison after the reopen.
  ModemStatusRecord expected = DataRecord();
  expected.set_mode(1);
  expected.set_signals(0);
  EXPECT_EQ(poller.LastStatus(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    StatisticsDialog, FailedPollTest,
    ::testing::Values(FailedPollCase{"OpenAndActive", true, true, {"SetStatisticsActive(off)"}},
                      FailedPollCase{"OpenAndInactive", true, false, {}},
                      FailedPollCase{"Closed", false, false, {}}),
    [](const ::testing::TestParamInfo<FailedPollCase>& info) { return info.param.name; });

TEST_F(StatusPollerTest, ReopenWithTheRecordAsLeftByTheResetShowsNoChange) {
  StartOpen();
  Answer(DataRecord());
  TickUntilCount(6);
  FailStatus();
  Tick();
  ASSERT_EQ(poller.State(), PollState::kClosed);

  // The driver comes back idle, every other field as before the failure.
  ModemStatusRecord same = DataRecord();
  same.set_mode(1);
  same.set_signals(0);
  Answer(same);
  EXPECT_THAT(Tick(), ElementsAreArray(kOpened));
  EXPECT_THAT(TickUntilCount(30), IsEmpty());

  // A signal bit alone lights its light and still starts no interpretation.
  same.set_signals(0x004);
  Answer(same);
  EXPECT_THAT(TickUntilCount(42), ElementsAre("SetLight(DTR,on)"));
}

TEST_F(StatusPollerTest, ReopenInANonIdleModeIsInterpretedAtTheNextChance) {
  StartOpen();
  Answer(DataRecord());
  TickUntilCount(6);
  FailStatus();
  Tick();
  Answer(DataRecord());
  Tick();  // the open
  EXPECT_THAT(TickUntilCount(12),
              ElementsAreArray(Join({"SetLight(DTR,on)", "SetLight(CD,on)"}, kDataInterpreted)));
}

TEST_F(StatusPollerTest, PollStepWhileClosedFailsWithoutTheDriverAndStaysClosed) {
  poller.StartPolling();
  view.Take();
  view.statisticsOpen = true;
  view.statisticsActive = true;
  EXPECT_EQ(poller.PollStep(), LinkResult::kNotOpen);
  EXPECT_THAT(view.Take(), ElementsAre("SetStatisticsActive(off)"));
  EXPECT_EQ(poller.PollTickCount(), 1);
  EXPECT_EQ(device.CallCount(), 0);
  EXPECT_EQ(poller.State(), PollState::kClosed);
}

TEST_F(StatusPollerTest, SuspendStopsTheTimerAndResumeRestartsItWithTheCurrentInterval) {
  StartOpen();
  poller.HandlePowerEvent(kPowerEventSuspend);
  EXPECT_THAT(view.Take(), ElementsAre("KillTimer(0x5555)"));
  EXPECT_EQ(poller.TimerIdentifier(), 0u);
  EXPECT_EQ(timer.running, 0u);
  poller.HandlePowerEvent(kPowerEventSuspend);
  for (std::uintptr_t other : {0u, 1u, 5u, 6u, 8u, 10u, 18u}) poller.HandlePowerEvent(other);
  EXPECT_THAT(view.Take(), IsEmpty());
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(poller.State(), PollState::kOpen);

  poller.HandlePowerEvent(kPowerEventResume);
  EXPECT_THAT(view.Take(), ElementsAre("SetTimer(0x5555,100)"));
  poller.HandlePowerEvent(kPowerEventResume);
  EXPECT_THAT(view.Take(), IsEmpty());

  // A driver gone during the suspend is closed at the first poll.
  FailStatus();
  EXPECT_THAT(Tick(), ElementsAreArray(Join({"SetTrayState(IDLE)"}, kResetToClosed)));

  poller.HandlePowerEvent(kPowerEventSuspend);
  poller.HandlePowerEvent(kPowerEventResume);
  EXPECT_THAT(view.Take(), ElementsAre("KillTimer(0x5555)", "SetTimer(0x5555,1000)"));
}

TEST_F(StatusPollerTest, FailedSetTimerLeavesNoTimerUntilTheNextTry) {
  timer.setTimerFails = true;
  poller.StartPolling();
  // No timer to kill before the second try.
  EXPECT_THAT(view.Take(), ElementsAreArray(Join({"SetTimer(0x5555,1000)", "SetTimer(0x5555,1000)"},
                                                 Calls(kResetToClosed.begin() + 2, kResetToClosed.end()))));
  EXPECT_EQ(poller.TimerIdentifier(), 0u);

  // Nothing to stop on suspend; resume tries again.
  poller.HandlePowerEvent(kPowerEventSuspend);
  EXPECT_THAT(view.Take(), IsEmpty());
  timer.setTimerFails = false;
  poller.HandlePowerEvent(kPowerEventResume);
  EXPECT_THAT(view.Take(), ElementsAre("SetTimer(0x5555,1000)"));
  EXPECT_EQ(poller.TimerIdentifier(), kPollTimerId);

  // A failure when switching to the open interval: the link is open, but no tick comes until a retry.
  timer.setTimerFails = true;
  EXPECT_THAT(Tick(), ElementsAreArray(kOpened));
  EXPECT_EQ(poller.TimerIdentifier(), 0u);
  EXPECT_EQ(poller.State(), PollState::kOpen);
  timer.setTimerFails = false;
  poller.HandlePowerEvent(kPowerEventResume);
  EXPECT_THAT(view.Take(), ElementsAre("SetTimer(0x5555,100)"));
}

}  // namespace
}  // namespace kiv
