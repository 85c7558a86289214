// What the totals reports share (the five totals windows, the purchase
// record and their prints):
//  - fiscal years: the newest year a report offers, the days a year runs
//    from and to, the five-year periods with their opening period, and the
//    texts of a fiscal year;
//  - figures drawn on a pane or on paper: right-aligned, centred, at a point,
//    with the heavy and light pens of the printed tables;
//  - the frame of a totals print: the portrait set-up, the origin from the
//    portrait corrections, the page reset, the drawing and the end of the
//    document, with the printer-error exit;
//  - the framed drawing panes of the windows, with the wheel over their rows;
//  - the subject key KYOUKA_NORM and the list of row keys in the order first
//    met, looked up by key.
// An item's amount is ZEMLO_AMOUNT (store/amounts.h, 64 bits, so no
// sum overflows) and its text MONEY_TEXT ("#,###": 0 gives nothing, a
// negative amount a leading minus). The subject list of a category is
// KYOUKA_LIST_SET (same header); the category index of a chosen category
// name is KUBUN_IDX_OF (store/category_file.h).
#pragma once
#include <QDate>
#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "common/print_cells.h"

class Pane;
class QComboBox;
class QScrollBar;
class QWidget;

// ---------------------------------------------------------------- fiscal years

// A stored date (year, month, day) as one comparable number yyyymmdd. Every
// stored date has one, the empty date 0/0/0 too (it sorts before all).
constexpr qint32 TOTAL_DAY(qint32 y, qint32 m, qint32 d) { return y * 10000 + m * 100 + d; }
// The first and the last day of the fiscal year that begins in April of `year`.
constexpr qint32 FY_FIRST_DAY(qint32 year) { return TOTAL_DAY(year, 4, 1); }
constexpr qint32 FY_LAST_DAY(qint32 year) { return TOTAL_DAY(year + 1, 3, 31); }

// The newest fiscal year a report offers on `today`: today's calendar year,
// or the one before while the month is below `firstMonth` (each report has
// its own: 3, 4 or 5).
int TOTAL_YEAR_DEFAULT(const QDate& today, int firstMonth);

// The fiscal-year text of the five-year reports: "令和" and year − 2018 for a
// year above 2019, else "平成" and year − 1988, then "年度" (2019 gives
// 平成31年度, 2020 gives 令和2年度).
QString TOTAL_YEAR_TEXT(int year);

// Fills a year list with the texts of `newest`, newest − 1, ... newest − 5
// (plain Gregorian years, newest first); nothing is chosen.
void TOTAL_YEAR_LIST_SET(QComboBox* list, int newest);

// The six periods of a five-year report: row 0, the opening period, from
// 1950-04-01 to the day before the first fiscal year; rows 1 to 5 the
// fiscal years newest − 4 to newest.
struct TOTAL_PERIODS {
    explicit TOTAL_PERIODS(int newest);
    std::array<qint16, 6> year{};   // row 0 keeps 0
    std::array<qint32, 6> first{};  // TOTAL_DAY of the first day
    std::array<qint32, 6> last{};   // TOTAL_DAY of the last day
    // The row a day counts in: 1 to 5 inside the fiscal years, 0 before them
    // (a day before 1950-04-01 and the empty date too), -1 after the last
    // one: a purchase or an out date still to come counts nowhere.
    int rowOf(qint32 day) const;
};

// ---------------------------------------------------------------- row keys

// The short subject key: a name that begins with "理科", "理振", "算数",
// "算振", "数学", "数振" or "総合" (compared exactly, no width or case
// folding) gives those two characters, any other name stays as it is
// (「理科（第１分野）」 gives 理科, 「国語」 and 「理」 stay).
QString KYOUKA_NORM(const QString& name);

// The row keys of a table in the order they were first added, each once,
// found by key without a walk over the rows.
class TOTAL_KEYS {
public:
    // The row of `key`, added as a new last row when it has none yet.
    int add(const QString& key);
    // The row of `key`, or -1.
    int find(const QString& key) const { return at_.value(key, -1); }
    int count() const { return int(keys_.size()); }
    const QString& operator[](int row) const { return keys_[size_t(row)]; }
    void clear();

private:
    std::vector<QString> keys_;
    QHash<QString, int> at_;
};

// ---------------------------------------------------------------- panes

// A drawing pane at a control's designed rectangle (twips) with the sunken
// single border of the windows' picture boxes: white, "ＭＳ 明朝" 9 points,
// drawn texts recorded. The pane is named `name`; its border is its parent.
Pane* TOTAL_PANE(QWidget* parent, const QString& name, int left, int top, int width, int height);
// The height and the width (twips, border included) of a pane made by
// TOTAL_PANE, read and set; what was drawn stays.
int TOTAL_PANE_HEIGHT(const Pane* pane);
int TOTAL_PANE_WIDTH(const Pane* pane);
void TOTAL_PANE_SET_HEIGHT(Pane* pane, int height);
void TOTAL_PANE_SET_WIDTH(Pane* pane, int width);

