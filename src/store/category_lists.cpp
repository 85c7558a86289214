#include "store/category_lists.h"

#include <QSet>
#include <algorithm>

// ---------------------------------------------------------------- category list

QStringList KUBUN_LIST_NAMES() {
    QStringList out;
    for (const QString& k : KUBUN_NAMES)
        if (!k.isEmpty()) out.append(k);
    return out;
}

qint16 KUBUN_LIST_IDX(int pos) {
    if (pos < 0) return 0;
    int listed = 0;
    for (int i = 0; i < int(KUBUN_NAMES.size()); ++i) {
        if (KUBUN_NAMES[i].isEmpty()) continue;
        if (listed++ == pos) return qint16(i + 1);
    }
    return 0;
}

int KUBUN_LIST_POS(qint16 kubunIdx) {
    if (kubunIdx < 1 || kubunIdx > int(KUBUN_NAMES.size()) || KUBUN_NAMES[kubunIdx - 1].isEmpty()) return -1;
    int pos = 0;
    for (int i = 0; i < kubunIdx - 1; ++i)
        if (!KUBUN_NAMES[i].isEmpty()) ++pos;
    return pos;
}

// ---------------------------------------------------------------- subject lists

namespace {
qsizetype subjectBlank(const QString& name) {
    qsizetype k = name.indexOf(QChar(u' '));
    if (k < 0) k = name.indexOf(QChar(char16_t(0x3000)));
    return k;
}
qint32 masterEnd() { return std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size())); }
qint32 indexEnd() { return std::min<qint32>(KYOUKA_COUNT, qint32(KYOUKA_INDEX.size())); }
}  // namespace

QString SUBJECT_HEAD(const QString& name) {
    const qsizetype k = subjectBlank(name);
    return k < 0 ? name : name.left(k);
}

QString SUBJECT_TAIL(const QString& name, bool* hasBlank) {
    const qsizetype k = subjectBlank(name);
    if (hasBlank) *hasBlank = k >= 0;
    return k < 0 ? QString() : name.mid(k + 1);
}

void ADD_IF_NEW(QStringList& list, const QString& text) {
    if (list.isEmpty()) list.append(QString());
    if (!list.contains(text)) list.append(text);
}

void KYOUKA_LIST_SET(qint16 curKubun, QStringList& names, QList<qint16>& numbers) {
    names = {QString()};
    numbers = {0};
    for (qint32 i = 0, n = indexEnd(); i < n; ++i) {
        const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
        if (e.KUBUN_IDX != curKubun || numbers.contains(e.NO_KY)) continue;
        names.append(SUBJECT_HEAD(e.KYOUKA));
        numbers.append(e.NO_KY);
    }
}

void SUBJECT_LINE_ADD(QStringList& names, QList<qint16>& numbers, qint16 number, const QString& name) {
    if (names.isEmpty()) {
        names.append(name);
        numbers.append(number);
        return;
    }
    if (numbers.contains(number)) return;
    names.append(SUBJECT_HEAD(name));
    numbers.append(number);
}

void KYOUKA_NAME_LIST_SET(qint16 curKubun, QStringList& names, QList<qint16>& numbers, qint32* highest) {
    names.clear();
    numbers.clear();
    qint32 top = 0;
    QSet<QString> seen;
    for (qint32 i = 0, n = indexEnd(); i < n; ++i) {
        const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
        if (e.KUBUN_IDX != curKubun || seen.contains(e.KYOUKA)) continue;
        seen.insert(e.KYOUKA);
        names.append(e.KYOUKA);
        numbers.append(e.NO_KY);
        top = std::max<qint32>(top, e.NO_KY);
    }
    if (highest) *highest = top;
}

int KYOUKA_RUNS(qint16 curKubun, qint16 curKyouka) {
    int c = 0;
    for (qint32 i = 0, n = indexEnd(); i < n && c < 2; ++i)
        if (KYOUKA_INDEX[i].KUBUN_IDX == curKubun && KYOUKA_INDEX[i].NO_KY == curKyouka) ++c;
    return c;
}

void KYOUKA2_LIST_SET(qint16 curKubun, qint16 curKyouka, QStringList& names, QList<qint32>& entries) {
    names.clear();
    entries.clear();
    for (qint32 i = 0, n = indexEnd(); i < n; ++i) {
        const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
        if (e.KUBUN_IDX != curKubun || e.NO_KY != curKyouka) continue;
        bool blank = false;
        const QString tail = SUBJECT_TAIL(e.KYOUKA, &blank);
        if (!blank || names.contains(tail)) continue;
        names.append(tail);
        entries.append(i);
    }
}

