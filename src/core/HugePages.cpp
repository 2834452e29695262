#include "core/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace HugePages {

void prefer(void* buffer, std::size_t bytes) {
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(hugePage - 1);
    if (end > first) // madvise takes the pages as an address, made from the rounded number
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

} // namespace HugePages
