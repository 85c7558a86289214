// Lists derived from the item table: the purchase-history rows IN_ROW_LIST
// (consecutive records of one purchase folded into one row) with their sorts,
// and the disposed list OUT_LIST.
#pragma once
#include <QtGlobal>

// Adds record `rec` to the rows, given the `rows` built so far (0 empties the
// row table first). Returns 1 when it opened row `rows`, 0 when it joined the
// last row. A row past the table's slots is never written (0 is returned).
qint16 IN_ROW_MERGE(qint32 rec, qint32 rows);

// Sort rows 0 to ROW_COUNT - 1 by number (ROW_ORDER 1), purchase date (2) or
// category (3); nothing happens when the rows already have that order.
void IN_ROW_SORT_NO();
void IN_ROW_SORT_DATE();
void IN_ROW_SORT_KUBUN();

// Builds OUT_LIST: every record with an out year, month and day, in table
// order, with OUT_ALL 1 when every unit of its purchase-history row is out.
// Empties OUT_LIST_VIEW and rebuilds IN_ROW_LIST over the whole register
// (ROW_COUNT and ROW_ORDER are left as they are).
void OUT_LIST_MAKE();
