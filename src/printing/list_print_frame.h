// What every list print shares: A4 landscape pages in millimetres with a
// ruled table of 25 rows 6.5 mm high in a box from (15, 20) to the job's
// right edge and y 190, the run of a job (set-up, origin, rows, page starts,
// the stop and printer-error exit), the page frame, the first-page line with
// the list's filters and total, and the rules that fit a text into its cell.
//
// A point (x, y) of a page lands x + the landscape right correction - the
// job's shift millimetres from the paper's left edge and y + the landscape
// down correction from its top edge, whatever the printer's unprintable
// margins. Texts are placed by their top-left corner, in "ＭＳ 明朝".
#pragma once
#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "common/print_cells.h"

inline constexpr int LIST_ROWS_PER_PAGE = 25;

// One list print. `rows` are the rows to print in order, each as the row
// routine takes it (a record, view row or plan index); the job itself leaves
// out what it skips before it hands the rows over, so rows are counted, and
// pages filled, without gaps.
struct LIST_JOB {
    double shiftX = 2;     // the job's shift of the origin to the left (mm)
    double bodySize = 9;   // the body font size the run starts with
    std::vector<qint32> rows;
    std::function<void()> condLine;  // the first-page line (empty: none)
    std::function<void()> frame;     // the page frame, drawn at every page start
    std::function<void(qint32 row, int line)> row;  // one row on line 1 to 25
};

// Runs a list print to its end inside the caller's handler: the set-up, the
// origin, the page reset, then for each row a yield and a stop test; on the
// first row the first-page line and the frame, on every 26th a new page, its
// reset and the frame; then the row. After the last row the document is
// ended: its pages go to the printer (a run without a row draws nothing and
// ejects no sheet). A stop (PRT_STOP above 0) cancels the whole document
// silently; a printer failure shows "プリンタのエラーが発生しました" /
// "印刷を中止します" under "台帳印刷" and cancels it.
// Returns 1 ended, 0 stopped, -1 printer error.
int LIST_PRT_JOB(const LIST_JOB& job);

// The top of the text of row line k (1 to 25): 0.5 mm below the rule above it.
inline double LIST_ROW_Y(int line) { return 21 + 6.5 * line; }
// The rules above and below row line k.
inline double LIST_ROW_TOP(int line) { return 20.5 + 6.5 * line; }
inline double LIST_ROW_BOTTOM(int line) { return 27 + 6.5 * line; }

// Texts printed from now on are cut at the cell between the column rules x1
// and x2 on row line k: a text too long for its cell even at its smallest
// size ends at the cell's rule instead of running over its neighbour. The
// row routines hold a prn::ClipScope for the whole row, so that the clip
// ends with the row.
void LIST_CELL(double x1, double x2, int line);
// The same for a cell whose texts stand on two lines, the second from y
// `split` on: the upper line is cut at `split`, the lower one below it.
void LIST_CELL_UPPER(double x1, double x2, int line, double split);
void LIST_CELL_LOWER(double x1, double x2, int line, double split);

// The frame items common to every list page, with the job's right edge R,
// column rules, title and its top: the box and the header rule (width 5),
// the column rules (width 2), the 24 row rules (width 5 under every fifth
// row), the title at 15 pt at (15, titleY), "印刷日 " with today's date at
// 8 pt at (250, 16), the job's headers (drawn by `headers`), the school name
// at 8 pt ending at R at y 191; then a yield.
void LIST_PAGE_FRAME(double right, std::span<const double> columns, const QString& title, double titleY,
                     const std::function<void()>& headers);

// The first-page line: the filter text at 10 pt at (15, 15) (nothing when
// empty), and "合計金額　" + `total` + "円" at 15 pt, top at 10, ending at x 280.
// A filter text that would reach the total is fitted into the room left of
// it (down to LIST_MIN_SIZE) and cut 2 mm before it.
void LIST_COND_LINE(const QString& filterText, const QString& total);
// Parts of a filter text: the year part (the era name of `era`, 0 昭和 to 2
// 令和, the trimmed year text and `suffix`) when the year text's value is
// above 0; an era outside the table gives the year without an era name.
QString LIST_YEAR_PART(const QString& yearText, int era, const QString& suffix);
// `label` + " = " + `text` + two blanks, when `text` is not empty.
QString LIST_FILTER_PART(const QString& label, const QString& text);

// Fits a text into a cell: the font size goes from `start` down by 0.2 pt to
// `lowest` and stops at the first size at which the text is narrower than
// `width` mm. Returns whether it fitted; otherwise the size stays at
// `lowest`.
bool LIST_FIT_FONT(const QString& text, double start, double lowest, double width);

// The smallest size of the list prints' texts.
inline constexpr double LIST_MIN_SIZE = 5;

// A figure (amount, price, count, percentage, date of digits) in the cell
// between the rules at `ruleLeft` and `ruleRight`: whole and clear of both
// rules, shrunk where it must be (PRT_FIGURE_RIGHT, PRT_FIGURE_LEFT and
// PRT_FIGURE_FIELD with the lists' smallest size LIST_MIN_SIZE). The size
// in force is left as it was.
inline void LIST_FIGURE_RIGHT(double ruleLeft, double ruleRight, double right, double y, const QString& text) {
    PRT_FIGURE_RIGHT(ruleLeft, ruleRight, right, y, text, LIST_MIN_SIZE);
}
inline void LIST_FIGURE_LEFT(double ruleLeft, double ruleRight, double x, double y, const QString& text) {
    PRT_FIGURE_LEFT(ruleLeft, ruleRight, x, y, text, LIST_MIN_SIZE);
}
inline void LIST_FIGURE_FIELD(double ruleLeft, double ruleRight, double x, double y, const QString& text, int chars) {
    PRT_FIGURE_FIELD(ruleLeft, ruleRight, x, y, text, chars, LIST_MIN_SIZE);
}

// ---- drawing at a point, in the font in force
// The text with its top-left corner at (x, y).
void LIST_TEXT(double x, double y, const QString& text);
// The text ending at x.
void LIST_TEXT_RIGHT(double xRight, double y, const QString& text);
// A category name in its narrow cell: up to two characters on the row's
// line, the third and fourth `below` mm lower; further characters are left
// out.
void LIST_KUBUN_CELL(double x, double y, const QString& name, double below = 2.8);

// ---- texts of the cells
// The era letter of an era code, the fiscal year, "-" and the number
// (R5-12); with a branch, "-" and the branch too (R5-12-1).
QString LIST_NUMBER_TEXT(qint32 era, qint32 year, qint32 number);
QString LIST_NUMBER_TEXT(qint32 era, qint32 year, qint32 number, qint32 branch);
// The era date text of a purchase or out date (letter, blank, year, month
// and day two wide); empty for a year of 1900 or less or no valid date.
QString LIST_DATE_TEXT(qint32 y, qint32 m, qint32 d);
// The tax text of a tax mode: "" (0), "外" rate "%" (1), "無し" (3), "内"
// rate "%" (any other mode).
QString LIST_TAX_TEXT(qint32 taxMode, qint32 rate);
// The long name of a function class number (empty outside 1 to 4).
QString LIST_FUNC_NAME(qint32 funcNo);
