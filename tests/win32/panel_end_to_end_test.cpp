// kivpanel.exe driven for real against the simulated modem driver: what a person would read in its
// status bar as the driver comes, plays a call and goes, and what a second start does.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "simdriver/scenario.h"
#include "simdriver/win32/driver_service.h"
#include "simdriver/win32/sim_control.h"
#include "tests/win32/simdriver_test_support.h"

namespace kiv {
namespace {

using wintest::Assignments;
using wintest::WaitFor;

constexpr char kSettingsKey[] = "Software\\KivPanelTest";
constexpr int kStatusBarId = 4660;
constexpr UINT kExitCommand = 40019;
constexpr UINT kStatisticsCommand = 40024;
constexpr int kDteTxBar = 1020;
constexpr int kRtsSlider = 1037;
constexpr int kRtsRequested = 1038;
constexpr int kSetRtsButton = 1039;

BOOL CALLBACK CountPanel(HWND window, LPARAM count) {
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "KIVAPPL") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int PanelWindowCount() {
  int count = 0;
  ::EnumWindows(CountPanel, reinterpret_cast<LPARAM>(&count));
  return count;
}

BOOL CALLBACK FindLightTips(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(context);
  char className[32] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "tooltips_class32") != 0 || ::GetWindow(window, GW_OWNER) != search.first)
    return TRUE;
  search.second = window;
  return FALSE;
}

// The statistics dialog: the panel's owned dialog that has the DTE Tx bar.
BOOL CALLBACK FindStatisticsDialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(context);
  if (::GetWindow(window, GW_OWNER) != search.first || ::GetDlgItem(window, kDteTxBar) == nullptr)
    return TRUE;
  search.second = window;
  return FALSE;
}

std::string ControlText(HWND dialog, int control) {
  char text[64] = {};
  ::GetWindowTextA(::GetDlgItem(dialog, control), text, sizeof text);
  return text;
}

// A started kivpanel.exe, ended at the end of the test whatever happened.
class PanelProcess {
 public:
  bool Start(const std::string& arguments) {
    std::string line = std::string("\"") + KIVPANEL_PATH + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info_)) {
      return false;
    }
    ::CloseHandle(info_.hThread);
    return true;
  }
  HANDLE Handle() const { return info_.hProcess; }
  // The process's exit code once it has ended; -1 if it has not ended within the bound.
  long WaitForExit(DWORD boundMs = 30000) {
    if (::WaitForSingleObject(info_.hProcess, boundMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }
  ~PanelProcess() {
    if (info_.hProcess == nullptr) return;
    if (::WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) ::TerminateProcess(info_.hProcess, 1);
    ::CloseHandle(info_.hProcess);
  }

 private:
  PROCESS_INFORMATION info_{};
};

// The panel's status bar read from this process: its texts live in the panel's memory.
class StatusBarReader {
 public:
  StatusBarReader(HWND bar, DWORD processId) : bar_(bar) {
    process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) remote_ = ::VirtualAllocEx(process_, nullptr, 512, MEM_COMMIT, PAGE_READWRITE);
  }
  ~StatusBarReader() {
    if (remote_ != nullptr) ::VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_ != nullptr) ::CloseHandle(process_);
  }
  bool Ready() const { return remote_ != nullptr; }
  bool Simple() const { return ::SendMessageA(bar_, SB_ISSIMPLE, 0, 0) != 0; }
  // In simple mode pane 0 reads as the simple-mode text.
  std::string Text(int pane) const {
    const LRESULT length = LOWORD(::SendMessageA(bar_, SB_GETTEXTLENGTHA, pane, 0));
    if (length >= 512) return "<too long>";
    ::SendMessageA(bar_, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(remote_));
    char text[512] = {};
    SIZE_T read = 0;
    ::ReadProcessMemory(process_, remote_, text, static_cast<SIZE_T>(length) + 1, &read);
    return std::string(text, static_cast<std::size_t>(length));
  }
  // "simple: Idle" or "Idle mode |  ".
  std::string Shown() const { return Simple() ? "simple: " + Text(0) : Text(0) + " | " + Text(1); }

 private:
  HWND bar_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
};

bool StartDriver() {
  std::uint32_t error = 0;
  WaitFor([&] {
    error = kivsim::StartDriverService();
    return error == 0 || error == ERROR_SERVICE_ALREADY_RUNNING;
  });
  return error == 0 || error == ERROR_SERVICE_ALREADY_RUNNING;
}

class PanelEndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    kivsim::RemoveDriverService();  // left over from an interrupted run
    ASSERT_EQ(kivsim::InstallDriverService(KIVSIM_DRIVER_PATH), 0u) << KIVSIM_DRIVER_PATH;
    // The panel never creates its key; the modem's installation would have.
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, (std::string(kSettingsKey) + "\\FrontPanel").c_str(), &key),
              0);
    ::RegCloseKey(key);
  }
  static void TearDownTestSuite() { kivsim::RemoveDriverService(); }

  void SetUp() override {
    ASSERT_TRUE(StartDriver());
    ASSERT_TRUE(control.Open()) << control.LastError();
    ASSERT_TRUE(control.Reset()) << control.LastError();
  }

  // The started panel's visible main window and its status bar, once they exist.
  HWND WaitForPanel(HANDLE process) {
    HWND found = nullptr;
    WaitFor([&] {
      found = ::FindWindowA("KIVAPPL", nullptr);
      return (found != nullptr && ::IsWindowVisible(found) && ::GetDlgItem(found, kStatusBarId) != nullptr) ||
             ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    });
    return found;
  }

  kivsim::SimControl control;
};

TEST_F(PanelEndToEndTest, ShowsTheDriversCallSignalsASecondStartAndFallsBackToIdle) {
  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey));
  HWND window = WaitForPanel(panel.Handle());
  ASSERT_NE(window, nullptr) << "no panel window";
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  StatusBarReader bar(::GetDlgItem(window, kStatusBarId), processId);
  ASSERT_TRUE(bar.Ready()) << ::GetLastError();

  // One tool for each of the seven lights.
  std::pair<HWND, HWND> tips{window, nullptr};
  ::EnumWindows(FindLightTips, reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips.second, nullptr) << "no tooltip window";
  EXPECT_EQ(::SendMessageA(tips.second, TTM_GETTOOLCOUNT, 0, 0), 7);

  // The driver answers: two panes, idle mode.
  EXPECT_TRUE(WaitFor([&] { return bar.Shown() == "Idle mode |  "; })) << bar.Shown();

  ASSERT_TRUE(control.Apply(Assignments({"mode=data", "callState=connected", "errorCorrection='M'",
                                         "compression='C'", "speed=50666", "modulation=V.90"})));
  EXPECT_TRUE(WaitFor([&] { return bar.Shown() == "Data - V.90 | Connected LAPM V.42bis at 50666 bps"; }))
      << bar.Shown();

  // Closed, the panel goes on in the tray; a second start shows it again and ends.
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(window); }));
  PanelProcess second;
  ASSERT_TRUE(second.Start(""));
  EXPECT_EQ(second.WaitForExit(), 0);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(window) != FALSE; }))
      << "the running panel was not shown";
  EXPECT_EQ(PanelWindowCount(), 1);

  // The driver goes: the panel returns to its simple idle display.
  ASSERT_EQ(kivsim::StopDriverService(), 0u);
  EXPECT_TRUE(WaitFor([&] { return bar.Shown() == "simple: Idle"; })) << bar.Shown();

  ::PostMessageA(window, WM_COMMAND, kExitCommand, 0);
  EXPECT_EQ(panel.WaitForExit(), 0);
  EXPECT_EQ(::FindWindowA("KIVAPPL", nullptr), nullptr);
}

