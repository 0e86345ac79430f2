#include "tests/installer/fake_platform.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace kiv::testing {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Copies as the system does: cut to size-1 characters, always terminated.
std::uint32_t CopyOut(const std::string& text, char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::memmove(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<std::uint32_t>(n);
}

std::uint32_t CopyDirectory(const std::string& text, char* buffer, std::uint32_t size) {
  if (text.size() + 1 > size) return static_cast<std::uint32_t>(text.size() + 1);
  return CopyOut(text, buffer, size);
}

}  // namespace

int FakeStringTable::LoadStringA(unsigned id, char* buffer, int size) {
  const auto it = strings.find(id);
  if (it == strings.end() || size <= 0) return 0;
  return static_cast<int>(CopyOut(it->second, buffer, static_cast<std::uint32_t>(size)));
}

std::uint32_t FakeProfiles::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultText, char* result,
                                                     std::uint32_t size, const char* fileName) {
  reads.push_back(std::string(fileName) + "|" + section + "|" + key);
  const std::string fallback = defaultText;  // defaultText may be result itself
  const auto file = files.find(Lower(fileName));
  if (file == files.end()) return CopyOut(fallback, result, size);
  std::istringstream lines(file->second);
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const auto close = line.find(']');
      inSection = Lower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1))) ==
                  Lower(section);
      continue;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string::npos || Lower(Trim(line.substr(0, equals))) != Lower(key))
      continue;
    std::string value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return CopyOut(value, result, size);
  }
  return CopyOut(fallback, result, size);
}

void FakeRegistry::SetText(const std::string& path, const std::string& name, const std::string& text) {
  Value& value = keys[Lower(path)][Lower(name)];
  value.type = kRegSz;
  value.data.assign(text.begin(), text.end());
  value.data.push_back(0);
}

const FakeRegistry::Value* FakeRegistry::Find(const std::string& path, const std::string& name) const {
  const auto key = keys.find(Lower(path));
  if (key == keys.end()) return nullptr;
  const auto value = key->second.find(Lower(name));
  return value == key->second.end() ? nullptr : &value->second;
}

std::string FakeRegistry::Text(const std::string& path, const std::string& name) const {
  const Value* value = Find(path, name);
  if (value == nullptr) return "<missing>";
  return std::string(value->data.begin(), std::find(value->data.begin(), value->data.end(), 0));
}

RegistryKey FakeRegistry::Handle(const std::string& path) {
  ++openHandles;
  handles_[next_] = path;
  return next_++;
}

long FakeRegistry::RegOpenKeyA(RegistryKey root, const char* subKey, RegistryKey* result) {
  opens.push_back(std::string("Open|") + subKey);
  if (root != kHKeyLocalMachine || !HasKey(subKey)) return kErrorFileNotFound;
  *result = Handle(Lower(subKey));
  return kErrorSuccess;
}

long FakeRegistry::RegOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                                 std::uint32_t desiredAccess, RegistryKey* result) {
  opens.push_back("OpenEx|" + std::string(subKey) + "|" + std::to_string(options) + "|" +
                  std::to_string(desiredAccess));
  if (root != kHKeyLocalMachine || !HasKey(subKey)) return kErrorFileNotFound;
  *result = Handle(Lower(subKey));
  return kErrorSuccess;
}

long FakeRegistry::RegQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  const Value* value = Find(handles_.at(key), valueName);
  if (value == nullptr) return kErrorFileNotFound;
  if (type != nullptr) *type = value->type;
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  if (needed > *size) {
    // The system leaves the buffer's contents undefined here: scribble to show any use of them.
    std::memset(data, '#', *size);
    *size = needed;
    return kErrorMoreData;
  }
  if (needed != 0) std::memcpy(data, value->data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

long FakeRegistry::RegCreateKeyA(RegistryKey root, const char* subKey, RegistryKey* result) {
  opens.push_back(std::string("Create|") + subKey);
  if (root != kHKeyLocalMachine || failingCreates.count(Lower(subKey)) != 0) return 5;  // ERROR_ACCESS_DENIED
  // Creating a key creates its missing parents.
  std::string path = Lower(subKey);
  for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
    keys[path.substr(0, at)];
  }
  keys[path];
  *result = Handle(path);
  return kErrorSuccess;
}

long FakeRegistry::RegSetValueExA(RegistryKey key, const char* valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  const std::string& path = handles_.at(key);
  writes.push_back(path + "|" + valueName + "|" + std::to_string(type) + "|" + std::to_string(size));
  if (failingValues.count(valueName) != 0) return 5;
  keys[path][Lower(valueName)] = Value{type, std::vector<std::uint8_t>(data, data + size)};
  return kErrorSuccess;
}

