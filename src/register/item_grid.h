// What the two item lists (the item list and the renumbering list) share
// about their grid and their window: the columns of an item row, the full
// listing of the item table and the window's size within the main frame.
#pragma once
#include <QString>
#include <algorithm>
#include <vector>

#include "common/list_grid.h"

struct ZEMLO_REC;

class QComboBox;
class QLabel;
class QPushButton;
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

// Draws item record `z` on screen row `row` of a grid with the item columns
// (setColumns), reusing `buf` for the cell texts. With `units` above 0 the
// row stands for that many units of one registration (the disposed list's
// totals): the number without its branch, the units right-aligned to end at
// 1950 twips, and units × the amount.
void drawRecord(ListGrid& grid, const ZEMLO_REC& z, int row, QString& buf, int units = 0);

// The letter of an era code (3 to 5); empty for any other code.
const QString& eraLetter(qint16 code);

// Sizes a list window to the main frame (less 300 × 1460 twips), within the
// frame's client area and at least 3000 twips each way.
void fitToFrame(platform::Form& form);
// A list window stands in the frame without border or title bar: it closes
// through its own button.
void frameless(platform::Form& form);

// The controls of the list windows' button rows and filter bars, placed in
// twips: a button in "ＭＳ Ｐ明朝" 9 points that is never the default
// button; a filter combo in "ＭＳ ゴシック" 9 points (plain, 20 rows shown;
// an editable one adds nothing to its list); the white boxed label of a
// count or a total, which shows its whole figure.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h);
QComboBox* filterCombo(QWidget* parent, const char* name, bool editable);
QLabel* figureBox(QWidget* parent, const char* name, int l, int t, int w, int h, Qt::Alignment align);

// A click on the number pane at list position `pos` of a view whose entries
// carry a selected flag (`sel`): the flags of the old range [first, last]
// are cleared; a plain click makes `pos` the range, a shift-click extends
// the range from `first` to `pos` (first <= last afterwards). Exactly the
// new range of the `shown` rows is flagged. True for a plain click.
template <class Entry>
bool markRows(std::vector<Entry>& view, qint16 Entry::*sel, qint32& first, qint32& last, qint32 shown, qint32 pos,
              bool shift) {
    const qint32 n = qint32(view.size());
    auto flag = [&](qint32 from, qint32 to, qint16 v) {
        for (qint32 i = std::max(0, from); i <= to && i < n; ++i) view[size_t(i)].*sel = v;
    };
    flag(first, last, 0);
    if (!shift) {
        first = last = pos;
        flag(pos, pos, 1);
        return true;
    }
    last = pos;
    if (last < first) std::swap(first, last);
    flag(first, std::min(last, shown - 1), 1);
    return false;
}

}  // namespace item_grid
