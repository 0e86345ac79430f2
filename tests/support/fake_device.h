// A DeviceAccess answered from memory: a test scripts how the "driver" answers each request code and
// reads back every call the link made, with the exact bytes sent.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "frontpanel/device_access.h"

namespace kiv::testing {

class FakeDevice : public DeviceAccess {
 public:
  static constexpr DeviceHandle kHandle = 0x44;

  struct Reply {
    bool ok = true;
    std::vector<std::uint8_t> bytes;             // written to the output buffer, at most its size
    std::optional<std::uint32_t> bytesReturned;  // reported count; by default the bytes written
    std::uint32_t error = 0;                     // the last error a failing call leaves
  };
  struct CreateCall {
    std::string name;
    std::uint32_t desiredAccess, shareMode, creationDisposition, flagsAndAttributes;
  };
  struct IoCall {
    DeviceHandle device;
    std::uint32_t controlCode;
    std::vector<std::uint8_t> input;
    std::uint32_t outputSize;
  };

  // Script.
  bool openFails = false;
  std::uint32_t openError = 2;  // ERROR_FILE_NOT_FOUND
  std::map<std::uint32_t, Reply> replies;
  std::uint32_t lastError = 0;  // what GetLastError answers; failing calls overwrite it

  // What the link did.
  std::vector<CreateCall> creates;
  std::vector<IoCall> ioCalls;
  std::vector<DeviceHandle> closes;
  int lastErrorReads = 0;

  DeviceHandle CreateFileA(const char* name, std::uint32_t desiredAccess, std::uint32_t shareMode,
                           std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) override;
  bool DeviceIoControl(DeviceHandle device, std::uint32_t controlCode, const void* input,
                       std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                       std::uint32_t* bytesReturned) override;
  bool CloseHandle(DeviceHandle device) override;
  std::uint32_t GetLastError() override;

  int CallCount() const { return static_cast<int>(creates.size() + ioCalls.size() + closes.size()); }
};

}  // namespace kiv::testing
