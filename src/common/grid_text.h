// Texts of the list grids' cells, appended to a buffer that the row drawing
// reuses from row to row, so that scrolling through a long list does not
// allocate.
#pragma once
#include <QString>

namespace grid_text {

// The letter of an era code ("S", "H", "R" for 3 to 5); empty for any other
// code.
const QString& eraLetter(qint16 code);

// The decimal text of v, right-aligned in `width` characters (blanks in
// front; a longer text is kept whole).
void appendInt(QString& s, qint64 v, int width = 0);
// Two wide: a one-character number gets a blank in front.
inline void appendNum2(QString& s, qint64 v) { appendInt(s, v, 2); }
// "#,###" (0 gives nothing).
void appendGrouped(QString& s, qint64 v);
// "#,###" right-aligned in nine characters (0 gives nothing); returns false
// when the text is longer than the field (then `s` holds the whole text).
bool appendMoney(QString& s, qint64 v);
// The registration year of a row: era letter, the year right-aligned in
// three characters and "年度" (R  5年度).
void appendYear(QString& s, const QString& letter, qint64 year);
// An item number without blanks: era letter, year, number and branch joined
// by "-" (R5-12-1).
void appendNumber(QString& s, const QString& letter, qint64 year, qint64 no, qint64 branch);
// The era date text of the lists (letter, a blank, year, month and day two
// wide); nothing for a year up to 1900 or a date that does not exist.
void appendEraDate(QString& s, int y, int m, int d);
// The tax cell: nothing for mode 0, "無し" for 3, "外" and the rate with "%"
// for 1 (外10%), "内" and the rate with "%" for any other mode.
void appendTax(QString& s, int taxK, qint64 rate);

}  // namespace grid_text
