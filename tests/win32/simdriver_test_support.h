// What the Win32 tests that drive the simulated modem share: waiting for a condition on a loaded bench,
// and turning readable assignments into the driver's field operations.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "simdriver/scenario.h"

namespace kiv::wintest {

// Polls until the condition holds, within a generous bound for a loaded bench.
inline bool WaitFor(const std::function<bool()>& condition, DWORD boundMs = 30000) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > boundMs) return false;
    ::Sleep(10);
  }
  return true;
}

// "mode=2", "speed+=100", ... as the driver's operations; a text that does not read fails the test.
inline std::vector<KivSimFieldOp> Assignments(std::initializer_list<const char*> texts) {
  std::vector<KivSimFieldOp> ops;
  for (const char* text : texts) {
    KivSimFieldOp op{};
    std::string error;
    EXPECT_TRUE(kivsim::ParseAssignment(text, op, error)) << text << ": " << error;
    ops.push_back(op);
  }
  return ops;
}

}  // namespace kiv::wintest
