// The row of the drawn grids over the category master (the category master
// editor and the function-class list): category, subject number and name,
// classification code and name and the item name (the last two fitted into
// their cells), function class, and the registered count with, beside a
// registered count, the out count, each right-aligned in five characters.
#pragma once
#include <QString>

#include "store/state.h"

class ListGrid;

// Where a grid's columns put their texts (twips in the data pane) and the
// room the fitted texts must stay within.
struct MASTER_GRID_COLS {
    double kubun, kyouka, bunrui, bunruiRoom, name, nameRoom, func, in, out;
};

// Draws entry `k` on screen row r; `buf` is the caller's text buffer, so that
// drawing a page does not allocate for every row.
void MASTER_GRID_ROW(ListGrid& grid, const KUBUN_REC& k, int r, const MASTER_GRID_COLS& cols, QString& buf);
