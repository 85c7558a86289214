#include "lists/disposed_search.h"

#include <algorithm>

#include "platform/text.h"

namespace {

// The text with the half-width blanks at its ends removed.
QStringView trimBlanks(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == QLatin1Char(' ')) ++a;
    while (b > a && s[b - 1] == QLatin1Char(' ')) --b;
    return QStringView(s).mid(a, b - a);
}

int eraPos(int p) { return std::clamp(p, 0, int(ERA_TABLE.size()) - 1); }

}  // namespace

OUT_CRITERIA::OUT_CRITERIA(const OUT_FILTER& f) : f_(f) {
    eraCode_ = qint16(eraPos(f.DP_W) + 3);
    outFiscal_ = qint32(text::roundHalfEven(f.OUT_Y + ERA_TABLE[size_t(eraPos(f.DP_WO))].ERA_BASE));
    const QString upper = f.NAME_D.toUpper();
    if (upper == QStringLiteral("NOT") || upper == QStringLiteral("ＮＯＴ")) {
        name_ = Name::Empty;
    } else if (!f.NAME_D.isEmpty()) {
        name_ = Name::Pattern;
        pattern_ = NamePattern(trimBlanks(f.NAME_D).toString());
    }
}

bool OUT_CRITERIA::passes(const ZEMLO_REC& r) const {
    if (r.BOUT_Y == 0) return false;
    const bool relocated = (r.MOVE_F & 2) != 0;
    if (f_.KIND == OUT_FILTER::Kind::Disposal && relocated) return false;
    if (f_.KIND == OUT_FILTER::Kind::Relocation) {
        if (!relocated) return false;
        if (!f_.MOVE_N.isEmpty() && r.MOVE_N2 != f_.MOVE_N) return false;
    }
    if (f_.SPAN) {
        const QDate d(r.BOUT_Y, r.BOUT_M, r.BOUT_D);
        if (!d.isValid() || d < f_.ST_D || d > f_.END_D) return false;
    }
    if (f_.CH_Y > 0 && (r.BY_W != eraCode_ || r.BY_Y != f_.CH_Y)) return false;
    if (f_.OUT_Y > 0) {
        const qint32 fiscal = r.BOUT_M >= 1 && r.BOUT_M <= 3 ? r.BOUT_Y - 1 : r.BOUT_Y;
        if (fiscal != outFiscal_) return false;
    }
    if (!f_.KEIHI.isEmpty() && r.KEIHI != f_.KEIHI) return false;
    if (!f_.KUBUN.isEmpty() && r.KUBUN_IDX != f_.CUR_KUBUN) return false;
    if (!f_.KYOUKA.isEmpty() && r.NO_KY != f_.CUR_KYOUKA) return false;
    if (!f_.BUNRUI.isEmpty() && r.BUNRUI != f_.BUNRUI) return false;
    switch (name_) {
        case Name::Off: break;
        case Name::Empty:
            if (!r.NAME_D.isEmpty()) return false;
            break;
        case Name::Pattern: {
            const QStringView name = trimBlanks(r.NAME_D);
            if (name.isEmpty() || !pattern_.matches(name)) return false;
            break;
        }
    }
    return true;
}

std::pair<QString, QString> OUT_SPAN_DEFAULT(const QDate& today, const QString& outY, int era) {
    // The current fiscal year in 平成 years, unless a disposal year is typed:
    // then that year of the era chosen beside it (元年, 1, included).
    qint64 y = today.year() - ERA_TABLE[1].ERA_BASE - (today.month() < 4 ? 1 : 0);
    QString letter = ERA_TABLE[1].ERA_CHAR;
    const double typed = text::val(outY);
    if (typed > 0) {
        y = text::roundHalfEven(typed);
        letter = ERA_TABLE[size_t(eraPos(era))].ERA_CHAR;
    }
    return {letter + QString::number(y) + QStringLiteral("/4/1"), letter + QString::number(y + 1) + QStringLiteral("/3/31")};
}

std::vector<OUT_TOTAL_ROW> OUT_TOTAL_MAKE() {
    std::vector<OUT_TOTAL_ROW> rows;
    const qint32 n = std::clamp<qint32>(OUT_VIEW_COUNT, 0, qint32(OUT_LIST_VIEW.size()));
    const ZEMLO_REC* first = nullptr;
    for (qint32 j = 0; j < n; ++j) {
        const OUT_LIST_VIEW_REC& v = OUT_LIST_VIEW[size_t(j)];
        if (v.REC_NO < 0 || v.REC_NO >= qint32(ZEMLO_DATA.size())) continue;
        const ZEMLO_REC& r = ZEMLO_DATA[size_t(v.REC_NO)];
        if (first && r.BY_W == first->BY_W && r.BY_Y == first->BY_Y && r.B_NO == first->B_NO) {
            ++rows.back().UNITS;
            continue;
        }
        rows.push_back({v.REC_NO, v.ROW_FLAG, 1});
        first = &r;
    }
    return rows;
}
