#include "frontpanel/driver_link.h"

namespace kiv {

namespace {
// The input word that both read requests carry.
const std::uint8_t kReadRequestInput[2] = {KIV_READ_REQUEST_WORD & 0xFF, KIV_READ_REQUEST_WORD >> 8};
}  // namespace

LinkResult DriverLink::Open() {
  lastError_ = 0;
  LinkResult result = LinkResult::kAlreadyOpen;
  if (!IsOpen()) {
    handle_ = device_.CreateFileA(KIV_DEVICE_NAME, 0, 0, kCreateNew, kFileFlagDeleteOnClose);
    if (IsOpen()) {
      result = LinkResult::kSuccess;
    } else {
      lastError_ = device_.GetLastError();
      result = LinkResult::kOpenFailed;
    }
  }
  view_.SetTrayState(TraySlot::kIdle);
  return result;
}

LinkResult DriverLink::Close() {
  lastError_ = 0;
  LinkResult result = LinkResult::kNotOpen;
  if (IsOpen()) {
    device_.CloseHandle(handle_);
    handle_ = kInvalidDeviceHandle;
    result = LinkResult::kSuccess;
  } else {
    lastError_ = device_.GetLastError();
  }
  view_.SetTrayState(TraySlot::kIdle);
  return result;
}

LinkResult DriverLink::GetStatus(ModemStatusRecord& record) {
  return Request(KIV_IOCTL_GET_STATUS, kReadRequestInput, sizeof kReadRequestInput, record.bytes,
                 sizeof record.bytes);
}

LinkResult DriverLink::GetStatistics(ModemStatisticsRecord& record) {
  return Request(KIV_IOCTL_GET_STATISTICS, kReadRequestInput, sizeof kReadRequestInput, record.bytes,
                 sizeof record.bytes);
}

LinkResult DriverLink::SetRtsPeriod(const RtsPeriodRequest& request) {
  // The driver's reply goes to scratch so that the caller's request is never written.
  std::uint8_t reply[KIV_RTS_REQUEST_SIZE];
  return Request(KIV_IOCTL_SET_RTS_PERIOD, request.bytes, sizeof request.bytes, reply, sizeof reply);
}

LinkResult DriverLink::Request(std::uint32_t controlCode, const void* input, std::uint32_t inputSize,
                               void* output, std::uint32_t outputSize) {
  lastError_ = 0;
  if (!IsOpen()) return LinkResult::kNotOpen;
  // Preset: a failing call may leave the count untouched.
  std::uint32_t bytesReturned = 0;
  const bool ok =
      device_.DeviceIoControl(handle_, controlCode, input, inputSize, output, outputSize, &bytesReturned);
  if (ok && bytesReturned == outputSize) return LinkResult::kSuccess;
  lastError_ = device_.GetLastError();
  return LinkResult::kRequestFailed;
}

}  // namespace kiv
