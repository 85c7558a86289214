#include "totals/purchase_record_table.h"

#include <unordered_map>

#include "store/state.h"

namespace {
// The four values that tie an item to its master entry.
struct RowKey {
    qint16 kubun;
    qint16 kyouka;
    qint32 bunrui;
    qint32 name;
    bool operator==(const RowKey&) const = default;
};
struct RowKeyHash {
    size_t operator()(const RowKey& k) const noexcept {
        quint64 h = (quint64(quint16(k.kubun)) << 48) ^ (quint64(quint16(k.kyouka)) << 32) ^ quint64(quint32(k.bunrui));
        h ^= quint64(quint32(k.name)) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
        return size_t(h);
    }
};
}  // namespace

int NOTE_S_REG_YEAR(qint16 eraCode, qint16 eraYear) {
    int base = ERA_TABLE[0].ERA_BASE;
    if (eraCode >= 3 && eraCode <= 5) base = ERA_TABLE[size_t(eraCode - 3)].ERA_BASE;
    return eraYear + base;
}

int NOTE_S_OUT_YEAR(qint16 year, qint16 month) { return month >= 1 && month <= 3 ? year - 1 : year; }

NOTE_S_ROWS NOTE_S_ROW_MAKE(bool all) {
    NOTE_S_ROWS rows;
    rows.reserve(size_t(KUBUN_COUNT) + 1);
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        if (!all && k.IN_CNT == 0 && k.OUT_CNT == 0) continue;
        NOTE_S_REC& r = rows.emplace_back();
        r.KUBUN_IDX = k.KUBUN_IDX;
        r.KUBUN_NAME = k.KUBUN;
        r.KYOUKA_NO = k.NO_KY;
        r.KYOUKA_NAME = k.KYOUKA;
        r.BUNRUI_KEY = k.BU_KEY;
        r.BUNRUI_CODE = k.NO_BU;
        r.BUNRUI_NAME = k.BUNRUI;
        r.FUNC_NO = k.FUNC_NO;
        r.FUNC_TEXT = k.FUNC_D;
        r.NAME_NO = k.NAME_NO;
        r.ITEM_NAME = k.NAME_D;
    }
    rows.emplace_back();  // the spare row
    return rows;
}

void NOTE_S_COUNT(NOTE_S_ROWS& rows, int year) {
    if (rows.empty()) rows.emplace_back();
    const int R = NOTE_S_ROW_COUNT(rows);
    // The first row of each key: an entry listed twice keeps its second row
    // at zero.
    std::unordered_map<RowKey, int, RowKeyHash> rowOf;
    rowOf.reserve(size_t(R) * 2);
    for (int i = 0; i < R; ++i) {
        const NOTE_S_REC& r = rows[size_t(i)];
        rowOf.try_emplace(RowKey{r.KUBUN_IDX, r.KYOUKA_NO, r.BUNRUI_KEY, r.NAME_NO}, i);
    }
    // Items of one item name mostly follow each other: the last key found
    // is tried first.
    RowKey lastKey{0, 0, 0, 0};
    int lastRow = -1;
    for (qint32 n = 0; n < ZEMLO_COUNT; ++n) {
        const ZEMLO_REC& z = ZEMLO_DATA[size_t(n)];
        const RowKey key{z.KUBUN_IDX, z.NO_KY, z.BU_KEY, qint32(z.NAME_NO)};
        if (lastRow < 0 || !(key == lastKey)) {
            const auto it = rowOf.find(key);
            lastRow = it == rowOf.end() ? R : it->second;
            lastKey = key;
        }
        NOTE_S_REC& r = rows[size_t(lastRow)];

        const int reg = NOTE_S_REG_YEAR(z.BY_W, z.BY_Y);
        const bool movedIn = (z.MOVE_F & 1) != 0;
        if (reg < year)
            ++(movedIn ? r.MOVE_IN_PREV : r.IN_PREV);
        else if (reg == year)
            ++(movedIn ? r.MOVE_IN_YEAR : r.IN_YEAR);

        if (z.BOUT_M <= 0) continue;
        const int out = NOTE_S_OUT_YEAR(z.BOUT_Y, z.BOUT_M);
        const bool movedOut = (z.MOVE_F & 2) != 0;
        if (out < year)
            ++(movedOut ? r.MOVE_OUT_PREV : r.OUT_PREV);
        else if (out == year)
            ++(movedOut ? r.MOVE_OUT_YEAR : r.OUT_YEAR);
    }
}
