// Runs installer.exe from its payload folder as a person would and states what they would see and
// what the system holds afterwards. One scenario per run, named on the command line:
//   install        first run on a clean system: install question, Yes, "Modem installed", and every
//                  file, value, service, shortcut and the modem control panel in place
//   cancel         a later run: the "Modem Already Installed" dialog over the backdrop, Cancel
//   wrong-version  a system reporting another major version than 4 is refused
//   uninstall-no   "-u" and No: nothing removed, exit code 1
// Prints one line per check and exits with the number of failed checks.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>

#include <string>

#include "tests/installer/win32/ui_driver.h"

using namespace kiv::uitest;

namespace {

const char kModem[] = "Tarvo Kiv Data Fax";
const char kProgramDir[] = "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax";
const char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\kiv\\Parameters";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvo Corporation";

int failures = 0;

void Check(bool ok, const std::string& what) {
  printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  if (!ok) ++failures;
}

void CheckEqual(const std::string& actual, const std::string& expected, const std::string& what) {
  Check(actual == expected,
        what + ": \"" + actual + "\"" + (actual == expected ? "" : " (expected \"" + expected + "\")"));
}

struct Installer {
  PROCESS_INFORMATION info = {};
  bool started = false;

  Installer(const std::string& payloadDir, const char* tail) {
    const std::string program = payloadDir + "\\installer.exe";
    std::string line = std::string("installer.exe") + (tail[0] != '\0' ? " " : "") + tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                             payloadDir.c_str(), &startup, &info) != FALSE;
    Check(started, "installer.exe started from " + payloadDir);
  }
  ~Installer() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  HWND Dialog(const char* caption) {
    HWND window = started ? WaitForDialog(info.hProcess, info.dwProcessId, caption) : nullptr;
    Check(window != nullptr, std::string("window \"") + caption + "\" appears");
    return window;
  }
  void ExpectExit(long code) {
    const long actual = started ? WaitForExit(info.hProcess) : -2;
    Check(actual == code, "exit code " + std::to_string(actual) + " (expected " + std::to_string(code) + ")");
  }
};

// Answers a message box after checking its words and which button is the default.
void Answer(Installer& installer, const char* caption, const std::string& text, int defaultButton,
            int press) {
  HWND box = installer.Dialog(caption);
  if (box == nullptr) return;
  CheckEqual(MessageBoxText(box), text, std::string("text of \"") + caption + "\"");
  if (defaultButton != 0)
    Check(IsDefaultButton(box, defaultButton), "default button " + std::to_string(defaultButton));
  Check(PressButton(box, press), "press button " + std::to_string(press));
}

std::string WindowsPath(const char* tail) {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + tail;
}

std::string SystemPath(const char* tail) {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + tail;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  char buffer[4096] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

void CheckTextValue(const char* key, const char* name, const std::string& expected) {
  HKEY handle = nullptr;
  char data[512] = {};
  DWORD type = 0, size = sizeof data;
  const bool opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) == ERROR_SUCCESS;
  const bool read = opened && RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                               &size) == ERROR_SUCCESS;
  if (opened) RegCloseKey(handle);
  Check(read && type == REG_SZ && size == expected.size() + 1,
        std::string(name) + " is REG_SZ of " + std::to_string(expected.size() + 1) + " bytes (type " +
            std::to_string(type) + ", " + std::to_string(size) + " bytes)");
  CheckEqual(data, expected, name);
}

void CheckDwordValue(const char* key, const char* name, DWORD expected) {
  HKEY handle = nullptr;
  DWORD data = 0xDEADBEEF, type = 0, size = sizeof data;
  const bool opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) == ERROR_SUCCESS;
  const bool read = opened && RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                               &size) == ERROR_SUCCESS;
  if (opened) RegCloseKey(handle);
  Check(read && type == REG_DWORD && data == expected, std::string(name) + " is REG_DWORD " +
                                                           std::to_string(data) + " (expected " +
                                                           std::to_string(expected) + ")");
}

void CheckService() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = manager != nullptr ? OpenServiceA(manager, "kiv", SERVICE_ALL_ACCESS) : nullptr;
  Check(service != nullptr, "service kiv exists");
  if (service != nullptr) {
    union {
      QUERY_SERVICE_CONFIGA config;
      char bytes[4096];
    } buffer = {};
    DWORD needed = 0;
    if (QueryServiceConfigA(service, &buffer.config, sizeof buffer, &needed)) {
      const QUERY_SERVICE_CONFIGA& c = buffer.config;
      Check(c.dwServiceType == SERVICE_KERNEL_DRIVER, "service is a kernel driver");
      Check(c.dwStartType == SERVICE_AUTO_START, "service starts automatically");
      Check(c.dwErrorControl == SERVICE_ERROR_NORMAL, "service error control is normal");
      CheckEqual(c.lpBinaryPathName ? c.lpBinaryPathName : "", SystemPath("\\drivers\\TarvoK41.sys"),
                 "driver path");
      CheckEqual(c.lpLoadOrderGroup ? c.lpLoadOrderGroup : "", "PCI Configuration", "load-order group");
      CheckEqual(c.lpDisplayName ? c.lpDisplayName : "", "kiv", "display name");
    } else {
      Check(false, "service configuration readable");
    }
    SERVICE_STATUS status = {};
    QueryServiceStatus(service, &status);
    Check(status.dwCurrentState == SERVICE_RUNNING,
          "driver is running (state " + std::to_string(status.dwCurrentState) + ")");
    CloseServiceHandle(service);
  }
  if (manager != nullptr) CloseServiceHandle(manager);
}

