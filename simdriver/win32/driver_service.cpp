#include "simdriver/win32/driver_service.h"

#include <windows.h>

#include "simdriver/sim_protocol.h"

namespace kivsim {
namespace {

// Closes a service-manager handle at the end of a scope.
class ScHandle {
 public:
  explicit ScHandle(SC_HANDLE h) : h_(h) {}
  ~ScHandle() {
    if (h_ != nullptr) ::CloseServiceHandle(h_);
  }
  ScHandle(const ScHandle&) = delete;
  ScHandle& operator=(const ScHandle&) = delete;
  SC_HANDLE get() const { return h_; }

 private:
  SC_HANDLE h_;
};

std::uint32_t OpenService(DWORD access, SC_HANDLE* service) {
  ScHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (manager.get() == nullptr) return ::GetLastError();
  *service = ::OpenServiceA(manager.get(), KIVSIM_SERVICE_NAME, access);
  return *service == nullptr ? ::GetLastError() : 0;
}

}  // namespace

std::uint32_t InstallDriverService(const char* driverPath) {
  char fullPath[MAX_PATH];
  char* namePart = nullptr;
  const DWORD length = ::GetFullPathNameA(driverPath, sizeof fullPath, fullPath, &namePart);
  if (length == 0) return ::GetLastError();
  if (length >= sizeof fullPath) return ERROR_FILENAME_EXCED_RANGE;
  const DWORD attributes = ::GetFileAttributesA(fullPath);
  if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError();
  // A folder is no driver file (an empty path names the current one).
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_FILE_NOT_FOUND;

  ScHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE | SC_MANAGER_CONNECT));
  if (manager.get() == nullptr) return ::GetLastError();
  ScHandle created(::CreateServiceA(
      manager.get(), KIVSIM_SERVICE_NAME, "Simulated KIV modem", SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
      SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, fullPath, nullptr, nullptr, nullptr, nullptr, nullptr));
  if (created.get() != nullptr) return 0;
  const DWORD error = ::GetLastError();
  if (error != ERROR_SERVICE_EXISTS) return error;
  ScHandle existing(::OpenServiceA(manager.get(), KIVSIM_SERVICE_NAME, SERVICE_CHANGE_CONFIG));
  if (existing.get() == nullptr) return ::GetLastError();
  if (!::ChangeServiceConfigA(existing.get(), SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                              SERVICE_ERROR_NORMAL, fullPath, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr))
    return ::GetLastError();
  return 0;
}

std::uint32_t StartDriverService() {
  SC_HANDLE raw = nullptr;
  const std::uint32_t error = OpenService(SERVICE_START, &raw);
  if (error != 0) return error;
  ScHandle service(raw);
  if (!::StartServiceA(service.get(), 0, nullptr)) return ::GetLastError();
  return 0;
}

std::uint32_t StopDriverService() {
  SC_HANDLE raw = nullptr;
  const std::uint32_t error = OpenService(SERVICE_STOP | SERVICE_QUERY_STATUS, &raw);
  if (error != 0) return error;
  ScHandle service(raw);
  SERVICE_STATUS status;
  if (!::ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) {
    const DWORD stopError = ::GetLastError();
    if (stopError != ERROR_SERVICE_NOT_ACTIVE) return stopError;
  }
  // A driver unloads at once on this bench; the bound is for a slower one.
  for (int i = 0; i < 100; ++i) {
    if (!::QueryServiceStatus(service.get(), &status)) return ::GetLastError();
    if (status.dwCurrentState == SERVICE_STOPPED) return 0;
    ::Sleep(50);
  }
  return ERROR_SERVICE_REQUEST_TIMEOUT;
}

std::uint32_t RemoveDriverService() {
  SC_HANDLE raw = nullptr;
  std::uint32_t error = OpenService(DELETE, &raw);
  if (error == ERROR_SERVICE_DOES_NOT_EXIST) return 0;
  if (error != 0) return error;
  ScHandle service(raw);
  error = StopDriverService();
  if (error != 0) return error;
  if (!::DeleteService(service.get())) return ::GetLastError();
  return 0;
}

}  // namespace kivsim
