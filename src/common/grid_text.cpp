#include "common/grid_text.h"

#include <QDate>

#include "platform/era.h"
#include "store/amounts.h"
#include "store/state.h"

namespace grid_text {

const QString& eraLetter(qint16 code) {
    static const QString none;
    if (code < 3 || code > 5) return none;
    return ERA_TABLE[code - 3].ERA_CHAR;
}

void appendInt(QString& s, qint64 v, int width) {
    char16_t buf[24];
    int i = 24;
    const bool neg = v < 0;
    quint64 u = neg ? quint64(0) - quint64(v) : quint64(v);
    do {
        buf[--i] = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u > 0);
    if (neg) buf[--i] = u'-';
    for (int n = 24 - i; n < width; ++n) s += QChar(u' ');
    s.append(reinterpret_cast<const QChar*>(buf + i), 24 - i);
}

void appendGrouped(QString& s, qint64 v) { MONEY_APPEND(s, v); }

bool appendMoney(QString& s, qint64 v) {
    const qsizetype start = s.size();
    appendGrouped(s, v);
    const qsizetype len = s.size() - start;
    if (len == 0) return true;
    static constexpr char16_t blanks[] = u"         ";
    if (len < 9) s.insert(start, reinterpret_cast<const QChar*>(blanks), 9 - len);
    return len <= 9;
}

void appendYear(QString& s, const QString& letter, qint64 year) {
    s += letter;
    appendInt(s, year, 3);
    s += QStringLiteral("年度");
}

void appendNumber(QString& s, const QString& letter, qint64 year, qint64 no, qint64 branch) {
    s += letter;
    appendInt(s, year);
    s += QChar(u'-');
    appendInt(s, no);
    s += QChar(u'-');
    appendInt(s, branch);
}

void appendEraDate(QString& s, int y, int m, int d) {
    if (y <= 1900) return;
    const QDate date(y, m, d);
    if (!date.isValid()) return;
    const era::Era* e = era::of(date);
    if (e) s += e->letter;
    s += QChar(u' ');
    appendNum2(s, era::year(date));
    s += QChar(u'/');
    appendNum2(s, m);
    s += QChar(u'/');
    appendNum2(s, d);
}

void appendTax(QString& s, int taxK, qint64 rate) { TAX_APPEND(s, taxK, rate); }

}  // namespace grid_text
