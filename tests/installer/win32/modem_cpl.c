/* A stand-in for the system's modem control panel: it writes every message it gets, with the start
   parameters, to modemcpl.log in the Windows directory, so a test can tell that it ran and with which
   arguments. Opened with its user interface (no "noui" on the command line) it stands open as a box
   captioned "Modems" until someone presses OK, as the real panel stays until the user closes it. */
#include <windows.h>

#include <cpl.h>
#include <string.h>

static void Log(const char* text) {
  char path[MAX_PATH];
  UINT n = GetWindowsDirectoryA(path, MAX_PATH - 16);
  if (n == 0 || n >= MAX_PATH - 16) return;
  lstrcatA(path, "\\modemcpl.log");
  HANDLE file =
      CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text, (DWORD)lstrlenA(text), &written, NULL);
  WriteFile(file, "\r\n", 2, &written, NULL);
  CloseHandle(file);
}

LONG APIENTRY CPlApplet(HWND window, UINT message, LPARAM lParam1, LPARAM lParam2) {
  char line[400];
  (void)window;
  (void)lParam1;
  switch (message) {
    case CPL_GETCOUNT:
      Log("CPL_GETCOUNT");
      return 1;
    case CPL_INQUIRE: {
      CPLINFO* info = (CPLINFO*)lParam2;
      info->idIcon = 0;
      info->idName = 0;
      info->idInfo = 0;
      info->lData = 0;
      Log("CPL_INQUIRE");
      return 0;
    }
    case CPL_STARTWPARMSA:
      wsprintfA(line, "CPL_STARTWPARMS %s", (const char*)lParam2);
      Log(line);
      return TRUE;
    case CPL_STARTWPARMSW: {
      char text[300] = "";
      WideCharToMultiByte(CP_ACP, 0, (const WCHAR*)lParam2, -1, text, sizeof text, NULL, NULL);
      wsprintfA(line, "CPL_STARTWPARMS %s", text);
      Log(line);
      return TRUE;
    }
    case CPL_INIT:
      Log("message 1");
      wsprintfA(line, "command line %.360s", GetCommandLineA());
      Log(line);
      if (strstr(GetCommandLineA(), "noui") == NULL) {
        MessageBoxA(NULL, "Modem control panel stand-in", "Modems", MB_OK);
        Log("panel closed");
      }
      return 1;
    default:
      wsprintfA(line, "message %u", message);
      Log(line);
      return 0;
  }
}
