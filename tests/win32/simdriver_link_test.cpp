// The real driver link against the simulated modem driver, loaded as a kernel-driver service: what
// the front panel relies on from a driver, and what it meets when the driver misbehaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "frontpanel/driver_link.h"
#include "frontpanel/win32/win32_device_access.h"
#include "simdriver/scenario.h"
#include "simdriver/win32/driver_service.h"
#include "simdriver/win32/sim_control.h"
#include "tests/support/recording_view.h"
#include "tests/win32/simdriver_test_support.h"

namespace kiv {
namespace {

using wintest::Assignments;
using wintest::WaitFor;

using kivsim::SimControl;

// One front panel's link, closed at the end of the test whatever happened.
struct Panel {
  Win32DeviceAccess device;
  testing::RecordingView view;
  DriverLink link{device, view};
  ~Panel() { link.Close(); }
};

KivSimFault MakeFault(std::uint32_t kind, std::uint32_t code, std::uint32_t times, std::uint32_t value) {
  KivSimFault f{};
  f.kind = kind;
  f.code = code;
  f.times = times;
  f.value = value;
  return f;
}

class SimulatedDriverTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    kivsim::RemoveDriverService();  // left over from an interrupted run
    ASSERT_EQ(kivsim::InstallDriverService(KIVSIM_DRIVER_PATH), 0u) << KIVSIM_DRIVER_PATH;
  }
  static void TearDownTestSuite() { kivsim::RemoveDriverService(); }

  // Every test starts from a loaded driver in its power-on state, with nobody holding the device.
  void SetUp() override {
    ASSERT_TRUE(StartDriver());
    ASSERT_TRUE(control.Open()) << control.LastError();
    // Wine passes a close to the driver after CloseHandle has returned: the last test's handle may
    // still be on its way out.
    ASSERT_TRUE(WaitFor([&] { return Report().held == 0; }))
        << "a handle of an earlier test holds the device";
    ASSERT_TRUE(control.Reset()) << control.LastError();
  }

  // A fresh prefix may want a moment before a driver starts.
  static bool StartDriver() {
    std::uint32_t error = 0;
    WaitFor([&] {
      error = kivsim::StartDriverService();
      return error == 0 || error == ERROR_SERVICE_ALREADY_RUNNING;
    });
    return error == 0 || error == ERROR_SERVICE_ALREADY_RUNNING;
  }

  KivSimReport Report() {
    KivSimReport r{};
    EXPECT_TRUE(control.Report(r)) << control.LastError();
    return r;
  }

  SimControl control;
};

