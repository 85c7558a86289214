// The purchase-history search without its window: every item record that
// passes the history's filters, in table order, folded into purchase rows
// (IN_ROW_LIST, IN_ROW_MERGE), with the amount of each row and their total.
// The history's filters are a part of the item list's (year in an era,
// expense types, category, subject, classification), so the search takes
// the item list's criteria.
#pragma once
#include <QtGlobal>

#include "register/item_search.h"

namespace ui {
class Progress;
}

// The search lists at most this many rows.
inline constexpr qint32 IN_ROW_LIMIT = 20000;

// Builds IN_ROW_LIST from the records 0 to ZEMLO_COUNT - 1 that pass `crit`
// and sets ROW_COUNT, ROW_ORDER 0 and the rows' amounts (IN_ROW_AMOUNT_CALC).
// `progress` (may be null) is stepped after each record. Returns the row
// count, or -1 when the rows would pass IN_ROW_LIMIT: the search stops at
// that record and lists nothing (ROW_COUNT 0).
qint32 IN_ROW_BUILD(const ZEMLO_CRITERIA& crit, ui::Progress* progress = nullptr);

// The amount of rows 0 to ROW_COUNT - 1: with tax added (外税) price ×
// quantity × (rate + 100) / 100 rounded half to even, 0 when the price or
// the quantity is not above 0; otherwise price × quantity. In 64 bits.
void IN_ROW_AMOUNT_CALC();

// The sum of the amounts of rows 0 to ROW_COUNT - 1.
qint64 IN_ROW_TOTAL();
