// A table of many records sized once for its limit. Its memory is asked of
// the system in huge pages where the system offers them (2 MiB on x86-64
// Linux), so that filling a table of 30,000 records costs a handful of page
// faults instead of thousands; elsewhere it is an ordinary vector.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace bigtable {

// Tells the system that [p, p + bytes) may be backed by huge pages; only the
// whole huge pages inside the range are concerned.
inline void preferHugePages([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

// Room for `count` records in `v` (the records it holds are kept), taken
// at once and in huge pages where offered.
template <class T>
void reserve(std::vector<T>& v, std::size_t count) {
    if (v.capacity() >= count) return;
    v.reserve(count);
    preferHugePages(v.data(), count * sizeof(T));
}

// `count` records in their initial state.
template <class T>
std::vector<T> of(std::size_t count) {
    std::vector<T> v;
    reserve(v, count);
    v.resize(count);
    return v;
}

}  // namespace bigtable
