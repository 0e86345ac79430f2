#include "simdriver/scenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frontpanel/device_protocol.h"

namespace kivsim {
namespace {

using ::testing::HasSubstr;

struct AssignmentCase {
  const char* text;
  std::uint8_t record, offset, width, op;
  std::uint32_t value;
};

const AssignmentCase kGoodAssignments[] = {
    {"mode=data", KIVSIM_RECORD_STATUS, KIV_STATUS_MODE, 2, KIVSIM_OP_SET, 2},
    {"mode=5", KIVSIM_RECORD_STATUS, KIV_STATUS_MODE, 2, KIVSIM_OP_SET, 5},
    {"mode=65535", KIVSIM_RECORD_STATUS, KIV_STATUS_MODE, 2, KIVSIM_OP_SET, 65535},
    {"signals=DTR|RTS|DSR|CTS", KIVSIM_RECORD_STATUS, KIV_STATUS_SIGNALS, 4, KIVSIM_OP_SET, 0x3C},
    {"signals+=OH", KIVSIM_RECORD_STATUS, KIV_STATUS_SIGNALS, 4, KIVSIM_OP_OR, 0x80},
    {"signals-=RING|cd", KIVSIM_RECORD_STATUS, KIV_STATUS_SIGNALS, 4, KIVSIM_OP_CLEAR, 0x140},
    {"signals=0x80000001|DTR", KIVSIM_RECORD_STATUS, KIV_STATUS_SIGNALS, 4, KIVSIM_OP_SET, 0x80000005},
    {"signals=none", KIVSIM_RECORD_STATUS, KIV_STATUS_SIGNALS, 4, KIVSIM_OP_SET, 0},
    {"speed=50666", KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, KIVSIM_OP_SET, 50666},
    {"speed=-1", KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, KIVSIM_OP_SET, 0xFFFFFFFF},
    {"speed=-2147483648", KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, KIVSIM_OP_SET, 0x80000000},
    {"speed-=2400", KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, KIVSIM_OP_SUB, 2400},
    {"errorCorrection='M'", KIVSIM_RECORD_STATUS, KIV_STATUS_ERROR_CORRECTION, 4, KIVSIM_OP_SET, 77},
    {"errorCorrection=LAPM", KIVSIM_RECORD_STATUS, KIV_STATUS_ERROR_CORRECTION, 4, KIVSIM_OP_SET, 77},
    {"errorCorrection=120", KIVSIM_RECORD_STATUS, KIV_STATUS_ERROR_CORRECTION, 4, KIVSIM_OP_SET, 120},
    {"compression=V.42bis", KIVSIM_RECORD_STATUS, KIV_STATUS_COMPRESSION, 4, KIVSIM_OP_SET, 67},
    {"compression='x'", KIVSIM_RECORD_STATUS, KIV_STATUS_COMPRESSION, 4, KIVSIM_OP_SET, 120},
    {"callState=connected", KIVSIM_RECORD_STATUS, KIV_STATUS_CALL_STATE, 2, KIVSIM_OP_SET, 3},
    {"callState=15", KIVSIM_RECORD_STATUS, KIV_STATUS_CALL_STATE, 2, KIVSIM_OP_SET, 15},
    {"modulation=v.90", KIVSIM_RECORD_STATUS, KIV_STATUS_MODULATION, 2, KIVSIM_OP_SET, 23},
    {"modulation=V.34+", KIVSIM_RECORD_STATUS, KIV_STATUS_MODULATION, 2, KIVSIM_OP_SET, 18},
    {"reserved24=0xFFFF", KIVSIM_RECORD_STATUS, KIV_STATUS_RESERVED24, 2, KIVSIM_OP_SET, 0xFFFF},
    {"status.reserved0=7", KIVSIM_RECORD_STATUS, KIV_STATUS_RESERVED0, 2, KIVSIM_OP_SET, 7},
    {"statistics.reserved0=7", KIVSIM_RECORD_STATISTICS, 0, 2, KIVSIM_OP_SET, 7},
    {"dteTxUsed+=300", KIVSIM_RECORD_STATISTICS, 2, 2, KIVSIM_OP_ADD, 300},
    {"qInUsed-=5", KIVSIM_RECORD_STATISTICS, 18, 2, KIVSIM_OP_SUB, 5},
    {"rtsFrequency=45", KIVSIM_RECORD_STATISTICS, 30, 2, KIVSIM_OP_SET, 45},
    {"statistics.rtsAsync=65535", KIVSIM_RECORD_STATISTICS, 32, 2, KIVSIM_OP_SET, 65535},
};

TEST(ParseAssignment, TurnsEachFieldAndOperatorIntoOneOperation) {
  for (const AssignmentCase& c : kGoodAssignments) {
    SCOPED_TRACE(c.text);
    KivSimFieldOp op{};
    std::string error;
    ASSERT_TRUE(ParseAssignment(c.text, op, error)) << error;
    EXPECT_EQ(op.record, c.record);
    EXPECT_EQ(op.offset, c.offset);
    EXPECT_EQ(op.width, c.width);
    EXPECT_EQ(op.op, c.op);
    EXPECT_EQ(op.value, c.value);
  }
}

struct BadCase {
  const char* text;
  const char* error;
};

const BadCase kBadAssignments[] = {
    {"sped=3", "unknown field 'sped'"},
    {"reserved0=1", "write status.reserved0 or statistics.reserved0"},
    {"mode", "not field=value"},
    {"=3", "not field=value"},
    {"mode=", "no value for mode"},
    {"mode=+3", "mode '+3'"},
    {"mode=-3", "mode '-3'"},
    {"mode=65536", "mode '65536'"},
    {"dteTxUsed=65536", "from 0 to 65535"},
    {"dteTxUsed=1e3", "dteTxUsed '1e3'"},
    {"callState=0x", "callState '0x'"},
    {"speed=2147483648", "speed '2147483648'"},
    {"speed=-2147483649", "speed '-2147483649'"},
    {"speed=", "no value"},
    {"signals=DTR|XYZ", "'XYZ' is not a signal line"},
    {"signals=DTR||RTS", "'' is not a signal line"},
    {"signals=0x100000000", "not a signal line"},
    {"modulation=V.91", "modulation 'V.91'"},
    {"errorCorrection='MM'", "errorCorrection ''MM''"},
    {"errorCorrection=''", "errorCorrection ''''"},
    {"taskerLoops+=-1", "taskerLoops '-1'"},
};

TEST(ParseAssignment, RejectsWhatItCannotReadAndSaysWhy) {
  for (const BadCase& c : kBadAssignments) {
    SCOPED_TRACE(c.text);
    KivSimFieldOp op{};
    op.value = 0x5A5A;
    std::string error;
    EXPECT_FALSE(ParseAssignment(c.text, op, error));
    EXPECT_THAT(error, HasSubstr(c.error));
  }
}

TEST(ParseDuration, ReadsMillisecondsAndSecondsUpToADay) {
  const struct {
    const char* text;
    std::uint32_t ms;
  } good[] = {{"0s", 0},        {"0ms", 0},           {"250ms", 250},
              {"2s", 2000},     {"1.5s", 1500},       {"2.25s", 2250},
              {"1.125s", 1125}, {"86400s", 86400000}, {"86400000ms", 86400000}};
  for (const auto& c : good) {
    std::uint32_t ms = 1;
    EXPECT_TRUE(ParseDuration(c.text, ms)) << c.text;
    EXPECT_EQ(ms, c.ms) << c.text;
  }
  for (const char* bad : {"5", "s", "ms", "1.5ms", "1.2345s", "1.s", ".5s", "-1s", "0x10ms", "1 s",
                          "86400001ms", "86400.001s", "99999999999s"}) {
    std::uint32_t ms = 0;
    EXPECT_FALSE(ParseDuration(bad, ms)) << bad;
  }
}

TEST(ParseScenario, CompilesStepsWithTheirTimesAndOperations) {
  const std::string text =
      "# a call\r\n"
      "\r\n"
      "0s     mode=data signals+=OH   # off hook\r\n"
      "+1.5s  callState=connected\n"
      "2s     speed=50666 dteTxUsed+=10\n"
      "+0ms   signals-=OH\n"
      "5s     loop\n";
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario(text, s, error)) << error;
  ASSERT_EQ(s.steps.size(), 4u);
  EXPECT_EQ(s.steps[0].atMs, 0u);
  EXPECT_EQ(s.steps[1].atMs, 1500u);
  EXPECT_EQ(s.steps[2].atMs, 2000u);
  EXPECT_EQ(s.steps[3].atMs, 2000u);
  EXPECT_EQ(s.steps[0].firstOp, 0u);
  EXPECT_EQ(s.steps[0].opCount, 2u);
  EXPECT_EQ(s.steps[1].firstOp, 2u);
  EXPECT_EQ(s.steps[2].firstOp, 3u);
  EXPECT_EQ(s.steps[2].opCount, 2u);
  EXPECT_EQ(s.steps[3].firstOp, 5u);
  ASSERT_EQ(s.ops.size(), 6u);
  EXPECT_EQ(s.ops[5].op, KIVSIM_OP_CLEAR);
  EXPECT_EQ(s.loopAtMs, 5000u);

