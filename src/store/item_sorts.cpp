#include "store/item_sorts.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ui.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/sort_key.h"
#include "store/state.h"

namespace {

using sortkey::Key;

Key numberKey(const ZEMLO_REC& r) { return Key().add(r.BY_W).add(r.BY_Y).add(r.B_NO).add(r.B_NOS); }
Key dateKey(const ZEMLO_REC& r) {
    return Key()
        .add(r.BIN_Y).add(r.BIN_M).add(r.BIN_D)
        .add(r.KUBUN_IDX).add(r.NO_KY).add(r.BU_KEY).add(r.NAME_NO)
        .add(r.B_NO).add(r.B_NOS);
}
Key kubunKey(const ZEMLO_REC& r) {
    return Key()
        .add(r.KUBUN_IDX).add(r.NO_KY).add(r.BU_KEY).add(r.NAME_NO)
        .add(r.BY_W).add(r.BY_Y).add(r.B_NO).add(r.B_NOS);
}

// The number key packed into one word, for the incremental sort.
quint64 numberWord(const ZEMLO_REC& r) {
    auto f = [](qint16 v) { return quint64(quint16(v) ^ 0x8000u); };
    return (f(r.BY_W) << 48) | (f(r.BY_Y) << 32) | (f(r.B_NO) << 16) | f(r.B_NOS);
}
bool nextBranch(const ZEMLO_REC& r, const ZEMLO_REC& placed) {
    return r.BY_W == placed.BY_W && r.BY_Y == placed.BY_Y && r.B_NO == placed.B_NO && r.B_NOS == placed.B_NOS + 1;
}

int recordCount() { return int(std::min<qint64>(std::max(ZEMLO_COUNT, 0), qint64(ZEMLO_DATA.size()))); }

// Puts the records of ZEMLO_DATA into the order `perm` gives (perm[k] is the
// record that goes to position k); records already in place are not moved.
void applyOrder(const std::vector<qint32>& perm) {
    const int n = int(perm.size());
    int from = 0;
    while (from < n && perm[from] == from) ++from;
    if (from == n) return;
    std::vector<ZEMLO_REC> moved;
    moved.reserve(n - from);
    for (int k = from; k < n; ++k) moved.push_back(std::move(ZEMLO_DATA[perm[k]]));
    std::move(moved.begin(), moved.end(), ZEMLO_DATA.begin() + from);
}

// Sorts view positions 0 to INDEX_COUNT - 1 by `keyOf`.
template <typename KeyOf>
void sortIndex(KeyOf keyOf) {
    const int n = int(std::min<qint64>(std::max(INDEX_COUNT, 0), qint64(ZEMLO_INDEX.size())));
    if (n < 2) return;  // two entries are sorted too
    ui::BusyPointer busy;
    ui::Progress progress(QStringLiteral("備品ソート"), true);
    static const ZEMLO_REC empty;
    std::vector<sortkey::Item> items(n);
    for (int k = 0; k < n; ++k) {
        const qint32 idx = ZEMLO_INDEX[k].IDX;
        const ZEMLO_REC& r = (idx >= 0 && idx < qint32(ZEMLO_DATA.size())) ? ZEMLO_DATA[idx] : empty;
        items[k] = {keyOf(r), idx};
    }
    sortkey::insertionOrder(items);
    for (int k = 0; k < n; ++k) ZEMLO_INDEX[k].IDX = items[k].value;
    progress.step(n, n);
}

qint16 fullSort(void (*indexSort)()) {
    const int n = recordCount();
    if (ZEMLO_INDEX.size() < size_t(n)) ZEMLO_INDEX.resize(n);
    for (int k = 0; k < n; ++k) ZEMLO_INDEX[k].IDX = k;
    INDEX_COUNT = n;
    indexSort();
    ZEMLO_SORTED = n;
    if (ZEMLO_SAVE_INDEX() != 1) {
        // The file could not be written: keep the records in memory, in the
        // new order, rather than reload the old file over unsaved changes.
        std::vector<qint32> perm(n);
        for (int k = 0; k < n; ++k) perm[k] = ZEMLO_INDEX[k].IDX;
        applyOrder(perm);
        for (int g = 0; g < std::min<int>(std::max(NO_GROUP_COUNT, 0), int(NO_GROUP.size())); ++g) NO_GROUP[g] = {};
        NO_GROUP_COUNT = 0;
        return 1;
    }
    return ZEMLO_READ();
}

}  // namespace

