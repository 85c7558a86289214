// The cells of the printed tables: how a figure and a text that runs on two
// lines are put between the rules of their cell. Every print uses these, so
// that no print ever cuts a figure or lets one touch a rule, and no remark
// loses words between its two lines.
//
// Positions are the print's millimetres; texts are placed by their top-left
// corner in the printer's font in force.
#pragma once
#include <QString>
#include <utility>

// A text with its top-left corner at (x, y), in the printer's font in
// force; an empty text draws nothing.
void PRT_TEXT(double x, double y, const QString& text);

// The least room between a figure and the rules of its cell (mm).
inline constexpr double PRT_FIGURE_GAP = 0.5;

// Where a figure that had to shrink stands on its line: its top at y, or
// its middle where the middle of the size in force would be (for tables
// whose figures sit in the middle of their rows).
enum class PRT_FIGURE_LINE { Top, Middle };

// A figure (amount, price, count, percentage, date of digits) in the cell
// between the vertical rules at `ruleLeft` and `ruleRight`. It is printed
// whole and keeps PRT_FIGURE_GAP from both rules: in the size in force when
// it fits, else in the largest size from there down by 0.2 pt to `lowest`
// (the print's smallest size) at which it fits, and where not even `lowest`
// holds it, in a smaller size still. The size in force is left as it was;
// the size printed is returned.
//
// PRT_FIGURE_RIGHT ends the figure at `right` (no nearer the right rule
// than the gap); PRT_FIGURE_LEFT begins it at x (no nearer the left rule
// than the gap).
double PRT_FIGURE_RIGHT(double ruleLeft, double ruleRight, double right, double y, const QString& text, double lowest,
                        PRT_FIGURE_LINE line = PRT_FIGURE_LINE::Top);
double PRT_FIGURE_LEFT(double ruleLeft, double ruleRight, double x, double y, const QString& text, double lowest,
                       PRT_FIGURE_LINE line = PRT_FIGURE_LINE::Top);
// A figure in a field of `chars` characters at x, as the fixed-pitch
// columns line their figures up: the text padded with blanks on the left to
// the field's width where that keeps the gaps; otherwise, and for a text
// longer than the field, as PRT_FIGURE_RIGHT ending where the field ends.
double PRT_FIGURE_FIELD(double ruleLeft, double ruleRight, double x, double y, const QString& text, int chars,
                        double lowest, PRT_FIGURE_LINE line = PRT_FIGURE_LINE::Top);

// Splits a text in two lines at the printer's font in force: the first line
// is the longest beginning of the text that is at most `width` mm wide, the
// second the rest (empty when the whole text is within the width). Breaks
// fall between characters.
std::pair<QString, QString> LIST_TWO_LINE_SPLIT(const QString& text, double width);

// A text on two lines in the cell from the rule at x1 to the rule at x2,
// between `top` and `bottom`, in the font in force: the first line at
// (x, y1) filled to the right rule, the second at (x, y2) going on where
// the first stopped. Only what lies past the end of the second line is
// left off, between two characters. The upper line is cut at the cell from
// `top` to y2, the lower one from y2 to `bottom`.
void PRT_TWO_LINE_CELL(double x1, double top, double x2, double bottom, double x, double y1, double y2,
                       const QString& text);
