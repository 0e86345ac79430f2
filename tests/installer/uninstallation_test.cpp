#include "installer/uninstallation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/installer/fake_platform.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using testing::Events;
using testing::FakeBackdrop;
using testing::FakeBoxes;
using testing::FakeFiles;
using testing::FakeProcesses;
using testing::FakeRegistry;
using testing::FakeServices;
using testing::FakeSystem;
using testing::FakeThreads;

const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvo Corporation";
const char kFolder[] = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation";
const char kShortcut[] =
    "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation\\kivtool.lnk";
const char kNotice[] =
    "You may remove the\nTarvo Kiv Data Fax\nmodem from the modem control panel\nif it is there.";

class UninstallationTest : public ::testing::Test {
 protected:
  Events events;
  FakeServices services;
  FakeRegistry registry;
  FakeFiles files;
  FakeBoxes boxes{events};
  FakeProcesses processes{events};
  FakeSystem system{events};
  FakeThreads threads{events};
  FakeBackdrop backdrop{events};
  InstallerSettings settings = DefaultSettings();
  Uninstallation uninstallation{settings,
                                {services, registry, files, boxes, processes, system, threads, backdrop}};

  UninstallationTest() {
    services.events = &events;
    registry.events = &events;
    files.events = &events;
    // What an installation left.
    registry.SetText(kUninstall, "DisplayName", "Tarvo Kiv Data Fax");
    files.directories.insert(kFolder);
    files.files.insert(kShortcut);
    files.files.insert("C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax\\kivtool.exe");
  }

  static InstallerSettings DefaultSettings() {
    InstallerSettings s;
    std::memset(&s, 0, sizeof s);
    std::strcpy(s.serviceName, "kiv");
    std::strcpy(s.modemName, "Tarvo Kiv Data Fax");
    std::strcpy(s.oemName, "Tarvo Corporation");
    std::strcpy(s.shortcutFile, "kivtool.lnk");
    std::strcpy(s.windowsDir, "C:\\WINNT");
    std::strcpy(s.systemDir, "C:\\WINNT\\system32");
    return s;
  }

  // The second thread gets its turn after the main thread has painted this many times.
  void RunWorkerAfterPaints(int paints) {
    backdrop.onPaint = [this, paints, count = 0]() mutable {
      if (++count == paints) threads.RunStarted();
    };
  }
};

TEST_F(UninstallationTest, ServiceGoesFirstThenNoticeAndPanelWhileTheBackdropIsPaintedThenEntryAndShortcut) {
  RunWorkerAfterPaints(3);
  EXPECT_TRUE(uninstallation.UninstallModem());

  EXPECT_THAT(events,
              ElementsAre("StopService", "DeleteService", "CreateThread", "Sleep(10)", "Paint", "Sleep(10)",
                          "Paint", "Sleep(10)", "Paint", "ThreadRuns", "Box(Modem uninstall)",
                          "CreateProcess", "Wait", std::string("RegDeleteKey|") + kUninstall,
                          std::string("DeleteFile|") + kShortcut, std::string("RemoveDirectory|") + kFolder));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kNotice);
  EXPECT_EQ(boxes.shown[0].flags, kMbTopmost | kMbIconInformation);
  EXPECT_THAT(processes.calls,
              ElementsAre("Create|C:\\WINNT\\system32\\rundll32.exe|rundll32.exe shell32.dll,Control_RunDLL "
                          "modem.cpl,Modems",
                          "Wait|113", "Close|113"));
  EXPECT_THAT(services.calls, ElementsAre("OpenSCManager|null|null|983103", "OpenService|81|kiv|983551",
                                          "ControlService|82|1", "DeleteService|82", "Close|82", "Close|81"));
  EXPECT_TRUE(uninstallation.UninstallNoticeDone());

  EXPECT_FALSE(registry.HasKey(kUninstall));
  EXPECT_EQ(files.files.count(kShortcut), 0u);
  EXPECT_EQ(files.directories.count(kFolder), 0u);
  EXPECT_EQ(files.files.count("C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax\\kivtool.exe"), 1u)
      << "copied files stay";
}

TEST_F(UninstallationTest, AWorkerDoneBeforeTheFirstCheckStillLeavesTheWaitAtOnce) {
  // The worker's whole run happens inside CreateThread, as a fast thread may.
  struct RunAtStart : testing::FakeThreads {
    using FakeThreads::FakeThreads;
    bool CreateThread(ThreadBody& body) override {
      FakeThreads::CreateThread(body);
      return RunStarted();
    }
  } eager{events};
  Uninstallation fast{settings, {services, registry, files, boxes, processes, system, eager, backdrop}};
  fast.UninstallModem();
  EXPECT_THAT(
      events,
      ElementsAre("StopService", "DeleteService", "CreateThread", "ThreadRuns", "Box(Modem uninstall)",
                  "CreateProcess", "Wait", std::string("RegDeleteKey|") + kUninstall,
                  std::string("DeleteFile|") + kShortcut, std::string("RemoveDirectory|") + kFolder));
}