TEST_F(SimulatedDriverTest, RecordsComeBackByteExactAndTheRtsPeriodTakesEffect) {
  ASSERT_TRUE(control.Apply(Assignments({"status.reserved0=0x0102", "mode=data", "signals=0x12345678",
                                         "speed=-50666", "errorCorrection='M'", "compression='C'",
                                         "callState=connected", "modulation=V.90", "reserved24=0xA5B6"})));
  ModemStatusRecord expectedStatus{};
  expectedStatus.set_reserved0(0x0102);
  expectedStatus.set_mode(2);
  expectedStatus.set_signals(0x12345678);
  expectedStatus.set_speed(-50666);
  expectedStatus.set_errorCorrection(77);
  expectedStatus.set_compression(67);
  expectedStatus.set_callState(3);
  expectedStatus.set_modulation(23);
  expectedStatus.set_reserved24(0xA5B6);

  // Every statistics word its own value, so that a shifted or swapped word shows.
  std::vector<KivSimFieldOp> words;
  ModemStatisticsRecord expectedStatistics{};
  for (unsigned w = 0; w < KIV_STATISTICS_WORD_COUNT; ++w) {
    KivSimFieldOp op{KIVSIM_RECORD_STATISTICS, static_cast<std::uint8_t>(2 * w), 2, KIVSIM_OP_SET,
                     0x1100u + w};
    words.push_back(op);
    expectedStatistics.set_word(static_cast<ModemStatisticsRecord::Word>(w),
                                static_cast<std::uint16_t>(0x1100 + w));
  }
  ASSERT_TRUE(control.Apply(words));

  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess) << panel.link.LastError();
  ModemStatusRecord status{};
  ModemStatisticsRecord statistics{};
  ASSERT_EQ(panel.link.GetStatus(status), LinkResult::kSuccess) << panel.link.LastError();
  EXPECT_EQ(status, expectedStatus);
  ASSERT_EQ(panel.link.GetStatistics(statistics), LinkResult::kSuccess) << panel.link.LastError();
  EXPECT_EQ(statistics, expectedStatistics);

  const RtsPeriodRequest request = RtsPeriodRequest::ForPeriod(45);
  ASSERT_EQ(panel.link.SetRtsPeriod(request), LinkResult::kSuccess) << panel.link.LastError();
  ASSERT_EQ(panel.link.GetStatistics(statistics), LinkResult::kSuccess);
  EXPECT_EQ(statistics.word(ModemStatisticsRecord::kRtsFrequency), 45);
  expectedStatistics.set_word(ModemStatisticsRecord::kRtsFrequency, 45);
  EXPECT_EQ(statistics, expectedStatistics);

  const KivSimReport r = Report();
  EXPECT_EQ(r.held, 1u);
  EXPECT_EQ(r.holderProcessId, ::GetCurrentProcessId());
  EXPECT_EQ(r.opens, 1u);
  EXPECT_EQ(r.requests[0], 1u);
  EXPECT_EQ(r.requests[1], 2u);
  EXPECT_EQ(r.requests[2], 1u);
  ASSERT_EQ(r.rtsRequestSeen, 1u);
  EXPECT_EQ(std::memcmp(r.lastRtsRequest, request.bytes, sizeof request.bytes), 0);
}

