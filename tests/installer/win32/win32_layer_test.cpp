// The installer's rules over the real system rather than the stand-ins: registry texts that do not fit,
// string ids the program lacks, copies over read-only files, the uninstallation's second thread and the
// backdrop's picture file.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "installer/configuration.h"
#include "installer/installation.h"
#include "installer/win32/splash_window.h"
#include "installer/win32/win32_platform.h"

namespace kiv {
namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";

void SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
}

TEST(Win32Registry, TextsThatDoNotFitOrLackTheirTerminatorKeepTheEarlierSetting) {
  const std::string service = "kivlayertest";
  const std::string parameters = kServicesKey + service + "\\Parameters";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, parameters.c_str(), &key), ERROR_SUCCESS);
  const std::string tooLong(150, 'd');
  SetValue(key, "DeviceDesc", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
  const std::string unterminated(100, 'm');
  SetValue(key, "Mfg", REG_BINARY, unterminated.data(), static_cast<DWORD>(unterminated.size()));
  SetValue(key, "ServiceName", REG_SZ, "kivother", 9);
  RegCloseKey(key);

  InstallerSettings settings = {};
  std::strcpy(settings.serviceName, service.c_str());
  std::strcpy(settings.modemName, "Tarvo Kiv Data Fax");
  std::strcpy(settings.oemName, "Tarvo Corporation");
  Win32Registry registry;
  EXPECT_TRUE(ReadInstalledParameters(registry, settings));
  EXPECT_STREQ(settings.modemName, "Tarvo Kiv Data Fax");
  EXPECT_STREQ(settings.oemName, "Tarvo Corporation");
  EXPECT_STREQ(settings.serviceName, "kivother");

  EXPECT_FALSE(IsInstalled(registry, settings));  // "kivother" has no key
  std::strcpy(settings.serviceName, service.c_str());
  EXPECT_TRUE(IsInstalled(registry, settings));

  RegDeleteKeyA(HKEY_LOCAL_MACHINE, parameters.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kServicesKey + service).c_str());
}

// This test program has no string table: every id is missing, and the system then empties the buffer
// it was given, which must not take the built-in default texts with it.
TEST(Win32StringTable, IdsTheProgramLacksKeepTheBuiltInDefaults) {
  InstallerSettings settings = {};
  Win32StringTable strings(GetModuleHandleA(nullptr));
  LoadDefaults(strings, settings);
  EXPECT_STREQ(settings.configFile, "installer.cfg");
  EXPECT_STREQ(settings.nt4Sys, "TarvoK41.sys");
  EXPECT_STREQ(settings.modemName, "Tarvo Kiv Data Fax");
  EXPECT_STREQ(settings.shortcutFile, "kivtool.lnk");
}

