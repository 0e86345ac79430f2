#include "frontpanel/settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace kiv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kMain = 0x10;
constexpr WindowHandle kStatistics = 0x20;

// One registry key (or none), one window rectangle per window, and the boxes shown.
struct FakeSettingsPlatform : SettingsPlatform, PanelModes {
  struct Value {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
  };
  std::string keyPath = "Software\\Kiv\\FrontPanel";
  bool keyExists = true;
  bool writesFail = false;
  std::map<std::string, Value> values;
  int openKeys = 0;
  std::vector<std::string> openPaths;

  std::map<WindowHandle, std::pair<long, long>> rects;
  bool iconic = false;
  std::vector<std::string> moves;
  std::vector<std::string> boxes;
  std::vector<std::string> modeCalls;

  void SetText(const std::string& name, const std::string& text) {
    values[name] = {kSettingsRegSz, std::vector<std::uint8_t>(text.begin(), text.end() + 0)};
    values[name].bytes.push_back(0);
  }
  // The value's text as stored, its zero shown as "\0".
  std::string Stored(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end()) return "<absent>";
    std::string s;
    for (std::uint8_t b : it->second.bytes) s += b ? std::string(1, static_cast<char>(b)) : "\\0";
    return s;
  }

  long RegOpenKeyExA(const char* subKey, std::uint32_t, SettingsKey* result) override {
    openPaths.push_back(subKey);
    if (!keyExists || keyPath != subKey) return 2;
    ++openKeys;
    *result = 0x99;
    return 0;
  }
  long RegQueryValueExA(SettingsKey, const char* name, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* size) override {
    const auto it = values.find(name);
    if (it == values.end()) return 2;
    *type = it->second.type;
    const std::uint32_t room = *size;
    *size = static_cast<std::uint32_t>(it->second.bytes.size());
    if (*size > room) return 234;  // ERROR_MORE_DATA
    std::memcpy(data, it->second.bytes.data(), *size);
    return 0;
  }
  long RegSetValueExA(SettingsKey, const char* name, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t size) override {
    if (writesFail) return 5;
    values[name] = {type, std::vector<std::uint8_t>(data, data + size)};
    return 0;
  }
  long RegCloseKey(SettingsKey) override {
    --openKeys;
    return 0;
  }
  bool GetWindowRect(WindowHandle window, long* left, long* top) override {
    *left = rects[window].first;
    *top = rects[window].second;
    return true;
  }
  bool IsIconic(WindowHandle) override { return iconic; }
  bool SetWindowPos(WindowHandle window, int x, int y) override {
    moves.push_back(std::to_string(window) + " to " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  int MessageBoxA(WindowHandle owner, const char* text, const char* caption, unsigned type) override {
    boxes.push_back(std::to_string(owner) + " " + std::to_string(type) + " " + caption + ": " + text);
    return 1;
  }
  void UpdateStartModeChecks() override { modeCalls.push_back("checks"); }
  void ApplyAlwaysOnTop() override { modeCalls.push_back("topmost"); }
};

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    std::strcpy(state.settingsKeyPath, "Software\\Kiv\\FrontPanel");
    state.mainWindow = kMain;
  }
  void TearDown() override { EXPECT_EQ(platform.openKeys, 0) << "a key stayed open"; }

  PanelState state;
  FakeSettingsPlatform platform;
  SettingsStore store{state, platform, platform};
};

TEST_F(SettingsStoreTest, NumbersAreReadLikeTheRuntimesDecimalConversion) {
  const struct {
    const char* text;
    long expected;
  } cases[] = {{"12abc", 12}, {"abc", 0}, {"", 0}, {"  -42", -42}, {"+7", 7}, {"\t 8000 ", 8000}, {"- 5", 0}};
  for (const auto& c : cases) {
    platform.SetText("PanelX", c.text);
    EXPECT_EQ(store.ReadSettingInt("PanelX", 99), c.expected) << '"' << c.text << '"';
  }
}

