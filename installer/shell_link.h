// The shell's link object, reached through COM. Results are COM result codes: negative is failure.
#pragma once

#include <cstdint>

namespace kiv {

using ComResult = std::int32_t;
using ComObject = std::uintptr_t;

inline constexpr ComResult kSOk = 0;

inline bool Succeeded(ComResult result) {
  return result >= 0;
}

class ShellLinkObjects {
 public:
  virtual ~ShellLinkObjects() = default;
  virtual ComResult CoInitialize() = 0;
  virtual void CoUninitialize() = 0;
  // CoCreateInstance of CLSID_ShellLink, no outer object, in-process server, asking for IShellLinkA.
  virtual ComResult CreateShellLinkObject(ComObject* link) = 0;
  virtual ComResult SetPath(ComObject link, const char* path) = 0;
  virtual ComResult SetDescription(ComObject link, const char* description) = 0;
  // QueryInterface on the link for IPersistFile.
  virtual ComResult QueryPersistFile(ComObject link, ComObject* persistFile) = 0;
  // IPersistFile::Save with the path turned from the ANSI code page into UTF-16 (room for 260
  // characters), remembering it as the object's current file.
  virtual ComResult Save(ComObject persistFile, const char* fileName) = 0;
  virtual void Release(ComObject object) = 0;
};

}  // namespace kiv
