// The service control manager as the installer uses it, and the system's texts for error codes.
#pragma once

#include <cstdint>

namespace kiv {

using ServiceHandle = std::uintptr_t;  // 0 is no handle

inline constexpr std::uint32_t kScManagerAllAccess = 0xF003F;  // SC_MANAGER_ALL_ACCESS
inline constexpr std::uint32_t kServiceAllAccess = 0xF01FF;    // SERVICE_ALL_ACCESS
inline constexpr std::uint32_t kServiceKernelDriver = 1;       // SERVICE_KERNEL_DRIVER
inline constexpr std::uint32_t kServiceAutoStart = 2;          // SERVICE_AUTO_START
inline constexpr std::uint32_t kServiceErrorNormal = 1;        // SERVICE_ERROR_NORMAL
inline constexpr std::uint32_t kServiceControlStop = 1;        // SERVICE_CONTROL_STOP

struct ServiceDefinition {
  const char* serviceName;
  const char* displayName;
  std::uint32_t desiredAccess;
  std::uint32_t serviceType;
  std::uint32_t startType;
  std::uint32_t errorControl;
  const char* binaryPathName;
  const char* loadOrderGroup;
  // No tag, dependencies, account or password: the installer never passes them.
};

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  // machineName and databaseName null: the local machine's active database.
  virtual ServiceHandle OpenSCManagerA(const char* machineName, const char* databaseName,
                                       std::uint32_t desiredAccess) = 0;
  virtual ServiceHandle CreateServiceA(ServiceHandle manager, const ServiceDefinition& definition) = 0;
  virtual ServiceHandle OpenServiceA(ServiceHandle manager, const char* serviceName,
                                     std::uint32_t desiredAccess) = 0;
  // No start arguments.
  virtual bool StartServiceA(ServiceHandle service) = 0;
  // The service status the system returns is the platform's; nobody reads it.
  virtual bool ControlService(ServiceHandle service, std::uint32_t control) = 0;
  virtual bool DeleteService(ServiceHandle service) = 0;
  virtual bool CloseServiceHandle(ServiceHandle handle) = 0;
  virtual std::uint32_t GetLastError() = 0;
};

class ErrorMessages {
 public:
  virtual ~ErrorMessages() = default;
  // The system's text for an error code in the default language; returns the characters written,
  // 0 when the system has no text for it.
  virtual std::uint32_t FormatMessageA(std::uint32_t messageId, char* buffer, std::uint32_t size) = 0;
};

}  // namespace kiv
