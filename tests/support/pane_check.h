#pragma once
// What a clerk would find wrong on a drawn list or table (a ListGrid's data
// pane, a totals table, any pane that records its texts): a text drawn over
// the next text of its line, a text running across a rule drawn on the pane,
// and a figure cut short. Texts are read from the pane's record as far as
// they were drawn, measured from their first to their last non-blank
// character; rules are read from the drawing itself (a pixel column that is
// dark from just above a text's top to its foot), so the check knows nothing
// of the column stops the code gave the pane.
#include <QString>
#include <QStringList>

class Pane;

namespace pane_check {

// One line per fault, naming the pane (its object name) and the texts;
// empty when the pane reads clean. At most `limit` faults are listed; the
// number of faults found is `*count` when given.
QStringList faults(const Pane* pane, int limit = 20, int* count = nullptr);

// Whether a text reads as a figure: an amount, a price, a count, a
// percentage, a date or an item number of digits (an era letter in front,
// grouping commas, "-", "/", "%", "年度" and the like), which must never be
// cut.
bool isFigure(const QString& text);

}  // namespace pane_check
