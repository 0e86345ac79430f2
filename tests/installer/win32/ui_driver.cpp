#include "tests/installer/win32/ui_driver.h"

namespace kiv::uitest {

namespace {

struct Search {
  DWORD processId;  // 0: any process
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  Search& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search.processId != 0 && owner != search.processId) || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, static_cast<int>(sizeof className));
  if (lstrcmpA(className, "#32770") != 0 || WindowText(window) != search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

HWND WaitForDialog(HANDLE process, DWORD processId, const char* caption) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitBoundMs) {
    Search search = {processId, caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

HWND WaitForDialogOfAnyProcess(const char* caption) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitBoundMs) {
    Search search = {0, caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(20);
  }
  return nullptr;
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, static_cast<int>(sizeof text));
  return text;
}

std::string MessageBoxText(HWND box) {
  return ControlText(box, 0xFFFF);
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
  return text;
}

bool HasControl(HWND dialog, int id) {
  return GetDlgItem(dialog, id) != nullptr;
}

bool IsDefaultButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return false;
  return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

long WaitForExit(HANDLE process) {
  if (WaitForSingleObject(process, kWaitBoundMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return static_cast<long>(code);
}

}  // namespace kiv::uitest
