// A driver answered from memory without allocating: the status request returns a fixed record,
// varied on each request as the benchmark asks.
#pragma once

#include <cstdint>
#include <cstring>

#include "frontpanel/device_access.h"
#include "frontpanel/records.h"

namespace kiv::bench {

class MemoryDevice : public DeviceAccess {
 public:
  enum class Variation {
    kNone,           // the same record every time
    kToggleSignals,  // the DTR bit flips on every request
    kCountSpeed,     // the speed grows by one on every request
  };

  MemoryDevice(const ModemStatusRecord& status, Variation variation)
      : status_(status), variation_(variation) {}

  DeviceHandle CreateFileA(const char*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) override {
    return 0x44;
  }

  bool DeviceIoControl(DeviceHandle, std::uint32_t controlCode, const void*, std::uint32_t, void* output,
                       std::uint32_t outputSize, std::uint32_t* bytesReturned) override {
    if (controlCode != KIV_IOCTL_GET_STATUS || outputSize != sizeof status_.bytes) return false;
    if (variation_ == Variation::kToggleSignals) status_.set_signals(status_.signals() ^ 0x004);
    if (variation_ == Variation::kCountSpeed) status_.set_speed(status_.speed() + 1);
    std::memcpy(output, status_.bytes, sizeof status_.bytes);
    *bytesReturned = sizeof status_.bytes;
    return true;
  }

  bool CloseHandle(DeviceHandle) override { return true; }
  std::uint32_t GetLastError() override { return 0; }

 private:
  ModemStatusRecord status_;
  Variation variation_;
};

}  // namespace kiv::bench