TEST_F(PanelEndToEndTest, TheStatisticsDialogShowsTheDriversBuffersAndSendsTheChosenRtsPeriod) {
  ASSERT_TRUE(control.Apply(Assignments({"dteTxUsed=37", "dteTxSize=200", "rtsFrequency=20"})));
  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey));
  HWND window = WaitForPanel(panel.Handle());
  ASSERT_NE(window, nullptr) << "no panel window";

  ::PostMessageA(window, WM_COMMAND, kStatisticsCommand, 0);
  std::pair<HWND, HWND> search{window, nullptr};
  ASSERT_TRUE(WaitFor([&] {
    ::EnumWindows(FindStatisticsDialog, reinterpret_cast<LPARAM>(&search));
    return search.second != nullptr;
  })) << "no statistics dialog";
  HWND dialog = search.second;
  HWND bar = ::GetDlgItem(dialog, kDteTxBar);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) == 37; }))
      << ::SendMessageA(bar, PBM_GETPOS, 0, 0);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 200);
  EXPECT_TRUE(WaitFor([&] { return ControlText(dialog, kRtsRequested) == "20"; }))
      << "the slider is seeded from the driver's RTS frequency";

  // The End key moves the slider to "Slower"; its notification sets the requested period.
  HWND slider = ::GetDlgItem(dialog, kRtsSlider);
  ::PostMessageA(slider, WM_KEYDOWN, VK_END, 0);
  ::PostMessageA(slider, WM_KEYUP, VK_END, 0);
  EXPECT_TRUE(WaitFor([&] {
    ::InvalidateRect(slider, nullptr, TRUE);
    return ControlText(dialog, kRtsRequested) == "50";
  })) << ControlText(dialog, kRtsRequested);
  EXPECT_EQ(::SendMessageA(slider, TBM_GETPOS, 0, 0), 9);

  ::PostMessageA(dialog, WM_COMMAND, kSetRtsButton, 0);
  KivSimReport report{};
  EXPECT_TRUE(WaitFor([&] { return control.Report(report) && report.rtsRequestSeen != 0; }));
  const std::vector<std::uint8_t> expected = {0, 0, 0, 0, 50, 0, 0, 0, 4, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(report.lastRtsRequest, report.lastRtsRequest + 10), expected);

  // Exit closes the open dialog first.
  ::PostMessageA(window, WM_COMMAND, kExitCommand, 0);
  EXPECT_EQ(panel.WaitForExit(), 0);
  EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(PanelEndToEndTest, ATrayStartStaysHiddenAndKeepsTheStoredStartMode) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kSettingsKey) + "\\FrontPanel").c_str(), 0,
                            KEY_ALL_ACCESS, &key),
            0);
  ::RegSetValueExA(key, "Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  ::RegSetValueExA(key, "AlwaysOnTop", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  ::RegDeleteValueA(key, "PanelX");

  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey + " /I"));
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    window = ::FindWindowA("KIVAPPL", nullptr);
    return window != nullptr && ::GetDlgItem(window, kStatusBarId) != nullptr;
  }));
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  StatusBarReader bar(::GetDlgItem(window, kStatusBarId), processId);
  ASSERT_TRUE(bar.Ready());
  // Once the link is open the start-up is long over: the window never showed.
  EXPECT_TRUE(WaitFor([&] { return bar.Shown() == "Idle mode |  "; })) << bar.Shown();
  EXPECT_FALSE(::IsWindowVisible(window));
  const auto topmost = [&] { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  EXPECT_TRUE(topmost()) << "AlwaysOnTop 1 not applied";

  // A double click on another icon of the window opens nothing. Always on Top, posted after it, shows
  // when the panel has handled everything before it.
  ::SendMessageA(window, 1025, 4661, WM_LBUTTONDBLCLK);
  ::PostMessageA(window, WM_COMMAND, 40001, 0);
  ASSERT_TRUE(WaitFor([&] { return !topmost(); }));
  EXPECT_FALSE(::IsWindowVisible(window));
  ::PostMessageA(window, WM_COMMAND, 40001, 0);
  ASSERT_TRUE(WaitFor(topmost));
  // A double click on the panel's own icon opens the window.
  ::SendMessageA(window, 1025, 4660, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(window) != FALSE; }));

  ::PostMessageA(window, WM_COMMAND, kExitCommand, 0);
  EXPECT_EQ(panel.WaitForExit(), 0);
  char text[16] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(::RegQueryValueExA(key, "Startup", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), 0);
  EXPECT_STREQ(text, "0") << "a tray start must not store its forced start mode";
  size = sizeof text;
  EXPECT_EQ(::RegQueryValueExA(key, "AlwaysOnTop", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            0);
  EXPECT_STREQ(text, "1");
  size = sizeof text;
  EXPECT_EQ(::RegQueryValueExA(key, "PanelX", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), 0)
      << "the position is saved on Exit";
  ::RegCloseKey(key);
}

