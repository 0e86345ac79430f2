// installer.exe run from its payload folder as a person would run it, on a system reporting NT 4.0:
// what each box and dialog says, which button the user presses, and what the system holds afterwards.
// The cases share one system and run in the order written: the first installs, the later ones meet
// the installed modem. Arguments: the payload folder and the stand-in modem.cpl.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "tests/installer/win32/ui_driver.h"

namespace kiv::uitest {
namespace {

std::string payloadDir;
std::string modemCplFile;

const char kModem[] = "Tarvo Kiv Data Fax";
const char kProgramDir[] = "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax";
const char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\kiv";
const char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\kiv\\Parameters";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvo Corporation";
const char kVersionKey[] = "Software\\Wine\\AppDefaults\\installer.exe";
const char kBrokenService[] = "kivbroken";
const char kShortcutFolder[] = "\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation";
const char kShortcut[] = "\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation\\kivtool.lnk";
const char kPanelCommandLine[] = "command line rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems\r\n";

// A Unix path from the test's command line names the same file through Wine's drive Z:.
std::string WindowsPathOf(const char* path) {
  std::string result = path;
  if (!result.empty() && result[0] == '/') result = "Z:" + result;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
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

struct RegistryValue {
  bool present = false;
  DWORD type = 0;
  DWORD size = 0;
  std::string text;
  DWORD number = 0;
};

RegistryValue ReadValue(const char* key, const char* name) {
  RegistryValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  char data[512] = {};
  value.size = sizeof data;
  value.present = RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                                   &value.size) == ERROR_SUCCESS;
  RegCloseKey(handle);
  if (value.type == REG_SZ) value.text = data;
  if (value.type == REG_DWORD) CopyMemory(&value.number, data, sizeof value.number);
  return value;
}

void DeleteKeyIfPresent(const char* key) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

void RemoveService(const char* name) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return;
  SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
  if (service != nullptr) {
    SERVICE_STATUS status = {};
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    DeleteService(service);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  const std::string key = std::string("SYSTEM\\CurrentControlSet\\Services\\") + name;
  DeleteKeyIfPresent((key + "\\Parameters").c_str());
  DeleteKeyIfPresent(key.c_str());
}

// Takes away what an earlier installation left, so the first case meets a system without the modem,
// and so later programs on the same system do not meet this driver.
void RemoveInstallation() {
  RemoveService("kiv");
  RemoveService(kBrokenService);
  DeleteKeyIfPresent(kUninstall);
}

// A copy of the payload folder, changed by the case that makes it.
std::string CopyPayload(const char* name, const char* leaveOut) {
  const std::string folder = WindowsPath("\\..\\") + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  const char* const files[] = {"installer.exe", "installer.cfg", "kivtool.exe",
                               "TarvoK41.sys",  "TarvoK41.inf",  "TarvoK51.sys",
                               "TarvoK51.inf",  "TarvoK51.cat",  "setup.bmp"};
  for (const char* file : files) {
    const std::string target = folder + "\\" + file;
    DeleteFileA(target.c_str());
    if (lstrcmpA(file, leaveOut) != 0) CopyFileA((payloadDir + "\\" + file).c_str(), target.c_str(), FALSE);
  }
  return folder;
}

bool ServiceExists(const char* name) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return false;
  SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS);
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return service != nullptr;
}

// The stand-in modem control panel, open with its user interface: checks what the installer has and
// has not done while the panel stands open, then closes it as the user would.
template <typename WhileOpen>
void ClosePanel(WhileOpen whileOpen) {
  HWND panel = WaitForDialogOfAnyProcess("Modems");
  ASSERT_NE(panel, nullptr) << "the modem control panel did not open";
  whileOpen();
  EXPECT_TRUE(PressButton(panel, IDOK));
}

// Polls with the bound of every wait here.
template <typename Condition>
bool WaitUntil(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= kWaitBoundMs) return false;
    Sleep(10);
  }
  return true;
}

std::string PanelLog() {
  return ReadFileText(WindowsPath("\\modemcpl.log"));
}

