#include "installer/installation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/installer/fake_platform.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using testing::Events;
using testing::FakeBoxes;
using testing::FakeCursor;
using testing::FakeErrors;
using testing::FakeFiles;
using testing::FakeLinks;
using testing::FakeProcesses;
using testing::FakeRegistry;
using testing::FakeServices;
using ::testing::IsEmpty;

const char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\kiv\\Parameters";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvo Corporation";
const char kProgramDir[] = "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax";
const char kShortcutFolder[] = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Tarvo Corporation";

const char* const kSources[] = {"D:\\SETUP\\TarvoK41.sys", "D:\\SETUP\\TarvoK41.inf",
                                "D:\\SETUP\\TarvoK51.sys", "D:\\SETUP\\TarvoK51.inf",
                                "D:\\SETUP\\TarvoK51.cat", "D:\\SETUP\\installer.exe",
                                "D:\\SETUP\\kivtool.exe"};
const char* const kDestinations[] = {
    "C:\\WINNT\\system32\\drivers\\TarvoK41.sys",
    "C:\\WINNT\\inf\\TarvoK41.inf",
    "C:\\WINNT\\system32\\drivers\\TarvoK51.sys",
    "C:\\WINNT\\inf\\TarvoK51.inf",
    "C:\\WINNT\\system32\\drivers\\TarvoK51.cat",
    "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax\\installer.exe",
    "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax\\kivtool.exe"};

class InstallationTest : public ::testing::Test {
 protected:
  Events events;
  FakeFiles files;
  FakeRegistry registry;
  FakeServices services;
  FakeErrors errors;
  FakeLinks links;
  FakeProcesses processes{events};
  FakeCursor cursor{events};
  FakeBoxes boxes{events};
  InstallerSettings settings = DefaultSettings();
  Installation installation{settings, {files, registry, services, errors, links, processes, cursor, boxes}};

  InstallationTest() {
    for (const char* source : kSources) files.files.insert(source);
  }

  static InstallerSettings DefaultSettings() {
    InstallerSettings s;
    std::memset(&s, 0, sizeof s);
    std::strcpy(s.nt4Sys, "TarvoK41.sys");
    std::strcpy(s.nt4Inf, "TarvoK41.inf");
    std::strcpy(s.nt5Sys, "TarvoK51.sys");
    std::strcpy(s.nt5Inf, "TarvoK51.inf");
    std::strcpy(s.nt5Cat, "TarvoK51.cat");
    std::strcpy(s.serviceName, "kiv");
    std::strcpy(s.countryCode, "1");
    std::strcpy(s.modemName, "Tarvo Kiv Data Fax");
    std::strcpy(s.oemName, "Tarvo Corporation");
    std::strcpy(s.installerFile, "installer.exe");
    std::strcpy(s.countryTool, "kivtool.exe");
    std::strcpy(s.shortcutFile, "kivtool.lnk");
    std::strcpy(s.sourceDir, "D:\\SETUP");
    std::strcpy(s.windowsDir, "C:\\WINNT");
    std::strcpy(s.systemDir, "C:\\WINNT\\system32");
    std::strcpy(s.programDir, kProgramDir);
    return s;
  }

  std::vector<std::string> Copies() const {
    std::vector<std::string> copies;
    for (const std::string& call : files.calls) {
      if (call.rfind("Copy|", 0) == 0) copies.push_back(call);
    }
    return copies;
  }

  std::uint32_t Dword(const char* path, const char* name) const {
    const FakeRegistry::Value* value = registry.Find(path, name);
    if (value == nullptr || value->data.size() != 4) return 0xDEADBEEF;
    return value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
           static_cast<std::uint32_t>(value->data[3]) << 24;
  }
};

TEST_F(InstallationTest, SevenCopiesInTableOrderEachAfterClearingTheDestinationsAttributes) {
  EXPECT_TRUE(installation.CopyModemFiles());
  ASSERT_EQ(files.calls.size(), 14u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(files.calls[2 * i], std::string("Attributes|") + kDestinations[i] + "|128");
    EXPECT_EQ(files.calls[2 * i + 1], std::string("Copy|") + kSources[i] + "|" + kDestinations[i] + "|0");
  }
}

