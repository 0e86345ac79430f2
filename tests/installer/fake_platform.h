// In-memory stand-ins for the installer's platform interfaces. Each keeps just enough of the
// system's behaviour for the core's rules to show, and writes what it was asked into a shared
// event list so a test can state the order in which things happened.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "installer/file_system.h"
#include "installer/installer_flow.h"
#include "installer/processes.h"
#include "installer/profile_reader.h"
#include "installer/registry.h"
#include "installer/service_control.h"
#include "installer/shell_link.h"
#include "installer/string_table.h"
#include "installer/system_info.h"
#include "installer/threads.h"
#include "installer/user_interface.h"

namespace kiv::testing {

using Events = std::vector<std::string>;

std::string Lower(std::string text);

class FakeStringTable : public StringTable {
 public:
  std::map<unsigned, std::string> strings;
  int LoadStringA(unsigned id, char* buffer, int size) override;
};

// Behaves as GetPrivateProfileStringA does on the files it holds (names compared case-insensitively).
class FakeProfiles : public ProfileReader {
 public:
  std::map<std::string, std::string> files;  // lower-case file name -> contents
  std::vector<std::string> reads;            // "file|section|key"

  void AddFile(const std::string& name, const std::string& contents) { files[Lower(name)] = contents; }
  std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                                         char* result, std::uint32_t size, const char* fileName) override;
};

class FakeRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  using Key = std::map<std::string, Value>;  // lower-case value name -> value

  std::map<std::string, Key> keys;       // lower-case path under HKEY_LOCAL_MACHINE
  std::set<std::string> failingCreates;  // lower-case paths
  std::set<std::string> failingValues;   // value names whose write fails
  std::vector<std::string> writes;       // "path|name|type|size" in order
  std::vector<std::string> opens;        // "Open|path", "OpenEx|path|access", "Create|path"
  int openHandles = 0;

  void AddKey(const std::string& path) { keys[Lower(path)]; }
  void SetText(const std::string& path, const std::string& name, const std::string& text);
  bool HasKey(const std::string& path) const { return keys.count(Lower(path)) != 0; }
  const Value* Find(const std::string& path, const std::string& name) const;
  std::string Text(const std::string& path, const std::string& name) const;

  long RegOpenKeyA(RegistryKey root, const char* subKey, RegistryKey* result) override;
  long RegOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options, std::uint32_t desiredAccess,
                     RegistryKey* result) override;
  long RegQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* size) override;
  long RegCreateKeyA(RegistryKey root, const char* subKey, RegistryKey* result) override;
  long RegSetValueExA(RegistryKey key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                      std::uint32_t size) override;
  long RegCloseKey(RegistryKey key) override;
  // Removes a key without subkeys, as NT does.
  long RegDeleteKeyA(RegistryKey root, const char* subKey) override;

  Events* events = nullptr;  // deletions are also written here when set

 private:
  RegistryKey Handle(const std::string& path);
  std::map<RegistryKey, std::string> handles_;
  RegistryKey next_ = 0x100;
};

class FakeFiles : public FileSystem {
 public:
  std::set<std::string> files;        // exact paths
  std::set<std::string> readOnly;     // files that refuse to be overwritten
  std::set<std::string> directories;  // exact paths; made by CreateDirectoryA
  std::vector<std::string> calls;     // "Attributes|path|attr", "Copy|from|to|failIfExists", "Mkdir|path"
  Events* events = nullptr;           // deletions are also written here when set

  bool SetFileAttributesA(const char* fileName, std::uint32_t attributes) override;
  bool CopyFileA(const char* existingFile, const char* newFile, bool failIfExists) override;
  bool CreateDirectoryA(const char* path) override;
  bool DeleteFileA(const char* fileName) override;
  // Fails while a file lies directly inside.
  bool RemoveDirectoryA(const char* path) override;
};

class FakeSystem : public SystemInfo {
 public:
  explicit FakeSystem(Events& events) : events_(events) {}
  OsVersion version{4, 0, 1381, 2};
  bool versionFails = false;
  std::string currentDir = "D:\\SETUP";
  std::string windowsDir = "C:\\WINNT";
  std::string systemDir = "C:\\WINNT\\system32";

