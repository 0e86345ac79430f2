// The installer core's platform interfaces carried out with real system calls.
#pragma once

#include <windows.h>

#include "installer/file_system.h"
#include "installer/processes.h"
#include "installer/profile_reader.h"
#include "installer/registry.h"
#include "installer/service_control.h"
#include "installer/shell_link.h"
#include "installer/string_table.h"
#include "installer/system_info.h"
#include "installer/threads.h"
#include "installer/user_interface.h"

namespace kiv {

class Win32StringTable final : public StringTable {
 public:
  explicit Win32StringTable(HINSTANCE instance) : instance_(instance) {}
  int LoadStringA(unsigned id, char* buffer, int size) override;

 private:
  HINSTANCE instance_;
};

class Win32ProfileReader final : public ProfileReader {
 public:
  std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                                         char* result, std::uint32_t size, const char* fileName) override;
};

class Win32Registry final : public Registry {
 public:
  long RegOpenKeyA(RegistryKey root, const char* subKey, RegistryKey* result) override;
  long RegOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options, std::uint32_t desiredAccess,
                     RegistryKey* result) override;
  long RegQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* size) override;
  long RegCreateKeyA(RegistryKey root, const char* subKey, RegistryKey* result) override;
  long RegSetValueExA(RegistryKey key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t size) override;
  long RegCloseKey(RegistryKey key) override;
  long RegDeleteKeyA(RegistryKey root, const char* subKey) override;
};

class Win32FileSystem final : public FileSystem {
 public:
  bool SetFileAttributesA(const char* fileName, std::uint32_t attributes) override;
  bool CopyFileA(const char* existingFile, const char* newFile, bool failIfExists) override;
  bool CreateDirectoryA(const char* path) override;
  bool DeleteFileA(const char* fileName) override;
  bool RemoveDirectoryA(const char* path) override;
};

class Win32SystemInfo final : public SystemInfo {
 public:
  bool GetVersionExA(OsVersion& version) override;
  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
  std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) override;
  std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) override;
  void Sleep(std::uint32_t milliseconds) override;
};

class Win32ServiceControl final : public ServiceControl {
 public:
  ServiceHandle OpenSCManagerA(const char* machineName, const char* databaseName,
                               std::uint32_t desiredAccess) override;
  ServiceHandle CreateServiceA(ServiceHandle manager, const ServiceDefinition& definition) override;
  ServiceHandle OpenServiceA(ServiceHandle manager, const char* serviceName,
                             std::uint32_t desiredAccess) override;
  bool StartServiceA(ServiceHandle service) override;
  bool ControlService(ServiceHandle service, std::uint32_t control) override;
  bool DeleteService(ServiceHandle service) override;
  bool CloseServiceHandle(ServiceHandle handle) override;
  std::uint32_t GetLastError() override;
};

class Win32ErrorMessages final : public ErrorMessages {
 public:
  std::uint32_t FormatMessageA(std::uint32_t messageId, char* buffer, std::uint32_t size) override;
};

class Win32ShellLinkObjects final : public ShellLinkObjects {
 public:
  ComResult CoInitialize() override;
  void CoUninitialize() override;
  ComResult CreateShellLinkObject(ComObject* link) override;
  ComResult SetPath(ComObject link, const char* path) override;
  ComResult SetDescription(ComObject link, const char* description) override;
  ComResult QueryPersistFile(ComObject link, ComObject* persistFile) override;
  ComResult Save(ComObject persistFile, const char* fileName) override;
  void Release(ComObject object) override;
};

class Win32Processes final : public Processes {
 public:
  bool CreateProcessA(const char* applicationName, const char* commandLine, ProcessHandle* process) override;
  void WaitForSingleObject(ProcessHandle process) override;
  void CloseHandle(ProcessHandle process) override;
};

class Win32Threads final : public Threads {
 public:
  bool CreateThread(ThreadBody& body) override;
};

class Win32MessageBoxes final : public MessageBoxes {
 public:
  int MessageBoxA(const char* text, const char* caption, std::uint32_t flags) override;
};

class Win32Cursor final : public Cursor {
 public:
  void SetCursor(CursorShape shape) override;
  int ShowCursor(bool show) override;
};

}  // namespace kiv
