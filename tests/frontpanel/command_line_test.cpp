#include "frontpanel/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace kiv {
namespace {

struct LineCase {
  const char* line;
  const char* keyPath;
  bool trayStart;
};

TEST(ReadCommandLineTest, FindsTheBasePathAndTheTraySwitch) {
  const LineCase cases[] = {
      {"", "", false},
      {"/B:Software\\Modem /I", "Software\\Modem\\FrontPanel", true},
      {"/B:   Software\\Modem", "Software\\Modem\\FrontPanel", false},  // blanks before the token
      {"/B:A B", "A\\FrontPanel", false},                               // the token ends at a blank
      {"/B:A\tB\"", "A\tB\"\\FrontPanel", false},                       // only the blank separates
      {"/b:Software", "", false},                                       // exact case only
      {"x /B:One /B:Two", "One\\FrontPanel", false},                    // the first one counts
      {"/B:Soft/ix", "Soft/ix\\FrontPanel", true},                      // /i inside the token
      {"/i", "", true},
      {"/B:", "", false},      // no token
      {"/B:    ", "", false},  // blanks only
  };
  for (const LineCase& c : cases) {
    const CommandLine result = ReadCommandLine(c.line);
    EXPECT_STREQ(result.settingsKeyPath, c.keyPath) << c.line;
    EXPECT_EQ(result.trayStart, c.trayStart) << c.line;
    EXPECT_EQ(result.menu, c.trayStart ? kMenuTrayStart : kMenuNormalStart) << c.line;
  }
}

TEST(ReadCommandLineTest, ATokenOfAtMost68CharactersFitsTheKeyPath) {
  const std::string longest(68, 'k');
  EXPECT_EQ(std::string(ReadCommandLine(("/B:" + longest).c_str()).settingsKeyPath),
            longest + "\\FrontPanel");
  // One more would be cut into the name of another key: no path rather than a wrong one.
  EXPECT_STREQ(ReadCommandLine(("/B:" + longest + "k").c_str()).settingsKeyPath, "");
}

TEST(ReadCommandLineTest, LooksForTheBasePathOnlyInTheFirst240Characters) {
  // "/B:" reaching past the copy is not seen; one ending at its last byte has no token.
  EXPECT_STREQ(ReadCommandLine((std::string(238, 'x') + "/B:K").c_str()).settingsKeyPath, "");
  EXPECT_STREQ(ReadCommandLine((std::string(237, 'x') + "/B:K").c_str()).settingsKeyPath, "");
  EXPECT_STREQ(ReadCommandLine((std::string(236, 'x') + "/B:KEY").c_str()).settingsKeyPath, "K\\FrontPanel");
  // Starting within the copy, the token is cut where the copy ends.
  EXPECT_STREQ(ReadCommandLine((std::string(235, 'x') + "/B:KEYS").c_str()).settingsKeyPath,
               "KE\\FrontPanel");
  // The tray switch is looked for in the whole line.
  EXPECT_TRUE(ReadCommandLine((std::string(300, 'x') + "/I").c_str()).trayStart);
}

TEST(ComposeTitleTest, ModemNameFollowedByFrontPanel) {
  char title[kPanelTextSize];
  ComposeTitle("Kiv Data Fax", title);
  EXPECT_STREQ(title, "Kiv Data Fax Front Panel");
  ComposeTitle(nullptr, title);
  EXPECT_STREQ(title, " Front Panel");
  ComposeTitle(std::string(67, 'n').c_str(), title);
  EXPECT_EQ(std::string(title), std::string(67, 'n') + " Front Panel");
  // A longer name is cut, so the title still ends in " Front Panel" within its 80 bytes.
  ComposeTitle(std::string(79, 'n').c_str(), title);
  EXPECT_EQ(std::string(title), std::string(67, 'n') + " Front Panel");
}

}  // namespace
}  // namespace kiv
