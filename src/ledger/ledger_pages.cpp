#include "ledger/ledger_pages.h"

#include <QDate>
#include <algorithm>
#include <optional>

namespace {

qint32 itemCount() { return std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size())); }
qint32 masterCount() { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); }

}  // namespace

QString LEDGER_KEY(qint16 kubunIdx, qint16 noKy, qint32 buKey, const QString& name) {
    const QChar sep(0x1F);
    return QString::number(kubunIdx) + sep + QString::number(noKy) + sep + QString::number(buKey) + sep + name;
}

LEDGER_MEMBERS::LEDGER_MEMBERS(bool outLeft) {
    const qint32 n = itemCount();
    byKey_.reserve(std::min<qint32>(n, KUBUN_SLOTS));
    QString lastKey;
    std::vector<qint32>* last = nullptr;
    for (qint32 i = 0; i < n; ++i) {
        const ZEMLO_REC& z = ZEMLO_DATA[size_t(i)];
        if (outLeft && z.BOUT_Y > 1900) continue;
        QString key = LEDGER_KEY(z.KUBUN_IDX, z.NO_KY, z.BU_KEY, z.NAME_D);
        // Records of one item name mostly follow each other.
        if (!last || key != lastKey) {
            last = &byKey_[key];
            lastKey = std::move(key);
        }
        last->push_back(i);
    }
}

const std::vector<qint32>& LEDGER_MEMBERS::of(const KUBUN_REC& e) const {
    const auto it = byKey_.constFind(LEDGER_KEY(e.KUBUN_IDX, e.NO_KY, e.BU_KEY, e.NAME_D));
    return it == byKey_.constEnd() ? none_ : *it;
}

bool LEDGER_CHANGED_SINCE(const ZEMLO_REC& z, const QDateTime& printed) {
    const QDate changed(z.CHG_Y, z.CHG_M, z.CHG_D);
    if (z.CHG_Y <= 0 || !changed.isValid()) return false;
    if (!printed.isValid()) return true;
    return changed > printed.date();
}

std::vector<int> LEDGER_SHEETS(const std::vector<qint32>& members, const QDateTime& printed, bool replacement) {
    std::vector<int> sheets;
    const int count = int((members.size() + LEDGER_ROWS - 1) / LEDGER_ROWS);
    for (int s = 0; s < count; ++s) {
        bool prints = !replacement || s == 0;
        const size_t end = std::min(members.size(), size_t(s + 1) * LEDGER_ROWS);
        for (size_t k = size_t(s) * LEDGER_ROWS; !prints && k < end; ++k)
            prints = LEDGER_CHANGED_SINCE(ZEMLO_DATA[size_t(members[k])], printed);
        if (prints) sheets.push_back(s);
    }
    return sheets;
}

qint16 NOTE_PAGE_CHG_CALC(qint32 master, bool outLeft) {
    if (master < 0 || master >= masterCount()) return 1;
    const KUBUN_REC& e = KUBUN_DATA[size_t(master)];
    const LEDGER_MEMBERS members(outLeft);
    return qint16(std::max<size_t>(1, LEDGER_SHEETS(members.of(e), e.PRT_DATE, true).size()));
}

qint32 NOTE_PAGE_CALC_ALL(bool outLeft, bool replacement) {
    qint32 total = 0;
    const LEDGER_MEMBERS* members = nullptr;
    std::optional<LEDGER_MEMBERS> built;
    for (qint32 i = 0; i < masterCount(); ++i) {
        KUBUN_REC& e = KUBUN_DATA[size_t(i)];
        qint32 sheets = 0;
        if (e.IN_CNT > 0) {
            const qint32 c = outLeft ? e.IN_CNT - e.OUT_CNT : e.IN_CNT;
            sheets = c > 0 ? (c + LEDGER_ROWS - 1) / LEDGER_ROWS : 0;
        }
        if (sheets > 1 && replacement) {
            // One pass over the items serves every entry.
            if (!members) members = &built.emplace(outLeft);
            sheets = qint32(std::max<size_t>(1, LEDGER_SHEETS(members->of(e), e.PRT_DATE, true).size()));
        }
        e.PRT_PAGES = qint16(std::min<qint32>(sheets, 32767));
        total += e.PRT_PAGES;
    }
    return total;
}
