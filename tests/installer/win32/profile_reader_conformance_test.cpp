// The native tests read INI files through an in-memory stand-in for GetPrivateProfileStringA. Here the
// stand-in and the system read the same files and must give the same answers, so that what the native
// tests show about installer.cfg and the INF file holds on the real system too.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/win32/win32_platform.h"
#include "tests/installer/fake_platform.h"

namespace kiv {
namespace {

const std::string kContents =
    "; a comment line\r\n"
    "[Strings]\r\n"
    "Plain=value\r\n"
    "Spaced   =   padded value   \r\n"
    "Quoted=\"Tarvo Kiv Data Fax\"\r\n"
    "QuotedPadded =  \"  inner blanks stay  \"  \r\n"
    "Single='single quoted'\r\n"
    "Unbalanced=\"open only\r\n"
    "Inner=a \"quoted\" word\r\n"
    "Empty=\r\n"
    "Twice=first\r\n"
    "Twice=second\r\n"
    "Long=" +
    std::string(150, 'L') +
    "\r\n"
    "Exactly99=" +
    std::string(99, 'E') +
    "\r\n"
    "[Other]\r\n"
    "Plain=other section\r\n";

struct Read {
  const char* section;
  const char* key;
};

const Read kReads[] = {
    {"Strings", "Plain"},     {"strings", "PLAIN"},        {"STRINGS", "plain"},  {"Strings", "Spaced"},
    {"Strings", "Quoted"},    {"Strings", "QuotedPadded"}, {"Strings", "Single"}, {"Strings", "Unbalanced"},
    {"Strings", "Inner"},     {"Strings", "Empty"},        {"Strings", "Twice"},  {"Strings", "Long"},
    {"Strings", "Exactly99"}, {"Strings", "Missing"},      {"Missing", "Plain"},  {"Other", "Plain"},
};

std::string TempFile(const char* name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

TEST(ProfileReaderConformance, TheStandInAnswersAsTheSystemDoes) {
  const std::string file = TempFile("kiv_profile_conformance.ini");
  HANDLE handle =
      CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  const std::string& contents = kContents;
  DWORD written = 0;
  WriteFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(handle);

  Win32ProfileReader system;
  testing::FakeProfiles standIn;
  standIn.AddFile(file, contents);
  for (const Read& read : kReads) {
    char fromSystem[kSettingTextSize];
    char fromStandIn[kSettingTextSize];
    lstrcpyA(fromSystem, "default text");
    lstrcpyA(fromStandIn, "default text");
    // The installer passes the setting itself as both the default and the result.
    const auto n = system.GetPrivateProfileStringA(read.section, read.key, fromSystem, fromSystem,
                                                   sizeof fromSystem, file.c_str());
    const auto m = standIn.GetPrivateProfileStringA(read.section, read.key, fromStandIn, fromStandIn,
                                                    sizeof fromStandIn, file.c_str());
    EXPECT_STREQ(fromStandIn, fromSystem) << "[" << read.section << "] " << read.key;
    EXPECT_EQ(m, n) << "[" << read.section << "] " << read.key;
  }

  // A file that does not exist gives the default on both.
  char fromSystem[kSettingTextSize] = "kept";
  char fromStandIn[kSettingTextSize] = "kept";
  const std::string missing = TempFile("kiv_no_such_file.ini");
  system.GetPrivateProfileStringA("Strings", "Plain", fromSystem, fromSystem, sizeof fromSystem,
                                  missing.c_str());
  standIn.GetPrivateProfileStringA("Strings", "Plain", fromStandIn, fromStandIn, sizeof fromStandIn,
                                   missing.c_str());
  EXPECT_STREQ(fromSystem, "kept");
  EXPECT_STREQ(fromStandIn, "kept");

  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace kiv
