#pragma once
// What the two item lists (the item list and the renumbering list) share
// about their grid and their window: the columns of an item row, the full
// listing of the item table and the window's size within the main frame.
#include <QString>

#include "register/grid.h"

namespace platform {
class Form;
}

namespace item_grid {

// The column stops and captions of an item row.
void setColumns(ListGrid& grid);

// Lists every item in table order (the view's positions point at them) and
// draws the first page; returns how many are listed and sets `total` to the
// amount of the items that are not disposed of.
qint32 listAll(ListGrid& grid, qint64* total);

// The bars after a listing of `listed` items: an empty view is drawn empty
// without the horizontal bar; otherwise the bar shows when the pane is
// narrower than the table (the grid counts the listed rows itself).
void showBars(ListGrid& grid, qint32 listed);

// The letter of an era code (3 to 5); empty for any other code.
const QString& eraLetter(qint16 code);

// Sizes a list window to the main frame (less 300 × 1460 twips), within the
// frame's client area and at least 3000 twips each way.
void fitToFrame(platform::Form& form);

}  // namespace item_grid
