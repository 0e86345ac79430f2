// File and directory calls of the installer.
#pragma once

#include <cstdint>

namespace kiv {

inline constexpr std::uint32_t kFileAttributeNormal = 0x80;  // FILE_ATTRIBUTE_NORMAL

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool SetFileAttributesA(const char* fileName, std::uint32_t attributes) = 0;
  virtual bool CopyFileA(const char* existingFile, const char* newFile, bool failIfExists) = 0;
  // One level, default security.
  virtual bool CreateDirectoryA(const char* path) = 0;
  virtual bool DeleteFileA(const char* fileName) = 0;
  // Only an empty directory can be removed.
  virtual bool RemoveDirectoryA(const char* path) = 0;
};

}  // namespace kiv
