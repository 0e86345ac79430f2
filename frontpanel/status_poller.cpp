#include "frontpanel/status_poller.h"

namespace kiv {

namespace {
// The whole record is compared, and interpreted when changed, on every sixth poll only.
constexpr std::uint16_t kInterpretEvery = 6;
constexpr std::uint16_t kModeIdle = 1;
}  // namespace

void StatusPoller::StartPolling() {
  StartPollTimer();
  ResetToClosed();
}

void StatusPoller::PollTick() {
  if (state_ == PollState::kClosed) {
    OpenStep();
    return;
  }
  if (PollStep() != LinkResult::kSuccess) {
    link_.Close();
    ResetToClosed();
  }
}

void StatusPoller::HandlePowerEvent(std::uintptr_t event) {
  if (event == kPowerEventSuspend) StopPollTimer();
  if (event == kPowerEventResume) StartPollTimer();
}

void StatusPoller::OpenStep() {
  // A failed Open has shown IDLE itself; the next try comes one closed interval later.
  if (link_.Open() != LinkResult::kSuccess) return;
  view_.EnableLightGroups(true);
  view_.SetSimpleStatus(false);
  view_.SetModeText("Idle mode");
  view_.SetTrayTip("Idle mode");
  view_.SetCallText(" ");
  state_ = PollState::kOpen;
  SetPollInterval(kOpenPollInterval);
}

LinkResult StatusPoller::PollStep() {
  ++pollTickCount_;
  const LinkResult result = link_.GetStatus(currentStatus_);
  if (result == LinkResult::kSuccess) {
    // The signals of LastStatus are brought up to date first, so a change of the signals alone never
    // reaches the interpretation below.
    const std::uint32_t signals = currentStatus_.signals();
    if (signals != lastStatus_.signals()) {
      interpreter_.UpdateSignalLights(lastStatus_.signals(), signals);
      lastStatus_.set_signals(signals);
    }
    if (pollTickCount_ % kInterpretEvery == 0 && currentStatus_ != lastStatus_) {
      interpreter_.InterpretStatus(currentStatus_);
      lastStatus_ = currentStatus_;
    }
    if (view_.IsStatisticsOpen()) view_.PollStatistics();
  } else if (view_.IsStatisticsOpen() && view_.StatisticsActive()) {
    view_.SetStatisticsActive(false);
  }
  return result;
}

void StatusPoller::ResetToClosed() {
  // The two fields written here are what the screen shows from now on: idle mode and no lit light.
  // The other fields keep their values, so a reopened link showing the same record changes nothing.
  lastStatus_.set_mode(kModeIdle);
  state_ = PollState::kClosed;
  lastStatus_.set_signals(0);
  SetPollInterval(kClosedPollInterval);
  view_.SetSimpleStatus(true);
  view_.SetModeText("Idle");
  view_.SetTrayTip("Idle");
  view_.EnableLightGroups(false);
  view_.ClearLights();
}

void StatusPoller::StartPollTimer() {
  if (timerIdentifier_ != 0) return;
  timerIdentifier_ = timer_.SetTimer(kPollTimerId, pollInterval_);
}

void StatusPoller::StopPollTimer() {
  if (timerIdentifier_ == 0) return;
  timer_.KillTimer(timerIdentifier_);
  timerIdentifier_ = 0;
}

void StatusPoller::SetPollInterval(std::uint32_t milliseconds) {
  pollInterval_ = milliseconds;
  StopPollTimer();
  StartPollTimer();
}

}  // namespace kiv