TEST_F(SettingsStoreTest, AMissingOrUnfitValueGivesTheDefault) {
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), 99);  // missing
  platform.values["PanelX"] = {4, {1, 0, 0, 0}};      // REG_DWORD
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), 99);
  platform.SetText("PanelX", std::string(80, '1'));  // 81 bytes
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), 99);
  platform.SetText("PanelX", std::string(79, '0') + "");  // exactly 80 bytes
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), 0);
  platform.keyExists = false;
  platform.SetText("PanelY", "5");
  EXPECT_EQ(store.ReadSettingInt("PanelY", 99), 99);
}

TEST_F(SettingsStoreTest, ATextWithoutItsZeroIsReadNoFurtherThanItsBytes) {
  platform.values["PanelX"] = {kSettingsRegSz, {'4', '2'}};
  EXPECT_EQ(store.ReadSettingInt("PanelX", 99), 42);
  platform.values["ModemName"] = {kSettingsRegSz, {'K', 'i', 'v'}};
  char name[4];
  std::memset(name, 'x', sizeof name);
  ASSERT_TRUE(store.ReadSettingString("ModemName", name, sizeof name));
  EXPECT_STREQ(name, "Kiv");
  // Filling the buffer without a zero leaves no room for one: refused.
  platform.values["ModemName"] = {kSettingsRegSz, {'K', 'i', 'v', '!'}};
  EXPECT_FALSE(store.ReadSettingString("ModemName", name, sizeof name));
}

TEST_F(SettingsStoreTest, ReadSettingStringWantsAnExistingFittingText) {
  char name[kPanelTextSize];
  platform.SetText("ModemName", "Kiv Data Fax");
  ASSERT_TRUE(store.ReadSettingString("ModemName", name, sizeof name));
  EXPECT_STREQ(name, "Kiv Data Fax");
  platform.SetText("ModemName", std::string(80, 'n'));
  EXPECT_FALSE(store.ReadSettingString("ModemName", name, sizeof name));
  platform.values["ModemName"] = {7, {'a', 0}};  // REG_MULTI_SZ
  EXPECT_FALSE(store.ReadSettingString("ModemName", name, sizeof name));
  EXPECT_FALSE(store.ReadSettingString("Missing", name, sizeof name));
}

TEST_F(SettingsStoreTest, NumbersAreStoredAsTheirWholeTextWithOneZero) {
  platform.rects[kMain] = {0, 1234};
  state.alwaysOnTop = 1;
  state.startMode = 0;
  store.SaveWindowPosition(kMain, "Panel");
  EXPECT_EQ(platform.Stored("PanelX"), "0\\0");
  EXPECT_EQ(platform.Stored("PanelY"), "1234\\0");
  EXPECT_EQ(platform.Stored("Startup"), "0\\0");
  EXPECT_EQ(platform.Stored("AlwaysOnTop"), "1\\0");
  platform.rects[kStatistics] = {-123, 7};
  store.SaveWindowPosition(kStatistics, "Statistics");
  EXPECT_EQ(platform.Stored("StatisticsX"), "-123\\0");
  EXPECT_THAT(platform.boxes, IsEmpty());
}

TEST_F(SettingsStoreTest, AMinimisedOrTrayStartedPanelKeepsWhatItShouldNotOverwrite) {
  platform.SetText("PanelX", "10");
  platform.SetText("Startup", "1");
  platform.iconic = true;
  state.commandLineTrayStart = 1;
  state.startMode = 0;
  store.SaveWindowPosition(kMain, "Panel");
  EXPECT_EQ(platform.Stored("PanelX"), "10\\0");
  EXPECT_EQ(platform.Stored("PanelY"), "<absent>");
  EXPECT_EQ(platform.Stored("Startup"), "1\\0");
  EXPECT_EQ(platform.Stored("AlwaysOnTop"), "0\\0");
}