void BUNRUI_LIST_SET(CASCADE_STATE& s, QStringList& list) {
    bool first = true;
    for (qint32 i = 0, n = indexEnd(); i < n; ++i) {
        const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
        if (e.KUBUN_IDX != s.CUR_KUBUN || e.NO_KY != s.CUR_KYOUKA) continue;
        if (first) {
            s.CUR_FIRST = e.KY_FIRST;
            s.CUR_LAST = e.KY_LAST;
            first = false;
        } else {
            s.CUR_LAST = std::max(s.CUR_LAST, e.KY_LAST);
        }
    }
    const qint32 end = masterEnd();
    auto take = [&](qint32 from, qint32 to) {
        for (qint32 m = std::max(0, from); m <= to && m < end; ++m) {
            const KUBUN_REC& k = KUBUN_DATA[m];
            if (k.KUBUN_IDX == s.CUR_KUBUN && k.NO_KY == s.CUR_KYOUKA) ADD_IF_NEW(list, k.BUNRUI);
        }
    };
    take(s.CUR_FIRST, s.CUR_LAST);
    if (KUBUN_SORTED < KUBUN_COUNT - 1) take(KUBUN_SORTED, KUBUN_COUNT - 1);
}

void BUNRUI_LIST_SET2(CASCADE_STATE& s, qint32 entry, QStringList& list) {
    if (entry < 0 || entry >= qint32(KYOUKA_INDEX.size())) return;
    const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[entry];
    s.CUR_FIRST = e.KY_FIRST;
    s.CUR_LAST = e.KY_LAST;
    list.clear();
    const qint32 end = masterEnd();
    for (qint32 m = std::max(0, s.CUR_FIRST); m <= s.CUR_LAST && m < end; ++m) ADD_IF_NEW(list, KUBUN_DATA[m].BUNRUI);
    if (KUBUN_SORTED < KUBUN_COUNT - 1)
        for (qint32 m = std::max(0, KUBUN_SORTED); m < end; ++m)
            if (KUBUN_DATA[m].KYOUKA == e.KYOUKA) ADD_IF_NEW(list, KUBUN_DATA[m].BUNRUI);
}

void NAME_LIST_SET(const CASCADE_STATE& s, const QString& bunrui, QStringList& list) {
    const qint32 end = masterEnd();
    for (qint32 m = std::max(0, s.CUR_FIRST); m <= s.CUR_LAST && m < end; ++m) {
        const KUBUN_REC& k = KUBUN_DATA[m];
        if (k.NO_KY == s.CUR_KYOUKA && k.BUNRUI == bunrui) ADD_IF_NEW(list, k.NAME_D);
    }
    if (KUBUN_SORTED < KUBUN_COUNT - 1)
        for (qint32 m = std::max(0, KUBUN_SORTED); m < end; ++m) {
            const KUBUN_REC& k = KUBUN_DATA[m];
            if (k.NO_KY == s.CUR_KYOUKA && k.BUNRUI == bunrui && k.KUBUN_IDX == s.CUR_KUBUN) ADD_IF_NEW(list, k.NAME_D);
        }
}

// ---------------------------------------------------------------- KUBUN_LIST_VIEW range

namespace {
void ensureView() {
    if (KUBUN_LIST_VIEW.size() < size_t(KUBUN_SLOTS)) KUBUN_LIST_VIEW.resize(KUBUN_SLOTS);
}
}  // namespace

void KUBUN_SEL_SET(qint16 kind, qint32 top, qint32 end) {
    KUBUN_SEL_KIND = kind;
    KUBUN_SEL_TOP = top;
    KUBUN_SEL_END = end;
}

bool KUBUN_SEL_OF(qint16 kind, qint32 count, qint32* top, qint32* end) {
    if (kind == 0 || KUBUN_SEL_KIND != kind) return false;
    count = std::min<qint32>(count, qint32(KUBUN_LIST_VIEW.size()));
    qint32 t = std::min(KUBUN_SEL_TOP, KUBUN_SEL_END), e = std::max(KUBUN_SEL_TOP, KUBUN_SEL_END);
    if (count <= 0 || t >= count || e < 0) return false;
    *top = std::max<qint32>(t, 0);
    *end = std::min<qint32>(e, count - 1);
    return true;
}

void KUBUN_SEL_FLAGS(qint32 from, qint32 to, qint16 flag) {
    ensureView();
    const qint32 last = std::min<qint32>(to, qint32(KUBUN_LIST_VIEW.size()) - 1);
    for (qint32 p = std::max<qint32>(from, 0); p <= last; ++p) KUBUN_LIST_VIEW[p].SEL_FLAG = flag;
}