  bool GetVersionExA(OsVersion& out) override;
  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
  std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) override;
  std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  Events& events_;
};

class FakeServices : public ServiceControl {
 public:
  static constexpr ServiceHandle kManager = 0x51;
  static constexpr ServiceHandle kService = 0x52;
  bool managerFails = false;
  bool createFails = false;
  bool startFails = false;
  bool serviceMissing = false;  // OpenServiceA fails
  bool stopFails = false;
  std::uint32_t error = 0;  // what a failing call leaves for GetLastError
  std::vector<ServiceDefinition> creates;
  std::vector<std::string> definitionTexts;  // the texts of each create, copied
  std::vector<std::string> calls;
  Events* events = nullptr;  // stop and delete are also written here when set

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

class FakeErrors : public ErrorMessages {
 public:
  std::map<std::uint32_t, std::string> texts;
  std::uint32_t FormatMessageA(std::uint32_t messageId, char* buffer, std::uint32_t size) override;
};

class FakeLinks : public ShellLinkObjects {
 public:
  static constexpr ComObject kLink = 0x61;
  static constexpr ComObject kPersist = 0x62;
  ComResult createResult = kSOk;
  ComResult queryResult = kSOk;
  ComResult saveResult = kSOk;
  std::vector<std::string> calls;

  ComResult CoInitialize() override;
  void CoUninitialize() override;
  ComResult CreateShellLinkObject(ComObject* link) override;
  ComResult SetPath(ComObject link, const char* path) override;
  ComResult SetDescription(ComObject link, const char* description) override;
  ComResult QueryPersistFile(ComObject link, ComObject* persistFile) override;
  ComResult Save(ComObject persistFile, const char* fileName) override;
  void Release(ComObject object) override;
};

class FakeProcesses : public Processes {
 public:
  explicit FakeProcesses(Events& events) : events_(events) {}
  bool createFails = false;
  std::vector<std::string> calls;

  bool CreateProcessA(const char* applicationName, const char* commandLine, ProcessHandle* process) override;
  void WaitForSingleObject(ProcessHandle process) override;
  void CloseHandle(ProcessHandle process) override;

 private:
  Events& events_;
};

class FakeCursor : public Cursor {
 public:
  explicit FakeCursor(Events& events) : events_(events) {}
  void SetCursor(CursorShape shape) override;
  int ShowCursor(bool show) override;

 private:
  Events& events_;
};

class FakeBoxes : public MessageBoxes {
 public:
  struct Box {
    std::string text, caption;
    std::uint32_t flags;
  };
  explicit FakeBoxes(Events& events) : events_(events) {}
  std::vector<Box> shown;
  std::vector<int> answers;  // taken in order; OK once they run out

  int MessageBoxA(const char* text, const char* caption, std::uint32_t flags) override;

 private:
  Events& events_;
};

class FakeBackdrop : public Backdrop {
 public:
  explicit FakeBackdrop(Events& events) : events_(events) {}
  bool createFails = false;
  int dialogResult = kIdCancel;
  std::vector<int> showCommands;

  void RegisterSplashClass() override;
  bool CreateSplashWindow(int showCommand) override;
  int DialogBoxParamA(int templateId) override;
  void PaintSplashWindow() override;

  std::function<void()> onPaint;  // run after each paint when set

 private:
  Events& events_;
};

// Holds the body of a started thread until the test runs it, so the other thread's progress is
// decided by the test, not by a scheduler.
class FakeThreads : public Threads {
 public:
  explicit FakeThreads(Events& events) : events_(events) {}
  bool createFails = false;
  ThreadBody* started = nullptr;

  bool CreateThread(ThreadBody& body) override;
  // Runs the started body to its end once; false when there is none.
  bool RunStarted();

 private:
  Events& events_;
};

class FakeSteps : public InstallerSteps {
 public:
  explicit FakeSteps(Events& events) : events_(events) {}
  bool installResult = true;
  bool InstallModem() override;
  bool UninstallModem() override;

 private:
  Events& events_;
};

}  // namespace kiv::testing
