#include "simdriver/win32/sim_control.h"

#include <windows.h>

namespace kivsim {

SimControl::~SimControl() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
}

bool SimControl::Open() {
  HANDLE h = ::CreateFileA(KIVSIM_CONTROL_NAME, GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    lastError_ = ::GetLastError();
    return false;
  }
  handle_ = h;
  return true;
}

bool SimControl::Request(std::uint32_t code, const void* input, std::uint32_t inputSize, void* output,
                         std::uint32_t outputSize, std::uint32_t expectedReturned) {
  DWORD returned = 0;
  lastError_ = 0;
  if (!::DeviceIoControl(handle_, code, const_cast<void*>(input), inputSize, output, outputSize, &returned,
                         nullptr)) {
    lastError_ = ::GetLastError();
    return false;
  }
  if (returned != expectedReturned) {
    lastError_ = ERROR_INVALID_DATA;
    return false;
  }
  return true;
}

bool SimControl::Apply(const std::vector<KivSimFieldOp>& ops) {
  return Request(KIVSIM_IOCTL_APPLY, ops.data(), static_cast<std::uint32_t>(ops.size() * sizeof ops[0]),
                 nullptr, 0, 0);
}

bool SimControl::Reset() {
  return Request(KIVSIM_IOCTL_RESET, nullptr, 0, nullptr, 0, 0);
}

bool SimControl::Play(const std::vector<std::uint8_t>& compiledScenario) {
  return Request(KIVSIM_IOCTL_PLAY, compiledScenario.data(),
                 static_cast<std::uint32_t>(compiledScenario.size()), nullptr, 0, 0);
}

bool SimControl::Halt() {
  return Request(KIVSIM_IOCTL_HALT, nullptr, 0, nullptr, 0, 0);
}

bool SimControl::Fault(const KivSimFault& fault) {
  return Request(KIVSIM_IOCTL_FAULT, &fault, sizeof fault, nullptr, 0, 0);
}

bool SimControl::Report(KivSimReport& report) {
  return Request(KIVSIM_IOCTL_REPORT, nullptr, 0, &report, sizeof report, sizeof report);
}

}  // namespace kivsim
