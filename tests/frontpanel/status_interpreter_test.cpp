#include "frontpanel/status_interpreter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"

namespace kiv {
namespace {

using ::testing::ElementsAreArray;
using testing::RecordingView;

constexpr std::uint32_t kOh = 0x080;

// The fields the interpreter reads, in the record's order.
struct Fields {
  std::uint16_t mode;
  std::uint32_t signals;
  std::int32_t speed;
  std::uint32_t errorCorrection;
  std::uint32_t compression;
  std::uint16_t callState;
  std::uint16_t modulation;
};

ModemStatusRecord Record(const Fields& f) {
  ModemStatusRecord r{};
  r.set_mode(f.mode);
  r.set_signals(f.signals);
  r.set_speed(f.speed);
  r.set_errorCorrection(f.errorCorrection);
  r.set_compression(f.compression);
  r.set_callState(f.callState);
  r.set_modulation(f.modulation);
  return r;
}

std::vector<std::string> Interpret(const Fields& fields) {
  RecordingView view;
  StatusInterpreter(view).InterpretStatus(Record(fields));
  return view.calls;
}

// Given this record, every call the view receives, in order.
struct InterpretCase {
  const char* name;
  Fields fields;
  std::vector<std::string> calls;
};

void PrintTo(const InterpretCase& c, std::ostream* os) {
  *os << c.name;
}

class InterpretStatusTest : public ::testing::TestWithParam<InterpretCase> {};

TEST_P(InterpretStatusTest, ShowsTheRecord) {
  EXPECT_THAT(Interpret(GetParam().fields), ElementsAreArray(GetParam().calls));
}

const InterpretCase kInterpretCases[] = {
    // Where each text ends up: data connections put the line in the call pane and the tray tip, the
    // modulation in the mode pane.
    {"DataConnectionNamesTheModulation",
     {2, 0x1FC, 28800, 77, 67, 3, 17},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected LAPM V.42bis at 28800 bps)",
      "SetTrayTip(Connected LAPM V.42bis at 28800 bps)", "SetModeText(Data - V.34)",
      "SetTrayState(CONNECTED)"}},
    {"DataConnectionBeyondTheModulationNamesShowsDataMode",
     {2, 0, 33600, 80, 66, 3, 24},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected MNP MNP 5 at 33600 bps)",
      "SetTrayTip(Connected MNP MNP 5 at 33600 bps)", "SetModeText(Data mode)", "SetTrayState(CONNECTED)"}},
    {"DataConnectionWithoutProtocolsHasSingleBlanks",
     {2, 0, 2400, 0, 0, 3, 6},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected at 2400 bps)",
      "SetTrayTip(Connected at 2400 bps)", "SetModeText(Data - V.22)", "SetTrayState(CONNECTED)"}},
    {"DataConnectionWithMode0StillShowsTheLine",
     {0, 0, 1200, 0, 0, 3, 1},
     {"SetCallText(Connected at 1200 bps)", "SetTrayTip(Connected at 1200 bps)",
      "SetModeText(Data - Bell 212)", "SetTrayState(CONNECTED)"}},
    {"UnlistedCodesAreQuestionMarks",
     {2, 0, 14400, 120, 120, 3, 16},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected ??? ??? at 14400 bps)",
      "SetTrayTip(Connected ??? ??? at 14400 bps)", "SetModeText(Data - V.32bis)",
      "SetTrayState(CONNECTED)"}},
    {"ALetterInTheLowByteOnlyIsNoCode",
     {2, 0, 9600, 77 + 256, 67 + 0x10000, 3, 11},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected at 9600 bps)",
      "SetTrayTip(Connected at 9600 bps)", "SetModeText(Data - V.29)", "SetTrayState(CONNECTED)"}},
    {"NegativeSpeedShowsAMinusSign",
     {2, 0, -28800, 77, 0, 3, 17},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Connected LAPM at -28800 bps)",
      "SetTrayTip(Connected LAPM at -28800 bps)", "SetModeText(Data - V.34)", "SetTrayState(CONNECTED)"}},
    {"LongestConnectionLineIsWhole",
     {2, 0, std::numeric_limits<std::int32_t>::min(), 88, 67, 3, 23},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)",
      "SetCallText(Connected MNP 3,4,10 V.42bis at -2147483648 bps)",
      "SetTrayTip(Connected MNP 3,4,10 V.42bis at -2147483648 bps)", "SetModeText(Data - V.90)",
      "SetTrayState(CONNECTED)"}},
    {"CallState3InFaxModeTakesTheDataLine",
     {3, kOh, 9600, 0, 0, 3, 14},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Connected at 9600 bps)",
      "SetTrayTip(Connected at 9600 bps)", "SetModeText(Data - V.17)", "SetTrayState(CONNECTED)"}},

    // Fax lines put the speed in the call pane and the modulation in the mode pane and the tray tip.
    {"FaxLineNamesTheModulationInModeAndTip",
     {3, kOh, 14400, 0, 0, 0, 14},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Connected fax at 14400 bps)",
      "SetModeText(Fax - V.17)", "SetTrayTip(Fax - V.17)", "SetTrayState(ORIG)"}},
    {"FaxLineBeyondTheModulationNamesKeepsFaxMode",
     {3, kOh | 0x040, 9600, 0, 0, 0, 30},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Connected fax at 9600 bps)",
      "SetModeText(Fax mode)", "SetTrayState(ORIG)"}},
    {"FaxAt300KeepsTheCallText",
     {3, kOh, 300, 0, 0, 0, 2},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetModeText(Fax - V.21)", "SetTrayTip(Fax - V.21)",
      "SetTrayState(ORIG)"}},
    {"FaxNegativeSpeedShowsAMinusSign",
     {3, kOh, -9600, 0, 0, 0, 23},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Connected fax at -9600 bps)",
      "SetModeText(Fax - V.90)", "SetTrayTip(Fax - V.90)", "SetTrayState(ORIG)"}},
    {"FaxOnHookShowsTheCallState",
     {3, 0x1FF & ~kOh, 14400, 0, 0, 0, 14},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Modem is idle.)", "SetTrayState(ORIG)"}},
    {"FaxAtSpeed0ShowsTheCallState",
     {3, kOh, 0, 0, 0, 0, 14},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Modem is idle.)", "SetTrayState(ORIG)"}},
    {"FaxInAnotherCallStateShowsItsText",
     {3, kOh, 14400, 0, 0, 11, 14},
     {"SetModeText(Fax mode)", "SetTrayTip(Fax mode)", "SetCallText(Connecting fax...)",
      "SetTrayState(CONNECTED)"}},
    {"OffHookAtSpeedInDataModeIsNoFaxLine",
     {2, kOh, 14400, 0, 0, 0, 14},
     {"SetModeText(Data mode)", "SetTrayTip(Data mode)", "SetCallText(Modem is idle.)",
      "SetTrayState(ORIG)"}},

    // Call-progress texts.
    {"CallStateWithModeTextInPaneAndTip",
     {4, 0, 0, 0, 0, 14, 0},
     {"SetModeText(Voice mode)", "SetTrayTip(Voice mode)", "SetCallText(Voice connected)",
      "SetTrayState(CONNECTED)"}},
    {"CallStateAbove14ShowsABlankAndKeepsTheTrayIcon",
     {1, 0, 0, 0, 0, 15, 0},
     {"SetModeText(Idle mode)", "SetTrayTip(Idle mode)", "SetCallText( )"}},
    {"LargestCallStateShowsABlankAndKeepsTheTrayIcon",
     {5, 0, 0, 0, 0, 0xFFFF, 0},
     {"SetModeText(VoiceView)", "SetTrayTip(VoiceView)", "SetCallText( )"}},
    {"Mode0LeavesModePaneAndTip",
     {0, 0, 0, 0, 0, 1, 0},
     {"SetCallText(Originating call...)", "SetTrayState(ORIG)"}},
    {"Mode6LeavesModePaneAndTip",
     {6, 0, 0, 0, 0, 8, 0},
     {"SetCallText(Retraining or dropping call...)", "SetTrayState(RETRAIN)"}},
    {"LargestModeLeavesModePaneAndTip", {0xFFFF, 0, 0, 0, 0, 15, 0}, {"SetCallText( )"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, InterpretStatusTest, ::testing::ValuesIn(kInterpretCases),
                         [](const ::testing::TestParamInfo<InterpretCase>& info) { return info.param.name; });

TEST(InterpretStatusTables, EveryCallStateHasItsTextAndTrayPicture) {
  struct Row {
    std::uint16_t callState;
    const char* text;
    const char* tray;  // null: the tray icon stays as it is
  };
  const Row rows[] = {
      {0, "Modem is idle.", "ORIG"},
      {1, "Originating call...", "ORIG"},
      {2, "Answering call...", "ORIG"},
      {4, "Dropping call...", "DISC"},
      {5, "Dropping call....", "DISC"},
      {6, "Dropping call....", "DISC"},
      {7, "Dropping call......", "DISC"},
      {8, "Retraining or dropping call...", "RETRAIN"},
      {9, "Answering fax call...", "ORIG"},
      {10, "Originating fax call...", "ORIG"},
      {11, "Connecting fax...", "CONNECTED"},
      {12, "Dropping fax call...", "DISC"},
      {13, "Fax Auto Answer", "ORIG"},
      {14, "Voice connected", "CONNECTED"},
      {15, " ", nullptr},
      {16, " ", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.callState);
    std::vector<std::string> expected = {std::string("SetCallText(") + row.text + ")"};
    if (row.tray) expected.push_back(std::string("SetTrayState(") + row.tray + ")");
    EXPECT_THAT(Interpret({0, 0, 0, 0, 0, row.callState, 0}), ElementsAreArray(expected));
  }
}

TEST(InterpretStatusTables, EveryModulationIndexNamesTheDataConnection) {
  const char* const names[] = {"Bell 103", "Bell 212", "V.21",       "V.21 ch2",  "V.23 ADX", "V.23 HDX",
                               "V.22",     "V.22bis",  "V.27 short", "V.27 long", "V.27ter",  "V.29",
                               "V.32",     "V.32 TCM", "V.17",       "V.33",      "V.32bis",  "V.34",
                               "V.34+",    "X2",       "X2",         "X2",        "X2",       "V.90"};
  for (std::uint16_t modulation = 0; modulation < 26; ++modulation) {
    SCOPED_TRACE(modulation);
    const std::string expected = modulation < 24
                                     ? std::string("SetModeText(Data - ") + names[modulation] + ")"
                                     : "SetModeText(Data mode)";
    EXPECT_EQ(Interpret({0, 0, 0, 0, 0, 3, modulation}).at(2), expected);
  }
}

TEST(InterpretStatusTables, ProtocolCodesMatchOnTheWhole32BitValue) {
  struct Row {
    std::uint32_t errorCorrection;
    std::uint32_t compression;
    const char* line;
  };
  const Row rows[] = {
      {74, 0, "Connected V.80 SAM at 0 bps"},   {77, 0, "Connected LAPM at 0 bps"},
      {78, 0, "Connected LAPM ETC at 0 bps"},   {80, 0, "Connected MNP at 0 bps"},
      {81, 0, "Connected MNP 2 at 0 bps"},      {82, 0, "Connected MNP 3 at 0 bps"},
      {83, 0, "Connected MNP 2,4 at 0 bps"},    {84, 0, "Connected MNP 3,4 at 0 bps"},
      {85, 0, "Connected MNP 2,10 at 0 bps"},   {86, 0, "Connected MNP 3,10 at 0 bps"},
      {87, 0, "Connected MNP 2,4,10 at 0 bps"}, {88, 0, "Connected MNP 3,4,10 at 0 bps"},
      {120, 0, "Connected ??? at 0 bps"},       {70, 0, "Connected at 0 bps"},
      {0x4D000000, 0, "Connected at 0 bps"},    {0xFFFFFF4D, 0, "Connected at 0 bps"},
      {0, 66, "Connected MNP 5 at 0 bps"},      {0, 67, "Connected V.42bis at 0 bps"},
      {0, 120, "Connected ??? at 0 bps"},       {0, 69, "Connected at 0 bps"},
      {0, 0x143, "Connected at 0 bps"},         {0, 77, "Connected at 0 bps"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(Interpret({0, 0, 0, row.errorCorrection, row.compression, 3, 0}).at(0),
              std::string("SetCallText(") + row.line + ")");
  }
}

// Lights: only the bits that differ between what the lights show and the new signals.
struct LightsCase {
  const char* name;
  std::uint32_t shown;
  std::uint32_t next;
  std::vector<std::string> calls;
};

void PrintTo(const LightsCase& c, std::ostream* os) {
  *os << c.name;
}

class UpdateSignalLightsTest : public ::testing::TestWithParam<LightsCase> {};

TEST_P(UpdateSignalLightsTest, TouchesOnlyChangedLights) {
  RecordingView view;
  StatusInterpreter(view).UpdateSignalLights(GetParam().shown, GetParam().next);
  EXPECT_THAT(view.calls, ElementsAreArray(GetParam().calls));
}

const LightsCase kLightsCases[] = {
    {"AllLightUpInTableOrder",
     0,
     0x1FC,
     {"SetLight(DTR,on)", "SetLight(RTS,on)", "SetLight(DSR,on)", "SetLight(CTS,on)", "SetLight(CD,on)",
      "SetLight(OH,on)", "SetLight(RING,on)"}},
    {"AllGoDarkInTableOrder",
     0xFFFFFFFF,
     0,
     {"SetLight(DTR,off)", "SetLight(RTS,off)", "SetLight(DSR,off)", "SetLight(CTS,off)", "SetLight(CD,off)",
      "SetLight(OH,off)", "SetLight(RING,off)"}},
    {"OnlyTheChangedOnes",
     0x004 | 0x008 | 0x200,
     0x008 | 0x080 | 0x001,
     {"SetLight(DTR,off)", "SetLight(OH,on)"}},
    {"RingAlone", 0x1FC & ~0x100u, 0x1FC, {"SetLight(RING,on)"}},
    {"BitsWithoutALightMakeNoCall", 0x0FC, 0x0FC | 0xFFFFFE03, {}},
    {"BitsWithoutALightClearedMakeNoCall", 0xFFFFFFFF, 0x1FC, {}},
    {"NoChangeMakesNoCall", 0x0A4, 0x0A4, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, UpdateSignalLightsTest, ::testing::ValuesIn(kLightsCases),
                         [](const ::testing::TestParamInfo<LightsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kiv
