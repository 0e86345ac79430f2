#include "installer/configuration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "installer/text_buffers.h"

#include "tests/installer/fake_platform.h"
#include "tests/installer/string_table_defaults.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using testing::FakeFiles;
using testing::FakeProfiles;
using testing::FakeRegistry;
using testing::FakeStringTable;

const char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\kiv\\Parameters";

class ConfigurationTest : public ::testing::Test {
 protected:
  FakeStringTable strings;
  FakeProfiles profiles;
  FakeRegistry registry;
  FakeFiles files;
  InstallerSettings settings;

  ConfigurationTest() { std::memset(&settings, 0x55, sizeof settings); }

  // Start-up's order: defaults, configuration file, then the key or else the INF.
  void Assemble() {
    LoadDefaults(strings, settings);
    ReadConfigFile(profiles, settings);
    if (!ReadInstalledParameters(registry, settings)) ReadInfStrings(profiles, settings);
  }
};

TEST_F(ConfigurationTest, WithoutKeyOrFilesEverySettingKeepsItsStringTableText) {
  for (const auto& entry : testing::kStringTableDefaults) strings.strings[entry.id] = entry.text;
  Assemble();
  EXPECT_STREQ(settings.windowTitle, "installer");
  EXPECT_STREQ(settings.windowClass, "INSTALLER");
  EXPECT_STREQ(settings.configFile, "installer.cfg");
  EXPECT_STREQ(settings.nt4Sys, "TarvoK41.sys");
  EXPECT_STREQ(settings.nt4Inf, "TarvoK41.inf");
  EXPECT_STREQ(settings.nt5Sys, "TarvoK51.sys");
  EXPECT_STREQ(settings.nt5Inf, "TarvoK51.inf");
  EXPECT_STREQ(settings.nt5Cat, "TarvoK51.cat");
  EXPECT_STREQ(settings.serviceName, "kiv");
  EXPECT_STREQ(settings.countryCode, "1");
  EXPECT_STREQ(settings.modemName, "Tarvo Kiv Data Fax");
  EXPECT_STREQ(settings.oemName, "Tarvo Corporation");
  EXPECT_STREQ(settings.installerFile, "installer.exe");
  EXPECT_STREQ(settings.countryTool, "kivtool.exe");
  EXPECT_STREQ(settings.shortcutFile, "kivtool.lnk");
  // Both files were looked for in the current directory.
  EXPECT_THAT(profiles.reads, ::testing::Contains(".\\installer.cfg|NT4_Files|inf"));
  EXPECT_THAT(profiles.reads, ::testing::Contains(".\\TarvoK41.inf|Strings|CurrentCountry"));
}

TEST_F(ConfigurationTest, StringTableTextsOverrideTheBuiltInOnesAndAreCutTo99Characters) {
  strings.strings = {{117, "Other Modem"}, {115, std::string(150, 's')}};
  LoadDefaults(strings, settings);
  EXPECT_STREQ(settings.modemName, "Other Modem");
  EXPECT_EQ(std::strlen(settings.serviceName), 99u);
  EXPECT_STREQ(settings.oemName, "Tarvo Corporation");  // id missing from the table
}

TEST_F(ConfigurationTest, ConfigFileReplacesItsSixSettingsInTableOrder) {
  profiles.AddFile(".\\installer.cfg",
                   "[nt4_files]\n"
                   "  INF = \"Other41.inf\"  \n"
                   "sys=Other41.sys\n"
                   "countrytool = tool.exe\n"
                   "[NT5_Files]\n"
                   "inf=Other51.inf\n"
                   "sys=Other51.sys\n"
                   "cat=Other51.cat\n");
  Assemble();
  EXPECT_STREQ(settings.nt4Inf, "Other41.inf");
  EXPECT_STREQ(settings.nt4Sys, "Other41.sys");
  EXPECT_STREQ(settings.countryTool, "tool.exe");
  EXPECT_STREQ(settings.nt5Inf, "Other51.inf");
  EXPECT_STREQ(settings.nt5Sys, "Other51.sys");
  EXPECT_STREQ(settings.nt5Cat, "Other51.cat");
  EXPECT_THAT(std::vector<std::string>(profiles.reads.begin(), profiles.reads.begin() + 6),
              ElementsAre(".\\installer.cfg|NT4_Files|inf", ".\\installer.cfg|NT4_Files|sys",
                          ".\\installer.cfg|NT4_Files|CountryTool", ".\\installer.cfg|NT5_Files|inf",
                          ".\\installer.cfg|NT5_Files|sys", ".\\installer.cfg|NT5_Files|cat"));
}

