// The four system calls the driver link makes, as an interface: the Win32 layer forwards them to
// kernel32, tests and benchmarks answer them from memory.
#pragma once

#include <cstdint>

namespace kiv {

using DeviceHandle = std::uintptr_t;

// The platform's invalid-handle value, (HANDLE)-1.
inline constexpr DeviceHandle kInvalidDeviceHandle = ~DeviceHandle{0};

inline constexpr std::uint32_t kCreateNew = 1;                       // CREATE_NEW
inline constexpr std::uint32_t kFileFlagDeleteOnClose = 0x04000000;  // FILE_FLAG_DELETE_ON_CLOSE

class DeviceAccess {
 public:
  virtual ~DeviceAccess() = default;

  // No security attributes and no template file: the link never passes either.
  virtual DeviceHandle CreateFileA(const char* name, std::uint32_t desiredAccess, std::uint32_t shareMode,
                                   std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) = 0;
  // Synchronous: no overlapped structure.
  virtual bool DeviceIoControl(DeviceHandle device, std::uint32_t controlCode, const void* input,
                               std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                               std::uint32_t* bytesReturned) = 0;
  virtual bool CloseHandle(DeviceHandle device) = 0;
  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace kiv
