// Drives another program's windows the way a person would: finds its message boxes and dialogs,
// reads what they say and presses their buttons. Every wait polls for its condition with a bound.
#pragma once

#include <windows.h>

#include <string>

namespace kiv::uitest {

inline constexpr DWORD kWaitBoundMs = 30000;

// A top-level dialog-class window ("#32770") of the process with exactly this caption, once visible;
// null when none appears within the bound or the process ends first.
HWND WaitForDialog(HANDLE process, DWORD processId, const char* caption);

// The same for a window of any process, such as one the program started; null after the bound.
HWND WaitForDialogOfAnyProcess(const char* caption);

std::string WindowText(HWND window);
// The message box's text, from its static control 0xFFFF.
std::string MessageBoxText(HWND box);
std::string ControlText(HWND dialog, int id);
bool HasControl(HWND dialog, int id);
bool IsDefaultButton(HWND dialog, int id);

// BM_CLICK on the button with this id.
bool PressButton(HWND dialog, int id);

// The process's exit code once it has ended; -1 if it has not ended within the bound.
long WaitForExit(HANDLE process);

}  // namespace kiv::uitest
