#include "HeapInUse.h"

#if defined(__SANITIZE_ADDRESS__)
#define GRIDLUME_HAS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRIDLUME_HAS_ASAN 1
#endif
#endif

#ifdef GRIDLUME_HAS_ASAN
#include <sanitizer/lsan_interface.h>

#include <cstdlib>
#include <cstring>

// From the sanitizer runtime; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

std::size_t heapInUse() {
#ifdef GRIDLUME_HAS_ASAN
    return __sanitizer_get_current_allocated_bytes();
#elif defined(__EMSCRIPTEN__)
    return mallinfo().uordblks; // a 32-bit heap: the older call is wide enough
#else
    return mallinfo2().uordblks;
#endif
}

bool leakCheckAvailable() {
#ifdef GRIDLUME_HAS_ASAN
    const char* options = std::getenv("ASAN_OPTIONS");
    return options == nullptr || std::strstr(options, "detect_leaks=0") == nullptr;
#else
    return false;
#endif
}

bool leaksFoundNow() {
#ifdef GRIDLUME_HAS_ASAN
    return leakCheckAvailable() && __lsan_do_recoverable_leak_check() != 0;
#else
    return false;
#endif
}
