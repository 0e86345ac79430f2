// The program's string table: the Win32 layer loads from the program's resources.
#pragma once

namespace kiv {

class StringTable {
 public:
  virtual ~StringTable() = default;
  // Fills buffer (size bytes with the terminator) and returns the characters copied, 0 when the id
  // is missing, in which case the buffer is left as it was.
  virtual int LoadStringA(unsigned id, char* buffer, int size) = 0;
};

}  // namespace kiv
