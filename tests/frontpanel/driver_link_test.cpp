#include "frontpanel/driver_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/recording_view.h"

namespace kiv {
namespace {

using ::testing::ElementsAre;
using testing::FakeDevice;
using ::testing::IsEmpty;
using testing::RecordingView;

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t first) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(first + i);
  return v;
}

class DriverLinkTest : public ::testing::Test {
 protected:
  FakeDevice device;
  RecordingView view;
  DriverLink link{device, view};

  void OpenLink() {
    ASSERT_EQ(link.Open(), LinkResult::kSuccess);
    view.Take();
  }
};

TEST_F(DriverLinkTest, OpensTheTwelveCharacterNameExclusivelyAndDeletedOnClose) {
  EXPECT_EQ(link.Open(), LinkResult::kSuccess);
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(link.LastError(), 0u);
  ASSERT_EQ(device.creates.size(), 1u);
  const auto& call = device.creates[0];
  EXPECT_EQ(call.name, "\\\\.\\KIVPORT ");
  EXPECT_EQ(call.name.size(), 12u);
  EXPECT_EQ(call.name.back(), ' ');
  EXPECT_EQ(call.desiredAccess, 0u);
  EXPECT_EQ(call.shareMode, 0u);
  EXPECT_EQ(call.creationDisposition, 1u);          // CREATE_NEW
  EXPECT_EQ(call.flagsAndAttributes, 0x04000000u);  // FILE_FLAG_DELETE_ON_CLOSE
  EXPECT_THAT(view.calls, ElementsAre("SetTrayState(IDLE)"));
}

TEST_F(DriverLinkTest, FailedOpenKeepsTheSystemErrorAndStaysClosed) {
  device.openFails = true;
  device.openError = 2;
  EXPECT_EQ(link.Open(), LinkResult::kOpenFailed);
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.LastError(), 2u);
  EXPECT_THAT(view.calls, ElementsAre("SetTrayState(IDLE)"));
}

TEST_F(DriverLinkTest, SecondOpenKeepsTheHandleMakesNoCallAndStillShowsIdle) {
  OpenLink();
  device.lastError = 87;
  EXPECT_EQ(link.Open(), LinkResult::kAlreadyOpen);
  EXPECT_EQ(device.creates.size(), 1u);
  EXPECT_EQ(link.LastError(), 0u);
  EXPECT_THAT(view.calls, ElementsAre("SetTrayState(IDLE)"));
  ModemStatusRecord record{};
  link.GetStatus(record);
  EXPECT_EQ(device.ioCalls.back().device, FakeDevice::kHandle);
}

TEST_F(DriverLinkTest, CloseReleasesTheHandleAndShowsIdle) {
  OpenLink();
  device.lastError = 6;  // stale: a successful close must not pick it up
  EXPECT_EQ(link.Close(), LinkResult::kSuccess);
  EXPECT_FALSE(link.IsOpen());
  EXPECT_THAT(device.closes, ElementsAre(FakeDevice::kHandle));
  EXPECT_EQ(link.LastError(), 0u);
  EXPECT_THAT(view.calls, ElementsAre("SetTrayState(IDLE)"));
}

TEST_F(DriverLinkTest, CloseWhenNotOpenReturns3KeepsTheSystemErrorAndShowsIdle) {
  device.lastError = 6;
  EXPECT_EQ(link.Close(), LinkResult::kNotOpen);
  EXPECT_THAT(device.closes, IsEmpty());
  EXPECT_EQ(link.LastError(), 6u);
  EXPECT_THAT(view.calls, ElementsAre("SetTrayState(IDLE)"));
}

TEST_F(DriverLinkTest, RequestsOnAClosedLinkTouchNoDeviceAndLeaveNoError) {
  device.lastError = 6;
  ModemStatusRecord status{};
  ModemStatisticsRecord statistics{};
  EXPECT_EQ(link.GetStatus(status), LinkResult::kNotOpen);
  EXPECT_EQ(link.LastError(), 0u);
  EXPECT_EQ(link.GetStatistics(statistics), LinkResult::kNotOpen);
  EXPECT_EQ(link.LastError(), 0u);
  EXPECT_EQ(link.SetRtsPeriod(RtsPeriodRequest::ForPeriod(30)), LinkResult::kNotOpen);
  EXPECT_EQ(link.LastError(), 0u);
  EXPECT_EQ(device.CallCount(), 0);
  EXPECT_EQ(device.lastErrorReads, 0);
  EXPECT_THAT(view.calls, IsEmpty());
}

