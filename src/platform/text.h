// Japanese text services: width conversion and upper case as the register
// uses them, and the number a text box holds.
#pragma once
#include <QString>
#include <optional>

namespace text {

// Full-width to half-width: full-width Latin letters, digits, symbols, the
// ideographic blank and katakana become their half-width forms (a voiced
// katakana becomes two half-width characters); kanji, hiragana and characters
// that are half-width already stay. The full-width double quote ＂ stays as
// it is (a bare quote would break the data files).
QString toHalfWidth(const QString& s);
// Half-width to full-width (Latin letters, digits, symbols, blank, katakana
// with their voicing marks joined).
QString toFullWidth(const QString& s);
// Upper case of Latin letters, half- and full-width.
QString toUpper(const QString& s);

// The number a text begins with: leading blanks skipped, reading stops at the
// first character that cannot continue a number; empty or non-numeric text
// reads as 0. Only half-width digits count, as in the windows of the register.
double val(const QString& s);

// A text right-aligned in a field of `width` characters: blanks in front of
// a shorter one; a longer one stays whole, so that no figure is ever cut.
QString rset(const QString& s, int width);
// A count as the pattern "####" shows it: its digits, nothing for 0.
QString countText(qint64 v);

// The whole number a figure box holds, read strictly: blanks around it, an
// optional minus, half- or full-width digits, commas only where they group
// the digits in threes (1,200,000), and a fraction after a point, rounded
// half to even. Blanks alone read as 0. Anything else (letters, a stray
// comma, a second point, more than 18 digits) gives nullopt, so the caller
// can refuse it instead of storing a part of it.
std::optional<qint64> figure(const QString& s);

// Nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
qint64 roundHalfEven(double v);

}  // namespace text