TEST_F(InstallationTest, AMissingThirdFileStopsTheCopiesAndTheInstallationBeforeTheRegistry) {
  files.files.erase(kSources[2]);
  EXPECT_FALSE(installation.InstallModem());
  EXPECT_EQ(Copies().size(), 3u);
  EXPECT_EQ(files.files.count(kDestinations[0]), 1u);
  EXPECT_EQ(files.files.count(kDestinations[1]), 1u);
  EXPECT_EQ(files.files.count(kDestinations[3]), 0u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Failed to copy modem system files");
  EXPECT_EQ(boxes.shown[0].caption, "Modem Install Error");
  EXPECT_EQ(boxes.shown[0].flags, kMbIconError);
  EXPECT_THAT(registry.writes, IsEmpty());
  EXPECT_THAT(services.calls, IsEmpty());
}

TEST_F(InstallationTest, AReadOnlyFileAtTheDestinationIsReplaced) {
  files.files.insert(kDestinations[1]);
  files.readOnly.insert(kDestinations[1]);
  EXPECT_TRUE(installation.CopyModemFiles());
  EXPECT_EQ(Copies().size(), 7u);
}

TEST_F(InstallationTest, TheInstallerCopiesItselfUnderItsConfiguredName) {
  std::strcpy(settings.installerFile, "setup.exe");
  files.files.insert("D:\\SETUP\\setup.exe");
  EXPECT_TRUE(installation.CopyModemFiles());
  EXPECT_EQ(Copies()[5], std::string("Copy|D:\\SETUP\\setup.exe|") + kProgramDir + "\\setup.exe|0");
}

TEST_F(InstallationTest, RegistryValuesTheirTypesAndByteCountsInOrder) {
  EXPECT_TRUE(installation.WriteModemRegistry());
  const std::string parameters = testing::Lower(kParameters);
  const std::string uninstall = testing::Lower(kUninstall);
  const std::string command = std::string("\"") + kProgramDir + "\\installer.exe\" -u";
  EXPECT_THAT(registry.writes,
              ElementsAre(parameters + "|DeviceDesc|1|19", parameters + "|Mfg|1|18",
                          parameters + "|CurrentCountry|4|4", uninstall + "|DisplayName|1|19",
                          uninstall + "|UninstallString|1|" + std::to_string(command.size() + 1)));
  EXPECT_EQ(registry.Text(kParameters, "DeviceDesc"), "Tarvo Kiv Data Fax");
  EXPECT_EQ(registry.Text(kParameters, "Mfg"), "Tarvo Corporation");
  EXPECT_EQ(Dword(kParameters, "CurrentCountry"), 1u);
  EXPECT_EQ(registry.Text(kUninstall, "DisplayName"), "Tarvo Kiv Data Fax");
  EXPECT_EQ(registry.Text(kUninstall, "UninstallString"), command);
  // The Parameters key made the service's own key as its parent.
  EXPECT_TRUE(registry.HasKey("SYSTEM\\CurrentControlSet\\Services\\kiv"));
  EXPECT_EQ(registry.openHandles, 0);
}

TEST_F(InstallationTest, UninstallCommandQuotesTheProgramPathBecauseItHoldsABlank) {
  EXPECT_TRUE(installation.WriteModemRegistry());
  EXPECT_EQ(registry.Text(kUninstall, "UninstallString"),
            "\"C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax\\installer.exe\" -u");
}

TEST_F(InstallationTest, CurrentCountryIsTheLeadingDecimalNumberOfTheCountryCode) {
  const struct {
    const char* code;
    std::uint32_t number;
  } cases[] = {{"1", 1}, {"no digits", 0}, {"49abc", 49}, {"  -2", 0xFFFFFFFEu}, {"", 0}};
  for (const auto& c : cases) {
    std::strcpy(settings.countryCode, c.code);
    EXPECT_TRUE(installation.WriteModemRegistry());
    EXPECT_EQ(Dword(kParameters, "CurrentCountry"), c.number) << '"' << c.code << '"';
  }
}

TEST_F(InstallationTest, ARegistryFailureStopsThereKeepsWhatWasWrittenAndEndsTheInstallation) {
  registry.failingValues.insert("CurrentCountry");
  EXPECT_FALSE(installation.InstallModem());
  EXPECT_EQ(registry.writes.size(), 3u);
  EXPECT_EQ(registry.Text(kParameters, "Mfg"), "Tarvo Corporation");
  EXPECT_FALSE(registry.HasKey(kUninstall));
  EXPECT_EQ(registry.openHandles, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Failed to initialize modem registry values");
  EXPECT_EQ(boxes.shown[0].caption, "Modem Install Error");
  EXPECT_EQ(boxes.shown[0].flags, kMbIconError);
  EXPECT_THAT(services.calls, IsEmpty());
}

TEST_F(InstallationTest, AnUninstallKeyThatCannotBeCreatedFailsTheStep) {
  registry.failingCreates.insert(testing::Lower(kUninstall));
  EXPECT_FALSE(installation.WriteModemRegistry());
  EXPECT_EQ(registry.writes.size(), 3u);
}

TEST_F(InstallationTest, ServiceIsAnAutoStartKernelDriverInItsGroupThenStarted) {
  EXPECT_TRUE(installation.CreateDriverService());
  EXPECT_THAT(services.calls, ElementsAre("OpenSCManager|null|null|983103", "CreateService|81",
                                          "StartService|82", "Close|82", "Close|81"));
  ASSERT_EQ(services.creates.size(), 1u);
  const ServiceDefinition& d = services.creates[0];
  EXPECT_THAT(services.definitionTexts,
              ElementsAre("kiv", "kiv", "C:\\WINNT\\system32\\drivers\\TarvoK41.sys", "PCI Configuration"));
  EXPECT_EQ(d.desiredAccess, 0xF01FFu);
  EXPECT_EQ(d.serviceType, 1u);
  EXPECT_EQ(d.startType, 2u);
  EXPECT_EQ(d.errorControl, 1u);
  EXPECT_THAT(boxes.shown, IsEmpty());
}

struct ServiceFailureCase {
  const char* name;
  bool managerFails, createFails, startFails;
  std::uint32_t error;
  const char* text;
  const char* caption;
};

class ServiceFailureTest : public InstallationTest,
                           public ::testing::WithParamInterface<ServiceFailureCase> {};

TEST_P(ServiceFailureTest, ShowsTheSystemsTextUnderItsCaptionAndFailsTheInstallation) {
  const ServiceFailureCase& c = GetParam();
  services.managerFails = c.managerFails;
  services.createFails = c.createFails;
  services.startFails = c.startFails;
  services.error = c.error;
  errors.texts = {{1073, "The specified service already exists.\r\n"},
                  {5, "Access is denied.\r\n"},
                  {1058, "The service cannot be started.\r\n"}};
  EXPECT_FALSE(installation.InstallModem());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, c.text);
  EXPECT_EQ(boxes.shown[0].caption, c.caption);
  EXPECT_EQ(boxes.shown[0].flags, kMbIconError);
  EXPECT_THAT(links.calls, IsEmpty());
  EXPECT_THAT(processes.calls, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Failures, ServiceFailureTest,
                         ::testing::Values(ServiceFailureCase{"ManagerRefused", true, false, false, 5,
                                                              "Access is denied.\r\n",
                                                              "Modem service not created"},
                                           ServiceFailureCase{"AlreadyRegistered", false, true, false, 1073,
                                                              "The specified service already exists.\r\n",
                                                              "Modem service not created"},
                                           ServiceFailureCase{"DriverWillNotStart", false, false, true, 1058,
                                                              "The service cannot be started.\r\n", "INFO"},
                                           ServiceFailureCase{"CodeWithoutText", false, false, true,
                                                              0xE0001234, "Error 3758101044", "INFO"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallationTest, AServiceThatCannotStartStaysRegistered) {
  services.startFails = true;
  EXPECT_FALSE(installation.CreateDriverService());
  EXPECT_THAT(services.calls, ElementsAre("OpenSCManager|null|null|983103", "CreateService|81",
                                          "StartService|82", "Close|82", "Close|81"));
}

TEST_F(InstallationTest, ShortcutInTheMakersStartMenuFolderPointsAtTheCountryTool) {
  EXPECT_TRUE(installation.CreateShortcuts());
  EXPECT_THAT(files.calls, ElementsAre(std::string("Mkdir|") + kShortcutFolder));
  EXPECT_THAT(links.calls, ElementsAre("CoInitialize", "CreateShellLink",
                                       std::string("SetPath|97|") + kProgramDir + "\\kivtool.exe",
                                       "SetDescription|97|kivtool.exe", "QueryPersistFile|97",
                                       std::string("Save|98|") + kShortcutFolder + "\\kivtool.lnk",
                                       "Release|98", "Release|97", "CoUninitialize"));
}

TEST_F(InstallationTest, ShellLinkReturnsTheCodeThatDecidedItAndReleasesWhatItHolds) {
  links.createResult = static_cast<ComResult>(0x80040154);  // REGDB_E_CLASSNOTREG
  EXPECT_EQ(installation.CreateShellLink("t", "f", "d"), static_cast<ComResult>(0x80040154));
  EXPECT_THAT(links.calls, ElementsAre("CoInitialize", "CreateShellLink", "CoUninitialize"));

  links = FakeLinks{};
  links.queryResult = static_cast<ComResult>(0x80004002);  // E_NOINTERFACE
  EXPECT_EQ(installation.CreateShellLink("t", "f", "d"), static_cast<ComResult>(0x80004002));
  EXPECT_THAT(links.calls,
              ElementsAre("CoInitialize", "CreateShellLink", "SetPath|97|t", "SetDescription|97|d",
                          "QueryPersistFile|97", "Release|97", "CoUninitialize"));

  links = FakeLinks{};
  links.saveResult = static_cast<ComResult>(0x80070005);  // E_ACCESSDENIED
  EXPECT_EQ(installation.CreateShellLink("t", "f", "d"), static_cast<ComResult>(0x80070005));
  EXPECT_EQ(links.calls.back(), "CoUninitialize");
}

TEST_F(InstallationTest, FullInstallationEndsWithTheModemControlPanelUnderTheWaitCursor) {
  EXPECT_TRUE(installation.InstallModem());
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_THAT(processes.calls,
              ElementsAre("Create|C:\\WINNT\\system32\\rundll32.exe|rundll32.exe shell32.dll,Control_RunDLL "
                          "modem.cpl,Modems,noui add",
                          "Wait|113", "Close|113"));
  EXPECT_THAT(events, ElementsAre("SetCursor(WAIT)", "ShowCursor(TRUE)", "CreateProcess", "Wait",
                                  "ShowCursor(FALSE)", "SetCursor(ARROW)"));
}

TEST_F(InstallationTest, AShortcutFailureIsReportedButTheInstallationSucceedsWithoutTheControlPanel) {
  links.saveResult = static_cast<ComResult>(0x80004005);  // E_FAIL
  EXPECT_TRUE(installation.InstallModem());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Failed to create modem shortcuts");
  EXPECT_EQ(boxes.shown[0].caption, "Modem Install Error");
  EXPECT_EQ(boxes.shown[0].flags, kMbIconError);
  EXPECT_THAT(processes.calls, IsEmpty());
}

TEST_F(InstallationTest, AControlPanelThatCannotStartIsNotWaitedForNorReported) {
  processes.createFails = true;
  EXPECT_TRUE(installation.InstallModem());
  EXPECT_EQ(processes.calls.size(), 1u);
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(events.back(), "SetCursor(ARROW)");
}

TEST_F(InstallationTest, UninstallArgumentsForTheControlPanel) {
  RunModemControlPanel(processes, settings, kModemPanelArguments);
  EXPECT_EQ(
      processes.calls[0],
      "Create|C:\\WINNT\\system32\\rundll32.exe|rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems");
}

TEST_F(InstallationTest, ASourcePathThatDoesNotFitFailsTheCopyInsteadOfNamingAnotherFile) {
  // 250 + "\TarvoK41.sys" is 263 characters; cut to 259 it would name a different file.
  std::strcpy(settings.sourceDir, std::string(250, 'd').c_str());
  files.files.insert(std::string(250, 'd') + "\\TarvoK41");
  EXPECT_FALSE(installation.InstallModem());
  EXPECT_THAT(Copies(), IsEmpty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Failed to copy modem system files");
}

TEST_F(InstallationTest, AnUninstallCommandThatDoesNotFitFailsTheRegistryStep) {
  std::strcpy(settings.programDir, std::string(250, 'p').c_str());
  EXPECT_FALSE(installation.WriteModemRegistry());
  EXPECT_EQ(registry.Text(kUninstall, "UninstallString"), "<missing>");
  EXPECT_EQ(registry.openHandles, 0);
}

TEST_F(InstallationTest, AShortcutPathThatDoesNotFitFailsTheShortcutStep) {
  std::strcpy(settings.windowsDir, std::string(200, 'w').c_str());
  EXPECT_FALSE(installation.CreateShortcuts());
  EXPECT_THAT(links.calls, IsEmpty());
}

TEST_F(InstallationTest, AControlPanelPathThatDoesNotFitIsNotStarted) {
  std::strcpy(settings.systemDir, std::string(250, 's').c_str());
  RunModemControlPanel(processes, settings, kModemAddArguments);
  EXPECT_THAT(processes.calls, IsEmpty());
}

TEST_F(InstallationTest, AnOverlongDriverPathStaysInsideItsBuffer) {
  std::strcpy(settings.systemDir, std::string(259, 's').c_str());
  installation.CreateDriverService();
  EXPECT_EQ(services.definitionTexts[2], std::string(259, 's'));
}

}  // namespace
}  // namespace kiv
