#include "store/rows.h"

#include <algorithm>
#include <vector>

#include "platform/ui.h"
#include "store/sort_key.h"
#include "store/state.h"

namespace {

using sortkey::Key;

// Rows written since the table was last emptied; emptying clears only these.
int g_rowsUsed = IN_ROW_SLOTS;

void clearRows() {
    const int used = std::min<int>(g_rowsUsed, int(IN_ROW_LIST.size()));
    for (int k = 0; k < used; ++k) IN_ROW_LIST[k] = IN_ROW{};
    g_rowsUsed = 0;
}

bool joins(const IN_ROW& w, const ZEMLO_REC& r) {
    return w.BY_W == r.BY_W && w.BY_Y == r.BY_Y && w.B_NO == r.B_NO && w.B_MONY == r.B_MONY &&
           w.BIN_Y == r.BIN_Y && w.BIN_M == r.BIN_M && w.BIN_D == r.BIN_D && w.BIN_X == r.BIN_X &&
           w.TAX_K == r.TAX_K && w.TAX == r.TAX && w.KUBUN_IDX == r.KUBUN_IDX && w.NO_KY == r.NO_KY &&
           w.BU_KEY == r.BU_KEY && w.NAME_NO == r.NAME_NO && w.KEIHI == r.KEIHI && w.KUBUN == r.KUBUN &&
           w.KYOUKA == r.KYOUKA && w.NO_BU == r.NO_BU && w.BUNRUI == r.BUNRUI && w.NAME_D == r.NAME_D &&
           w.SHOP == r.SHOP && w.MAKER == r.MAKER && w.MAKER_NO == r.MAKER_NO;
}

IN_ROW rowOf(const ZEMLO_REC& r) {
    IN_ROW w;
    w.BY_W = r.BY_W;
    w.BY_Y = r.BY_Y;
    w.B_NO = r.B_NO;
    w.NOS_FIRST = w.NOS_LAST = r.B_NOS;
    w.ROW_QTY = 1;
    w.ROW_OUT = r.BOUT_Y > 0 ? 1 : 0;
    w.KEIHI = r.KEIHI;
    w.BIN_Y = r.BIN_Y;
    w.BIN_M = r.BIN_M;
    w.BIN_D = r.BIN_D;
    w.BIN_X = r.BIN_X;
    w.B_MONY = r.B_MONY;
    w.TAX_K = r.TAX_K;
    w.TAX = r.TAX;
    w.SHOP = r.SHOP;
    w.MAKER = r.MAKER;
    w.MAKER_NO = r.MAKER_NO;
    w.KUBUN_IDX = r.KUBUN_IDX;
    w.KUBUN = r.KUBUN;
    w.NO_KY = r.NO_KY;
    w.KYOUKA = r.KYOUKA;
    w.NO_BU = r.NO_BU;
    w.BU_KEY = r.BU_KEY;
    w.BUNRUI = r.BUNRUI;
    w.FUNC_NO = r.FUNC_NO;
    w.FUNC_D = r.FUNC_D;
    w.NAME_D = r.NAME_D;
    w.NAME_NO = r.NAME_NO;
    w.MSG = r.MSG;
    return w;
}

template <typename KeyOf>
void sortRows(qint16 code, KeyOf keyOf) {
    const int n = std::min<int>(std::max(ROW_COUNT, 0), int(IN_ROW_LIST.size()));
    if (n < 2 || ROW_ORDER == code) return;  // two rows are sorted too
    ui::BusyPointer busy;
    ui::Progress progress(QStringLiteral("購入履歴ソート"), n > 200);
    std::vector<sortkey::Item> items(n);
    for (int k = 0; k < n; ++k) items[k] = {keyOf(IN_ROW_LIST[k]), k};
    sortkey::insertionOrder(items);
    std::vector<IN_ROW> sorted;
    sorted.reserve(n);
    for (const auto& it : items) sorted.push_back(std::move(IN_ROW_LIST[it.value]));
    std::move(sorted.begin(), sorted.end(), IN_ROW_LIST.begin());
    ROW_ORDER = code;
    progress.step(n, n);
}

}  // namespace

