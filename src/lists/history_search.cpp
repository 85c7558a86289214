#include "lists/history_search.h"

#include <algorithm>

#include "platform/ui.h"
#include "store/amounts.h"
#include "store/rows.h"
#include "store/state.h"

namespace {
qint32 rowCount() { return std::clamp<qint32>(ROW_COUNT, 0, qint32(IN_ROW_LIST.size())); }
}  // namespace

qint32 IN_ROW_BUILD(const ZEMLO_CRITERIA& crit, ui::Progress* progress) {
    const qint32 n = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    qint32 rows = 0;
    ROW_COUNT = 0;
    ROW_ORDER = 0;
    for (qint32 j = 0; j < n; ++j) {
        if (crit.passes(ZEMLO_DATA[size_t(j)])) {
            rows += IN_ROW_MERGE(j, rows);
            if (rows > IN_ROW_LIMIT) return -1;
        }
        if (progress) progress->step(j, n);
    }
    ROW_COUNT = rows;
    IN_ROW_AMOUNT_CALC();
    return rows;
}

void IN_ROW_AMOUNT_CALC() {
    for (qint32 k = 0, n = rowCount(); k < n; ++k) {
        IN_ROW& w = IN_ROW_LIST[size_t(k)];
        const bool taxOut = w.TAX_K == 1;
        w.ROW_MONY = taxOut && (w.B_MONY <= 0 || w.ROW_QTY <= 0) ? 0 : ITEM_AMOUNT(w.B_MONY, w.ROW_QTY, taxOut, w.TAX);
    }
}

qint64 IN_ROW_TOTAL() {
    qint64 total = 0;
    for (qint32 k = 0, n = rowCount(); k < n; ++k) total += IN_ROW_LIST[size_t(k)].ROW_MONY;
    return total;
}