std::string ReadAll(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

void WriteAll(const std::string& path, const std::string& text) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// On Windows a read-only destination refuses the copy unless its mark is cleared first. Wine run by root
// lets the copy through either way, so there this shows only that the real calls replace the files; the
// order of the two calls is held by the native tests.
TEST(Win32FileSystem, ReadOnlyFilesAtTheDestinationsAreReplaced) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string root = std::string(temp) + "kivcopytest";
  const char* const folders[] = {"", "\\src", "\\win", "\\win\\inf", "\\sys", "\\sys\\drivers", "\\prog"};
  for (const char* folder : folders) CreateDirectoryA((root + folder).c_str(), nullptr);

  InstallerSettings settings = {};
  const char* const names[] = {"TarvoK41.sys", "TarvoK41.inf",  "TarvoK51.sys", "TarvoK51.inf",
                               "TarvoK51.cat", "installer.exe", "kivtool.exe"};
  char* const fields[] = {settings.nt4Sys, settings.nt4Inf,        settings.nt5Sys,     settings.nt5Inf,
                          settings.nt5Cat, settings.installerFile, settings.countryTool};
  for (int i = 0; i < 7; ++i) {
    std::strcpy(fields[i], names[i]);
    WriteAll(root + "\\src\\" + names[i], std::string("new ") + names[i]);
  }
  std::strcpy(settings.sourceDir, (root + "\\src").c_str());
  std::strcpy(settings.windowsDir, (root + "\\win").c_str());
  std::strcpy(settings.systemDir, (root + "\\sys").c_str());
  std::strcpy(settings.programDir, (root + "\\prog").c_str());

  const std::string readOnly[] = {root + "\\sys\\drivers\\TarvoK41.sys", root + "\\win\\inf\\TarvoK51.inf",
                                  root + "\\prog\\kivtool.exe"};
  for (const std::string& file : readOnly) {
    WriteAll(file, "old");
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  }

  Win32FileSystem files;
  Win32Registry registry;
  Win32ServiceControl services;
  Win32ErrorMessages errors;
  Win32ShellLinkObjects links;
  Win32Processes processes;
  Win32Cursor cursor;
  Win32MessageBoxes boxes;
  Installation installation(settings, {files, registry, services, errors, links, processes, cursor, boxes});
  EXPECT_TRUE(installation.CopyModemFiles());
  EXPECT_EQ(ReadAll(readOnly[0]), "new TarvoK41.sys");
  EXPECT_EQ(ReadAll(readOnly[1]), "new TarvoK51.inf");
  EXPECT_EQ(ReadAll(readOnly[2]), "new kivtool.exe");
  EXPECT_EQ(ReadAll(root + "\\prog\\installer.exe"), "new installer.exe");

  const std::string copies[] = {"\\sys\\drivers\\TarvoK41.sys", "\\win\\inf\\TarvoK41.inf",
                                "\\sys\\drivers\\TarvoK51.sys", "\\win\\inf\\TarvoK51.inf",
                                "\\sys\\drivers\\TarvoK51.cat", "\\prog\\installer.exe",
                                "\\prog\\kivtool.exe"};
  for (const std::string& copy : copies) {
    SetFileAttributesA((root + copy).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((root + copy).c_str());
  }
  for (int i = 0; i < 7; ++i) DeleteFileA((root + "\\src\\" + names[i]).c_str());
  for (int i = 6; i >= 1; --i) RemoveDirectoryA((root + folders[i]).c_str());
  RemoveDirectoryA(root.c_str());
}

TEST(Win32Threads, TheBodyRunsOnASecondThread) {
  struct Body : ThreadBody {
    std::atomic<DWORD> threadId{0};
    void Run() override { threadId.store(GetCurrentThreadId()); }
  } body;
  Win32Threads threads;
  ASSERT_TRUE(threads.CreateThread(body));
  const DWORD start = GetTickCount();
  while (body.threadId.load() == 0 && GetTickCount() - start < 30000) Sleep(10);
  EXPECT_NE(body.threadId.load(), 0u) << "the body never ran";
  EXPECT_NE(body.threadId.load(), GetCurrentThreadId());
}

std::vector<std::uint8_t> SmallBitmap() {
  // 2 x 2 pixels at 24 bits: rows of 8 bytes.
  std::vector<std::uint8_t> b(14 + 40 + 16, 0);
  const auto put32 = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  b[26] = 1;
  b[28] = 24;
  return b;
}

bool LoadFile(const std::vector<std::uint8_t>& content) {
  const char name[] = "splash_test.bmp";
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  const bool loaded = LoadSplashBitmap(name);
  DeleteFileA(name);
  return loaded;
}

TEST(SplashBitmap, OnlyAWholeBitmapFileIsLoaded) {
  EXPECT_TRUE(LoadFile(SmallBitmap()));
  EXPECT_FALSE(LoadSplashBitmap("no such picture.bmp"));
  EXPECT_FALSE(LoadFile({}));
  std::vector<std::uint8_t> oneOff = SmallBitmap();
  oneOff.push_back(0);
  EXPECT_FALSE(LoadFile(oneOff)) << "size field one byte off the file's length";
  std::vector<std::uint8_t> cut = SmallBitmap();
  cut.resize(cut.size() - 4);
  cut[2] = static_cast<std::uint8_t>(cut.size());
  EXPECT_FALSE(LoadFile(cut)) << "pixel rows beyond the end";
}

}  // namespace
}  // namespace kiv
