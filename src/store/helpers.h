// Small shared helpers: two-wide numbers, Japanese-era date texts and the
// write test of the work folder.
#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// The decimal text of n; a one-character result gets a blank in front
// (7 -> " 7", 12 -> "12", -5 -> "-5").
QString NUM2_STR(qint16 n);

// A date as era text, by the Japanese calendar of the exact day:
//   mode 0: letter, Y, "/", M, "/", D            (H 9/ 4/ 1)
//   mode 1: first character of the era name, Y, "年", M, "月", D, "日"
//   mode 2: letter, a blank, Y, "/", M, "/", D   (H  9/ 4/ 1)
// with Y, M and D two-wide (NUM2_STR). Any other mode, and the empty
// (invalid) date, give the empty text.
QString ERA_DATE_STR(const QDate& d, qint16 mode);
inline QString ERA_DATE_STR(const QDateTime& d, qint16 mode) { return ERA_DATE_STR(d.date(), mode); }

// A date as the page heads of the prints show it: era name, era year, "年",
// month, "月", day, "日", without padding (令和6年6月15日); the empty text
// for the empty date.
QString ERA_DATE_LONG(const QDate& d);

// The write test of the work folder (and of SET_D_DIR / SET_S_DIR when set):
// 1 when they can be written, -1 after its message when not.
qint16 WORK_DIR_CHECK();

// Reads a date typed in the Japanese conventions: a Gregorian year, month
// and day (2021/4/1, 2021年4月1日), or an era letter (S, H, R) or era name
// (昭和, 平成, 令和) before the era year, month and day (R3/4/1, 令和3年4月1日,
// 令和元年5月1日). The era year counts from the era's base year in ERA_TABLE
// without an upper limit (H32/3/31 is 31 March 2020). Full-width digits,
// letters and "／" read as their half-width forms; "/", "-", "." and 年/月
// separate the parts, and a closing 日 may follow. A text that names no
// existing day gives the invalid date.
QDate DATE_TEXT_READ(const QString& text);
