// INI-file reading: "installer.cfg" and the INF file's [Strings] section.
#pragma once

#include <cstdint>

namespace kiv {

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  // Section and key match regardless of case; the value loses surrounding blanks and one pair of
  // enclosing quotation marks and is cut to size-1 characters; a missing file, section or key
  // yields defaultText. defaultText and result may be the same buffer. Returns the characters copied.
  virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                 const char* defaultText, char* result, std::uint32_t size,
                                                 const char* fileName) = 0;
};

}  // namespace kiv
