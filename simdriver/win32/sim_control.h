// The simulator's control channel, \\.\KIVSIM, from user mode.
#pragma once

#include <cstdint>
#include <vector>

#include "simdriver/sim_protocol.h"

namespace kivsim {

class SimControl {
 public:
  SimControl() = default;
  ~SimControl();
  SimControl(const SimControl&) = delete;
  SimControl& operator=(const SimControl&) = delete;

  // Each returns false with the system's error in LastError().
  bool Open();
  bool Apply(const std::vector<KivSimFieldOp>& ops);
  bool Reset();
  bool Play(const std::vector<std::uint8_t>& compiledScenario);
  bool Halt();
  bool Fault(const KivSimFault& fault);
  bool Report(KivSimReport& report);

  std::uint32_t LastError() const { return lastError_; }

 private:
  bool Request(std::uint32_t code, const void* input, std::uint32_t inputSize, void* output,
               std::uint32_t outputSize, std::uint32_t expectedReturned);

  void* handle_ = nullptr;
  std::uint32_t lastError_ = 0;
};

}  // namespace kivsim
