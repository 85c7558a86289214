#include "ledger/master_index.h"

#include <QSet>
#include <algorithm>

#include "store/category_lists.h"

namespace {

qint32 indexCount() { return std::clamp<qint32>(KUBUN_INDEX_COUNT, 0, qint32(KUBUN_INDEX.size())); }

bool onPath(int level, const NOTE_FILTER& f, const KUBUN_REC& e) {
    if (e.KUBUN != f.KUBUN) return false;
    if (level >= 2 && e.NO_KY != f.NO_KY) return false;
    if (level >= 3 && e.BUNRUI != f.BUNRUI) return false;
    if (level >= 4 && e.NAME_D != f.NAME_D) return false;
    return true;
}

}  // namespace

void KUBUN_INDEX_MAKE() {
    if (qint32(KUBUN_INDEX.size()) != KUBUN_SLOTS) KUBUN_INDEX.assign(KUBUN_SLOTS, 0);
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, KUBUN_SLOTS);
    qint32 kept = 0;
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        if (k.IN_CNT > 0 || k.OUT_CNT > 0) KUBUN_INDEX[size_t(kept++)] = i;
    }
    KUBUN_INDEX_COUNT = kept;
}

bool NOTE_FILTER_PASS(const NOTE_FILTER& f, const KUBUN_REC& e) {
    if (!f.KUBUN.isEmpty() && e.KUBUN != f.KUBUN) return false;
    if (f.BY_KYOUKA && e.NO_KY != f.NO_KY) return false;
    if (!f.BUNRUI.isEmpty() && e.BUNRUI != f.BUNRUI) return false;
    if (!f.NAME_D.isEmpty() && e.NAME_D != f.NAME_D) return false;
    return true;
}

QStringList NOTE_KUBUN_NAMES() {
    QStringList names{QString()};
    QSet<QString> seen;
    for (qint32 p = 0; p < indexCount(); ++p) {
        const QString& k = NOTE_ENTRY(p).KUBUN;
        if (!seen.contains(k)) {
            seen.insert(k);
            names << k;
        }
    }
    return names;
}

void NOTE_KYOUKA_NAMES(const QString& kubun, qint32 from, QStringList& names, QList<qint16>& numbers) {
    names.clear();
    numbers.clear();
    for (qint32 p = std::max<qint32>(from, 0); p < indexCount(); ++p) {
        const KUBUN_REC& e = NOTE_ENTRY(p);
        if (e.KUBUN != kubun || numbers.contains(e.NO_KY)) continue;
        names << SUBJECT_HEAD(e.KYOUKA);
        numbers << e.NO_KY;
    }
}

QStringList NOTE_BUNRUI_NAMES(const QString& kubun, qint16 noKy, qint32 from) {
    QStringList names;
    for (qint32 p = std::max<qint32>(from, 0); p < indexCount(); ++p) {
        const KUBUN_REC& e = NOTE_ENTRY(p);
        if (e.KUBUN == kubun && e.NO_KY == noKy && !names.contains(e.BUNRUI)) names << e.BUNRUI;
    }
    return names;
}

QStringList NOTE_NAME_NAMES(const QString& kubun, qint16 noKy, const QString& bunrui, qint32 from) {
    QStringList names;
    for (qint32 p = std::max<qint32>(from, 0); p < indexCount(); ++p) {
        const KUBUN_REC& e = NOTE_ENTRY(p);
        if (e.KUBUN == kubun && e.NO_KY == noKy && e.BUNRUI == bunrui && !names.contains(e.NAME_D)) names << e.NAME_D;
    }
    return names;
}

qint32 NOTE_JUMP_FIND(int level, const NOTE_FILTER& f, qint32 from) {
    for (qint32 p = std::max<qint32>(from, 0); p < indexCount(); ++p)
        if (onPath(level, f, NOTE_ENTRY(p))) return p;
    return -1;
}
