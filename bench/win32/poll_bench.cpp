// How much the front panel's poll costs against a real driver: a loop of GetStatus calls through the
// real driver link and the simulated driver, timed one by one. Prints the median round trip and the
// share of one core that ten polls a second would take if every microsecond of it were processor time
// (an upper bound: part of a round trip is spent waiting for the driver's process).
//
//   kivsim_poll_bench [<calls> [<kivsim.sys>]]
//
// 2000 calls unless told. With a driver file it installs and starts the simulated driver first and
// removes the service at the end; without one it polls whatever driver answers on the device.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "frontpanel/driver_link.h"
#include "frontpanel/win32/win32_device_access.h"
#include "simdriver/win32/driver_service.h"

namespace {

// The link wants somewhere to show its tray state; the benchmark shows nothing.
class NoView final : public kiv::ViewOperations {
 public:
  void SetModeText(const char*) override {}
  void SetCallText(const char*) override {}
  void SetSimpleStatus(bool) override {}
  void SetLight(kiv::Light, bool) override {}
  void ClearLights() override {}
  void EnableLightGroups(bool) override {}
  void SetTrayState(kiv::TraySlot) override {}
  void SetTrayTip(const char*) override {}
  bool IsStatisticsOpen() override { return false; }
  bool StatisticsActive() override { return false; }
  void PollStatistics() override {}
  void SetStatisticsActive(bool) override {}
};

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

int Run(int calls) {
  kiv::Win32DeviceAccess device;
  NoView view;
  kiv::DriverLink link(device, view);
  if (link.Open() != kiv::LinkResult::kSuccess) {
    std::fprintf(stderr, "poll_bench: the device does not open: error %lu\n",
                 static_cast<unsigned long>(link.LastError()));
    return 1;
  }
  kiv::ModemStatusRecord record{};
  for (int i = 0; i < 100; ++i) link.GetStatus(record);  // warm-up

  LARGE_INTEGER frequency, before, after;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> micros(static_cast<std::size_t>(calls));
  const double cpuBefore = ProcessCpuSeconds();
  for (int i = 0; i < calls; ++i) {
    ::QueryPerformanceCounter(&before);
    const kiv::LinkResult result = link.GetStatus(record);
    ::QueryPerformanceCounter(&after);
    if (result != kiv::LinkResult::kSuccess) {
      std::fprintf(stderr, "poll_bench: GetStatus failed at call %d: error %lu\n", i,
                   static_cast<unsigned long>(link.LastError()));
      return 1;
    }
    micros[static_cast<std::size_t>(i)] = (after.QuadPart - before.QuadPart) * 1e6 / frequency.QuadPart;
  }
  const double cpuSeconds = ProcessCpuSeconds() - cpuBefore;
  link.Close();

  std::sort(micros.begin(), micros.end());
  const auto at = [&](double q) { return micros[static_cast<std::size_t>(q * (micros.size() - 1))]; };
  const double median = at(0.5);
  std::printf("GetStatus round trips: %d\n", calls);
  std::printf("  min %.1f us, median %.1f us, 90th percentile %.1f us, max %.1f us\n", micros.front(), median,
              at(0.9), micros.back());
  std::printf("  10 polls a second at the median: %.3f %% of one core (upper bound)\n",
              10 * median / 1e6 * 100);
  std::printf("  this process's own processor time: %.1f us a call\n", cpuSeconds * 1e6 / calls);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 2000;
  const char* driver = argc > 2 ? argv[2] : nullptr;
  if (calls < 1 || calls > 1000000) {
    std::fprintf(stderr, "poll_bench: calls must be 1 to 1000000\n");
    return 2;
  }
  if (driver != nullptr) {
    kivsim::RemoveDriverService();
    std::uint32_t error = kivsim::InstallDriverService(driver);
    if (error == 0) error = kivsim::StartDriverService();
    if (error != 0) {
      std::fprintf(stderr, "poll_bench: the driver does not start: error %lu\n",
                   static_cast<unsigned long>(error));
      return 1;
    }
  }
  const int rc = Run(calls);
  if (driver != nullptr) kivsim::RemoveDriverService();
  return rc;
}