long FakeRegistry::RegCloseKey(RegistryKey key) {
  if (handles_.erase(key) == 0) return 6;  // ERROR_INVALID_HANDLE
  --openHandles;
  return kErrorSuccess;
}

long FakeRegistry::RegDeleteKeyA(RegistryKey root, const char* subKey) {
  if (events != nullptr) events->push_back("RegDeleteKey|" + std::string(subKey));
  if (root != kHKeyLocalMachine) return kErrorFileNotFound;
  const std::string path = Lower(subKey);
  if (keys.count(path) == 0) return kErrorFileNotFound;
  const std::string prefix = path + "\\";
  for (const auto& entry : keys) {
    if (entry.first.compare(0, prefix.size(), prefix) == 0) return 5;  // ERROR_ACCESS_DENIED
  }
  keys.erase(path);
  return kErrorSuccess;
}

bool FakeFiles::SetFileAttributesA(const char* fileName, std::uint32_t attributes) {
  calls.push_back("Attributes|" + std::string(fileName) + "|" + std::to_string(attributes));
  if (files.count(fileName) == 0) return false;
  if (attributes == kFileAttributeNormal) readOnly.erase(fileName);
  return true;
}

bool FakeFiles::CopyFileA(const char* existingFile, const char* newFile, bool failIfExists) {
  calls.push_back("Copy|" + std::string(existingFile) + "|" + newFile + "|" + (failIfExists ? "1" : "0"));
  if (files.count(existingFile) == 0) return false;
  if (files.count(newFile) != 0 && (failIfExists || readOnly.count(newFile) != 0)) return false;
  files.insert(newFile);
  return true;
}

bool FakeFiles::CreateDirectoryA(const char* path) {
  calls.push_back("Mkdir|" + std::string(path));
  directories.insert(path);
  return true;
}

bool FakeFiles::DeleteFileA(const char* fileName) {
  calls.push_back("Delete|" + std::string(fileName));
  if (events != nullptr) events->push_back("DeleteFile|" + std::string(fileName));
  return files.erase(fileName) != 0;
}

bool FakeFiles::RemoveDirectoryA(const char* path) {
  calls.push_back("Rmdir|" + std::string(path));
  if (events != nullptr) events->push_back("RemoveDirectory|" + std::string(path));
  if (directories.count(path) == 0) return false;
  const std::string prefix = std::string(path) + "\\";
  for (const std::string& file : files) {
    if (file.compare(0, prefix.size(), prefix) == 0) return false;
  }
  directories.erase(path);
  return true;
}

bool FakeSystem::GetVersionExA(OsVersion& out) {
  if (versionFails) return false;
  out = version;
  return true;
}

std::uint32_t FakeSystem::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
  return CopyDirectory(currentDir, buffer, size);
}

std::uint32_t FakeSystem::GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
  return CopyDirectory(windowsDir, buffer, size);
}

std::uint32_t FakeSystem::GetSystemDirectoryA(char* buffer, std::uint32_t size) {
  return CopyDirectory(systemDir, buffer, size);
}

void FakeSystem::Sleep(std::uint32_t milliseconds) {
  events_.push_back("Sleep(" + std::to_string(milliseconds) + ")");
}

ServiceHandle FakeServices::OpenSCManagerA(const char* machineName, const char* databaseName,
                                           std::uint32_t desiredAccess) {
  calls.push_back(std::string("OpenSCManager|") + (machineName ? machineName : "null") + "|" +
                  (databaseName ? databaseName : "null") + "|" + std::to_string(desiredAccess));
  return managerFails ? 0 : kManager;
}

ServiceHandle FakeServices::CreateServiceA(ServiceHandle manager, const ServiceDefinition& definition) {
  calls.push_back("CreateService|" + std::to_string(manager));
  creates.push_back(definition);
  definitionTexts = {definition.serviceName, definition.displayName, definition.binaryPathName,
                     definition.loadOrderGroup};
  return createFails ? 0 : kService;
}

ServiceHandle FakeServices::OpenServiceA(ServiceHandle manager, const char* serviceName,
                                         std::uint32_t desiredAccess) {
  calls.push_back("OpenService|" + std::to_string(manager) + "|" + serviceName + "|" +
                  std::to_string(desiredAccess));
  return serviceMissing ? 0 : kService;
}

bool FakeServices::ControlService(ServiceHandle service, std::uint32_t control) {
  calls.push_back("ControlService|" + std::to_string(service) + "|" + std::to_string(control));
  if (events != nullptr) events->push_back("StopService");
  return !stopFails;
}

