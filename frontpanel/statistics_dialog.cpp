#include "frontpanel/statistics_dialog.h"

#include <cstdio>
#include <cstring>

namespace kiv {

std::uint16_t GaugePercentage(std::uint16_t used, std::uint16_t size) {
  if (size == 0) return 0;
  // The double arithmetic is the figure users know: 29 of 100 shows 28.
  const double ratio = static_cast<double>(used) / static_cast<double>(size);
  return static_cast<std::uint16_t>(static_cast<unsigned>(ratio * 100.0));
}

void StatisticsDialog::Open(WindowHandle window) {
  window_ = window;
  seeded_ = false;
  active_ = false;
  currentStatistics_ = ModemStatisticsRecord{};
  // Filled with 0xFF so the first record fetched counts as changed.
  std::memset(lastStatistics_.bytes, 0xFF, sizeof lastStatistics_.bytes);
  SetActive(false);
  widgets_.SetSliderRange(0, kRtsSliderMax);
  requestedRtsPeriod_ = kFirstRequestedRtsPeriod;
  poller_.PollStep();
}

void StatisticsDialog::SetActive(bool on) {
  for (int control : kStatisticsSwitchedControls) widgets_.EnableControl(control, on);
  char title[kStatisticsTextSize + kPanelTextSize];
  std::snprintf(title, sizeof title, "%s Statistics %s", modemName_, on ? "" : "(Modem Inactive)");
  widgets_.SetTitle(title);
  active_ = on;
}

void StatisticsDialog::Poll() {
  if (!active_) SetActive(true);
  // Once seeded, every second status poll is enough.
  if ((poller_.PollTickCount() & 1) != 0 && seeded_) return;
  if (link_.GetStatistics(currentStatistics_) != LinkResult::kSuccess) return;
  if (currentStatistics_ != lastStatistics_) {
    ShowStatistics();
    lastStatistics_ = currentStatistics_;
  }
  if (!seeded_) {
    SeedSlider();
    seeded_ = true;
  }
}

void StatisticsDialog::ShowStatistics() {
  for (const GaugeControls& gauge : kGaugeControls) ShowGauge(gauge);
  char text[kStatisticsTextSize];
  for (const TimingControls& timing : kTimingControls) {
    std::snprintf(text, sizeof text, "%d %s", static_cast<int>(currentStatistics_.word(timing.field)),
                  timing.unit);
    widgets_.SetControlText(timing.control, text);
  }
}

void StatisticsDialog::ShowGauge(const GaugeControls& gauge) {
  const std::uint16_t used = currentStatistics_.word(gauge.used);
  const std::uint16_t size = currentStatistics_.word(gauge.size);
  char text[kStatisticsTextSize];
  std::snprintf(text, sizeof text, "%4d of %4d      %d%%", static_cast<int>(used), static_cast<int>(size),
                static_cast<int>(GaugePercentage(used, size)));
  widgets_.SetControlText(gauge.figures, text);
  widgets_.SetBar(gauge.bar, size, used);
}

void StatisticsDialog::SeedSlider() {
  const std::uint16_t period = currentStatistics_.word(ModemStatisticsRecord::kRtsFrequency);
  // Periods below 5 or above 54 fall outside the slider, which shows them at its ends.
  widgets_.SetSliderPosition(static_cast<int>(period) / 5 - 1);
  ShowRequestedPeriod(period);
}

void StatisticsDialog::SliderMoved() {
  requestedRtsPeriod_ = static_cast<std::uint16_t>(RtsPeriodForPosition(widgets_.SliderPosition()));
  ShowRequestedPeriod(requestedRtsPeriod_);
}

void StatisticsDialog::ShowRequestedPeriod(unsigned period) {
  char text[kStatisticsTextSize];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(period));
  widgets_.SetControlText(kRtsRequestedId, text);
}

void StatisticsDialog::SendRtsPeriod() {
  StoreLe16(rtsRequest_.bytes + KIV_RTS_PERIOD, requestedRtsPeriod_);
  StoreLe16(rtsRequest_.bytes + KIV_RTS_COMMAND, KIV_RTS_COMMAND_VALUE);
  link_.SetRtsPeriod(rtsRequest_);
}

}  // namespace kiv
