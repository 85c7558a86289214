// Taking entries out of a table in place.
#pragma once
#include <QtGlobal>
#include <algorithm>
#include <vector>

namespace store {

// Removes the entries at the indexes `gone` from data[0 .. count - 1]. The
// indexes are sorted and made unique here; those outside the table are
// ignored. The other entries close up in their order, the slots left behind
// are reset to empty entries (nothing stale stays past the new count), and
// no slot past `count` is read. Returns the new count.
template <class T>
qint32 removeEntries(std::vector<T>& data, qint32 count, std::vector<qint32> gone) {
    count = std::clamp<qint32>(count, 0, qint32(data.size()));
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
    gone.erase(std::remove_if(gone.begin(), gone.end(), [count](qint32 i) { return i < 0 || i >= count; }),
               gone.end());
    if (gone.empty()) return count;
    qint32 write = gone.front();
    size_t g = 0;
    for (qint32 read = write; read < count; ++read) {
        if (g < gone.size() && gone[g] == read) {
            ++g;
            continue;
        }
        data[write++] = std::move(data[read]);
    }
    for (qint32 i = write; i < count; ++i) data[i] = T{};
    return write;
}

}  // namespace store