bool FakeServices::DeleteService(ServiceHandle service) {
  calls.push_back("DeleteService|" + std::to_string(service));
  if (events != nullptr) events->push_back("DeleteService");
  return true;
}

bool FakeServices::StartServiceA(ServiceHandle service) {
  calls.push_back("StartService|" + std::to_string(service));
  return !startFails;
}

bool FakeServices::CloseServiceHandle(ServiceHandle handle) {
  calls.push_back("Close|" + std::to_string(handle));
  return true;
}

std::uint32_t FakeServices::GetLastError() {
  return error;
}

std::uint32_t FakeErrors::FormatMessageA(std::uint32_t messageId, char* buffer, std::uint32_t size) {
  const auto it = texts.find(messageId);
  return it == texts.end() ? 0 : CopyOut(it->second, buffer, size);
}

ComResult FakeLinks::CoInitialize() {
  calls.push_back("CoInitialize");
  return kSOk;
}

void FakeLinks::CoUninitialize() {
  calls.push_back("CoUninitialize");
}

ComResult FakeLinks::CreateShellLinkObject(ComObject* link) {
  calls.push_back("CreateShellLink");
  if (Succeeded(createResult)) *link = kLink;
  return createResult;
}

ComResult FakeLinks::SetPath(ComObject link, const char* path) {
  calls.push_back("SetPath|" + std::to_string(link) + "|" + path);
  return kSOk;
}

ComResult FakeLinks::SetDescription(ComObject link, const char* description) {
  calls.push_back("SetDescription|" + std::to_string(link) + "|" + description);
  return kSOk;
}

ComResult FakeLinks::QueryPersistFile(ComObject link, ComObject* persistFile) {
  calls.push_back("QueryPersistFile|" + std::to_string(link));
  if (Succeeded(queryResult)) *persistFile = kPersist;
  return queryResult;
}

ComResult FakeLinks::Save(ComObject persistFile, const char* fileName) {
  calls.push_back("Save|" + std::to_string(persistFile) + "|" + fileName);
  return saveResult;
}

void FakeLinks::Release(ComObject object) {
  calls.push_back("Release|" + std::to_string(object));
}

bool FakeProcesses::CreateProcessA(const char* applicationName, const char* commandLine,
                                   ProcessHandle* process) {
  calls.push_back("Create|" + std::string(applicationName) + "|" + commandLine);
  events_.push_back("CreateProcess");
  if (createFails) return false;
  *process = 0x71;
  return true;
}

void FakeProcesses::WaitForSingleObject(ProcessHandle process) {
  calls.push_back("Wait|" + std::to_string(process));
  events_.push_back("Wait");
}

void FakeProcesses::CloseHandle(ProcessHandle process) {
  calls.push_back("Close|" + std::to_string(process));
}

void FakeCursor::SetCursor(CursorShape shape) {
  events_.push_back(shape == CursorShape::kWait ? "SetCursor(WAIT)" : "SetCursor(ARROW)");
}

int FakeCursor::ShowCursor(bool show) {
  events_.push_back(show ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
  return 0;
}

int FakeBoxes::MessageBoxA(const char* text, const char* caption, std::uint32_t flags) {
  shown.push_back({text, caption, flags});
  events_.push_back("Box(" + std::string(caption) + ")");
  if (answers.empty()) return kIdOk;
  const int answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

void FakeBackdrop::RegisterSplashClass() {
  events_.push_back("RegisterSplashClass");
}

bool FakeBackdrop::CreateSplashWindow(int showCommand) {
  events_.push_back("CreateSplashWindow");
  showCommands.push_back(showCommand);
  return !createFails;
}

int FakeBackdrop::DialogBoxParamA(int templateId) {
  events_.push_back("Dialog(" + std::to_string(templateId) + ")");
  return dialogResult;
}

void FakeBackdrop::PaintSplashWindow() {
  events_.push_back("Paint");
  if (onPaint) onPaint();
}

bool FakeThreads::CreateThread(ThreadBody& body) {
  events_.push_back("CreateThread");
  if (createFails) return false;
  started = &body;
  return true;
}

bool FakeThreads::RunStarted() {
  if (started == nullptr) return false;
  ThreadBody* body = started;
  started = nullptr;
  events_.push_back("ThreadRuns");
  body->Run();
  return true;
}

bool FakeSteps::InstallModem() {
  events_.push_back("InstallModem");
  return installResult;
}

bool FakeSteps::UninstallModem() {
  events_.push_back("UninstallModem");
  return true;
}

}  // namespace kiv::testing