// Relative changes run in the driver against the live value, and stop at the field's ends.
TEST_F(SimulatedDriverTest, RelativeChangesStopAtTheFieldsEnds) {
  const struct {
    std::initializer_list<const char*> steps;
    std::uint8_t record, offset, width;
    std::uint32_t expected;
  } cases[] = {
      {{"dteTxUsed=65000", "dteTxUsed+=1000"}, KIVSIM_RECORD_STATISTICS, 2, 2, 65535},
      {{"dteTxUsed=10", "dteTxUsed-=11"}, KIVSIM_RECORD_STATISTICS, 2, 2, 0},
      {{"qInUsed=100", "qInUsed+=20", "qInUsed-=30"}, KIVSIM_RECORD_STATISTICS, 18, 2, 90},
      {{"speed=-2", "speed+=5"}, KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, 0xFFFFFFFF},
      {{"speed=3", "speed-=4"}, KIVSIM_RECORD_STATUS, KIV_STATUS_SPEED, 4, 0},
      {{"signals=DTR|RTS", "signals+=OH|DTR", "signals-=RTS|RING"},
       KIVSIM_RECORD_STATUS,
       KIV_STATUS_SIGNALS,
       4,
       0x84},
      {{"callState=connected", "callState+=5"}, KIVSIM_RECORD_STATUS, KIV_STATUS_CALL_STATE, 2, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(*c.steps.begin());
    // One request per step, so that each change meets the value the one before left.
    for (const char* step : c.steps) ASSERT_TRUE(control.Apply(Assignments({step})));
    const KivSimReport r = Report();
    const std::uint8_t* p = (c.record == KIVSIM_RECORD_STATUS ? r.status : r.statistics) + c.offset;
    EXPECT_EQ(c.width == 2 ? LoadLe16(p) : LoadLe32(p), c.expected);
    // Neighbours untouched: the power-on capacity beside dteTxUsed, the mode before signals.
    EXPECT_EQ(LoadLe16(r.statistics + 2 * ModemStatisticsRecord::kDteTxSize), KIVSIM_DEFAULT_DTE_SIZE);
    EXPECT_EQ(LoadLe16(r.status + KIV_STATUS_MODE), KIVSIM_DEFAULT_MODE);
  }
}

// The byte counts themselves, seen without the link, with room to spare in the output buffer.
TEST_F(SimulatedDriverTest, RequestsReportExactly26And34And10Bytes) {
  const HANDLE h =
      ::CreateFileA(KIV_DEVICE_NAME, 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << ::GetLastError();
  const struct {
    DWORD code;
    DWORD expected;
  } cases[] = {{0x801, 26}, {0x802, 34}, {0x803, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    std::uint8_t input[10] = {1, 0};
    DWORD inputSize = 2;
    if (c.code == 0x803) {
      std::memcpy(input, RtsPeriodRequest::ForPeriod(30).bytes, sizeof input);
      inputSize = 10;
    }
    std::uint8_t output[64];
    std::memset(output, 0xEE, sizeof output);
    DWORD returned = 0;
    ASSERT_TRUE(::DeviceIoControl(h, c.code, input, inputSize, output, sizeof output, &returned, nullptr))
        << ::GetLastError();
    EXPECT_EQ(returned, c.expected);
    EXPECT_EQ(output[c.expected], 0xEE) << "wrote past the record";
  }
  ::CloseHandle(h);
}

// What a careful driver refuses: wrong input words and sizes, a short output buffer, a bad command.
TEST_F(SimulatedDriverTest, MalformedRequestsAreRefusedWithoutTouchingTheRecords) {
  const HANDLE h =
      ::CreateFileA(KIV_DEVICE_NAME, 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << ::GetLastError();
  RtsPeriodRequest badCommand = RtsPeriodRequest::ForPeriod(20);
  badCommand.bytes[KIV_RTS_COMMAND] = 3;
  const std::uint8_t word2[2] = {2, 0};
  const std::uint8_t word1[3] = {1, 0, 0};
  const struct {
    const char* what;
    DWORD code;
    const void* input;
    DWORD inputSize, outputSize, error;
  } cases[] = {
      {"status, input word 2", 0x801, word2, 2, 26, ERROR_INVALID_PARAMETER},
      {"status, one input byte", 0x801, word1, 1, 26, ERROR_INVALID_PARAMETER},
      {"status, three input bytes", 0x801, word1, 3, 26, ERROR_INVALID_PARAMETER},
      {"status, no input", 0x801, nullptr, 0, 26, ERROR_INVALID_PARAMETER},
      {"status, 25-byte output", 0x801, word1, 2, 25, ERROR_INSUFFICIENT_BUFFER},
      {"statistics, 33-byte output", 0x802, word1, 2, 33, ERROR_INSUFFICIENT_BUFFER},
      {"RTS, 9 input bytes", 0x803, RtsPeriodRequest::ForPeriod(20).bytes, 9, 10, ERROR_INVALID_PARAMETER},
      {"RTS, no input", 0x803, nullptr, 0, 10, ERROR_INVALID_PARAMETER},
      {"RTS, 9-byte output", 0x803, RtsPeriodRequest::ForPeriod(20).bytes, 10, 9, ERROR_INSUFFICIENT_BUFFER},
      {"RTS, command 3", 0x803, badCommand.bytes, 10, 10, ERROR_INVALID_PARAMETER},
      {"unknown code", 0x804, word1, 2, 26, ERROR_INVALID_FUNCTION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::uint8_t output[64];
    DWORD returned = 0;
    EXPECT_FALSE(::DeviceIoControl(h, c.code, const_cast<void*>(c.input), c.inputSize, output, c.outputSize,
                                   &returned, nullptr));
    EXPECT_EQ(::GetLastError(), c.error);
  }
  ::CloseHandle(h);
  const KivSimReport r = Report();
  EXPECT_EQ(LoadLe16(r.statistics + 2 * ModemStatisticsRecord::kRtsFrequency), KIVSIM_DEFAULT_RTS_FREQUENCY);
  EXPECT_EQ(r.unknownRequests, 1u);
  // The last RTS request is kept as it came, so that a bad one can be looked at.
  EXPECT_EQ(std::memcmp(r.lastRtsRequest, badCommand.bytes, sizeof badCommand.bytes), 0);
}

TEST_F(SimulatedDriverTest, SecondOpenWhileTheFirstIsHeldFails) {
  Panel first, second, third;
  ASSERT_EQ(first.link.Open(), LinkResult::kSuccess);
  ModemStatusRecord record{};
  const LinkResult secondOpen = second.link.Open();
  if (secondOpen == LinkResult::kSuccess) {
    // Wine hands out a handle even when the driver refuses the open; the driver then refuses every
    // request on it, so the panel still sees the device as unusable.
    EXPECT_EQ(second.link.GetStatus(record), LinkResult::kRequestFailed);
    EXPECT_EQ(second.link.LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  } else {
    EXPECT_EQ(secondOpen, LinkResult::kOpenFailed);
    EXPECT_EQ(second.link.LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(first.link.GetStatus(record), LinkResult::kSuccess);

  // The refused one going away frees nothing: the first still holds the device.
  second.link.Close();
  const LinkResult thirdOpen = third.link.Open();
  if (thirdOpen == LinkResult::kSuccess) {
    EXPECT_EQ(third.link.GetStatus(record), LinkResult::kRequestFailed);
    third.link.Close();
  }
  EXPECT_EQ(first.link.GetStatus(record), LinkResult::kSuccess);

  const KivSimReport r = Report();
  EXPECT_EQ(r.opens, 1u);
  EXPECT_EQ(r.refusedOpens, 2u);
  EXPECT_EQ(r.held, 1u);
}

TEST_F(SimulatedDriverTest, CloseThenOpenWorksAgain) {
  Panel panel;
  ModemStatusRecord record{};
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  ASSERT_EQ(panel.link.GetStatus(record), LinkResult::kSuccess);
  EXPECT_EQ(panel.link.Close(), LinkResult::kSuccess);
  EXPECT_TRUE(WaitFor([&] { return Report().held == 0; }));
  EXPECT_EQ(panel.link.Open(), LinkResult::kSuccess);
  EXPECT_EQ(panel.link.GetStatus(record), LinkResult::kSuccess);
  EXPECT_EQ(record.mode(), KIVSIM_DEFAULT_MODE);
  const KivSimReport r = Report();
  EXPECT_EQ(r.opens, 2u);
  EXPECT_EQ(r.closes, 1u);
}

struct CountCase {
  std::uint32_t code;
  std::uint32_t count;
};

TEST_F(SimulatedDriverTest, AShortOrLongByteCountGives4AndOnlyOnce) {
  const CountCase cases[] = {{0x801, 25}, {0x801, 27}, {0x801, 0}, {0x802, 33},
                             {0x802, 35}, {0x803, 9},  {0x803, 11}};
  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  for (const CountCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.code << " answering " << std::dec << c.count);
    ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_BYTE_COUNT, c.code, 1, c.count)));
    const auto call = [&] {
      ModemStatusRecord status{};
      ModemStatisticsRecord statistics{};
      if (c.code == 0x801) return panel.link.GetStatus(status);
      if (c.code == 0x802) return panel.link.GetStatistics(statistics);
      return panel.link.SetRtsPeriod(RtsPeriodRequest::ForPeriod(30));
    };
    EXPECT_EQ(call(), LinkResult::kRequestFailed);
    EXPECT_TRUE(panel.link.IsOpen());
    EXPECT_EQ(call(), LinkResult::kSuccess);
  }
}

struct FailCase {
  std::uint32_t code;
  std::uint32_t status;
  std::uint32_t error;
};

TEST_F(SimulatedDriverTest, AFailedRequestGives4WithTheSystemErrorKept) {
  const FailCase cases[] = {
      {0x801, KIVSIM_DEFAULT_FAIL_STATUS, ERROR_IO_DEVICE},
      {0x802, 0xC0000022 /* STATUS_ACCESS_DENIED */, ERROR_ACCESS_DENIED},
      {0x803, 0xC000009A /* STATUS_INSUFFICIENT_RESOURCES */, ERROR_NO_SYSTEM_RESOURCES},
  };
  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  for (const FailCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.code << " failing with " << c.status);
    ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_FAIL, c.code, 2, c.status)));
    const auto call = [&] {
      ModemStatusRecord status{};
      ModemStatisticsRecord statistics{};
      if (c.code == 0x801) return panel.link.GetStatus(status);
      if (c.code == 0x802) return panel.link.GetStatistics(statistics);
      return panel.link.SetRtsPeriod(RtsPeriodRequest::ForPeriod(30));
    };
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(call(), LinkResult::kRequestFailed);
      EXPECT_EQ(panel.link.LastError(), c.error);
    }
    EXPECT_EQ(call(), LinkResult::kSuccess);
    EXPECT_EQ(panel.link.LastError(), 0u);
  }
  EXPECT_EQ(Report().requests[0], 3u);
}

