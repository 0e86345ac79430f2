// The system's modem control panel, run through rundll32.exe from the system directory. Installation
// has it add the modem; uninstallation opens it for the user.
#pragma once

#include "installer/installer_settings.h"
#include "installer/processes.h"

namespace kiv {

inline constexpr const char* kModemAddArguments = "shell32.dll,Control_RunDLL modem.cpl,Modems,noui add";
inline constexpr const char* kModemPanelArguments = "shell32.dll,Control_RunDLL modem.cpl,Modems";

// Returns when the control panel has ended, or at once when it cannot be started; reports nothing.
// Builds its texts in storage of its own, so any thread may run it.
void RunModemControlPanel(Processes& processes, const InstallerSettings& settings, const char* arguments);

}  // namespace kiv
