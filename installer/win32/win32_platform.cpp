#include "installer/win32/win32_platform.h"

#include <objbase.h>
#include <shlobj.h>

namespace kiv {

namespace {

// The core names the root by its 32-bit value; on 64-bit Windows the predefined handle is that value
// sign-extended, so it is mapped rather than cast.
HKEY RootKey(RegistryKey root) {
  return root == kHKeyLocalMachine ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(root);
}

HKEY Key(RegistryKey key) {
  return reinterpret_cast<HKEY>(key);
}

SC_HANDLE Sc(ServiceHandle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}

template <typename Interface>
Interface* Com(ComObject object) {
  return reinterpret_cast<Interface*>(object);
}

DWORD WINAPI StartThreadBody(LPVOID body) {
  static_cast<ThreadBody*>(body)->Run();
  return 0;
}

}  // namespace

// For an id it lacks the system still writes an empty text over the buffer; the caller's text is put
// back, so a setting keeps its built-in default.
int Win32StringTable::LoadStringA(unsigned id, char* buffer, int size) {
  if (size <= 0) return 0;
  const char first = buffer[0];
  const int length = ::LoadStringA(instance_, id, buffer, size);
  if (length == 0) buffer[0] = first;
  return length;
}

std::uint32_t Win32ProfileReader::GetPrivateProfileStringA(const char* section, const char* key,
                                                           const char* defaultText, char* result,
                                                           std::uint32_t size, const char* fileName) {
  return ::GetPrivateProfileStringA(section, key, defaultText, result, size, fileName);
}

long Win32Registry::RegOpenKeyA(RegistryKey root, const char* subKey, RegistryKey* result) {
  HKEY key = nullptr;
  const LONG status = ::RegOpenKeyA(RootKey(root), subKey, &key);
  *result = reinterpret_cast<RegistryKey>(key);
  return status;
}

long Win32Registry::RegOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                                  std::uint32_t desiredAccess, RegistryKey* result) {
  HKEY key = nullptr;
  const LONG status = ::RegOpenKeyExA(RootKey(root), subKey, options, desiredAccess, &key);
  *result = reinterpret_cast<RegistryKey>(key);
  return status;
}

long Win32Registry::RegQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD valueSize = *size;
  const LONG status = ::RegQueryValueExA(Key(key), valueName, nullptr, &valueType, data, &valueSize);
  if (type != nullptr) *type = valueType;
  *size = valueSize;
  return status;
}

long Win32Registry::RegCreateKeyA(RegistryKey root, const char* subKey, RegistryKey* result) {
  HKEY key = nullptr;
  const LONG status = ::RegCreateKeyA(RootKey(root), subKey, &key);
  *result = reinterpret_cast<RegistryKey>(key);
  return status;
}

long Win32Registry::RegSetValueExA(RegistryKey key, const char* valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  return ::RegSetValueExA(Key(key), valueName, 0, type, data, size);
}

long Win32Registry::RegCloseKey(RegistryKey key) {
  return ::RegCloseKey(Key(key));
}

long Win32Registry::RegDeleteKeyA(RegistryKey root, const char* subKey) {
  return ::RegDeleteKeyA(RootKey(root), subKey);
}

bool Win32FileSystem::SetFileAttributesA(const char* fileName, std::uint32_t attributes) {
  return ::SetFileAttributesA(fileName, attributes) != FALSE;
}

bool Win32FileSystem::CopyFileA(const char* existingFile, const char* newFile, bool failIfExists) {
  return ::CopyFileA(existingFile, newFile, failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32FileSystem::CreateDirectoryA(const char* path) {
  return ::CreateDirectoryA(path, nullptr) != FALSE;
}

bool Win32FileSystem::DeleteFileA(const char* fileName) {
  return ::DeleteFileA(fileName) != FALSE;
}

bool Win32FileSystem::RemoveDirectoryA(const char* path) {
  return ::RemoveDirectoryA(path) != FALSE;
}

bool Win32SystemInfo::GetVersionExA(OsVersion& version) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info)) return false;
  version.majorVersion = info.dwMajorVersion;
  version.minorVersion = info.dwMinorVersion;
  version.buildNumber = info.dwBuildNumber;
  version.platformId = info.dwPlatformId;
  return true;
}

std::uint32_t Win32SystemInfo::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
  return ::GetCurrentDirectoryA(size, buffer);
}

std::uint32_t Win32SystemInfo::GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
  return ::GetWindowsDirectoryA(buffer, size);
}

std::uint32_t Win32SystemInfo::GetSystemDirectoryA(char* buffer, std::uint32_t size) {
  return ::GetSystemDirectoryA(buffer, size);
}

void Win32SystemInfo::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

ServiceHandle Win32ServiceControl::OpenSCManagerA(const char* machineName, const char* databaseName,
                                                  std::uint32_t desiredAccess) {
  return reinterpret_cast<ServiceHandle>(::OpenSCManagerA(machineName, databaseName, desiredAccess));
}

