// A table of many records sized once for its limit. Its memory is asked of
// the system in huge pages where the system offers them (2 MiB on x86-64
// Linux), so that filling a table of 30,000 records costs a handful of page
// faults instead of thousands; elsewhere it is an ordinary vector.
#pragma once
#include <cstddef>
#include <vector>

namespace bigtable {

// Tells the system that [p, p + bytes) may be backed by huge pages; only the
// whole huge pages inside the range are concerned.
void preferHugePages(const void* p, std::size_t bytes);

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
