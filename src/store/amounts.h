// The amount rule of the register and the texts amounts and taxes are shown
// in: what an item, a purchase row or a plan is worth in whole yen, the
// pattern "#,###" and the tax column of the lists. The lists, the prints, the
// totals and the exports all count and show amounts through these, so the
// rule lives once, below every window. Amounts are 64-bit (128 for the
// plans' sums), so no price, quantity or total overflows.
#pragma once
#include <QString>

#include "store/state.h"

// The amount of `count` units at `price` yen: with tax added (外税) it is
// price × count × (rate + 100) / 100, rounded half to even; otherwise
// price × count. Computed exactly for any 32-bit price, count and rate; an
// amount past the 64-bit range (no real item's) stays at its limit.
qint64 ITEM_AMOUNT(qint64 price, qint64 count, bool taxOut, qint64 rate);
// The same amount in 128 bits, exact for any 32-bit price, count and rate
// (a plan of 2,147,483,647 pieces at 2,147,483,647 yen with any tax rate),
// so that it and any sum of such amounts are never cut.
__int128 ITEM_AMOUNT_WIDE(qint64 price, qint64 count, bool taxOut, qint64 rate);

// The amount of one item: with tax added (外税) the price × (rate + 100) / 100
// rounded half to even, otherwise the price. With `zeroWithoutPrice` a 外税
// price below 1 counts 0 (the lists' totals do so).
qint64 ZEMLO_AMOUNT(const ZEMLO_REC& r, bool zeroWithoutPrice);

// An amount in the pattern "#,###": 0 gives the empty text. Any 64-bit
// amount, and the 128-bit sums of the plans, are written whole.
QString MONEY_TEXT(__int128 v);
// The same text appended to `s` (the grids reuse one buffer row by row).
void MONEY_APPEND(QString& s, __int128 v);

// The tax column of the lists: nothing for tax mode 0, "無し" for 3, "外"
// (mode 1) or "内" (any other mode) with the rate and "%" (外10%).
QString TAX_TEXT(qint32 taxK, qint64 rate);
// The same text appended to `s`.
void TAX_APPEND(QString& s, qint32 taxK, qint64 rate);
