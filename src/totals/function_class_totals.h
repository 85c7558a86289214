// The function-class purchase totals "機能別購入金額集計" (TOTAL_FK), opened
// modally from the menu "金額集計(&T)" - "機能別購入金額集計(&N)": for one of
// the last six fiscal years, the purchases per subject row and per function
// class (発表, 道具, 実験, 情報, その他 for any other class text) with the
// row's total, and a line of the class totals. The rows come from the
// category master (the category "管理" makes none): the subjects of "教材"
// gathered under their short key (KYOUKA_NORM), every other category as one
// row. "年度末合計金額" counts every purchase up to the end of the year.
// "印刷" prints the table on A4 portrait pages, 51 rows on the first.
//
// Amounts are summed in 64 bits and shown in full; a record whose category
// and subject make no row counts nowhere.
#pragma once
#include <QString>
#include <array>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "totals/totals_common.h"

class Pane;

// One line of a totals table: the amount of each column and their total.
struct TOTAL_LINE {
    std::array<qint64, 8> CELL{};
    qint64 TOTAL = 0;
    void add(int column, qint64 amount) {
        CELL[size_t(column)] += amount;
        TOTAL += amount;
    }
    void add(const TOTAL_LINE& other) {
        for (size_t c = 0; c < CELL.size(); ++c) CELL[c] += other.CELL[c];
        TOTAL += other.TOTAL;
    }
};

// The rows of a table drawn on a pane of 240-twip rows with its scroll bar:
// the bar shows with more than 27 rows (its maximum the count − 28) and
// hides otherwise; the pane's top follows the bar. Returns the first row
// in view; the rows to draw run from it to TOTAL_ROWS_END.
int TOTAL_ROWS_SCROLL(Pane* pane, ctl::ScrollBar* bar, int count);
int TOTAL_ROWS_END(int first, int count);

// The function-class columns: 0 発表, 1 道具, 2 実験, 3 情報 (the exact
// texts), 4 その他 (any other text, the empty one too).
inline constexpr int FUNC_COLUMNS = 5;
int FUNC_COLUMN(const QString& funcText);

// The table of one fiscal year.
struct FUNC_TOTALS {
    TOTAL_KEYS KEYS;               // row keys, in the order first met in the master
    std::vector<TOTAL_LINE> ROWS;  // per row: columns 0 to 4 and the total
    TOTAL_LINE SUM;                // the class totals over every row
    int R() const { return KEYS.count(); }
};

// The row key of a category and subject: the short key of the subject for
// "教材", of the category name for any other; none (empty) for "管理".
QString TOTAL_FK_KEY(const QString& kubun, const QString& kyouka);

// The rows of the category master with every amount 0.
FUNC_TOTALS TOTAL_FK_ROWS();
// Sums ZEMLO_DATA into the rows: the purchases of the fiscal year that
// begins in April of `year`, or with `toYearEnd` every purchase up to its
// last day.
void TOTAL_FK_SUM(FUNC_TOTALS& t, int year, bool toYearEnd);

class TOTAL_FK : public platform::Form {
    Q_OBJECT
public:
    TOTAL_FK();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void TXT_Y_Click();
    void CHK_1_Click();
    void SCR_V_Change();
    void B_PRT_Click();
    void B_CLOSE_Click();

    void TOTAL_FK_CALC();
    void TOTAL_FK_DRAW();
    void TOTAL_FK_HEAD();
    // 1 printed, 0 the printer failed (after its message).
    int TOTAL_FK_PRT();

    ctl::Label* Label1;
    ctl::ComboBox* TXT_Y;
    ctl::CheckBox* CHK_1;
    ctl::CommandButton *B_PRT, *B_CLOSE;
    Pane *K_LIST, *T_LIST, *D_LIST;
    ctl::ScrollBar* SCR_V;

    // 0 while the window loads; the computation waits for 1.
    qint16 READY = 0;
    // The table as last computed.
    FUNC_TOTALS TABLE;
};
