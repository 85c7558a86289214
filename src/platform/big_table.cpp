#include "platform/big_table.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace bigtable {

void preferHugePages([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace bigtable
