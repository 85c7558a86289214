// What the item lists share about item rows: the columns of an item row
// and the full listing of the item table (the item list and the
// renumbering list), and the drawing of an item record in a row (also the
// disposed list's rows).
#pragma once
#include <QString>

#include "common/list_grid.h"

struct ZEMLO_REC;
class ListWindow;
class QLabel;
class QWidget;

namespace item_grid {

// The column stops and captions of an item row.
void setColumns(ListGrid& grid);

// Lists every item in table order (the view is the whole table, its first
// page drawn and the bars set for it): `TOTAL` shows the amount of the items
// that are not disposed of, `C_COUNT` the listed count "/" the item count,
// and `ALL_H` is disabled.
void listAll(ListWindow& list, QLabel* TOTAL, QLabel* C_COUNT, QWidget* ALL_H);

// Draws item record `z` on screen row `row` of a grid with the item columns
// (setColumns), reusing `buf` for the cell texts. With `units` above 0 the
// row stands for that many units of one registration (the disposed list's
// totals): the number without its branch, the units right-aligned to end at
// 1950 twips, and units × the amount.
void drawRecord(ListGrid& grid, const ZEMLO_REC& z, int row, QString& buf, int units = 0);

}  // namespace item_grid
