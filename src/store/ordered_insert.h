// The order that the register's insertion sorts give, reached in
// O(n log n).
//
// The insertion sort takes the entries from `start` to `count` - 1 one after
// another and puts each in front of the first entry before it whose key is
// greater than or equal to its own (it stays where it is when there is
// none). The entries before `start` need not be in order. Seen from the
// front, the first entry not smaller than a key is always a running maximum
// (a "leader": greater than everything before it), so the table is a chain
// of blocks, each a leader followed by the entries it covers, with the
// leaders' keys rising strictly. Putting an entry in front of the first
// leader not smaller than it makes it a new leader; when that leader's key
// is equal, the old block joins behind the new entry. Keying the blocks by
// their leader's key reproduces the insertion sort's result exactly: equal
// keys of the tail come out in reverse order, in front of the equal entries
// that were placed before them.
#pragma once
#include <map>
#include <utility>
#include <vector>

namespace store {

// Reorders data[0 .. count-1] as the insertion sort from `start` would.
// keyOf(entry) gives a totally ordered key; step(n) is called after entry n
// has been placed (for a progress window).
template <class T, class KeyOf, class Step>
void insertionOrder(std::vector<T>& data, int start, int count, KeyOf keyOf, Step step) {
    using Key = decltype(keyOf(data[0]));
    if (count <= 0) return;
    if (start < 0) start = 0;
    if (start > count) start = count;
    // Each block holds its entries newest-first, so a new leader is a push_back.
    std::map<Key, std::vector<int>> blocks;
    {
        std::vector<int> cur;
        Key curKey{};
        for (int i = 0; i < start; ++i) {
            Key k = keyOf(data[i]);
            if (cur.empty() || curKey < k) {
                if (!cur.empty()) blocks.emplace(std::move(curKey), std::vector<int>(cur.rbegin(), cur.rend()));
                cur.clear();
                curKey = std::move(k);
            }
            cur.push_back(i);
        }
        if (!cur.empty()) blocks.emplace(std::move(curKey), std::vector<int>(cur.rbegin(), cur.rend()));
    }
    for (int n = start; n < count; ++n) {
        blocks[keyOf(data[n])].push_back(n);
        step(n);
    }
    std::vector<T> out;
    out.reserve(count);
    for (auto& [key, members] : blocks)
        for (auto it = members.rbegin(); it != members.rend(); ++it) out.push_back(std::move(data[*it]));
    for (int i = 0; i < count; ++i) data[i] = std::move(out[i]);
}

}  // namespace store
