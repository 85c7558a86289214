// The Japanese calendar, day-exact: which era a date falls in, the era's
// letter and name, and the year within it. An era begins on the day its
// predecessor ended, so 7 January 1989 is 昭和64 and 8 January 1989 平成1.
#pragma once
#include <QDate>
#include <QString>

namespace era {

struct Era {
    QDate start;      // first day of the era
    QString letter;   // "M", "T", "S", "H", "R"
    QString name;     // "明治", "大正", "昭和", "平成", "令和"
};

// The eras in order, oldest first.
const Era* begin();
const Era* end();

// The era of `d`, or nullptr for an invalid date or one before 明治.
const Era* of(const QDate& d);

// Era letter / era name of `d`; empty when of(d) is null.
QString letter(const QDate& d);
QString name(const QDate& d);
// Year within the era (1 in the era's first calendar year); for a date
// outside every era, the Gregorian year.
int year(const QDate& d);

}  // namespace era