TEST_F(SettingsStoreTest, OnlyTheMainWindowCarriesTheModes) {
  platform.rects[kStatistics] = {5, 6};
  store.SaveWindowPosition(kStatistics, "Statistics");
  EXPECT_EQ(platform.Stored("Startup"), "<absent>");
  EXPECT_EQ(platform.Stored("AlwaysOnTop"), "<absent>");
  platform.SetText("Startup", "2");
  store.RestoreWindowPosition(kStatistics, "Statistics");
  EXPECT_EQ(state.startMode, 0);
  EXPECT_THAT(platform.modeCalls, IsEmpty());
  EXPECT_THAT(platform.moves, ElementsAre("32 to 5,6"));
}

TEST_F(SettingsStoreTest, RestoreClampsPositionsAndAppliesTheModesAsRead) {
  const struct {
    const char* stored;
    int used;
  } cases[] = {{"8000", 8000}, {"8001", 0}, {"-1", 0}, {"0", 0}, {"640", 640}};
  for (const auto& c : cases) {
    platform.SetText("PanelX", c.stored);
    platform.SetText("PanelY", "100");
    platform.SetText("Startup", "2");
    platform.SetText("AlwaysOnTop", "1");
    platform.moves.clear();
    platform.modeCalls.clear();
    store.RestoreWindowPosition(kMain, "Panel");
    EXPECT_THAT(platform.moves, ElementsAre("16 to " + std::to_string(c.used) + ",100")) << c.stored;
    EXPECT_THAT(platform.modeCalls, ElementsAre("checks", "topmost"));
    EXPECT_EQ(state.startMode, 2);
    EXPECT_EQ(state.alwaysOnTop, 1);
  }
  platform.values.clear();
  platform.moves.clear();
  store.RestoreWindowPosition(kMain, "Panel");
  EXPECT_THAT(platform.moves, ElementsAre("16 to 0,0"));
  EXPECT_EQ(state.startMode, 0);
}

TEST_F(SettingsStoreTest, BadParametersAreReportedAndNothingElseHappens) {
  store.SaveWindowPosition(0, "Panel");
  store.SaveWindowPosition(kMain, nullptr);
  store.SaveWindowPosition(kMain, "");
  store.RestoreWindowPosition(0, "Panel");
  store.RestoreWindowPosition(kMain, nullptr);
  store.RestoreWindowPosition(kMain, "");
  EXPECT_THAT(platform.boxes, ElementsAre("16 64 WindowSavePosition: Bad parameters!",
                                          "16 64 WindowSavePosition: Bad parameters!",
                                          "16 64 WindowSavePosition: Bad parameters!",
                                          "16 64 WindowGetPosition: Bad parameter!  hDlg=0",
                                          "16 64 WindowGetPosition: Bad parameter!  szWindowName=0",
                                          "16 64 WindowGetPosition: Bad parameter!  szWindowName NULL"));
  EXPECT_THAT(platform.moves, IsEmpty());
  EXPECT_THAT(platform.openPaths, IsEmpty());
}

TEST_F(SettingsStoreTest, AFailedWriteIsReportedOncePerRun) {
  platform.writesFail = true;
  state.mainWindow = 0;  // during creation notices have no owner
  EXPECT_FALSE(store.WriteSettingString("PanelX", "1"));
  store.SaveWindowPosition(kMain, "Panel");
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0],
            "0 64 FrontPanel: WriteRegStr: RegSetValueEx failed.\n\nPlease check your Modem installation.\n\n"
            "This message is sent if your install INF file didn't create the proper registry settings.");
}

TEST_F(SettingsStoreTest, AMissingKeyFailsWritesSilentlyAndIsNeverCreated) {
  platform.keyExists = false;
  EXPECT_FALSE(store.WriteSettingString("PanelX", "1"));
  EXPECT_THAT(platform.boxes, IsEmpty());
  EXPECT_THAT(platform.values, IsEmpty());
}

TEST_F(SettingsStoreTest, WithoutABasePathTheRootKeyIsAddressed) {
  state.settingsKeyPath[0] = '\0';
  platform.keyPath = "";
  platform.SetText("AlwaysOnTop", "1");
  EXPECT_EQ(store.ReadSettingInt("AlwaysOnTop", 0), 1);
  EXPECT_THAT(platform.openPaths, ElementsAre(""));
}

}  // namespace
}  // namespace kiv
