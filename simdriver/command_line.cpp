#include "simdriver/command_line.h"

#include "frontpanel/device_protocol.h"

namespace kivsim {

const char kUsage[] =
    "usage: kivsim <command>\n"
    "  install <kivsim.sys>   create the kivsim kernel-driver service (or point it at this file)\n"
    "  start | stop | remove  start, stop or delete that service\n"
    "  reset                  power-on records, no faults, counters at 0, playback stopped\n"
    "  set <field>=<value>... set fields of the live records (+= and -= change them)\n"
    "  play <scenario.txt>    play a scenario in the driver; it goes on after kivsim ends\n"
    "  check <scenario.txt>   only read and check a scenario\n"
    "  halt                   stop playback; the records keep their values\n"
    "  fault refuse-open <n>                 refuse the next n opens of the modem device\n"
    "  fault fail <code> <n> [<ntstatus>]    fail the next n requests of code (0x801..0x803)\n"
    "  fault count <code> <bytes> [<n>]      report that byte count for the next n (1) requests\n"
    "  fault hold             stop answering the modem device's requests until cleared\n"
    "  fault clear            every fault off; held requests end with a timeout error\n"
    "  show                   what the driver saw, the live records and the faults\n";

namespace {

bool ParseCode(const std::string& text, std::uint32_t& code, std::string& error) {
  if (ParseUnsigned(text, 0xFFFFFFFFu, code) && code >= KIV_IOCTL_GET_STATUS &&
      code <= KIV_IOCTL_SET_RTS_PERIOD)
    return true;
  error = "'" + text + "' is not a request code: 0x801, 0x802 or 0x803";
  return false;
}

bool ParseCount(const std::string& text, const char* what, std::uint32_t max, std::uint32_t& value,
                std::string& error) {
  if (ParseUnsigned(text, max, value)) return true;
  error = std::string(what) + " '" + text + "' is not a number from 0 to " + std::to_string(max);
  return false;
}

bool ParseFault(const std::vector<std::string>& args, KivSimFault& fault, std::string& error) {
  const std::size_t n = args.size();
  const std::string kind = n > 1 ? args[1] : "";
  fault = KivSimFault{};
  if (kind == "refuse-open" && n == 3) {
    fault.kind = KIVSIM_FAULT_REFUSE_OPENS;
    return ParseCount(args[2], "count", 0xFFFFFFFFu, fault.times, error);
  }
  if (kind == "fail" && (n == 4 || n == 5)) {
    fault.kind = KIVSIM_FAULT_FAIL;
    fault.value = KIVSIM_DEFAULT_FAIL_STATUS;
    if (!ParseCode(args[2], fault.code, error)) return false;
    if (!ParseCount(args[3], "count", 0xFFFFFFFFu, fault.times, error)) return false;
    if (n == 5 &&
        (!ParseUnsigned(args[4], 0xFFFFFFFFu, fault.value) || (fault.value & 0xC0000000u) != 0xC0000000u)) {
      error = "'" + args[4] + "' is not an error NTSTATUS (0xC0000000 and up)";
      return false;
    }
    return true;
  }
  if (kind == "count" && (n == 4 || n == 5)) {
    fault.kind = KIVSIM_FAULT_BYTE_COUNT;
    fault.times = 1;
    if (!ParseCode(args[2], fault.code, error)) return false;
    if (!ParseCount(args[3], "byte count", 0xFFFF, fault.value, error)) return false;
    return n == 4 || ParseCount(args[4], "count", 0xFFFFFFFFu, fault.times, error);
  }
  if (kind == "hold" && n == 2) {
    fault.kind = KIVSIM_FAULT_HOLD;
    return true;
  }
  if (kind == "clear" && n == 2) {
    fault.kind = KIVSIM_FAULT_CLEAR;
    return true;
  }
  error =
      "fault wants: refuse-open <n> | fail <code> <n> [<ntstatus>] | count <code> <bytes> [<n>] | hold | "
      "clear";
  return false;
}

struct Simple {
  const char* name;
  CommandKind kind;
};

const Simple kSimple[] = {
    {"start", CommandKind::kStart}, {"stop", CommandKind::kStop}, {"remove", CommandKind::kRemove},
    {"reset", CommandKind::kReset}, {"halt", CommandKind::kHalt}, {"show", CommandKind::kShow},
    {"help", CommandKind::kHelp},
};

const Simple kWithPath[] = {
    {"install", CommandKind::kInstall},
    {"play", CommandKind::kPlay},
    {"check", CommandKind::kCheck},
};

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, Command& command, std::string& error) {
  Command parsed;
  if (args.empty()) {
    error = "no command";
    return false;
  }
  const std::string& verb = args[0];
  for (const Simple& s : kSimple) {
    if (verb != s.name) continue;
    if (args.size() != 1) {
      error = verb + " takes nothing after it";
      return false;
    }
    parsed.kind = s.kind;
    command = parsed;
    return true;
  }
  for (const Simple& s : kWithPath) {
    if (verb != s.name) continue;
    if (args.size() != 2 || args[1].empty()) {
      error = verb + " wants one file name";
      return false;
    }
    parsed.kind = s.kind;
    parsed.path = args[1];
    command = parsed;
    return true;
  }
  if (verb == "set") {
    if (args.size() < 2) {
      error = "set wants at least one field=value";
      return false;
    }
    parsed.kind = CommandKind::kSet;
    for (std::size_t i = 1; i < args.size(); ++i) {
      KivSimFieldOp op{};
      if (!ParseAssignment(args[i], op, error)) return false;
      parsed.ops.push_back(op);
    }
    command = parsed;
    return true;
  }
  if (verb == "fault") {
    parsed.kind = CommandKind::kFault;
    if (!ParseFault(args, parsed.fault, error)) return false;
    command = parsed;
    return true;
  }
  error = "unknown command '" + verb + "'";
  return false;
}

}  // namespace kivsim
