// The Win32 device access against the real system: names that do not exist fail with the system's own
// error code, and the driver link reports them as an open failure.
#include "frontpanel/win32/win32_device_access.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "frontpanel/driver_link.h"
#include "tests/support/recording_view.h"

namespace kiv {
namespace {

TEST(Win32DeviceAccess, MissingDeviceGivesTheInvalidHandleAndFileNotFound) {
  Win32DeviceAccess device;
  const DeviceHandle h = device.CreateFileA("\\\\.\\KIVNONE ", 0, 0, kCreateNew, kFileFlagDeleteOnClose);
  EXPECT_EQ(h, kInvalidDeviceHandle);
  EXPECT_EQ(device.GetLastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(Win32DeviceAccess, DriverLinkWithoutDriverReportsOpenFailedWithTheSystemError) {
  Win32DeviceAccess device;
  testing::RecordingView view;
  DriverLink link(device, view);
  EXPECT_EQ(link.Open(), LinkResult::kOpenFailed);
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  ModemStatusRecord record{};
  EXPECT_EQ(link.GetStatus(record), LinkResult::kNotOpen);
}

}  // namespace
}  // namespace kiv
