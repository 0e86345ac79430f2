#include "simdriver/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "simdriver/report_text.h"

namespace kivsim {
namespace {

using ::testing::HasSubstr;
using Args = std::vector<std::string>;

TEST(ParseCommandLine, ReadsTheFaults) {
  const struct {
    Args args;
    std::uint32_t kind, code, times, value;
  } cases[] = {
      {{"fault", "refuse-open", "3"}, KIVSIM_FAULT_REFUSE_OPENS, 0, 3, 0},
      {{"fault", "fail", "0x801", "2"}, KIVSIM_FAULT_FAIL, 0x801, 2, KIVSIM_DEFAULT_FAIL_STATUS},
      {{"fault", "fail", "2051", "1", "0xC0000022"}, KIVSIM_FAULT_FAIL, 0x803, 1, 0xC0000022},
      {{"fault", "count", "0x801", "25"}, KIVSIM_FAULT_BYTE_COUNT, 0x801, 1, 25},
      {{"fault", "count", "0x802", "0", "4"}, KIVSIM_FAULT_BYTE_COUNT, 0x802, 4, 0},
      {{"fault", "hold"}, KIVSIM_FAULT_HOLD, 0, 0, 0},
      {{"fault", "clear"}, KIVSIM_FAULT_CLEAR, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Command command;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(c.args, command, error)) << error;
    EXPECT_EQ(command.kind, CommandKind::kFault);
    EXPECT_EQ(command.fault.kind, c.kind);
    EXPECT_EQ(command.fault.code, c.code);
    EXPECT_EQ(command.fault.times, c.times);
    EXPECT_EQ(command.fault.value, c.value);
  }
}

TEST(ParseCommandLine, ReadsEveryAssignmentOfSet) {
  Command command;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"set", "mode=data", "signals+=OH", "dteTxUsed=5"}, command, error)) << error;
  EXPECT_EQ(command.kind, CommandKind::kSet);
  ASSERT_EQ(command.ops.size(), 3u);
  EXPECT_EQ(command.ops[1].op, KIVSIM_OP_OR);
  EXPECT_EQ(command.ops[2].value, 5u);
}

TEST(ParseCommandLine, ReadsTheOtherCommands) {
  const struct {
    Args args;
    CommandKind kind;
    const char* path;
  } cases[] = {
      {{"install", "C:\\drv\\kivsim.sys"}, CommandKind::kInstall, "C:\\drv\\kivsim.sys"},
      {{"start"}, CommandKind::kStart, ""},
      {{"stop"}, CommandKind::kStop, ""},
      {{"remove"}, CommandKind::kRemove, ""},
      {{"reset"}, CommandKind::kReset, ""},
      {{"play", "call.txt"}, CommandKind::kPlay, "call.txt"},
      {{"check", "call.txt"}, CommandKind::kCheck, "call.txt"},
      {{"halt"}, CommandKind::kHalt, ""},
      {{"show"}, CommandKind::kShow, ""},
      {{"help"}, CommandKind::kHelp, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Command command;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(c.args, command, error)) << error;
    EXPECT_EQ(command.kind, c.kind);
    EXPECT_EQ(command.path, c.path);
  }
}

TEST(ParseCommandLine, RejectsBadInputWithAReasonAndLeavesTheCommandAlone) {
  const struct {
    Args args;
    const char* error;
  } cases[] = {
      {{}, "no command"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"show", "all"}, "show takes nothing after it"},
      {{"play"}, "play wants one file name"},
      {{"play", "a.txt", "b.txt"}, "play wants one file name"},
      {{"install", ""}, "install wants one file name"},
      {{"set"}, "set wants at least one field=value"},
      {{"set", "mode=data", "bogus=1"}, "unknown field 'bogus'"},
      {{"fault"}, "fault wants"},
      {{"fault", "hold", "now"}, "fault wants"},
      {{"fault", "refuse-open"}, "fault wants"},
      {{"fault", "refuse-open", "-1"}, "count '-1'"},
      {{"fault", "fail", "0x804", "1"}, "'0x804' is not a request code"},
      {{"fault", "fail", "0x800", "1"}, "'0x800' is not a request code"},
      {{"fault", "fail", "0x801", "1", "0x80000005"}, "not an error NTSTATUS"},
      {{"fault", "fail", "0x801", "1", "0"}, "not an error NTSTATUS"},
      {{"fault", "count", "0x801", "65536"}, "byte count '65536'"},
      {{"fault", "count", "0x801", "26", "many"}, "count 'many'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Command command;
    command.kind = CommandKind::kShow;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(c.args, command, error));
    EXPECT_THAT(error, HasSubstr(c.error));
    EXPECT_EQ(command.kind, CommandKind::kShow);
    EXPECT_TRUE(command.ops.empty());
  }
}

TEST(FormatReport, ShowsTheHolderTheLastRtsRequestTheFaultsAndTheFields) {
  KivSimReport r{};
  r.held = 1;
  r.holderProcessId = 288;
  r.requests[2] = 1;
  r.rtsRequestSeen = 1;
  const std::uint8_t rts[10] = {0, 0, 0, 0, 45, 0, 0, 0, 4, 0};
  std::memcpy(r.lastRtsRequest, rts, sizeof rts);
  r.faults.failTimes[1] = 2;
  r.faults.failStatus[1] = KIVSIM_DEFAULT_FAIL_STATUS;
  r.status[8] = 0xFF, r.status[9] = 0xFF, r.status[10] = 0xFF, r.status[11] = 0xFF;  // speed -1
  r.statistics[30] = 45;
  const std::string text = FormatReport(r);
  EXPECT_THAT(text, HasSubstr("holder:       process 288\n"));
  EXPECT_THAT(text, HasSubstr("0x803 1\n"));
  EXPECT_THAT(text, HasSubstr("last RTS:     00 00 00 00 2D 00 00 00 04 00\n"));
  EXPECT_THAT(text, HasSubstr("fail the next 2 of 0x802 with 0xC0000185\n"));
  EXPECT_THAT(text, HasSubstr("speed            -1\n"));
  EXPECT_THAT(text, HasSubstr("rtsFrequency     45 (0x2D)\n"));
}

}  // namespace
}  // namespace kivsim
