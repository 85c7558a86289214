#include "ledger/ledger_list_print.h"

#include <algorithm>

#include "category/category_print_dialog.h"
#include "store/state.h"

int NOTE_LIST_PRT_JOB() {
    if (PRT_KIND != PrintKind::LEDGER_BREAKDOWN_CATEGORY && PRT_KIND != PrintKind::LEDGER_BREAKDOWN_SUBJECTS) return 0;
    const KUBUN_PRT_CHOICE choice = KUBUN_PRT_CHOSEN();
    const qint32 count = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    const bool bySubject = PRT_KIND == PrintKind::LEDGER_BREAKDOWN_SUBJECTS;
    const auto groups = KUBUN_PRT_GROUPS(choice, bySubject, nullptr, count, [&choice](qint32 e) {
        return choice.withUnused || KUBUN_DATA[size_t(e)].IN_CNT != 0;
    });
    return KUBUN_LIST_RUN(groups, QStringLiteral("台帳印刷"));
}