  // The play request: header, steps, operations, nothing between them.
  const std::vector<std::uint8_t> bytes = s.Compile();
  ASSERT_EQ(bytes.size(), 16u + 4 * 12 + 6 * 8);
  KivSimScenarioHeader header;
  std::memcpy(&header, bytes.data(), sizeof header);
  EXPECT_EQ(header.stepCount, 4u);
  EXPECT_EQ(header.opCount, 6u);
  EXPECT_EQ(header.loopAtMs, 5000u);
  EXPECT_EQ(header.reserved, 0u);
  KivSimStep lastStep;
  std::memcpy(&lastStep, bytes.data() + 16 + 3 * 12, sizeof lastStep);
  EXPECT_EQ(lastStep.firstOp, 5u);
  KivSimFieldOp lastOp;
  std::memcpy(&lastOp, bytes.data() + 16 + 4 * 12 + 5 * 8, sizeof lastOp);
  EXPECT_EQ(lastOp.value, 0x80u);
}

TEST(ParseScenario, WithoutALoopLinePlaysOnce) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario("0s mode=data", s, error)) << error;
  EXPECT_EQ(s.loopAtMs, KIVSIM_NO_LOOP);
}

TEST(ParseScenario, NamesTheLineOfEachMistakeAndKeepsWhatItHad) {
  const BadCase cases[] = {
      {"0s mode=data\n2s mode=fax\n1s mode=idle\n", "line 3: time 1s is before the line above (2000ms)"},
      {"soon mode=data\n", "line 1: 'soon' is not a time"},
      {"1s\n", "line 1: a time with nothing to do"},
      {"# header\n\n0s mode=data\n1s sped=3\n", "line 4: unknown field 'sped'"},
      {"0s mode=data\n1s mode=data callState=99999\n", "line 2: callState '99999'"},
      {"0s mode=data\n50ms loop\n", "line 2: a loop must last at least 100ms"},
      {"0s mode=data\n1s loop\n2s mode=fax\n", "line 3: nothing may follow the loop line"},
      {"0s mode=data\n1s loop now\n", "line 2: loop takes nothing after it"},
      {"1s mode=data\n+86400s mode=fax\n", "line 2: time goes beyond a day"},
      {"", "the scenario has no steps"},
      {"# only words\n\n", "the scenario has no steps"},
      {"1s loop\n", "the scenario has no steps"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    Scenario s;
    s.loopAtMs = 1234;
    std::string error;
    EXPECT_FALSE(ParseScenario(c.text, s, error));
    EXPECT_THAT(error, HasSubstr(c.error));
    EXPECT_TRUE(s.steps.empty());
    EXPECT_EQ(s.loopAtMs, 1234u);
  }
}

TEST(ParseScenario, RefusesMoreStepsThanTheDriverTakes) {
  std::string text;
  for (unsigned i = 0; i < KIVSIM_MAX_STEPS; ++i) text += "+10ms mode=data\n";
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario(text, s, error)) << error;
  text += "+10ms mode=idle\n";
  EXPECT_FALSE(ParseScenario(text, s, error));
  EXPECT_THAT(error, HasSubstr("line 1025: too long"));
}

std::string ReadWholeFile(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

TEST(ShippedScenarios, AllRead) {
  for (const char* name : {"v90_call.txt", "incoming_ring.txt", "fax_send.txt"}) {
    SCOPED_TRACE(name);
    const std::string text = ReadWholeFile(std::string(KIVSIM_SCENARIO_DIR) + "/" + name);
    ASSERT_FALSE(text.empty());
    Scenario s;
    std::string error;
    EXPECT_TRUE(ParseScenario(text, s, error)) << error;
  }
}

}  // namespace
}  // namespace kivsim