// The largest of the sizes `from`, `from` − 0.2, ... down to `lowest` at
// which width(size) is below `room` (`lowest` when it is at none): how a
// text that must fit its cell is shrunk on a pane (on paper: PRT_FONT_FIT).
double TOTAL_FIT_SIZE(double from, double lowest, double room, const std::function<double(double)>& width);

// The column rules of a pane's table stand at x = first, first + width, ...
// (`count` of them): every text drawn on the pane is cut, at a whole
// character, before the first of them right of where it starts.
void TOTAL_PANE_COLUMNS(Pane* pane, double first, double width, int count);

// A figure on a pane ending at `right`. With a `room` (twips) a wider
// figure is shrunk to fit it: to 6 points like a text and, as a figure is
// never cut, further where it is still too wide there.
void PANE_TEXT_RIGHT(Pane* pane, double right, double y, const QString& text, double room = 0);
// A text centred between `left` and `right`; with a `room` (twips) a wider
// text is shrunk to fit it (to 6 points at least); one still too wide
// starts just right of `left`.
void PANE_TEXT_CENTER(Pane* pane, double left, double right, double y, const QString& text, double room = 0);
// A text on a pane at (x, y), shrunk when it is wider than `room` (twips).
void PANE_TEXT_FIT(Pane* pane, double x, double y, const QString& text, double room);

// The mouse wheel over a pane of rows moves its scroll bar, three rows a
// notch, while the bar shows.
void TOTAL_WHEEL_SCROLL(Pane* pane, QScrollBar* bar);

// ---------------------------------------------------------------- layout
// The panes of the totals windows (twips): rows of 240; the five-year
// reports' year columns of 1400, the six-year reports' of 1200, each with the
// room a figure may take on screen before it is shrunk (its column less a
// margin each side).
inline constexpr int TOTAL_ROW_H = 240;
inline constexpr int TOTAL_COL5_W = 1400;
inline constexpr double TOTAL_COL5_ROOM = TOTAL_COL5_W - 80;
inline constexpr int TOTAL_COL6_W = 1200;
inline constexpr double TOTAL_COL6_ROOM = TOTAL_COL6_W - 60;
// The six-year reports' name column is shrunk to its width less 60.
inline constexpr int TOTAL_COL6_NAME_MARGIN = 60;

// ---------------------------------------------------------------- paper

// The pens of the printed tables, in printer pixels.
inline constexpr int PRT_PEN_HEAVY = 5;
inline constexpr int PRT_PEN_LIGHT = 2;

// A text ending at x = `right`.
void PRT_TEXT_RIGHT(double right, double y, const QString& text);
// A figure of a printed table ending at `right` in the column between the
// rules at `ruleLeft` and `ruleRight`: whole and clear of both rules, in the
// size in force or shrunk to 6 points (further only where even that does not
// hold it), its middle kept on the middle of its line (PRT_FIGURE_RIGHT).
// The font size in force stays.
void TOTAL_FIGURE(double ruleLeft, double ruleRight, double right, double y, const QString& text);
// A text at (x, y), shrunk when it is wider than `room` (mm).
void PRT_TEXT_FIT(double x, double y, const QString& text, double room);
// A text centred between the rules at `left` and `right`; with a `room`
// (mm) a wider text is shrunk to fit it. A text still wider than the cell
// begins half a millimetre inside the left rule and is cut before the right.
void PRT_TEXT_CENTER(double left, double right, double y, const QString& text, double room = 0);
// A line and an outlined box drawn with the pen `width`.
void PRT_LINE(double x1, double y1, double x2, double y2, int width);
void PRT_BOX(double x1, double y1, double x2, double y2, int width);

// The frame of a totals print, run inside the print button's handler: the
// A4 set-up (portrait, or landscape), the origin from the unprintable
// margins and the corrections of the orientation (a layout point (x, y)
// lands x + right correction, y + down correction from the paper's corner),
// the page reset, "ＭＳ 明朝", then `draw` and the end of the document. When
// the printer fails on the way, "プリンタのエラーが発生しました" /
// "印刷を中止します" shows (title "ゼムロ２") and the document is cancelled,
// so nothing of it prints. A report that stands further right on the page
// gives `shiftRight` (mm). True when the document was ended (printed).
bool TOTAL_PRT_RUN(const std::function<void()>& draw, bool landscape = false, double shiftRight = 0);
// Inside `draw`: the next page, reset, in "ＭＳ 明朝".
void TOTAL_PRT_NEW_PAGE();
