// Starting a program and waiting for it to end.
#pragma once

#include <cstdint>

namespace kiv {

using ProcessHandle = std::uintptr_t;

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts applicationName with commandLine as its whole command line; on success process holds the
  // process handle (the thread handle is the platform's to close).
  virtual bool CreateProcessA(const char* applicationName, const char* commandLine,
                              ProcessHandle* process) = 0;
  // Without a time limit.
  virtual void WaitForSingleObject(ProcessHandle process) = 0;
  virtual void CloseHandle(ProcessHandle process) = 0;
};

}  // namespace kiv
