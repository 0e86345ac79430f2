#include "installer/modem_control_panel.h"

#include "installer/text_buffers.h"

namespace kiv {

void RunModemControlPanel(Processes& processes, const InstallerSettings& settings, const char* arguments) {
  char programPath[kPathSize];
  // A program path that does not fit is a program that cannot be started.
  if (!FormatText(programPath, sizeof programPath, "%s\\%s", settings.systemDir, "rundll32.exe")) return;
  // The argument vector {"rundll32.exe", arguments} joined by one blank, nothing quoted.
  char commandLine[kPathSize];
  FormatText(commandLine, sizeof commandLine, "%s %s", "rundll32.exe", arguments);
  ProcessHandle process = 0;
  if (!processes.CreateProcessA(programPath, commandLine, &process)) return;
  processes.WaitForSingleObject(process);
  processes.CloseHandle(process);
}

}  // namespace kiv