// What the menu commands, the Esc key's command and the restore request do to the running panel, as
// its window state and stored settings show them. (Wine keeps menus inside their process: another
// process cannot read the check marks.)
TEST_F(PanelEndToEndTest, CommandsChangeTheWindowAndTheModesAndTheUninstallMessageEndsThePanel) {
  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey));
  HWND window = WaitForPanel(panel.Handle());
  ASSERT_NE(window, nullptr) << "no panel window";
  const auto topmost = [&] { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };

  // Always on Top turns on, then off again.
  const bool wasTopmost = topmost();
  ::PostMessageA(window, WM_COMMAND, 40001, 0);
  EXPECT_TRUE(WaitFor([&] { return topmost() != wasTopmost; }));
  ::PostMessageA(window, WM_COMMAND, 40001, 0);
  EXPECT_TRUE(WaitFor([&] { return topmost() == wasTopmost; }));
  ::PostMessageA(window, WM_COMMAND, 40001, 0);

  // Esc's command minimises; the restore request leaves a minimised panel alone; Open restores it.
  ::PostMessageA(window, WM_COMMAND, 40025, 0);
  ASSERT_TRUE(WaitFor([&] { return ::IsIconic(window) != FALSE; }));
  ::SendMessageA(window, WM_USER + 2, 0, 0);
  EXPECT_TRUE(::IsIconic(window));
  ::PostMessageA(window, WM_COMMAND, 40021, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsIconic(window) && ::IsWindowVisible(window); }));

  // The modem's applet broadcasts this when it uninstalls the modem; the panel ends as on Exit,
  // storing the start mode and the always-on-top state chosen.
  ::PostMessageA(window, WM_COMMAND, 40003, 0);
  const UINT uninstalled = ::RegisterWindowMessageA("_MODEM_UNINSTALLED_BY_KIVCPL.CPL");
  ::PostMessageA(window, uninstalled, 0, 0);
  EXPECT_EQ(panel.WaitForExit(), 0);

  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kSettingsKey) + "\\FrontPanel").c_str(), 0,
                            KEY_ALL_ACCESS, &key),
            0);
  char text[16] = {};
  DWORD size = sizeof text;
  ::RegQueryValueExA(key, "Startup", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  EXPECT_STREQ(text, "1");
  size = sizeof text;
  ::RegQueryValueExA(key, "AlwaysOnTop", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  EXPECT_STREQ(text, wasTopmost ? "0" : "1");
  // The next start shows its window again.
  ::RegSetValueExA(key, "Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  ::RegCloseKey(key);
}

// The About box of a running panel, found by its caption among the panel's windows.
HWND FindAboutBox(HWND panel) {
  HWND box = ::FindWindowA("#32770", "About Kiv Front Panel");
  return box != nullptr && ::GetWindow(box, GW_OWNER) == panel ? box : nullptr;
}

std::string DialogItemText(HWND dialog, int id) {
  char text[128] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// The About command opens the box over the panel with its texts set; OK closes it, and a reopened
// box closes the same way on Esc's command. Over a panel in the middle of the work area the box is
// centred; over one in the work area's top-left corner the larger box is pulled into that corner.
TEST_F(PanelEndToEndTest, TheAboutBoxShowsItsTextsCentredOverThePanelAndCloses) {
  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey));
  HWND window = WaitForPanel(panel.Handle());
  ASSERT_NE(window, nullptr) << "no panel window";
  char title[128] = {};
  ::GetWindowTextA(window, title, sizeof title);
  RECT area{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));

  struct Opening {
    bool inCorner;
    WPARAM closing;
  };
  for (const Opening opening : {Opening{false, IDOK}, Opening{true, IDCANCEL}}) {
    const int panelX = opening.inCorner ? area.left : (area.left + area.right) / 2 - 100;
    const int panelY = opening.inCorner ? area.top : (area.top + area.bottom) / 2 - 50;
    ::SetWindowPos(window, nullptr, panelX, panelY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::PostMessageA(window, WM_COMMAND, 40020, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      box = FindAboutBox(window);
      return box != nullptr && ::IsWindowVisible(box);
    })) << "no About box";
    EXPECT_EQ(DialogItemText(box, 1045), title);
    EXPECT_EQ(DialogItemText(box, 1042), "Version 1.1");
    EXPECT_FALSE(DialogItemText(box, 1043).empty());
    EXPECT_FALSE(DialogItemText(box, 1044).empty());
    EXPECT_FALSE(::IsWindowEnabled(window)) << "the box is modal";

    RECT own{};
    RECT over{};
    ::GetWindowRect(box, &own);
    ::GetWindowRect(window, &over);
    if (opening.inCorner) {
      EXPECT_EQ(own.left, area.left);
      EXPECT_EQ(own.top, area.top);
    } else {
      // Centred, give or take the half pixel the division drops.
      EXPECT_LE(std::abs((own.left + own.right) - (over.left + over.right)), 1)
          << own.left << " " << over.left;
      EXPECT_LE(std::abs((own.top + own.bottom) - (over.top + over.bottom)), 1) << own.top << " " << over.top;
    }

    ::PostMessageA(box, WM_COMMAND, opening.closing, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box) && ::IsWindowEnabled(window); })) << "still open";
  }

  ::PostMessageA(window, WM_COMMAND, kExitCommand, 0);
  EXPECT_EQ(panel.WaitForExit(), 0);
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM context) {
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32768") != 0 || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

// A right-button press on the tray icon opens the pop-up menu; its Exit item ends the panel.
TEST_F(PanelEndToEndTest, TheTrayMenusExitEndsThePanel) {
  PanelProcess panel;
  ASSERT_TRUE(panel.Start(std::string("/B:") + kSettingsKey));
  HWND window = WaitForPanel(panel.Handle());
  ASSERT_NE(window, nullptr) << "no panel window";
  ::PostMessageA(window, 1025, 4660, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    ::EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&menu));
    return menu != nullptr;
  })) << "no pop-up menu";
  ::PostMessageA(menu, WM_CHAR, 'x', 0);
  EXPECT_EQ(panel.WaitForExit(), 0);
}

}  // namespace
}  // namespace kiv
