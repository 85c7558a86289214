// A packed ascending sort key of up to ten signed 32-bit fields, compared
// field by field, and the register's sort of equal keys: an insertion sort
// that puts each element in front of the first placed element whose key is
// greater or equal, i.e. equal keys end in the reverse of their input order.
// That order is a stable sort of the reversed input, done here in
// O(n log n).
#pragma once
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <vector>

namespace sortkey {

struct Key {
    std::array<quint64, 5> w{};
    int n = 0;  // fields pushed
    Key& add(qint32 v) {
        const quint64 u = quint64(quint32(v) ^ 0x80000000u);
        w[n / 2] |= (n % 2 == 0) ? (u << 32) : u;
        ++n;
        return *this;
    }
    friend bool operator<(const Key& a, const Key& b) { return a.w < b.w; }
    friend bool operator==(const Key& a, const Key& b) { return a.w == b.w; }
    friend bool operator<=(const Key& a, const Key& b) { return !(b < a); }
};

struct Item {
    Key key;
    qint32 value;
};

// Reorders `items` (given in input order) into the register's insertion-sort
// order.
inline void insertionOrder(std::vector<Item>& items) {
    std::reverse(items.begin(), items.end());
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
}

}  // namespace sortkey
