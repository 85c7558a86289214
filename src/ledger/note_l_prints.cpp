#include "ledger/note_l_prints.h"

#include <algorithm>

#include "category/category_list_print.h"
#include "platform/ui.h"
#include "store/state.h"

int NOTEL_LIST_PRT(const QString& category) {
    PRT_STOP = 0;
    KUBUN_LIST_GROUP g;
    g.selLine = QStringLiteral("(") + category + QStringLiteral(")");
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    for (qint32 e = 0; e < n; ++e) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
        if (k.IN_CNT != 0 && k.KUBUN == category) g.entries.push_back(e);
    }
    return KUBUN_LIST_RUN({g}, QStringLiteral("台帳印刷"), QStringLiteral("内訳一覧表"), 26);
}

void NOTEL_LIST_PRT_ASK(const QString& category) {
    if (category.isEmpty()) {
        ui::MsgBox(QStringLiteral("印刷区分をを選択してください"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    if (ui::MsgBox(QStringLiteral("一覧表を印刷します"), ui::vbYesNo | ui::vbQuestion, ui::kTitle) != ui::vbYes) return;
    ui::BusyPointer busy;
    NOTEL_LIST_PRT(category);
}
