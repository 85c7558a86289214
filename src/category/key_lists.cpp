#include "category/key_lists.h"

#include <QSet>
#include <algorithm>

#include "platform/csv.h"
#include "platform/text.h"
#include "store/category_file.h"
#include "store/state.h"

namespace kubun_keys {

namespace {
void addOnce(QStringList& list, QSet<QString>& seen, const QString& s) {
    if (seen.contains(s)) return;
    seen.insert(s);
    list.append(s);
}

// The range clipped to the master.
bool clip(const Range& r, qint32* first, qint32* last) {
    if (r.empty()) return false;
    *first = std::max<qint32>(r.first, 0);
    *last = std::min<qint32>(r.last, std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size())) - 1);
    return *first <= *last;
}
}  // namespace

QStringList subjectNames(const QString& kubun) {
    QStringList out;
    QSet<QString> seen;
    const qint32 n = std::min<qint32>(KYOUKA_COUNT, qint32(KYOUKA_INDEX.size()));
    for (qint32 i = 0; i < n; ++i)
        if (KYOUKA_INDEX[i].KUBUN == kubun) addOnce(out, seen, KYOUKA_INDEX[i].KYOUKA);
    return out;
}

Range subjectRange(qint16 kubunIdx, const QString& subject) {
    Range r;
    const qint32 n = std::min<qint32>(KYOUKA_COUNT, qint32(KYOUKA_INDEX.size()));
    for (qint32 i = 0; i < n; ++i) {
        const KYOUKA_INDEX_REC& k = KYOUKA_INDEX[i];
        if (k.KYOUKA != subject || k.KUBUN_IDX != kubunIdx) continue;
        if (r.empty()) {
            r.first = k.KY_FIRST;
            r.last = k.KY_LAST;
        } else {
            r.last = std::max(r.last, k.KY_LAST);
        }
    }
    return r;
}

QStringList classNames(const Range& r, const QString& kubun, const QString& subject, qint16* noKy) {
    QStringList out;
    QSet<QString> seen;
    qint32 first, last;
    if (!clip(r, &first, &last)) return out;
    for (qint32 i = first; i <= last; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.KYOUKA != subject || e.KUBUN != kubun) continue;
        if (out.isEmpty() && noKy) *noKy = e.NO_KY;
        addOnce(out, seen, e.BUNRUI);
    }
    return out;
}

QStringList itemNames(const Range& r, const QString& kubun, const QString& subject, const QString& bunrui,
                      QString* code, qint32* firstEntry) {
    QStringList out;
    QSet<QString> seen;
    qint32 first, last;
    if (!clip(r, &first, &last)) return out;
    for (qint32 i = first; i <= last; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.BUNRUI != bunrui || e.KYOUKA != subject || e.KUBUN != kubun) continue;
        if (out.isEmpty()) {
            if (code) *code = e.NO_BU;
            if (firstEntry) *firstEntry = i;
        }
        addOnce(out, seen, e.NAME_D);
    }
    return out;
}

qint32 itemEntry(const Range& r, const QString& kubun, const QString& subject, const QString& bunrui,
                 const QString& name) {
    qint32 first, last;
    if (!clip(r, &first, &last)) return -1;
    for (qint32 i = first; i <= last; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.NAME_D == name && e.BUNRUI == bunrui && e.KYOUKA == subject && e.KUBUN == kubun) return i;
    }
    return -1;
}

bool codeNormal(const QString& typed, QString* code, qint32* key) {
    const QString c = text::toUpper(text::toHalfWidth(typed.trimmed()));
    try {
        const qint32 k = CODE_KEY(c);
        if (k == -1) return false;  // the loader refuses it
        *code = c;
        *key = k;
        return true;
    } catch (const csv::ReadError&) {
        return false;
    }
}

bool subjectNo(const QString& typed, qint16* number) {
    const QString t = text::toHalfWidth(typed.trimmed());
    if (t.isEmpty() || t.size() > 2) return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9') return false;
    *number = qint16(t.toInt());
    return true;
}

const QStringList& functionTexts() {
    static const QStringList texts = {QString(), QStringLiteral("発表"), QStringLiteral("道具"), QStringLiteral("実験"),
                                      QStringLiteral("情報")};
    return texts;
}

}  // namespace kubun_keys