ServiceHandle Win32ServiceControl::CreateServiceA(ServiceHandle manager, const ServiceDefinition& d) {
  return reinterpret_cast<ServiceHandle>(::CreateServiceA(
      Sc(manager), d.serviceName, d.displayName, d.desiredAccess, d.serviceType, d.startType, d.errorControl,
      d.binaryPathName, d.loadOrderGroup, nullptr, nullptr, nullptr, nullptr));
}

ServiceHandle Win32ServiceControl::OpenServiceA(ServiceHandle manager, const char* serviceName,
                                                std::uint32_t desiredAccess) {
  return reinterpret_cast<ServiceHandle>(::OpenServiceA(Sc(manager), serviceName, desiredAccess));
}

bool Win32ServiceControl::StartServiceA(ServiceHandle service) {
  return ::StartServiceA(Sc(service), 0, nullptr) != FALSE;
}

bool Win32ServiceControl::ControlService(ServiceHandle service, std::uint32_t control) {
  SERVICE_STATUS status = {};
  return ::ControlService(Sc(service), control, &status) != FALSE;
}

bool Win32ServiceControl::DeleteService(ServiceHandle service) {
  return ::DeleteService(Sc(service)) != FALSE;
}

bool Win32ServiceControl::CloseServiceHandle(ServiceHandle handle) {
  return ::CloseServiceHandle(Sc(handle)) != FALSE;
}

std::uint32_t Win32ServiceControl::GetLastError() {
  return ::GetLastError();
}

std::uint32_t Win32ErrorMessages::FormatMessageA(std::uint32_t messageId, char* buffer, std::uint32_t size) {
  return ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, messageId,
                          MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, size, nullptr);
}

ComResult Win32ShellLinkObjects::CoInitialize() {
  return ::CoInitialize(nullptr);
}

void Win32ShellLinkObjects::CoUninitialize() {
  ::CoUninitialize();
}

ComResult Win32ShellLinkObjects::CreateShellLinkObject(ComObject* link) {
  IShellLinkA* object = nullptr;
  const HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                            reinterpret_cast<void**>(&object));
  *link = reinterpret_cast<ComObject>(object);
  return result;
}

ComResult Win32ShellLinkObjects::SetPath(ComObject link, const char* path) {
  return Com<IShellLinkA>(link)->SetPath(path);
}

ComResult Win32ShellLinkObjects::SetDescription(ComObject link, const char* description) {
  return Com<IShellLinkA>(link)->SetDescription(description);
}

ComResult Win32ShellLinkObjects::QueryPersistFile(ComObject link, ComObject* persistFile) {
  IPersistFile* object = nullptr;
  const HRESULT result =
      Com<IShellLinkA>(link)->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&object));
  *persistFile = reinterpret_cast<ComObject>(object);
  return result;
}

ComResult Win32ShellLinkObjects::Save(ComObject persistFile, const char* fileName) {
  WCHAR wideName[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, fileName, -1, wideName, MAX_PATH);
  wideName[MAX_PATH - 1] = L'\0';
  return Com<IPersistFile>(persistFile)->Save(wideName, TRUE);
}

void Win32ShellLinkObjects::Release(ComObject object) {
  Com<IUnknown>(object)->Release();
}

bool Win32Processes::CreateProcessA(const char* applicationName, const char* commandLine,
                                    ProcessHandle* process) {
  // CreateProcessA may write into the command line, so it gets its own copy.
  char line[MAX_PATH + 1] = {};
  lstrcpynA(line, commandLine, static_cast<int>(sizeof line));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessA(applicationName, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
    return false;
  }
  ::CloseHandle(info.hThread);
  *process = reinterpret_cast<ProcessHandle>(info.hProcess);
  return true;
}

void Win32Processes::WaitForSingleObject(ProcessHandle process) {
  ::WaitForSingleObject(reinterpret_cast<HANDLE>(process), INFINITE);
}

void Win32Processes::CloseHandle(ProcessHandle process) {
  ::CloseHandle(reinterpret_cast<HANDLE>(process));
}

// NT 4 wants somewhere to write the thread id. The handle is not needed: the thread reports through
// the body's own flag.
bool Win32Threads::CreateThread(ThreadBody& body) {
  DWORD id = 0;
  HANDLE thread = ::CreateThread(nullptr, 0, StartThreadBody, &body, 0, &id);
  if (thread == nullptr) return false;
  ::CloseHandle(thread);
  return true;
}

int Win32MessageBoxes::MessageBoxA(const char* text, const char* caption, std::uint32_t flags) {
  return ::MessageBoxA(nullptr, text, caption, flags);
}

void Win32Cursor::SetCursor(CursorShape shape) {
  ::SetCursor(::LoadCursorA(nullptr, shape == CursorShape::kWait ? IDC_WAIT : IDC_ARROW));
}

int Win32Cursor::ShowCursor(bool show) {
  return ::ShowCursor(show ? TRUE : FALSE);
}

}  // namespace kiv