TEST_F(DriverLinkTest, GetStatusSendsWord1AndReceivesTheWholeRecord) {
  OpenLink();
  device.replies[0x801].bytes = Bytes(26, 1);
  ModemStatusRecord record{};
  EXPECT_EQ(link.GetStatus(record), LinkResult::kSuccess);
  ASSERT_EQ(device.ioCalls.size(), 1u);
  EXPECT_EQ(device.ioCalls[0].controlCode, 0x801u);
  EXPECT_THAT(device.ioCalls[0].input, ElementsAre(1, 0));
  EXPECT_EQ(device.ioCalls[0].outputSize, 26u);
  EXPECT_EQ(std::memcmp(record.bytes, Bytes(26, 1).data(), 26), 0);
  EXPECT_EQ(record.mode(), 0x0403);
  EXPECT_EQ(record.signals(), 0x08070605u);
  EXPECT_THAT(view.calls, IsEmpty());
}

TEST_F(DriverLinkTest, GetStatisticsSendsWord1AndReceivesTheWholeRecord) {
  OpenLink();
  device.replies[0x802].bytes = Bytes(34, 100);
  ModemStatisticsRecord record{};
  EXPECT_EQ(link.GetStatistics(record), LinkResult::kSuccess);
  EXPECT_EQ(device.ioCalls[0].controlCode, 0x802u);
  EXPECT_THAT(device.ioCalls[0].input, ElementsAre(1, 0));
  EXPECT_EQ(device.ioCalls[0].outputSize, 34u);
  EXPECT_EQ(record.word(ModemStatisticsRecord::kRtsAsync), (133 << 8) | 132);
}

TEST_F(DriverLinkTest, SetRtsPeriodSendsTheTenBytesAndNeverWritesTheRequest) {
  OpenLink();
  device.replies[0x803].bytes = std::vector<std::uint8_t>(10, 0xEE);
  const RtsPeriodRequest request = RtsPeriodRequest::ForPeriod(25);
  RtsPeriodRequest copy = request;
  EXPECT_EQ(link.SetRtsPeriod(copy), LinkResult::kSuccess);
  EXPECT_EQ(std::memcmp(copy.bytes, request.bytes, 10), 0);
  EXPECT_EQ(device.ioCalls[0].controlCode, 0x803u);
  EXPECT_THAT(device.ioCalls[0].input, ElementsAre(0, 0, 0, 0, 25, 0, 0, 0, 4, 0));
  EXPECT_EQ(device.ioCalls[0].outputSize, 10u);
}

// A request fails on a failed call or on any count but the record's own size; the link stays open and
// keeps the system's error.
struct FailureCase {
  std::uint32_t code;
  bool ok;
  std::uint32_t bytesReturned;
};

class DriverLinkFailureTest : public DriverLinkTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DriverLinkFailureTest, Gives4AndKeepsTheSystemError) {
  const FailureCase c = GetParam();
  OpenLink();
  device.replies[c.code] = {c.ok, std::vector<std::uint8_t>(40, 0xAB), c.bytesReturned, 31};
  device.lastError = 31;
  ModemStatusRecord status{};
  ModemStatisticsRecord statistics{};
  LinkResult result = LinkResult::kSuccess;
  if (c.code == 0x801) result = link.GetStatus(status);
  if (c.code == 0x802) result = link.GetStatistics(statistics);
  if (c.code == 0x803) result = link.SetRtsPeriod(RtsPeriodRequest::ForPeriod(30));
  EXPECT_EQ(result, LinkResult::kRequestFailed);
  EXPECT_EQ(link.LastError(), 31u);
  EXPECT_TRUE(link.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(ShortLongOrFailed, DriverLinkFailureTest,
                         ::testing::Values(FailureCase{0x801, true, 25}, FailureCase{0x801, true, 27},
                                           FailureCase{0x801, true, 0}, FailureCase{0x801, false, 26},
                                           FailureCase{0x802, true, 33}, FailureCase{0x802, false, 34},
                                           FailureCase{0x803, true, 9}, FailureCase{0x803, false, 10}),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                           const FailureCase& c = info.param;
                           return "Code" + std::to_string(c.code) + (c.ok ? "Count" : "CallFailedCount") +
                                  std::to_string(c.bytesReturned);
                         });

TEST_F(DriverLinkTest, EveryOperationStartsWithTheLastErrorCleared) {
  device.openFails = true;
  link.Open();
  ASSERT_NE(link.LastError(), 0u);
  device.openFails = false;
  EXPECT_EQ(link.Open(), LinkResult::kSuccess);
  EXPECT_EQ(link.LastError(), 0u);

  device.replies[0x801] = {false, {}, std::nullopt, 1167};
  ModemStatusRecord record{};
  link.GetStatus(record);
  ASSERT_EQ(link.LastError(), 1167u);
  device.replies[0x802].bytes = Bytes(34, 0);
  ModemStatisticsRecord statistics{};
  EXPECT_EQ(link.GetStatistics(statistics), LinkResult::kSuccess);
  EXPECT_EQ(link.LastError(), 0u);
}

TEST_F(DriverLinkTest, ReopensAfterClose) {
  OpenLink();
  link.Close();
  EXPECT_EQ(link.Open(), LinkResult::kSuccess);
  EXPECT_EQ(device.creates.size(), 2u);
}

}  // namespace
}  // namespace kiv
