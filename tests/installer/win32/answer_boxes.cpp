// The demonstration's stand-in for a person at a headless display: runs a program from a folder and
// answers its boxes in the order given, announcing each one a moment before pressing so that a
// screenshot can be taken of it. Usage:
//   answer_boxes <folder> <program in that folder> <command tail> <caption>=<button id>...
// Exits with the program's exit code, or 2 when a box did not appear.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/installer/win32/ui_driver.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: answer_boxes <folder> <program> <command tail> <caption>=<button id>...\n");
    return 2;
  }
  const std::string folder = argv[1];
  // The program is named inside its folder, as a person starting it there would see it.
  std::string line = "\"" + folder + "\\" + argv[2] + "\" " + argv[3];
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::fprintf(stderr, "answer_boxes: cannot start %s (error %lu)\n", argv[2], GetLastError());
    return 2;
  }
  for (int i = 4; i < argc; ++i) {
    const std::string answer = argv[i];
    const std::size_t equals = answer.rfind('=');
    const std::string caption = answer.substr(0, equals);
    const int button = std::atoi(answer.c_str() + equals + 1);
    HWND box = kiv::uitest::WaitForDialog(process.hProcess, process.dwProcessId, caption.c_str());
    if (box == nullptr) {
      std::fprintf(stderr, "answer_boxes: no box \"%s\" appeared\n", caption.c_str());
      TerminateProcess(process.hProcess, 2);
      return 2;
    }
    std::printf("box \"%s\": %s\n", caption.c_str(), kiv::uitest::MessageBoxText(box).c_str());
    std::fflush(stdout);
    Sleep(1500);  // the person reads the box; the demonstration takes its screenshot now
    kiv::uitest::PressButton(box, button);
  }
  const long code = kiv::uitest::WaitForExit(process.hProcess);
  std::printf("exit code %ld\n", code);
  return static_cast<int>(code);
}