TEST_F(SimulatedDriverTest, RefusedOpensLeaveTheDeviceUnusableThenFree) {
  ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_REFUSE_OPENS, 0, 1, 0)));
  Panel panel;
  ModemStatusRecord record{};
  if (panel.link.Open() == LinkResult::kSuccess) {
    // Wine's handle for a refused open: nothing goes through it.
    EXPECT_EQ(panel.link.GetStatus(record), LinkResult::kRequestFailed);
    EXPECT_EQ(panel.link.LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    panel.link.Close();
  } else {
    EXPECT_EQ(panel.link.LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  }
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  EXPECT_EQ(panel.link.GetStatus(record), LinkResult::kSuccess);
  const KivSimReport r = Report();
  EXPECT_EQ(r.refusedOpens, 1u);
  EXPECT_EQ(r.opens, 1u);
  EXPECT_EQ(r.faults.refuseOpens, 0u);
}

TEST_F(SimulatedDriverTest, AHeldRequestWaitsUntilClearedThenFailsWithATimeout) {
  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_HOLD, 0, 0, 0)));
  LinkResult result = LinkResult::kSuccess;
  std::uint32_t error = 0;
  std::thread poller([&] {
    ModemStatusRecord record{};
    result = panel.link.GetStatus(record);
    error = panel.link.LastError();
  });
  const bool waiting = WaitFor([&] { return Report().waitingRequests == 1; });
  ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_CLEAR, 0, 0, 0)));
  poller.join();
  ASSERT_TRUE(waiting);
  EXPECT_EQ(result, LinkResult::kRequestFailed);
  EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_SEM_TIMEOUT));
  ModemStatusRecord record{};
  EXPECT_EQ(panel.link.GetStatus(record), LinkResult::kSuccess);
  EXPECT_EQ(Report().waitingRequests, 0u);
}