qint16 IN_ROW_MERGE(qint32 rec, qint32 rows) {
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return 0;
    const ZEMLO_REC& r = ZEMLO_DATA[rec];
    if (rows <= 0) {
        clearRows();
        rows = 0;
    } else if (rows <= qint32(IN_ROW_LIST.size())) {
        IN_ROW& w = IN_ROW_LIST[rows - 1];
        if (joins(w, r)) {
            ++w.ROW_QTY;
            if (r.BOUT_Y > 0) ++w.ROW_OUT;
            w.NOS_LAST = r.B_NOS;
            if (w.MSG != r.MSG) w.MSG.clear();
            return 0;
        }
    }
    if (rows >= IN_ROW_SLOTS) return 0;  // no slot left
    // The table grows with the rows built (most searches build few), in the
    // room for every slot taken with its first row: the rows never move.
    if (rows >= qint32(IN_ROW_LIST.size())) {
        bigtable::reserve(IN_ROW_LIST, IN_ROW_SLOTS);
        IN_ROW_LIST.resize(
            size_t(std::clamp<qint32>(std::max(rows + 1, qint32(IN_ROW_LIST.size()) * 2), 256, IN_ROW_SLOTS)));
    }
    IN_ROW_LIST[rows] = rowOf(r);
    g_rowsUsed = std::max(g_rowsUsed, rows + 1);
    return 1;
}

void IN_ROW_SORT_NO() {
    sortRows(1, [](const IN_ROW& w) { return Key().add(w.BY_W).add(w.BY_Y).add(w.B_NO).add(w.NOS_FIRST); });
}

void IN_ROW_SORT_DATE() {
    sortRows(2, [](const IN_ROW& w) {
        return Key()
            .add(w.BIN_Y).add(w.BIN_M).add(w.BIN_D)
            .add(w.KUBUN_IDX).add(w.NO_KY).add(w.BU_KEY).add(w.NAME_NO)
            .add(w.B_NO).add(w.NOS_FIRST);
    });
}

void IN_ROW_SORT_KUBUN() {
    sortRows(3, [](const IN_ROW& w) {
        return Key()
            .add(w.KUBUN_IDX).add(w.NO_KY).add(w.BU_KEY).add(w.NAME_NO)
            .add(w.B_NO).add(w.NOS_FIRST)
            .add(w.BIN_Y).add(w.BIN_M).add(w.BIN_D);
    });
}

void OUT_LIST_MAKE() {
    if (OUT_LIST.size() < size_t(ZEMLO_SLOTS)) OUT_LIST.resize(ZEMLO_SLOTS);
    for (int k = 0; k < std::min<int>(std::max(OUT_COUNT, 0), int(OUT_LIST.size())); ++k) OUT_LIST[k] = {};
    OUT_COUNT = 0;
    for (int k = 0; k < std::min<int>(std::max(OUT_VIEW_COUNT, 0), int(OUT_LIST_VIEW.size())); ++k)
        OUT_LIST_VIEW[k] = {};
    OUT_VIEW_COUNT = 0;
    OUT_SEL_TOP = OUT_SEL_END = 0;
    clearRows();

    const int n = std::min<int>(std::max(ZEMLO_COUNT, 0), int(ZEMLO_DATA.size()));
    int outs = 0;
    for (int j = 0; j < n && outs < int(OUT_LIST.size()); ++j) {
        const ZEMLO_REC& r = ZEMLO_DATA[j];
        if (r.BOUT_Y > 0 && r.BOUT_M > 0 && r.BOUT_D > 0) OUT_LIST[outs++] = {j, 0};
    }
    OUT_COUNT = outs;
    if (outs == 0) return;

    // The rows over the whole register, remembering the row of each record.
    std::vector<qint32> rowOfRecord(n, -1);
    qint32 rows = 0;
    for (int j = 0; j < n; ++j) {
        rows += IN_ROW_MERGE(j, rows);
        rowOfRecord[j] = rows - 1;
    }
    // A record's whole purchase is out when its own row has every unit out.
    for (int k = 0; k < outs; ++k) {
        const qint32 row = rowOfRecord[OUT_LIST[k].OUT_REC];
        if (row >= 0 && IN_ROW_LIST[row].ROW_QTY == IN_ROW_LIST[row].ROW_OUT) OUT_LIST[k].OUT_ALL = 1;
    }
}