void INDEX_SORT_NO() { sortIndex(numberKey); }
void INDEX_SORT_DATE() { sortIndex(dateKey); }
void INDEX_SORT_KUBUN() { sortIndex(kubunKey); }

qint16 ZEMLO_SORT_NO() { return fullSort(&INDEX_SORT_NO); }
qint16 ZEMLO_SORT_KUBUN() { return fullSort(&INDEX_SORT_KUBUN); }

void ZEMLO_SORT_ADD(qint16 mode) {
    const int n = recordCount();
    if (n < 2) return;  // two records are sorted too
    int s;
    if (ZEMLO_SORT_FLAG == 1) {
        s = ZEMLO_SORTED;
        if (n == s) return;
    } else {
        ZEMLO_SORTED = 0;
        s = 0;
    }
    // A watermark past the records cannot be trusted: sort the whole table.
    if (s < 0 || s > n) s = 0;

    ui::BusyPointer busy;
    ui::Progress progress(QStringLiteral("備品ソート"), mode <= 1 && n - s >= 201);

    std::vector<quint64> key(n);
    for (int k = 0; k < n; ++k) key[k] = numberWord(ZEMLO_DATA[k]);

    bool prefixSorted = true;
    for (int k = 1; k < s && prefixSorted; ++k) prefixSorted = key[k - 1] <= key[k];

    std::vector<qint32> perm(n);
    if (prefixSorted) {
        // Each appended record goes in front of the first record whose number
        // key is greater or equal: the appended records in insertion-sort
        // order, merged in front of equal keys of the sorted part.
        std::vector<qint32> added;
        added.reserve(n - s);
        for (int e = n - 1; e >= s; --e) added.push_back(e);
        std::stable_sort(added.begin(), added.end(), [&](qint32 a, qint32 b) { return key[a] < key[b]; });
        int a = 0, p = 0, out = 0;
        const int na = int(added.size());
        while (a < na && p < s) perm[out++] = key[added[a]] <= key[p] ? added[a++] : p++;
        while (a < na) perm[out++] = added[a++];
        while (p < s) perm[out++] = p++;
    } else {
        // A sorted part that is not in number order (the file was sorted by
        // category): place each record by the samples every 30 records, the
        // next-branch shortcut and the scan, as the register always has.
        for (int k = 0; k < n; ++k) perm[k] = k;
        int h = 0;
        for (int e = s; e < n; ++e) {
            const qint32 r = perm[e];
            const quint64 rk = key[r];
            if (!nextBranch(ZEMLO_DATA[r], ZEMLO_DATA[perm[h]])) {
                h = 0;
                if (e >= 101) {
                    const int lastSample = 30 * (e / 30);
                    bool hit = false;
                    for (int u = 0; u * 30 <= lastSample; ++u) {
                        if (key[perm[u * 30]] >= rk) {
                            h = u == 0 ? 0 : (u - 1) * 30;
                            hit = true;
                            break;
                        }
                    }
                    if (!hit) h = lastSample;
                }
            }
            while (h < e && key[perm[h]] < rk) ++h;
            std::memmove(perm.data() + h + 1, perm.data() + h, size_t(e - h) * sizeof(qint32));
            perm[h] = r;
            progress.step(e, n);
        }
    }
    applyOrder(perm);
    ZEMLO_SORTED = n;
    ZEMLO_SORT_FLAG = 1;
}

void ZEMLO_START_CHECK() {
    if (ZEMLO_COUNT != ZEMLO_SORTED) {
        if (qint64(ZEMLO_COUNT) - ZEMLO_SORTED <= 500) {
            ZEMLO_SORT_ADD(0);
            ZEMLO_SAVE();
        } else {
            ZEMLO_SORT_NO();
        }
    }
    KUBUN_RECOUNT();
    KUBUN_LINK(1);
}
