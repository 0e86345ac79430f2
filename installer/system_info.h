// What the installer asks of the running system: its version, three directories, and a pause.
#pragma once

#include <cstdint>

namespace kiv {

struct OsVersion {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual bool GetVersionExA(OsVersion& version) = 0;
  // Each returns the characters written without the terminator, or the size needed when the buffer
  // is too small, or 0 on failure, as the system does.
  virtual std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) = 0;
  virtual std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) = 0;
  virtual std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace kiv