TEST_F(ConfigurationTest, AnEmptyConfigValueEmptiesTheSettingAndAnOverlongOneIsCut) {
  profiles.AddFile(".\\installer.cfg", "[NT5_Files]\ncat=\nsys=" + std::string(120, 'x') + "\n");
  Assemble();
  EXPECT_STREQ(settings.nt5Cat, "");
  EXPECT_EQ(std::string(settings.nt5Sys), std::string(99, 'x'));
}

TEST_F(ConfigurationTest, TheConfigFileNamesWhichInfIsRead) {
  profiles.AddFile(".\\installer.cfg", "[NT4_Files]\ninf=Chosen.inf\n");
  profiles.AddFile(".\\TarvoK41.inf", "[Strings]\nModemName=\"Wrong Modem\"\n");
  profiles.AddFile(
      ".\\Chosen.inf",
      "[Version]\nSignature=\"$Windows NT$\"\n"
      "[Strings]\nCurrentCountry=49\nModemName=\"Chosen Modem\"\nOem=\"Chosen Inc\"\nServiceName=chs\n");
  Assemble();
  EXPECT_STREQ(settings.countryCode, "49");
  EXPECT_STREQ(settings.modemName, "Chosen Modem");
  EXPECT_STREQ(settings.oemName, "Chosen Inc");
  EXPECT_STREQ(settings.serviceName, "chs");
}

TEST_F(ConfigurationTest, AnExistingParametersKeyWinsAndTheInfIsNotReadAtAll) {
  registry.SetText(kParameters, "DeviceDesc", "Installed Modem");
  registry.SetText(kParameters, "ServiceName", "kiv2");
  profiles.AddFile(".\\TarvoK41.inf", "[Strings]\nCurrentCountry=49\nModemName=Inf Modem\nOem=Inf Oem\n");
  Assemble();
  EXPECT_STREQ(settings.modemName, "Installed Modem");
  EXPECT_STREQ(settings.serviceName, "kiv2");
  // Missing from the key: the string table's texts stay, even though the INF names them.
  EXPECT_STREQ(settings.oemName, "Tarvo Corporation");
  EXPECT_STREQ(settings.countryCode, "1");
  for (const std::string& read : profiles.reads) EXPECT_EQ(read.find(".inf"), std::string::npos) << read;
  EXPECT_EQ(registry.openHandles, 0);
}

TEST_F(ConfigurationTest, AKeyWithoutDeviceDescKeepsTheDefaultModemNameEvenIfTheInfHasOne) {
  registry.AddKey(kParameters);
  profiles.AddFile(".\\TarvoK41.inf", "[Strings]\nModemName=Inf Modem\n");
  Assemble();
  EXPECT_STREQ(settings.modemName, "Tarvo Kiv Data Fax");
}

TEST_F(ConfigurationTest, TheKeyIsLookedUpUnderTheStringTableServiceName) {
  // The configuration file has no say over the service name.
  profiles.AddFile(".\\installer.cfg", "[NT4_Files]\nServiceName=other\n");
  Assemble();
  EXPECT_THAT(registry.opens, ElementsAre(std::string("Open|") + kParameters));
}

TEST_F(ConfigurationTest, RegistryTextsThatDoNotFitOrLackATerminatorKeepTheEarlierText) {
  LoadDefaults(strings, settings);
  registry.SetText(kParameters, "DeviceDesc", std::string(100, 'd'));  // 101 bytes with the zero
  FakeRegistry::Value unterminated{kRegSz, std::vector<std::uint8_t>(100, 'm')};
  registry.keys[testing::Lower(kParameters)]["mfg"] = unterminated;
  FakeRegistry::Value shortUnterminated{kRegSz, {'k', 'v'}};
  registry.keys[testing::Lower(kParameters)]["servicename"] = shortUnterminated;
  EXPECT_TRUE(ReadInstalledParameters(registry, settings));
  EXPECT_STREQ(settings.modemName, "Tarvo Kiv Data Fax");
  EXPECT_STREQ(settings.oemName, "Tarvo Corporation");
  EXPECT_STREQ(settings.serviceName, "kv");
}

