#pragma once

#include <cstdint>

// Counts the bytes taken from the C allocator while counting is on, by
// standing in for malloc and its siblings in this executable (glibc only;
// builds with AddressSanitizer keep its allocator and count nothing). Qt's
// strings and containers and C++'s operator new all allocate through malloc.
// A block allocated before Start and freed while counting counts against the
// total: measure work that frees only what it allocated.
namespace AllocationCounter {

bool Available();
void Start();
void Stop();
// Allocated minus freed since Start, and the highest that figure reached.
std::int64_t LiveBytes();
std::int64_t PeakBytes();

} // namespace AllocationCounter
