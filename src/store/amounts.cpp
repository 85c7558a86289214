#include "store/amounts.h"

namespace {

// The digits of `u` (grouped by three with `grouped`), with a minus in
// front when `neg`, appended to `s` without a text of their own.
template <class Unsigned>
void appendDigits(QString& s, Unsigned u, bool neg, bool grouped) {
    char16_t buf[64];
    int i = 64, digits = 0;
    do {
        if (grouped && digits > 0 && digits % 3 == 0) buf[--i] = u',';
        buf[--i] = char16_t(u'0' + int(u % 10));
        u /= 10;
        ++digits;
    } while (u > 0);
    if (neg) buf[--i] = u'-';
    s.append(reinterpret_cast<const QChar*>(buf + i), 64 - i);
}

}  // namespace

qint64 ITEM_AMOUNT(qint64 price, qint64 count, bool taxOut, qint64 rate) {
    const __int128 a = ITEM_AMOUNT_WIDE(price, count, taxOut, rate);
    return a > INT64_MAX ? INT64_MAX : (a < -INT64_MAX ? -INT64_MAX : qint64(a));
}

__int128 ITEM_AMOUNT_WIDE(qint64 price, qint64 count, bool taxOut, qint64 rate) {
    // Exact in 128 bits for any 32-bit price, count and rate.
    using wide = __int128;
    auto clamp = [](wide v, wide lim) { return v > lim ? lim : (v < -lim ? -lim : v); };
    const wide lim = wide(1) << 40;  // keeps the products below inside 128 bits
    const wide base = clamp(price, lim) * clamp(count, lim);
    wide q = base;
    if (taxOut) {
        const wide num = base * clamp(wide(rate) + 100, lim);
        q = num / 100;
        // Half to even on the exact quotient.
        const wide r = num % 100, ar = r < 0 ? -r : r;
        if (ar > 50 || (ar == 50 && (q % 2 != 0))) q += (num < 0 ? -1 : 1);
    }
    return q;
}

qint64 ZEMLO_AMOUNT(const ZEMLO_REC& r, bool zeroWithoutPrice) {
    if (r.TAX_K != 1) return r.B_MONY;
    if (zeroWithoutPrice && r.B_MONY < 1) return 0;
    return ITEM_AMOUNT(r.B_MONY, 1, true, r.TAX);
}

void MONEY_APPEND(QString& s, __int128 v) {
    if (v == 0) return;
    const bool neg = v < 0;
    const unsigned __int128 u = neg ? (unsigned __int128)0 - (unsigned __int128)v : (unsigned __int128)v;
    // Every real amount fits 64 bits, whose division is the faster.
    if (u <= UINT64_MAX) appendDigits(s, quint64(u), neg, true);
    else appendDigits(s, u, neg, true);
}

QString MONEY_TEXT(__int128 v) {
    QString s;
    MONEY_APPEND(s, v);
    return s;
}

void TAX_APPEND(QString& s, qint32 taxK, qint64 rate) {
    switch (taxK) {
        case 0: return;
        case 3: s += QStringLiteral("無し"); return;
        case 1: s += QStringLiteral("外"); break;
        default: s += QStringLiteral("内"); break;
    }
    appendDigits(s, rate < 0 ? quint64(0) - quint64(rate) : quint64(rate), rate < 0, false);
    s += QChar(u'%');
}

QString TAX_TEXT(qint32 taxK, qint64 rate) {
    QString s;
    TAX_APPEND(s, taxK, rate);
    return s;
}
