// Reading what a person writes for the simulator: single field assignments ("signals+=OH") and
// scenarios, a text file with one timed step a line. Every check happens here, before anything is
// sent to the driver, and each error names what is wrong and where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simdriver/sim_protocol.h"

namespace kivsim {

// "field=value", "field+=value" or "field-=value".
bool ParseAssignment(const std::string& text, KivSimFieldOp& op, std::string& error);

// A number in decimal or with 0x in hex, no sign, at most max.
bool ParseUnsigned(const std::string& text, std::uint32_t max, std::uint32_t& value);

// "250ms", "2s", "1.5s"; at most a day.
bool ParseDuration(const std::string& text, std::uint32_t& ms);

struct Scenario {
  std::vector<KivSimStep> steps;
  std::vector<KivSimFieldOp> ops;
  std::uint32_t loopAtMs = KIVSIM_NO_LOOP;

  // The body of the play request: header, steps, operations.
  std::vector<std::uint8_t> Compile() const;
};

// On failure error reads "line N: ..." and scenario is left as it was.
bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error);

}  // namespace kivsim
