// kivtool: the modem's country tool. The simulated modem has a single country, so it only says so.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "The Tarvo Kiv Data Fax is set for country 1.", "Kiv Country",
              MB_OK | MB_ICONINFORMATION);
  return 0;
}
