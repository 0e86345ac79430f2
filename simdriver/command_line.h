// kivsim.exe's command line, read and checked in full before anything reaches the system.
#pragma once

#include <string>
#include <vector>

#include "simdriver/scenario.h"
#include "simdriver/sim_protocol.h"

namespace kivsim {

enum class CommandKind {
  kHelp,
  kInstall,  // path
  kStart,
  kStop,
  kRemove,
  kReset,
  kSet,    // ops
  kPlay,   // path (the scenario is read and parsed before the request is sent)
  kCheck,  // path: parse only
  kHalt,
  kFault,  // fault
  kShow,
};

struct Command {
  CommandKind kind = CommandKind::kHelp;
  std::string path;
  std::vector<KivSimFieldOp> ops;
  KivSimFault fault{};
};

// args excludes the program name. On failure error says what is wrong.
bool ParseCommandLine(const std::vector<std::string>& args, Command& command, std::string& error);

extern const char kUsage[];

}  // namespace kivsim
