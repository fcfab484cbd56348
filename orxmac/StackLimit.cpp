#include "orxmac/StackLimit.h"

#include <pthread.h>

#include <algorithm>

namespace orvex::orxmac {

uintptr_t stackFloor() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
    void* low = nullptr;
    size_t size = 0;
    const int r = pthread_attr_getstack(&attr, &low, &size);
    pthread_attr_destroy(&attr);
    if (r != 0 || low == nullptr || size == 0) return 0;
    // A quarter of the stack, at most 1 MiB, stays in reserve.
    const size_t reserve = std::min<size_t>(size / 4, size_t{1} << 20);
    return reinterpret_cast<uintptr_t>(low) + reserve;
}

}  // namespace orvex::orxmac
