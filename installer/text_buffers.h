// Bounded text handling for the fixed buffers of InstallerSettings: every write is cut to the buffer,
// always terminated, and never reads past its source.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kiv {

// Copies at most size-1 characters of source and terminates.
void CopyText(char* destination, std::size_t size, const char* source);

template <std::size_t N>
void CopyText(char (&destination)[N], const char* source) {
  CopyText(destination, N, source);
}

// printf-style into a fixed buffer; an overlong result is cut, never overruns. Returns whether the
// whole text fit, so a caller can refuse a cut path instead of naming another file with it.
bool FormatText(char* destination, std::size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// The decimal number at the start of text: leading blanks skipped, an optional sign, then digits up
// to the first other character; no leading digits gives 0. Overlong numbers wrap, as a 32-bit
// register would, instead of being undefined.
std::uint32_t ParseDecimal(const char* text);

}  // namespace kiv
