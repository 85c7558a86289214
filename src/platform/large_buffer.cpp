#include "platform/large_buffer.h"

#include <cstdint>
#include <sys/mman.h>

namespace largebuf {

void advise(void* p, qint64 n) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kPage = std::uintptr_t(2) << 20;
    if (!p || n < qint64(kPage)) return;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(p) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(p) + std::uintptr_t(n)) & ~(kPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)n;
#endif
}

}  // namespace largebuf