TEST_F(UninstallationTest, AThreadThatCannotStartHasTheMainThreadShowTheNoticeAndPanelItself) {
  threads.createFails = true;
  EXPECT_TRUE(uninstallation.UninstallModem());
  EXPECT_THAT(events,
              ElementsAre("StopService", "DeleteService", "CreateThread", "Box(Modem uninstall)",
                          "CreateProcess", "Wait", std::string("RegDeleteKey|") + kUninstall,
                          std::string("DeleteFile|") + kShortcut, std::string("RemoveDirectory|") + kFolder));
  EXPECT_TRUE(uninstallation.UninstallNoticeDone());
  EXPECT_FALSE(registry.HasKey(kUninstall));
}

TEST_F(UninstallationTest, FailuresOnTheWayAreIgnoredAndNothingIsReported) {
  const struct {
    const char* what;
    bool managerFails, serviceMissing, stopFails, panelFails, entryMissing, shortcutMissing;
    std::vector<std::string> serviceCalls;
  } cases[] = {
      {"no service manager", true, false, false, false, false, false, {"OpenSCManager|null|null|983103"}},
      {"service already deleted",
       false,
       true,
       false,
       false,
       false,
       false,
       {"OpenSCManager|null|null|983103", "OpenService|81|kiv|983551", "Close|81"}},
      {"service will not stop",
       false,
       false,
       true,
       false,
       false,
       false,
       {"OpenSCManager|null|null|983103", "OpenService|81|kiv|983551", "ControlService|82|1",
        "DeleteService|82", "Close|82", "Close|81"}},
      {"panel cannot start, entry and shortcut already gone",
       false,
       false,
       false,
       true,
       true,
       true,
       {"OpenSCManager|null|null|983103", "OpenService|81|kiv|983551", "ControlService|82|1",
        "DeleteService|82", "Close|82", "Close|81"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Events caseEvents;
    FakeServices caseServices;
    FakeRegistry caseRegistry;
    FakeFiles caseFiles;
    FakeBoxes caseBoxes{caseEvents};
    FakeProcesses caseProcesses{caseEvents};
    FakeThreads caseThreads{caseEvents};
    FakeBackdrop caseBackdrop{caseEvents};
    caseServices.managerFails = c.managerFails;
    caseServices.serviceMissing = c.serviceMissing;
    caseServices.stopFails = c.stopFails;
    caseProcesses.createFails = c.panelFails;
    caseFiles.directories.insert(kFolder);
    if (!c.entryMissing) caseRegistry.SetText(kUninstall, "DisplayName", "x");
    if (!c.shortcutMissing) caseFiles.files.insert(kShortcut);
    caseBackdrop.onPaint = [&caseThreads] { caseThreads.RunStarted(); };
    Uninstallation u{
        settings,
        {caseServices, caseRegistry, caseFiles, caseBoxes, caseProcesses, system, caseThreads, caseBackdrop}};

    EXPECT_TRUE(u.UninstallModem());
    EXPECT_EQ(caseServices.calls, c.serviceCalls);
    ASSERT_EQ(caseBoxes.shown.size(), 1u) << "only the notice, no error box";
    EXPECT_EQ(caseBoxes.shown[0].caption, "Modem uninstall");
    EXPECT_FALSE(caseRegistry.HasKey(kUninstall));
    EXPECT_EQ(caseFiles.files.count(kShortcut), 0u);
    EXPECT_EQ(caseFiles.directories.count(kFolder), 0u);
  }
}

TEST_F(UninstallationTest, AFolderHoldingAnotherFileKeepsItAndStays) {
  const std::string other = std::string(kFolder) + "\\readme.txt";
  files.files.insert(other);
  RunWorkerAfterPaints(1);
  uninstallation.UninstallModem();
  EXPECT_EQ(files.files.count(kShortcut), 0u);
  EXPECT_EQ(files.files.count(other), 1u);
  EXPECT_EQ(files.directories.count(kFolder), 1u);
}

TEST_F(UninstallationTest, NamesFromTheSettingsAreUsedAndAPathThatDoesNotFitRemovesNothing) {
  std::strcpy(settings.oemName, "Other Maker");
  std::strcpy(settings.serviceName, "kiv2");
  std::strcpy(settings.shortcutFile, "tool.lnk");
  RunWorkerAfterPaints(1);
  uninstallation.UninstallModem();
  EXPECT_EQ(services.calls[1], "OpenService|81|kiv2|983551");
  EXPECT_THAT(
      files.calls,
      ElementsAre("Delete|C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Other Maker\\tool.lnk",
                  "Rmdir|C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Other Maker"));

  // A Windows directory so long that the shortcut's path would be cut.
  files.calls.clear();
  std::memset(settings.windowsDir, 'W', kPathSize - 1);
  settings.windowsDir[kPathSize - 1] = '\0';
  Uninstallation again{settings, {services, registry, files, boxes, processes, system, threads, backdrop}};
  backdrop.onPaint = [this] { threads.RunStarted(); };
  again.UninstallModem();
  EXPECT_TRUE(files.calls.empty());
}

}  // namespace
}  // namespace kiv