void CheckShortcut() {
  const std::string folder = WindowsPath("\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation");
  const std::string file = folder + "\\kivtool.lnk";
  Check(FileExists(file), "shortcut " + file);
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  char target[MAX_PATH] = {};
  char description[MAX_PATH] = {};
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(wide, STGM_READ))) {
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetDescription(description, MAX_PATH);
  }
  if (persist != nullptr) persist->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  CheckEqual(target, std::string(kProgramDir) + "\\kivtool.exe", "shortcut target");
  CheckEqual(description, "kivtool.exe", "shortcut description");
}

int Install(const std::string& payload) {
  Installer installer(payload, "");
  Answer(installer, "Install Modem?", std::string("Do you wish to install The\n") + kModem + "?", IDYES,
         IDYES);
  Answer(installer, "Modem Installed", "Modem installed", 0, IDOK);
  installer.ExpectExit(0);

  const std::string files[] = {
      SystemPath("\\drivers\\TarvoK41.sys"),     WindowsPath("\\inf\\TarvoK41.inf"),
      SystemPath("\\drivers\\TarvoK51.sys"),     WindowsPath("\\inf\\TarvoK51.inf"),
      SystemPath("\\drivers\\TarvoK51.cat"),     std::string(kProgramDir) + "\\installer.exe",
      std::string(kProgramDir) + "\\kivtool.exe"};
  for (const std::string& file : files) Check(FileExists(file), "copied " + file);

  CheckTextValue(kParameters, "DeviceDesc", kModem);
  CheckTextValue(kParameters, "Mfg", "Tarvo Corporation");
  CheckDwordValue(kParameters, "CurrentCountry", 1);
  CheckTextValue(kUninstall, "DisplayName", kModem);
  CheckTextValue(kUninstall, "UninstallString", std::string("\"") + kProgramDir + "\\installer.exe\" -u");
  CheckService();
  CheckShortcut();

  const std::string log = ReadFileText(WindowsPath("\\modemcpl.log"));
  printf("     modem control panel log:\n%s", log.c_str());
  Check(log.find("message 1\r\n") != std::string::npos, "rundll32 loaded modem.cpl (CPL_INIT)");
  Check(log.find("command line rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems,noui add\r\n") !=
            std::string::npos,
        "rundll32 ran with the argument text to add the modem");
  return failures;
}

int Cancel(const std::string& payload) {
  Installer installer(payload, "");
  HWND dialog = installer.Dialog("Modem Already Installed");
  if (dialog != nullptr) {
    CheckEqual(ControlText(dialog, IDCANCEL), "Cancel", "button 2");
    CheckEqual(ControlText(dialog, 1000), "Uninstall", "button 1000");
    CheckEqual(ControlText(dialog, 1001), "Reinstall", "button 1001");
    Check(!IsDefaultButton(dialog, IDCANCEL) && !IsDefaultButton(dialog, 1000) &&
              !IsDefaultButton(dialog, 1001),
          "no button carries the default style");
    HWND owner = GetWindow(dialog, GW_OWNER);
    char className[64] = {};
    GetClassNameA(owner, className, static_cast<int>(sizeof className));
    CheckEqual(className, "INSTALLER", "the dialog's owner's class");
    CheckEqual(WindowText(owner), "installer", "the backdrop's title");
    RECT r = {};
    GetWindowRect(owner, &r);
    // Asked for a square of SM_CXFULLSCREEN; the system keeps a window within its largest tracking size.
    const int side = GetSystemMetrics(SM_CXFULLSCREEN);
    const int height = side < GetSystemMetrics(SM_CYMAXTRACK) ? side : GetSystemMetrics(SM_CYMAXTRACK);
    Check(r.left == 0 && r.top == 0 && r.right - r.left == side && r.bottom - r.top == height,
          "the backdrop at the top left, " + std::to_string(r.right - r.left) + " x " +
              std::to_string(r.bottom - r.top) + " (expected " + std::to_string(side) + " x " +
              std::to_string(height) + ")");
    Check(PressButton(dialog, IDCANCEL), "press Cancel");
  }
  installer.ExpectExit(0);
  return failures;
}

int WrongVersion(const std::string& payload) {
  // Wine reports the version that this key names to installer.exe alone.
  const char key[] = "Software\\Wine\\AppDefaults\\installer.exe";
  HKEY handle = nullptr;
  RegCreateKeyA(HKEY_CURRENT_USER, key, &handle);
  RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win2k"), 6);
  RegCloseKey(handle);
  {
    Installer installer(payload, "");
    Answer(installer, "Application Error", "This application is for Windows NT4 only", 0, IDOK);
    installer.ExpectExit(0);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  return failures;
}

int UninstallNo(const std::string& payload) {
  Installer installer(payload, "-u");
  Answer(installer, "Uninstall Modem?", std::string("Do you wish to Uninstall The\n") + kModem + "?", IDNO,
         IDNO);
  installer.ExpectExit(1);
  Check(FindWindowA("INSTALLER", nullptr) == nullptr, "no backdrop on the -u path");
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: installer_ui_test install|cancel|wrong-version|uninstall-no <payload folder>\n");
    return 100;
  }
  const std::string scenario = argv[1];
  const std::string payload = argv[2];
  printf("scenario %s\n", scenario.c_str());
  if (scenario == "install") return Install(payload);
  if (scenario == "cancel") return Cancel(payload);
  if (scenario == "wrong-version") return WrongVersion(payload);
  if (scenario == "uninstall-no") return UninstallNo(payload);
  fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
  return 100;
}