// Unloading must not leave a caller waiting for ever on a request the driver held.
TEST_F(SimulatedDriverTest, StoppingTheDriverEndsAHeldRequest) {
  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  ASSERT_TRUE(control.Fault(MakeFault(KIVSIM_FAULT_HOLD, 0, 0, 0)));
  LinkResult result = LinkResult::kSuccess;
  std::thread poller([&] {
    ModemStatusRecord record{};
    result = panel.link.GetStatus(record);
  });
  const bool waiting = WaitFor([&] { return Report().waitingRequests == 1; });
  const std::uint32_t stopped = kivsim::StopDriverService();
  poller.join();
  ASSERT_TRUE(waiting);
  EXPECT_EQ(stopped, 0u);
  EXPECT_EQ(result, LinkResult::kRequestFailed);
}

TEST_F(SimulatedDriverTest, DriverStoppedWhileOpenMakesTheNextRequestFail) {
  Panel panel;
  ModemStatusRecord record{};
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  ASSERT_EQ(panel.link.GetStatus(record), LinkResult::kSuccess);
  ASSERT_EQ(kivsim::StopDriverService(), 0u);
  EXPECT_EQ(panel.link.GetStatus(record), LinkResult::kRequestFailed);
  EXPECT_NE(panel.link.LastError(), 0u);
  EXPECT_EQ(panel.link.Close(), LinkResult::kSuccess);
}