// A running installer.exe, ended at the latest when the case ends.
class Installer {
 public:
  explicit Installer(const char* tail, const std::string& folder = payloadDir) {
    const std::string program = folder + "\\installer.exe";
    std::string line = std::string("installer.exe") + (tail[0] != '\0' ? " " : "") + tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                              &startup, &info_) != FALSE;
    EXPECT_TRUE(started_) << program << " did not start, error " << GetLastError();
  }
  ~Installer() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Installer(const Installer&) = delete;
  Installer& operator=(const Installer&) = delete;

  HWND Window(const char* caption) {
    HWND window = started_ ? WaitForDialog(info_.hProcess, info_.dwProcessId, caption) : nullptr;
    EXPECT_NE(window, nullptr) << "no window \"" << caption << "\" appeared";
    return window;
  }
  // Checks a message box's words and default button, then presses a button.
  void Answer(const char* caption, const std::string& text, int defaultButton, int press) {
    HWND box = Window(caption);
    if (box == nullptr) return;
    EXPECT_EQ(MessageBoxText(box), text) << caption;
    if (defaultButton != 0) {
      EXPECT_TRUE(IsDefaultButton(box, defaultButton)) << caption;
    }
    EXPECT_TRUE(PressButton(box, press)) << caption;
  }
  long ExitCode() { return started_ ? WaitForExit(info_.hProcess) : -2; }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

class InstallerEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RemoveInstallation();
    DeleteFileA(WindowsPath("\\modemcpl.log").c_str());
    // NT 4 has the shared start menu under the Windows folder; a fresh Wine system lacks it.
    const char* const levels[] = {"\\Profiles", "\\Profiles\\All Users", "\\Profiles\\All Users\\Start Menu",
                                  "\\Profiles\\All Users\\Start Menu\\Programs"};
    for (const char* level : levels) CreateDirectoryA(WindowsPath(level).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(modemCplFile.c_str(), SystemPath("\\modem.cpl").c_str(), FALSE))
        << "cannot put " << modemCplFile << " in place";
  }
  static void TearDownTestSuite() { RemoveInstallation(); }
};

// The failing installations come first: they need a system on which the modem is not installed.
TEST_F(InstallerEndToEnd, AMissingThirdFileStopsAtTheCopiesAndReportsTheFailedInstallation) {
  const std::string folder = CopyPayload("payload-without-nt5-driver", "TarvoK51.sys");
  {
    Installer installer("", folder);
    installer.Answer("Install Modem?", std::string("Do you wish to install The\n") + kModem + "?", IDYES,
                     IDYES);
    installer.Answer("Modem Install Error", "Failed to copy modem system files", 0, IDOK);
    installer.Answer("Modem Installed", "Modem not succesfully installed", 0, IDOK);
    EXPECT_EQ(installer.ExitCode(), 0);
  }
  EXPECT_TRUE(FileExists(SystemPath("\\drivers\\TarvoK41.sys")));
  EXPECT_TRUE(FileExists(WindowsPath("\\inf\\TarvoK41.inf")));
  EXPECT_FALSE(FileExists(SystemPath("\\drivers\\TarvoK51.sys")));
  EXPECT_FALSE(ReadValue(kParameters, "DeviceDesc").present) << "no registry value after a failed copy";
}

TEST_F(InstallerEndToEnd, ADriverThatCannotStartShowsTheSystemsTextUnderInfoAndStaysRegistered) {
  // Under a service name of its own, named by the INF, with a file that is no driver at all.
  const std::string folder = CopyPayload("payload-with-broken-driver", "TarvoK41.sys");
  ASSERT_TRUE(CopyFileA((folder + "\\installer.cfg").c_str(), (folder + "\\TarvoK41.sys").c_str(), FALSE));
  ASSERT_TRUE(WritePrivateProfileStringA("Strings", "ServiceName", kBrokenService,
                                         (folder + "\\TarvoK41.inf").c_str()));
  {
    Installer installer("", folder);
    installer.Answer("Install Modem?", std::string("Do you wish to install The\n") + kModem + "?", IDYES,
                     IDYES);
    HWND box = installer.Window("INFO");
    if (box != nullptr) {
      EXPECT_FALSE(MessageBoxText(box).empty()) << "the system's text for the error";
      EXPECT_TRUE(PressButton(box, IDOK));
    }
    installer.Answer("Modem Installed", "Modem not succesfully installed", 0, IDOK);
    EXPECT_EQ(installer.ExitCode(), 0);
  }
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service =
      manager != nullptr ? OpenServiceA(manager, kBrokenService, SERVICE_QUERY_STATUS) : nullptr;
  EXPECT_NE(service, nullptr) << "the service stays registered";
  if (service != nullptr) CloseServiceHandle(service);
  if (manager != nullptr) CloseServiceHandle(manager);
  RemoveService(kBrokenService);
}

