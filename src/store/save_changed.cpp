#include "store/save_changed.h"

#include "store/category_file.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "store/plans_file.h"
#include "store/state.h"

namespace store {

bool saveTable(Table t) {
    switch (t) {
        case ITEMS: return ZEMLO_SAVE() == 1;
        case MASTER: return KUBUN_SAVE() == 1;
        case PLANS: return P_ZEMLO_SAVE() == 1;
        case NAME_LISTS: return ETC_SAVE() == 1;
    }
    return false;
}

bool saveChanged(unsigned tables) {
    bool ok = true;
    for (Table t : kTables)
        if (((tables | TABLES_UNSAVED) & t) && !saveTable(t)) ok = false;
    return ok;
}

QString tableTitle(Table t) {
    switch (t) {
        case ITEMS: return QStringLiteral("備品データ（ZEMLO.ZMD）");
        case MASTER: return QStringLiteral("備品区分（KUBUN.ZMD）");
        case PLANS: return QStringLiteral("備品購入計画（P_ZEMLO.ZMD）");
        case NAME_LISTS: return QStringLiteral("項目データ（ETC.ZMD）");
    }
    return {};
}

void noteWritten(Table t, bool written) {
    if (written)
        TABLES_UNSAVED &= ~unsigned(t);
    else
        TABLES_UNSAVED |= unsigned(t);
}

}  // namespace store
