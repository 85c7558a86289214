// Small helpers of the category windows' key lists (drop-down lists and
// typed combos of ctl::ComboBox).
#pragma once
#include <QStringList>

namespace ctl {
class ComboBox;
}

namespace kubun_boxes {

// Selects a row by code and raises the box's Click even when the row was
// selected already (so a choice can be mirrored on another box); nothing
// for a row below 0.
void pick(ctl::ComboBox* box, int row);
// Clears a box's selection (and typed text) without raising a handler.
void unselect(ctl::ComboBox* box);
// Empties a box's list and text without raising a handler.
void emptyBox(ctl::ComboBox* box);
// Fills a box's list, with nothing selected and no text.
void fill(ctl::ComboBox* box, const QStringList& items);
// Sets the typed text of an editable box without raising a handler.
void typeText(ctl::ComboBox* box, const QString& t);
// Shows a function in a function list (rows "", 発表, 道具, 実験, 情報): the
// empty row for none or for an unknown text.
void showFunction(ctl::ComboBox* box, const QString& func);
// The number a box's text begins with (text::val), rounded half to even
// and held within 16 bits; 0 for none.
qint16 number16(const QString& s);
// The row of an exact text; -1 when the list does not hold it.
int rowOf(const ctl::ComboBox* box, const QString& t);

}  // namespace kubun_boxes