TEST_F(InstallerEndToEnd, FirstRunAsksInstallsEverythingAndEndsWithZero) {
  ASSERT_TRUE(FileExists(payloadDir + "\\TarvoK41.sys")) << "the payload folder has no driver";
  {
    Installer installer("");
    installer.Answer("Install Modem?", std::string("Do you wish to install The\n") + kModem + "?", IDYES,
                     IDYES);
    installer.Answer("Modem Installed", "Modem installed", 0, IDOK);
    EXPECT_EQ(installer.ExitCode(), 0);
  }

  const std::string copies[] = {
      SystemPath("\\drivers\\TarvoK41.sys"),     WindowsPath("\\inf\\TarvoK41.inf"),
      SystemPath("\\drivers\\TarvoK51.sys"),     WindowsPath("\\inf\\TarvoK51.inf"),
      SystemPath("\\drivers\\TarvoK51.cat"),     std::string(kProgramDir) + "\\installer.exe",
      std::string(kProgramDir) + "\\kivtool.exe"};
  for (const std::string& file : copies) EXPECT_TRUE(FileExists(file)) << file;

  const struct {
    const char* key;
    const char* name;
    std::string text;
  } texts[] = {
      {kParameters, "DeviceDesc", kModem},
      {kParameters, "Mfg", "Tarvo Corporation"},
      {kUninstall, "DisplayName", kModem},
      {kUninstall, "UninstallString", std::string("\"") + kProgramDir + "\\installer.exe\" -u"},
  };
  for (const auto& t : texts) {
    const RegistryValue value = ReadValue(t.key, t.name);
    EXPECT_TRUE(value.present) << t.name;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << t.name;
    EXPECT_EQ(value.text, t.text) << t.name;
    EXPECT_EQ(value.size, t.text.size() + 1) << t.name << ": text values keep their terminating zero";
  }
  const RegistryValue country = ReadValue(kParameters, "CurrentCountry");
  EXPECT_EQ(country.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(country.number, 1u);

  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  SC_HANDLE service = OpenServiceA(manager, "kiv", SERVICE_ALL_ACCESS);
  EXPECT_NE(service, nullptr) << "no service kiv";
  if (service != nullptr) {
    union {
      QUERY_SERVICE_CONFIGA config;
      char bytes[4096];
    } buffer = {};
    DWORD needed = 0;
    ASSERT_TRUE(QueryServiceConfigA(service, &buffer.config, sizeof buffer, &needed));
    const QUERY_SERVICE_CONFIGA& c = buffer.config;
    EXPECT_EQ(c.dwServiceType, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(c.dwStartType, static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(c.dwErrorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_STREQ(c.lpBinaryPathName, SystemPath("\\drivers\\TarvoK41.sys").c_str());
    EXPECT_STREQ(c.lpLoadOrderGroup, "PCI Configuration");
    EXPECT_STREQ(c.lpDisplayName, "kiv");
    SERVICE_STATUS status = {};
    QueryServiceStatus(service, &status);
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING)) << "the driver was not started";
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);

  const std::string shortcut =
      WindowsPath("\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation\\kivtool.lnk");
  ASSERT_TRUE(FileExists(shortcut)) << shortcut;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  char target[MAX_PATH] = {};
  char description[MAX_PATH] = {};
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
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
  EXPECT_EQ(std::string(target), std::string(kProgramDir) + "\\kivtool.exe");
  EXPECT_STREQ(description, "kivtool.exe");

  // The stand-in modem.cpl writes down the command line of the rundll32 that loaded it.
  const std::string log = ReadFileText(WindowsPath("\\modemcpl.log"));
  EXPECT_NE(log.find("command line rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems,noui add\r\n"),
            std::string::npos)
      << log;
}

TEST_F(InstallerEndToEnd, LaterRunShowsTheAlreadyInstalledDialogOverTheBackdropAndCancelEndsWithZero) {
  Installer installer("");
  HWND dialog = installer.Window("Modem Already Installed");
  ASSERT_NE(dialog, nullptr);
  // The first static control of the template is the message.
  EXPECT_EQ(ControlText(dialog, 0xFFFF), "The Data Fax Voice Modem is already installed.");
  EXPECT_EQ(ControlText(dialog, IDCANCEL), "Cancel");
  EXPECT_EQ(ControlText(dialog, 1000), "Uninstall");
  EXPECT_EQ(ControlText(dialog, 1001), "Reinstall");
  for (const int id : {IDCANCEL, 1000, 1001}) EXPECT_FALSE(IsDefaultButton(dialog, id)) << id;

  HWND backdrop = GetWindow(dialog, GW_OWNER);
  char className[64] = {};
  GetClassNameA(backdrop, className, static_cast<int>(sizeof className));
  EXPECT_STREQ(className, "INSTALLER");
  EXPECT_EQ(WindowText(backdrop), "installer");
  RECT r = {};
  GetWindowRect(backdrop, &r);
  // Asked for a square of SM_CXFULLSCREEN; the system keeps a window within its largest tracking size.
  const int side = GetSystemMetrics(SM_CXFULLSCREEN);
  const int maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, side);
  EXPECT_EQ(r.bottom - r.top, side < maxHeight ? side : maxHeight);

  EXPECT_TRUE(PressButton(dialog, IDCANCEL));
  EXPECT_EQ(installer.ExitCode(), 0);
  EXPECT_NE(ReadValue(kUninstall, "DisplayName").present, false) << "Cancel must change nothing";
}

TEST_F(InstallerEndToEnd, DashUAnsweredNoRemovesNothingShowsNoBackdropAndEndsWithOne) {
  Installer installer("-u");
  installer.Answer("Uninstall Modem?", std::string("Do you wish to Uninstall The\n") + kModem + "?", IDNO,
                   IDNO);
  EXPECT_EQ(installer.ExitCode(), 1);
  EXPECT_EQ(FindWindowA("INSTALLER", nullptr), nullptr);
}

TEST_F(InstallerEndToEnd, ReinstallShowsTheNoticeAndCopiesOnlyAfterTheControlPanelEnded) {
  // Taken away so that its return shows when the copies ran.
  const std::string countryTool = std::string(kProgramDir) + "\\kivtool.exe";
  ASSERT_TRUE(DeleteFileA(countryTool.c_str()));
  DeleteFileA(WindowsPath("\\modemcpl.log").c_str());
  {
    Installer installer("");
    HWND dialog = installer.Window("Modem Already Installed");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(PressButton(dialog, 1001));
    installer.Answer("Reinstall Modem?", std::string("Do you wish to Reinstall The\n") + kModem + "?", IDNO,
                     IDYES);
    HWND notice = installer.Window("Modem uninstall");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(MessageBoxText(notice), std::string("You may remove the\n") + kModem +
                                          "\nmodem from the modem control panel\nif it is there.");
    EXPECT_FALSE(ServiceExists("kiv")) << "the service is gone before the notice";
    EXPECT_TRUE(PressButton(notice, IDOK));
    ClosePanel([&] {
      // The main thread dispatches nothing while it waits: only its own paint can make the window
      // valid again.
      HWND backdrop = FindWindowA("INSTALLER", nullptr);
      ASSERT_NE(backdrop, nullptr);
      InvalidateRect(backdrop, nullptr, FALSE);
      EXPECT_TRUE(WaitUntil([&] { return !GetUpdateRect(backdrop, nullptr, FALSE); }))
          << "the backdrop is not repainted during the wait";
      EXPECT_FALSE(FileExists(countryTool)) << "no copy while the panel is open";
      EXPECT_TRUE(ReadValue(kUninstall, "DisplayName").present) << "the entry stays while the panel is open";
      EXPECT_TRUE(FileExists(WindowsPath(kShortcut))) << "the shortcut stays while the panel is open";
    });
    installer.Answer("Modem Installed", "Modem installed", 0, IDOK);
    EXPECT_EQ(installer.ExitCode(), 0);
  }
  EXPECT_TRUE(FileExists(countryTool));
  EXPECT_TRUE(ServiceExists("kiv"));
  EXPECT_TRUE(ReadValue(kUninstall, "DisplayName").present);
  EXPECT_TRUE(FileExists(WindowsPath(kShortcut)));
  const std::string log = PanelLog();
  const std::size_t panel = log.find(kPanelCommandLine);
  const std::size_t closed = log.find("panel closed");
  const std::size_t add = log.find("Modems,noui add");
  EXPECT_NE(panel, std::string::npos) << log;
  EXPECT_NE(closed, std::string::npos) << log;
  EXPECT_TRUE(panel < closed && closed < add) << "the panel for the user, then the installation's own\n"
                                              << log;
}

TEST_F(InstallerEndToEnd, DashUAnsweredYesRemovesServiceEntryAndShortcutKeepsTheFilesAndEndsWithOne) {
  ASSERT_TRUE(ServiceExists("kiv")) << "needs the installed modem";
  DeleteFileA(WindowsPath("\\modemcpl.log").c_str());
  {
    Installer installer("-u");
    installer.Answer("Uninstall Modem?", std::string("Do you wish to Uninstall The\n") + kModem + "?", IDNO,
                     IDYES);
    installer.Answer("Modem uninstall",
                     std::string("You may remove the\n") + kModem +
                         "\nmodem from the modem control panel\nif it is there.",
                     0, IDOK);
    ClosePanel([&] {
      EXPECT_TRUE(ReadValue(kUninstall, "DisplayName").present) << "the entry stays while the panel is open";
      EXPECT_TRUE(FileExists(WindowsPath(kShortcut))) << "the shortcut stays while the panel is open";
      EXPECT_EQ(FindWindowA("INSTALLER", nullptr), nullptr) << "no backdrop on this path";
    });
    EXPECT_EQ(installer.ExitCode(), 1);
  }
  EXPECT_NE(PanelLog().find(kPanelCommandLine), std::string::npos) << PanelLog();
  EXPECT_FALSE(ServiceExists("kiv"));
  HKEY entry = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ, &entry), ERROR_SUCCESS);
  if (entry != nullptr) RegCloseKey(entry);
  EXPECT_FALSE(FileExists(WindowsPath(kShortcut)));
  EXPECT_FALSE(FileExists(WindowsPath(kShortcutFolder))) << "the emptied folder goes too";

  const std::string copies[] = {
      SystemPath("\\drivers\\TarvoK41.sys"),     WindowsPath("\\inf\\TarvoK41.inf"),
      SystemPath("\\drivers\\TarvoK51.sys"),     WindowsPath("\\inf\\TarvoK51.inf"),
      SystemPath("\\drivers\\TarvoK51.cat"),     std::string(kProgramDir) + "\\installer.exe",
      std::string(kProgramDir) + "\\kivtool.exe"};
  for (const std::string& file : copies) EXPECT_TRUE(FileExists(file)) << file << " stays";
  EXPECT_TRUE(FileExists(kProgramDir));
}

TEST_F(InstallerEndToEnd, AnotherWindowsVersionIsRefused) {
  // Wine reports the version that this key names to installer.exe alone.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kVersionKey, &key), ERROR_SUCCESS);
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win2k"), 6);
  RegCloseKey(key);
  {
    Installer installer("");
    installer.Answer("Application Error", "This application is for Windows NT4 only", 0, IDOK);
    EXPECT_EQ(installer.ExitCode(), 0);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kVersionKey);
}

}  // namespace
}  // namespace kiv::uitest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    fprintf(stderr, "usage: installer_end_to_end_test <payload folder> <modem.cpl>\n");
    return 2;
  }
  kiv::uitest::payloadDir = kiv::uitest::WindowsPathOf(argv[1]);
  kiv::uitest::modemCplFile = kiv::uitest::WindowsPathOf(argv[2]);
  return RUN_ALL_TESTS();
}
