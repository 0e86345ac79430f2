// The statistics dialog as the status logic sees it: six buffer gauges, four timing figures and an RTS
// slider whose period goes to the driver on request. It has no timer: the poller feeds it after every
// successful status poll and greys it when one fails. The controls are reached through
// StatisticsWidgets.
#pragma once

#include <array>
#include <cstdint>

#include "frontpanel/driver_link.h"
#include "frontpanel/panel_state.h"
#include "frontpanel/records.h"
#include "frontpanel/status_poller.h"

namespace kiv {

inline constexpr int kRtsSliderId = 1037;
inline constexpr int kRtsRequestedId = 1038;
inline constexpr int kSetRtsId = 1039;

inline constexpr int kRtsSliderMax = 9;
inline constexpr std::uint16_t kFirstRequestedRtsPeriod = 30;

// A slider position p stands for p * 5 + 5 milliseconds.
constexpr int RtsPeriodForPosition(int position) {
  return position * 5 + 5;
}

struct GaugeControls {
  ModemStatisticsRecord::Word used;
  ModemStatisticsRecord::Word size;
  int figures;
  int bar;
};

// In the order a record is shown.
inline constexpr std::array<GaugeControls, 6> kGaugeControls = {{
    {ModemStatisticsRecord::kDteTxUsed, ModemStatisticsRecord::kDteTxSize, 1022, 1020},
    {ModemStatisticsRecord::kDteRxUsed, ModemStatisticsRecord::kDteRxSize, 1023, 1021},
    {ModemStatisticsRecord::kDceTxUsed, ModemStatisticsRecord::kDceTxSize, 1025, 1024},
    {ModemStatisticsRecord::kDceRxUsed, ModemStatisticsRecord::kDceRxSize, 1027, 1026},
    {ModemStatisticsRecord::kQInUsed, ModemStatisticsRecord::kQInSize, 1033, 1032},
    {ModemStatisticsRecord::kQOutUsed, ModemStatisticsRecord::kQOutSize, 1035, 1034},
}};

struct TimingControls {
  ModemStatisticsRecord::Word field;
  int control;
  const char* unit;
};

inline constexpr std::array<TimingControls, 4> kTimingControls = {{
    {ModemStatisticsRecord::kRtsFrequency, 1028, "ms"},
    {ModemStatisticsRecord::kRtsAsync, 1030, "ms"},
    {ModemStatisticsRecord::kTaskerRuntime, 1029, "ms"},
    {ModemStatisticsRecord::kTaskerLoops, 1031, ""},
}};

// The controls the active look enables, in the order they are switched; labels never change.
inline constexpr std::array<int, 19> kStatisticsSwitchedControls = {1039, 1037, 1038, 1031, 1029, 1030, 1028,
                                                                    1022, 1020, 1023, 1021, 1025, 1024, 1027,
                                                                    1026, 1033, 1032, 1035, 1034};

// The gauge's percentage: used / size in double precision, times 100, truncated; 0 for an empty size.
std::uint16_t GaugePercentage(std::uint16_t used, std::uint16_t size);

inline constexpr std::size_t kStatisticsTextSize = 64;

class StatisticsWidgets {
 public:
  virtual ~StatisticsWidgets() = default;
  virtual void EnableControl(int control, bool on) = 0;
  virtual void SetTitle(const char* text) = 0;
  virtual void SetControlText(int control, const char* text) = 0;
  virtual void SetBar(int bar, std::uint16_t size, std::uint16_t used) = 0;  // PBM_SETRANGE, PBM_SETPOS
  virtual void SetSliderRange(int low, int high) = 0;                        // TBM_SETRANGE, redrawn
  virtual void SetSliderPosition(int position) = 0;                          // TBM_SETPOS, redrawn
  virtual int SliderPosition() = 0;                                          // TBM_GETPOS
};

class StatisticsDialog {
 public:
  // modemName is the ModemName text read at start, empty when the setting is missing.
  StatisticsDialog(StatisticsWidgets& widgets, DriverLink& link, StatusPoller& poller, const char* modemName)
      : widgets_(widgets), link_(link), poller_(poller), modemName_(modemName) {}

  // WM_INITDIALOG, after the window's position is restored: from here on the dialog is open, greyed
  // until a status poll succeeds; one poll runs at once so a live link fills it without waiting.
  void Open(WindowHandle window);
  // After the window's position is saved and the window is gone.
  void Close() { window_ = 0; }
  // Any notification from the slider.
  void SliderMoved();
  // "Set RTS Value": the driver's answer is not looked at.
  void SendRtsPeriod();

  bool IsOpen() const { return window_ != 0; }
  WindowHandle Window() const { return window_; }
  bool Active() const { return active_; }
  void Poll();
  void SetActive(bool on);

  bool Seeded() const { return seeded_; }
  std::uint16_t RequestedRtsPeriod() const { return requestedRtsPeriod_; }

 private:
  void ShowStatistics();
  void ShowGauge(const GaugeControls& gauge);
  void SeedSlider();
  void ShowRequestedPeriod(unsigned period);

  StatisticsWidgets& widgets_;
  DriverLink& link_;
  StatusPoller& poller_;
  const char* modemName_;

  WindowHandle window_ = 0;
  bool active_ = false;
  bool seeded_ = false;
  ModemStatisticsRecord currentStatistics_{};
  ModemStatisticsRecord lastStatistics_{};
  std::uint16_t requestedRtsPeriod_ = kFirstRequestedRtsPeriod;
  RtsPeriodRequest rtsRequest_{};
};

}  // namespace kiv
