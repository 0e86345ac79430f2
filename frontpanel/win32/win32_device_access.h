// DeviceAccess over kernel32.
#pragma once

#include "frontpanel/device_access.h"

namespace kiv {

class Win32DeviceAccess final : public DeviceAccess {
 public:
  DeviceHandle CreateFileA(const char* name, std::uint32_t desiredAccess, std::uint32_t shareMode,
                           std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) override;
  bool DeviceIoControl(DeviceHandle device, std::uint32_t controlCode, const void* input,
                       std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                       std::uint32_t* bytesReturned) override;
  bool CloseHandle(DeviceHandle device) override;
  std::uint32_t GetLastError() override;
};

}  // namespace kiv
