#include "ledger/item_totals_rows.h"

#include <algorithm>

#include "lists/history_search.h"
#include "platform/ui.h"
#include "store/rows.h"
#include "store/state.h"

qint32 NOTEL_IN_ROW_MAKE() {
    ROW_COUNT = 0;
    ROW_ORDER = 0;
    const qint32 n = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    qint32 rows = 0;
    int shown = -1;
    for (qint32 j = 0; j < n; ++j) {
        rows += IN_ROW_MERGE(j, rows);
        const int percent = int(qint64(j) * 100 / n);
        if (percent != shown) {
            shown = percent;
            ui::DoEvents();
        }
    }
    ROW_COUNT = rows;
    IN_ROW_AMOUNT_CALC();
    IN_ROW_SORT_DATE();
    return rows;
}

size_t qHash(const NOTEL_ROW_INDEX::Key& k, size_t seed) {
    return qHashMulti(seed, k.kubun, k.noKy, k.buKey, k.name);
}

NOTEL_ROW_INDEX::NOTEL_ROW_INDEX() {
    const qint32 n = std::clamp<qint32>(ROW_COUNT, 0, qint32(IN_ROW_LIST.size()));
    for (qint32 k = 0; k < n; ++k) {
        const IN_ROW& w = IN_ROW_LIST[size_t(k)];
        rows_[Key{w.KUBUN_IDX, w.NO_KY, w.BU_KEY, w.NAME_D}].push_back(k);
    }
}

const std::vector<qint32>& NOTEL_ROW_INDEX::rowsOf(const KUBUN_REC& e) const {
    static const std::vector<qint32> none;
    const auto it = rows_.constFind(Key{e.KUBUN_IDX, e.NO_KY, e.BU_KEY, e.NAME_D});
    return it == rows_.cend() ? none : *it;
}
