#include "installer/installer_flow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/installer/fake_platform.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using testing::Events;
using testing::FakeBackdrop;
using testing::FakeBoxes;
using testing::FakeFiles;
using testing::FakeProfiles;
using testing::FakeRegistry;
using testing::FakeSteps;
using testing::FakeStringTable;
using testing::FakeSystem;
using ::testing::IsEmpty;

constexpr int kShowNormal = 1;

class InstallerFlowTest : public ::testing::Test {
 protected:
  Events events;
  FakeSystem system{events};
  FakeStringTable strings;
  FakeProfiles profiles;
  FakeRegistry registry;
  FakeFiles files;
  FakeBoxes boxes{events};
  FakeBackdrop backdrop{events};
  FakeSteps steps{events};
  InstallerSettings settings{};
  InstallerFlow flow{settings, {system, strings, profiles, registry, files, boxes, backdrop}, steps};

  void MarkInstalled() { registry.AddKey("SYSTEM\\CurrentControlSet\\Services\\kiv"); }

  void ExpectBox(std::size_t i, const char* text, const char* caption, std::uint32_t flags) {
    ASSERT_LT(i, boxes.shown.size());
    EXPECT_EQ(boxes.shown[i].text, text);
    EXPECT_EQ(boxes.shown[i].caption, caption);
    EXPECT_EQ(boxes.shown[i].flags, flags);
  }
};

TEST_F(InstallerFlowTest, OnlyMajorVersionFourPasses) {
  const struct {
    std::uint32_t major, minor;
    bool passes;
  } cases[] = {{4, 0, true}, {4, 10, true}, {5, 0, false}, {3, 51, false}, {6, 1, false}};
  for (const auto& c : cases) {
    events.clear();
    boxes.shown.clear();
    files.calls.clear();
    registry.opens.clear();
    system.version = {c.major, c.minor, 1381, 2};
    EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
    if (c.passes) {
      EXPECT_EQ(events[0], "RegisterSplashClass") << c.major;
    } else {
      EXPECT_THAT(events, ElementsAre("Box(Application Error)")) << c.major;
      ExpectBox(0, "This application is for Windows NT4 only", "Application Error", kMbOk | kMbIconError);
      EXPECT_THAT(files.calls, IsEmpty());
      EXPECT_THAT(registry.opens, IsEmpty());
    }
  }
}

TEST_F(InstallerFlowTest, AFailedVersionQueryIsRefusedLikeAWrongVersion) {
  system.versionFails = true;
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  ExpectBox(0, "This application is for Windows NT4 only", "Application Error", kMbOk | kMbIconError);
}

TEST_F(InstallerFlowTest, SettingsAndProgramDirAreReadyBeforeTheFirstQuestion) {
  boxes.answers = {kIdNo};
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_STREQ(settings.sourceDir, "D:\\SETUP");
  EXPECT_STREQ(settings.windowsDir, "C:\\WINNT");
  EXPECT_STREQ(settings.systemDir, "C:\\WINNT\\system32");
  EXPECT_STREQ(settings.programDir, "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax");
  EXPECT_THAT(events,
              ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)", "Box(Install Modem?)"));
  EXPECT_THAT(backdrop.showCommands, ElementsAre(kShowNormal));
}

TEST_F(InstallerFlowTest, TheUninstallPathNeedsExactlyDashU) {
  MarkInstalled();
  boxes.answers = {kIdYes};
  EXPECT_EQ(flow.Run("-u", kShowNormal), kExitCodeUninstallPath);
  EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "Box(Uninstall Modem?)", "UninstallModem"));
  ExpectBox(0, "Do you wish to Uninstall The\nTarvo Kiv Data Fax?", "Uninstall Modem?",
            kMbYesNo | kMbIconQuestion | kMbDefButton2);
  // The program directory is prepared on this path too.
  EXPECT_EQ(files.calls.size(), 2u);
}

TEST_F(InstallerFlowTest, AnsweringNoOnTheUninstallPathRemovesNothingAndStillEndsWithOne) {
  boxes.answers = {kIdNo};
  EXPECT_EQ(flow.Run("-u", kShowNormal), kExitCodeUninstallPath);
  EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "Box(Uninstall Modem?)"));
}

