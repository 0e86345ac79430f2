// The text kivsim.exe prints for "show".
#pragma once

#include <string>

#include "simdriver/sim_protocol.h"

namespace kivsim {

std::string FormatReport(const KivSimReport& report);

}  // namespace kivsim
