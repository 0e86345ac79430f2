// The registry calls of the installer. Keys are handles the platform hands out; results are the
// system's error codes, 0 for success.
#pragma once

#include <cstdint>

namespace kiv {

using RegistryKey = std::uintptr_t;

inline constexpr RegistryKey kHKeyLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr long kErrorSuccess = 0;                      // ERROR_SUCCESS
inline constexpr long kErrorFileNotFound = 2;                 // ERROR_FILE_NOT_FOUND
inline constexpr long kErrorMoreData = 234;                   // ERROR_MORE_DATA
inline constexpr std::uint32_t kKeyRead = 0x20019;            // KEY_READ
inline constexpr std::uint32_t kRegSz = 1;                    // REG_SZ
inline constexpr std::uint32_t kRegDword = 4;                 // REG_DWORD

class Registry {
 public:
  virtual ~Registry() = default;
  virtual long RegOpenKeyA(RegistryKey root, const char* subKey, RegistryKey* result) = 0;
  virtual long RegOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                             std::uint32_t desiredAccess, RegistryKey* result) = 0;
  // size: in, the room in data; out, the bytes the value holds. type may be null.
  virtual long RegQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long RegCreateKeyA(RegistryKey root, const char* subKey, RegistryKey* result) = 0;
  virtual long RegSetValueExA(RegistryKey key, const char* valueName, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long RegCloseKey(RegistryKey key) = 0;
  virtual long RegDeleteKeyA(RegistryKey root, const char* subKey) = 0;
};

}  // namespace kiv
