// Counts the heap allocations made through operator new in this program, so that a benchmark can
// report how many a path makes.
#pragma once

#include <cstddef>

namespace kiv::bench {

std::size_t HeapAllocationCount();

}  // namespace kiv::bench
