#include "tests/support/fake_device.h"

#include <algorithm>
#include <cstring>

namespace kiv::testing {

DeviceHandle FakeDevice::CreateFileA(const char* name, std::uint32_t desiredAccess, std::uint32_t shareMode,
                                     std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) {
  creates.push_back({name, desiredAccess, shareMode, creationDisposition, flagsAndAttributes});
  if (openFails) {
    lastError = openError;
    return kInvalidDeviceHandle;
  }
  return kHandle;
}

bool FakeDevice::DeviceIoControl(DeviceHandle device, std::uint32_t controlCode, const void* input,
                                 std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                                 std::uint32_t* bytesReturned) {
  const auto* in = static_cast<const std::uint8_t*>(input);
  ioCalls.push_back({device, controlCode, std::vector<std::uint8_t>(in, in + inputSize), outputSize});
  const Reply& reply = replies[controlCode];
  if (!reply.ok) {
    lastError = reply.error;
    return false;
  }
  const std::size_t written = std::min<std::size_t>(reply.bytes.size(), outputSize);
  if (written != 0) std::memcpy(output, reply.bytes.data(), written);
  *bytesReturned = reply.bytesReturned.value_or(static_cast<std::uint32_t>(written));
  return true;
}

bool FakeDevice::CloseHandle(DeviceHandle device) {
  closes.push_back(device);
  return true;
}

std::uint32_t FakeDevice::GetLastError() {
  ++lastErrorReads;
  return lastError;
}

}  // namespace kiv::testing