TEST_F(InstallerFlowTest, NearMissesOfDashUTakeTheOrdinaryFlow) {
  for (const char* tail : {"-U", "/u", "-u ", "-u x", " -u", "-uninstall", "u", ""}) {
    events.clear();
    boxes.answers = {kIdNo};
    EXPECT_EQ(flow.Run(tail, kShowNormal), kExitCodeNormal) << '"' << tail << '"';
    EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)",
                                    "Box(Install Modem?)"))
        << '"' << tail << '"';
  }
}

TEST_F(InstallerFlowTest, ABackdropThatCannotBeCreatedEndsQuietlyWithZero) {
  backdrop.createFails = true;
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "CreateSplashWindow"));
}

TEST_F(InstallerFlowTest, InstallQuestionThenInstallationAndItsResultBox) {
  for (const bool installed : {true, false}) {
    events.clear();
    boxes.shown.clear();
    boxes.answers = {kIdYes};
    steps.installResult = installed;
    EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
    EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)",
                                    "Box(Install Modem?)", "InstallModem", "Box(Modem Installed)"));
    ExpectBox(0, "Do you wish to install The\nTarvo Kiv Data Fax?", "Install Modem?",
              kMbYesNo | kMbIconQuestion);
    // A failure after the install question stands under the success box's caption.
    ExpectBox(1, installed ? "Modem installed" : "Modem not succesfully installed", "Modem Installed", kMbOk);
  }
}

TEST_F(InstallerFlowTest, NoToTheInstallQuestionDoesNothing) {
  boxes.answers = {kIdNo};
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_EQ(events.back(), "Box(Install Modem?)");
}

TEST_F(InstallerFlowTest, InstalledShowsTheDialogAndItsCancelOrOkDoNothing) {
  MarkInstalled();
  for (const int result : {kIdCancel, kIdOk, -1}) {
    events.clear();
    backdrop.dialogResult = result;
    EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
    EXPECT_THAT(events,
                ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)", "Dialog(130)"));
  }
}

TEST_F(InstallerFlowTest, UninstallFromTheDialogAsksFirst) {
  MarkInstalled();
  backdrop.dialogResult = kAlreadyInstalledUninstall;
  boxes.answers = {kIdYes};
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)", "Dialog(130)",
                                  "Box(Uninstall Modem?)", "UninstallModem"));

  events.clear();
  boxes.answers = {kIdNo};
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_EQ(events.back(), "Box(Uninstall Modem?)");
}

TEST_F(InstallerFlowTest, ReinstallUninstallsThenInstallsAndReportsUnderItsOwnFailureCaption) {
  MarkInstalled();
  backdrop.dialogResult = kAlreadyInstalledReinstall;
  for (const bool installed : {true, false}) {
    events.clear();
    boxes.shown.clear();
    boxes.answers = {kIdYes};
    steps.installResult = installed;
    EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
    EXPECT_THAT(events, ElementsAre("RegisterSplashClass", "CreateSplashWindow", "Sleep(1000)", "Dialog(130)",
                                    "Box(Reinstall Modem?)", "UninstallModem", "InstallModem",
                                    installed ? "Box(Modem Installed)" : "Box(Modem not installed)"));
    ExpectBox(0, "Do you wish to Reinstall The\nTarvo Kiv Data Fax?", "Reinstall Modem?",
              kMbYesNo | kMbIconQuestion | kMbDefButton2);
    ExpectBox(1, installed ? "Modem installed" : "Modem not succesfully installed",
              installed ? "Modem Installed" : "Modem not installed", kMbOk);
  }
}

TEST_F(InstallerFlowTest, NoToReinstallDoesNothing) {
  MarkInstalled();
  backdrop.dialogResult = kAlreadyInstalledReinstall;
  boxes.answers = {kIdNo};
  EXPECT_EQ(flow.Run("", kShowNormal), kExitCodeNormal);
  EXPECT_EQ(events.back(), "Box(Reinstall Modem?)");
}

TEST_F(InstallerFlowTest, QuestionsNameTheModemFromTheInf) {
  profiles.AddFile(".\\TarvoK41.inf", "[Strings]\nModemName=\"Kiv 56K\"\n");
  boxes.answers = {kIdNo};
  flow.Run("", kShowNormal);
  ExpectBox(0, "Do you wish to install The\nKiv 56K?", "Install Modem?", kMbYesNo | kMbIconQuestion);
}

}  // namespace
}  // namespace kiv
