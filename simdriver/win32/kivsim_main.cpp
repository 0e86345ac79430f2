// kivsim.exe: drives the simulated modem driver from the command line. Everything the user typed,
// scenario files included, is read and checked before the first request goes to the driver.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "simdriver/command_line.h"
#include "simdriver/report_text.h"
#include "simdriver/scenario.h"
#include "simdriver/win32/driver_service.h"
#include "simdriver/win32/sim_control.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitSystem = 1;  // the system or the driver said no
constexpr int kExitInput = 2;   // bad input; nothing was sent

// "error 2 (The system cannot find the file specified.)", as far as the system has words for it.
std::string SystemErrorText(DWORD error) {
  char text[256] = "";
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                   sizeof text, nullptr);
  std::string words = text;
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
    words.pop_back();
  std::string result = "error " + std::to_string(error);
  if (!words.empty()) result += " (" + words + ")";
  return result;
}

int SystemFailure(const char* what, DWORD error) {
  std::fprintf(stderr, "kivsim: %s failed: %s\n", what, SystemErrorText(error).c_str());
  return kExitSystem;
}

// The whole file, or false with the system's error.
bool ReadFile(const std::string& path, std::string& text, DWORD& error) {
  HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = ::GetLastError();
    return false;
  }
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
    text.append(buffer, got);
    // A scenario is a page of text; anything far larger is not one.
    if (text.size() > 1024 * 1024) {
      ok = false;
      ::SetLastError(ERROR_FILE_TOO_LARGE);
      break;
    }
  }
  if (!ok) error = ::GetLastError();
  ::CloseHandle(file);
  return ok;
}

bool LoadScenario(const std::string& path, kivsim::Scenario& scenario) {
  std::string text, error;
  DWORD systemError = 0;
  if (!ReadFile(path, text, systemError)) {
    std::fprintf(stderr, "kivsim: cannot read %s: %s\n", path.c_str(), SystemErrorText(systemError).c_str());
    return false;
  }
  if (!kivsim::ParseScenario(text, scenario, error)) {
    std::fprintf(stderr, "kivsim: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

int RunService(const kivsim::Command& command) {
  using kivsim::CommandKind;
  std::uint32_t error = 0;
  const char* what = "";
  switch (command.kind) {
    case CommandKind::kInstall:
      error = kivsim::InstallDriverService(command.path.c_str()), what = "install";
      break;
    case CommandKind::kStart:
      error = kivsim::StartDriverService(), what = "start";
      break;
    case CommandKind::kStop:
      error = kivsim::StopDriverService(), what = "stop";
      break;
    default:
      error = kivsim::RemoveDriverService(), what = "remove";
      break;
  }
  return error == 0 ? kExitOk : SystemFailure(what, error);
}

int RunControl(const kivsim::Command& command, const kivsim::Scenario& scenario) {
  using kivsim::CommandKind;
  kivsim::SimControl control;
  if (!control.Open())
    return SystemFailure("opening " KIVSIM_CONTROL_NAME " (is the driver started?)", control.LastError());
  bool ok = false;
  KivSimReport report{};
  switch (command.kind) {
    case CommandKind::kReset:
      ok = control.Reset();
      break;
    case CommandKind::kSet:
      ok = control.Apply(command.ops);
      break;
    case CommandKind::kPlay:
      ok = control.Play(scenario.Compile());
      break;
    case CommandKind::kHalt:
      ok = control.Halt();
      break;
    case CommandKind::kFault:
      ok = control.Fault(command.fault);
      break;
    default:
      ok = control.Report(report);
      if (ok) std::fputs(kivsim::FormatReport(report).c_str(), stdout);
      break;
  }
  return ok ? kExitOk : SystemFailure("the request", control.LastError());
}

}  // namespace

int main(int argc, char** argv) {
  using kivsim::CommandKind;
  std::vector<std::string> args(argv + 1, argv + argc);
  kivsim::Command command;
  std::string error;
  if (!kivsim::ParseCommandLine(args, command, error)) {
    std::fprintf(stderr, "kivsim: %s\n", error.c_str());
    if (args.empty()) std::fputs(kivsim::kUsage, stderr);
    return kExitInput;
  }
  kivsim::Scenario scenario;
  switch (command.kind) {
    case CommandKind::kHelp:
      std::fputs(kivsim::kUsage, stdout);
      return kExitOk;
    case CommandKind::kInstall:
    case CommandKind::kStart:
    case CommandKind::kStop:
    case CommandKind::kRemove:
      return RunService(command);
    case CommandKind::kCheck:
      if (!LoadScenario(command.path, scenario)) return kExitInput;
      std::printf("%s: %u steps, %u assignments%s\n", command.path.c_str(),
                  static_cast<unsigned>(scenario.steps.size()), static_cast<unsigned>(scenario.ops.size()),
                  scenario.loopAtMs == KIVSIM_NO_LOOP ? "" : ", loops");
      return kExitOk;
    case CommandKind::kPlay:
      if (!LoadScenario(command.path, scenario)) return kExitInput;
      return RunControl(command, scenario);
    default:
      return RunControl(command, scenario);
  }
}
