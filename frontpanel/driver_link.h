// The front panel's one handle on the driver's control device.
#pragma once

#include <cstdint>

#include "frontpanel/device_access.h"
#include "frontpanel/records.h"
#include "frontpanel/view_operations.h"

namespace kiv {

enum class LinkResult : int {
  kSuccess = 0,
  kOpenFailed = 1,
  kAlreadyOpen = 2,
  kNotOpen = 3,
  kRequestFailed = 4,  // the call failed, or the byte count was not the record's size
};

class DriverLink {
 public:
  DriverLink(DeviceAccess& device, ViewOperations& view) : device_(device), view_(view) {}

  LinkResult Open();
  LinkResult Close();
  LinkResult GetStatus(ModemStatusRecord& record);
  LinkResult GetStatistics(ModemStatisticsRecord& record);
  LinkResult SetRtsPeriod(const RtsPeriodRequest& request);

  bool IsOpen() const { return handle_ != kInvalidDeviceHandle; }
  // For diagnosis only: the system's code of the last failure, 0 after a success.
  std::uint32_t LastError() const { return lastError_; }

 private:
  LinkResult Request(std::uint32_t controlCode, const void* input, std::uint32_t inputSize, void* output,
                     std::uint32_t outputSize);

  DeviceAccess& device_;
  ViewOperations& view_;
  DeviceHandle handle_ = kInvalidDeviceHandle;
  std::uint32_t lastError_ = 0;
};

}  // namespace kiv
