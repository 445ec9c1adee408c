#pragma once

#include <cstddef>

// Bytes the program holds on the heap right now, from the sanitizer's allocator when there is
// one, otherwise from the C library. Only differences between two readings mean anything.
std::size_t heapInUse();

// True when LeakSanitizer runs in this process: then a leak check can be asked for at any time.
bool leakCheckAvailable();

// Asks LeakSanitizer for a report now, without ending the process; true when it found leaks.
// Always false without LeakSanitizer.
bool leaksFoundNow();
