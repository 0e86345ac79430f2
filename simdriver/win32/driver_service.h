// The simulated driver as a kernel-driver service: what the test bench needs to start every run from
// a known driver state.
#pragma once

#include <cstdint>

namespace kivsim {

// Each returns 0 or the system's error code. Install takes the driver file's path and stores it as
// an absolute path (relative image paths do not load); an existing service is pointed at the file.
std::uint32_t InstallDriverService(const char* driverPath);
std::uint32_t StartDriverService();
// Waits, within a bound, until the service reports itself stopped; stopping a stopped one is no error.
std::uint32_t StopDriverService();
// Stops it first if it runs; removing a missing one is no error.
std::uint32_t RemoveDriverService();

}  // namespace kivsim
