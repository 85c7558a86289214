#include "platform/era.h"

#include <array>

namespace era {
namespace {
const std::array<Era, 5>& eras() {
    static const std::array<Era, 5> t{{
        {QDate(1868, 1, 25), QStringLiteral("M"), QStringLiteral("明治")},
        {QDate(1912, 7, 30), QStringLiteral("T"), QStringLiteral("大正")},
        {QDate(1926, 12, 25), QStringLiteral("S"), QStringLiteral("昭和")},
        {QDate(1989, 1, 8), QStringLiteral("H"), QStringLiteral("平成")},
        {QDate(2019, 5, 1), QStringLiteral("R"), QStringLiteral("令和")},
    }};
    return t;
}
}  // namespace

const Era* begin() { return eras().data(); }
const Era* end() { return eras().data() + eras().size(); }

const Era* of(const QDate& d) {
    if (!d.isValid()) return nullptr;
    const Era* found = nullptr;
    for (const Era* e = begin(); e != end(); ++e)
        if (d >= e->start) found = e;
    return found;
}

QString letter(const QDate& d) {
    const Era* e = of(d);
    return e ? e->letter : QString();
}

QString name(const QDate& d) {
    const Era* e = of(d);
    return e ? e->name : QString();
}

int year(const QDate& d) {
    const Era* e = of(d);
    if (!e) return d.isValid() ? d.year() : 0;
    return d.year() - e->start.year() + 1;
}

}  // namespace era