TEST_F(ConfigurationTest, A99CharacterRegistryTextFitsExactly) {
  LoadDefaults(strings, settings);
  registry.SetText(kParameters, "Mfg", std::string(99, 'm'));
  EXPECT_TRUE(ReadInstalledParameters(registry, settings));
  EXPECT_EQ(std::string(settings.oemName), std::string(99, 'm'));
}

struct ProgramDirCase {
  const char* windowsDir;
  const char* firstLevel;
  const char* programDir;
};

class ProgramDirTest : public ConfigurationTest, public ::testing::WithParamInterface<ProgramDirCase> {};

TEST_P(ProgramDirTest, KeepsOnlyTheDriveAndCreatesTwoLevels) {
  LoadDefaults(strings, settings);
  std::strcpy(settings.windowsDir, GetParam().windowsDir);
  PrepareProgramDir(files, settings);
  EXPECT_STREQ(settings.programDir, GetParam().programDir);
  EXPECT_THAT(files.calls, ElementsAre(std::string("Mkdir|") + GetParam().firstLevel,
                                       std::string("Mkdir|") + GetParam().programDir));
}

INSTANTIATE_TEST_SUITE_P(
    WindowsDirectories, ProgramDirTest,
    ::testing::Values(ProgramDirCase{"C:\\WINNT", "C:\\Program Files\\Tarvo Corporation",
                                     "C:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax"},
                      ProgramDirCase{"E:\\", "E:\\Program Files\\Tarvo Corporation",
                                     "E:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax"},
                      // The first colon followed by a backslash decides, not the first colon.
                      ProgramDirCase{"X:Y:\\WIN", "X:Y:\\Program Files\\Tarvo Corporation",
                                     "X:Y:\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax"},
                      // No drive part: the folders hang from the root of the current drive.
                      ProgramDirCase{"\\\\server\\share\\winnt", "\\Program Files\\Tarvo Corporation",
                                     "\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax"},
                      ProgramDirCase{"", "\\Program Files\\Tarvo Corporation",
                                     "\\Program Files\\Tarvo Corporation\\Tarvo Kiv Data Fax"}));

TEST_F(ConfigurationTest, ProgramDirOfLongNamesIsCutInsideItsBuffer) {
  LoadDefaults(strings, settings);
  std::strcpy(settings.windowsDir, (std::string(200, 'w') + "C:\\WINNT").c_str());
  std::strcpy(settings.oemName, std::string(99, 'o').c_str());
  std::strcpy(settings.modemName, std::string(99, 'm').c_str());
  PrepareProgramDir(files, settings);
  EXPECT_EQ(std::strlen(settings.programDir), kPathSize - 1);
  EXPECT_EQ(std::string(settings.programDir, 216), std::string(200, 'w') + "C:\\Program Files");
}

TEST_F(ConfigurationTest, InstalledExactlyWhenTheServiceKeyOpensForReading) {
  LoadDefaults(strings, settings);
  EXPECT_FALSE(IsInstalled(registry, settings));
  registry.AddKey("SYSTEM\\CurrentControlSet\\Services\\kiv");
  EXPECT_TRUE(IsInstalled(registry, settings));
  EXPECT_EQ(registry.opens.back(), "OpenEx|SYSTEM\\CurrentControlSet\\Services\\kiv|0|131097");  // KEY_READ
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(TextBuffersTest, ParseDecimalReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    std::uint32_t number;
  } const cases[] = {
      {"1", 1},    {"49abc", 49},       {"abc", 0}, {"", 0},           {"  \t7", 7},
      {"+33", 33}, {"-1", 0xFFFFFFFFu}, {"- 5", 0}, {"4294967297", 1}, {"0049", 49},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.number) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kiv