TEST_F(SimulatedDriverTest, OpenWithNoDriverLoadedGives1) {
  ASSERT_EQ(kivsim::StopDriverService(), 0u);
  Panel panel;
  EXPECT_EQ(panel.link.Open(), LinkResult::kOpenFailed);
  EXPECT_FALSE(panel.link.IsOpen());
  EXPECT_EQ(panel.link.LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  // Loaded again, the device opens.
  ASSERT_TRUE(StartDriver());
  EXPECT_EQ(panel.link.Open(), LinkResult::kSuccess);
}

TEST_F(SimulatedDriverTest, AScenarioPlaysInTheDriverAfterItsSenderHasGone) {
  kivsim::Scenario scenario;
  std::string error;
  ASSERT_TRUE(
      kivsim::ParseScenario("0s     mode=data signals+=OH callState=originating\n"
                            "+200ms callState=connected modulation=V.90 speed=50666 signals+=CD\n"
                            "+200ms dteTxUsed+=700\n",
                            scenario, error))
      << error;
  {
    SimControl sender;
    ASSERT_TRUE(sender.Open());
    ASSERT_TRUE(sender.Play(scenario.Compile())) << sender.LastError();
  }
  Panel panel;
  ASSERT_EQ(panel.link.Open(), LinkResult::kSuccess);
  ModemStatisticsRecord statistics{};
  ASSERT_TRUE(WaitFor([&] {
    return panel.link.GetStatistics(statistics) == LinkResult::kSuccess &&
           statistics.word(ModemStatisticsRecord::kDteTxUsed) == 700;
  }));
  ModemStatusRecord status{};
  ASSERT_EQ(panel.link.GetStatus(status), LinkResult::kSuccess);
  EXPECT_EQ(status.mode(), 2);
  EXPECT_EQ(status.callState(), 3);
  EXPECT_EQ(status.modulation(), 23);
  EXPECT_EQ(status.speed(), 50666);
  EXPECT_EQ(status.signals(), KIVSIM_DEFAULT_SIGNALS | 0x80u | 0x40u);
  const KivSimReport r = Report();
  EXPECT_EQ(r.playing, 0u);
  EXPECT_EQ(r.playedSteps, 3u);
}

TEST_F(SimulatedDriverTest, ALoopingScenarioKeepsPlayingUntilHalted) {
  kivsim::Scenario scenario;
  std::string error;
  ASSERT_TRUE(kivsim::ParseScenario("0ms taskerLoops+=1\n100ms loop\n", scenario, error)) << error;
  ASSERT_TRUE(control.Play(scenario.Compile()));
  ASSERT_TRUE(WaitFor([&] { return Report().playedSteps >= 3; }));
  ASSERT_TRUE(control.Halt());
  const KivSimReport halted = Report();
  EXPECT_EQ(halted.playing, 0u);
  EXPECT_GE(LoadLe16(halted.statistics + 2 * ModemStatisticsRecord::kTaskerLoops), 3);
}

// The driver checks every control request itself as well: kivsim.exe is not the only possible sender.
TEST_F(SimulatedDriverTest, TheControlChannelRefusesMalformedRequestsAndChangesNothing) {
  const KivSimReport before = Report();

  const KivSimFieldOp badOps[] = {
      {KIVSIM_RECORD_STATUS, 0, 3, KIVSIM_OP_SET, 1},        // no such width
      {KIVSIM_RECORD_STATUS, 25, 2, KIVSIM_OP_SET, 1},       // past the record's end
      {KIVSIM_RECORD_STATISTICS, 32, 4, KIVSIM_OP_SET, 1},   // past the record's end
      {2, 0, 2, KIVSIM_OP_SET, 1},                           // no such record
      {KIVSIM_RECORD_STATUS, 2, 2, KIVSIM_OP_COUNT, 1},      // no such operation
      {KIVSIM_RECORD_STATUS, 2, 2, KIVSIM_OP_SET, 0x10000},  // too wide for the field
  };
  for (const KivSimFieldOp& bad : badOps) {
    // A good operation first: nothing of a request is applied unless all of it is good.
    const std::vector<KivSimFieldOp> ops = {Assignments({"mode=fax"})[0], bad};
    EXPECT_FALSE(control.Apply(ops));
    EXPECT_EQ(control.LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  }

  kivsim::Scenario scenario;
  std::string error;
  ASSERT_TRUE(kivsim::ParseScenario("0s mode=fax\n1s mode=voice\n2s loop\n", scenario, error));
  const std::vector<std::uint8_t> good = scenario.Compile();
  std::vector<std::vector<std::uint8_t>> bad;
  bad.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));  // cut short
  bad.push_back(good);
  bad.back().push_back(0);  // one byte too many
  const auto withWord = [&](std::size_t offset, std::uint32_t value) {
    std::vector<std::uint8_t> b = good;
    std::memcpy(b.data() + offset, &value, sizeof value);
    return b;
  };
  bad.push_back(withWord(0, 0));                // no steps
  bad.push_back(withWord(0, 0x40000000));       // a step count far beyond the limit
  bad.push_back(withWord(4, 3));                // more operations claimed than sent
  bad.push_back(withWord(8, 50));               // a loop too short to leave the thread any rest
  bad.push_back(withWord(8, 500));              // a loop before the last step (at 1000)
  bad.push_back(withWord(12, 1));               // reserved word set
  bad.push_back(withWord(16, 5000));            // the first step after the second (at 1000)
  bad.push_back(withWord(16 + 4, 2));           // operations beyond the list
  bad.push_back(withWord(16 + 8, 0xFFFFFFFF));  // an operation count that wraps
  bad.push_back(good);
  bad.back()[16 + 2 * 12 + 2] = 3;  // the first operation's width
  for (std::size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(control.Play(bad[i]));
    EXPECT_EQ(control.LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  }

  const KivSimFault badFaults[] = {
      MakeFault(KIVSIM_FAULT_KIND_COUNT, 0, 1, 0),
      MakeFault(KIVSIM_FAULT_FAIL, 0x804, 1, KIVSIM_DEFAULT_FAIL_STATUS),
      MakeFault(KIVSIM_FAULT_FAIL, 0x801, 1, 0x80000005),  // a warning, not an error
      MakeFault(KIVSIM_FAULT_BYTE_COUNT, 0x800, 1, 26),
      MakeFault(KIVSIM_FAULT_BYTE_COUNT, 0x801, 1, 0x10000),
  };
  for (const KivSimFault& f : badFaults) {
    EXPECT_FALSE(control.Fault(f));
    EXPECT_EQ(control.LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  }

  const KivSimReport after = Report();
  EXPECT_EQ(std::memcmp(after.status, before.status, sizeof before.status), 0);
  EXPECT_EQ(std::memcmp(&after.faults, &before.faults, sizeof before.faults), 0);
  EXPECT_EQ(after.playing, 0u);
}

// kivsim.exe itself, from the matching program build: what it sends, and that bad input sends nothing.
class KivsimToolTest : public SimulatedDriverTest {
 protected:
  struct Run {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and standard error together
  };

  Run Kivsim(const std::string& arguments) {
    Run run;
    char dir[MAX_PATH], outputPath[MAX_PATH];
    ::GetTempPathA(sizeof dir, dir);
    ::GetTempFileNameA(dir, "kvs", 0, outputPath);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const HANDLE output =
        ::CreateFileA(outputPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                      CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    EXPECT_NE(output, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" KIVSIM_TOOL_PATH "\" " + arguments;
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process)) {
      ADD_FAILURE() << "kivsim.exe does not start: " << ::GetLastError();
      ::CloseHandle(output);
      return run;
    }
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::SetFilePointer(output, 0, nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(output, buffer, sizeof buffer, &got, nullptr) && got > 0)
      run.output.append(buffer, got);
    ::CloseHandle(output);
    return run;
  }

  // A scenario file in the temporary folder, removed by the test's end.
  std::string WriteScenario(const char* text) {
    char dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathA(sizeof dir, dir);
    ::GetTempFileNameA(dir, "scn", 0, path);
    const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    ::CloseHandle(file);
    files_.push_back(path);
    return path;
  }

  void TearDown() override {
    for (const std::string& f : files_) ::DeleteFileA(f.c_str());
  }

 private:
  std::vector<std::string> files_;
};

TEST_F(KivsimToolTest, SetChangesTheLiveRecordsFieldByField) {
  const Run run = Kivsim("set mode=fax signals+=OH|CD speed=14400 dteTxUsed=700 rtsAsync+=3");
  ASSERT_EQ(run.exitCode, 0u) << run.output;
  const KivSimReport r = Report();
  EXPECT_EQ(LoadLe16(r.status + KIV_STATUS_MODE), 3);
  EXPECT_EQ(LoadLe32(r.status + KIV_STATUS_SIGNALS), KIVSIM_DEFAULT_SIGNALS | 0xC0u);
  EXPECT_EQ(LoadLe32(r.status + KIV_STATUS_SPEED), 14400u);
  EXPECT_EQ(LoadLe16(r.statistics + 2 * ModemStatisticsRecord::kDteTxUsed), 700);
  EXPECT_EQ(LoadLe16(r.statistics + 2 * ModemStatisticsRecord::kRtsAsync), 3);
}

TEST_F(KivsimToolTest, BadInputIsNamedAndChangesNothing) {
  const std::string badScenario =
      WriteScenario("0s mode=data\n1s mode=voice\n2s callState=connected speed=fast\n");
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {"set mode=data bogus=1", "unknown field 'bogus'"},
      {"set dteTxUsed=70000", "dteTxUsed '70000'"},
      {"play \"" + badScenario + "\"", "line 3: speed 'fast'"},
      {"play C:\\no\\such\\scenario.txt", "cannot read C:\\no\\such\\scenario.txt"},
      {"fault fail 0x804 1", "'0x804' is not a request code"},
      {"fault count 0x801", "fault wants"},
      {"frobnicate", "unknown command 'frobnicate'"},
  };
  const KivSimReport before = Report();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Run run = Kivsim(c.arguments);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
  const KivSimReport after = Report();
  EXPECT_EQ(std::memcmp(after.status, before.status, sizeof before.status), 0);
  EXPECT_EQ(std::memcmp(after.statistics, before.statistics, sizeof before.statistics), 0);
  EXPECT_EQ(std::memcmp(&after.faults, &before.faults, sizeof before.faults), 0);
  EXPECT_EQ(after.playing, 0u);
}

TEST_F(KivsimToolTest, PlayFaultAndShowReachTheDriver) {
  const std::string scenario =
      WriteScenario("0s mode=data callState=originating\n+100ms callState=connected\n");
  ASSERT_EQ(Kivsim("play \"" + scenario + "\"").exitCode, 0u);
  ASSERT_TRUE(WaitFor([&] { return LoadLe16(Report().status + KIV_STATUS_CALL_STATE) == 3; }));

  ASSERT_EQ(Kivsim("fault fail 0x802 2 0xC0000022").exitCode, 0u);
  ASSERT_EQ(Kivsim("fault count 0x801 25 3").exitCode, 0u);
  ASSERT_EQ(Kivsim("fault refuse-open 4").exitCode, 0u);
  KivSimReport r = Report();
  EXPECT_EQ(r.faults.failTimes[1], 2u);
  EXPECT_EQ(r.faults.failStatus[1], 0xC0000022u);
  EXPECT_EQ(r.faults.countTimes[0], 3u);
  EXPECT_EQ(r.faults.countValue[0], 25u);
  EXPECT_EQ(r.faults.refuseOpens, 4u);

  const Run show = Kivsim("show");
  ASSERT_EQ(show.exitCode, 0u);
  EXPECT_NE(show.output.find("fail the next 2 of 0x802 with 0xC0000022"), std::string::npos) << show.output;
  EXPECT_NE(show.output.find("callState        3 (0x3)"), std::string::npos) << show.output;

  ASSERT_EQ(Kivsim("fault clear").exitCode, 0u);
  r = Report();
  EXPECT_EQ(r.faults.failTimes[1] + r.faults.countTimes[0] + r.faults.refuseOpens, 0u);
}

}  // namespace
}  // namespace kiv
