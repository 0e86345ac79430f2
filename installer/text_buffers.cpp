#include "installer/text_buffers.h"

#include <cstdarg>
#include <cstdio>

namespace kiv {

void CopyText(char* destination, std::size_t size, const char* source) {
  if (size == 0) return;
  std::size_t i = 0;
  for (; i + 1 < size && source[i] != '\0'; ++i) destination[i] = source[i];
  destination[i] = '\0';
}

bool FormatText(char* destination, std::size_t size, const char* format, ...) {
  if (size == 0) return false;
  std::va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(destination, size, format, args);
  va_end(args);
  if (written < 0) destination[0] = '\0';
  destination[size - 1] = '\0';
  return written >= 0 && static_cast<std::size_t>(written) < size;
}

std::uint32_t ParseDecimal(const char* text) {
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  std::uint32_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<std::uint32_t>(*p - '0');
  return negative ? 0u - value : value;
}

}  // namespace kiv
