#include "frontpanel/win32/win32_device_access.h"

#include <windows.h>

namespace kiv {

DeviceHandle Win32DeviceAccess::CreateFileA(const char* name, std::uint32_t desiredAccess,
                                            std::uint32_t shareMode, std::uint32_t creationDisposition,
                                            std::uint32_t flagsAndAttributes) {
  HANDLE h = ::CreateFileA(name, desiredAccess, shareMode, nullptr, creationDisposition, flagsAndAttributes,
                           nullptr);
  return reinterpret_cast<DeviceHandle>(h);
}

bool Win32DeviceAccess::DeviceIoControl(DeviceHandle device, std::uint32_t controlCode, const void* input,
                                        std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                                        std::uint32_t* bytesReturned) {
  DWORD returned = *bytesReturned;
  const BOOL ok = ::DeviceIoControl(reinterpret_cast<HANDLE>(device), controlCode, const_cast<void*>(input),
                                    inputSize, output, outputSize, &returned, nullptr);
  *bytesReturned = returned;
  return ok != FALSE;
}

bool Win32DeviceAccess::CloseHandle(DeviceHandle device) {
  return ::CloseHandle(reinterpret_cast<HANDLE>(device)) != FALSE;
}

std::uint32_t Win32DeviceAccess::GetLastError() {
  return ::GetLastError();
}

}  // namespace kiv
