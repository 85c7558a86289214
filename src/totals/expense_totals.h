// The expense-type totals "経費集計" (TOTAL_F), opened modally from the menu
// "金額集計(&T)" - "経費別集計(&A)": for each of the last five fiscal years
// the purchases per expense type, their sum, what left the school in the
// year, the change, and the value held at the end of the year before and of
// the year, optionally for one category and one subject of it. "印刷"
// prints the same table on one A4 page.
//
// Amounts are summed in 64 bits and shown in full. A purchase or out date
// after the last fiscal year counts nowhere (it is still to come); a date
// before the five years counts in the opening period. An item whose expense
// type has no row adds no purchase and so no disposal either, so the held
// values never drop for items they never counted.
#pragma once
#include <QList>
#include <array>

#include "platform/controls.h"
#include "platform/forms.h"

class Pane;

// One period of the table: row 0 the opening period, rows 1 to 5 the years.
struct KEIHI_YEAR_ROW {
    qint16 YEAR = 0;              // fiscal year; 0 in row 0
    qint32 START = 0, END = 0;    // first and last day (TOTAL_DAY)
    qint64 BALANCE = 0;           // value held at the end of the period
    std::array<qint64, 8> TYPE_MONY{};  // purchases per expense type (slot 7 unused)
    qint64 SUBTOTAL = 0;          // sum of the purchases
    qint64 OUT_MONY = 0;          // amounts of the items that left in the period
};
using KEIHI_TABLE = std::array<KEIHI_YEAR_ROW, 6>;

// The expense types in use: KEIHI_NAMES up to its first empty entry.
int KEIHI_COUNT();

// The filters of the table: a category (its index) and a subject number of
// it, each only when switched on.
struct KEIHI_FILTER {
    bool kubunOn = false;
    qint16 kubun = 0;
    bool kyoukaOn = false;
    qint16 kyouka = 0;
};

// The six rows for the five fiscal years ending with `newest`, from every
// item of ZEMLO_DATA that passes the filter, counting the first `typeCount`
// expense types.
KEIHI_TABLE TOTAL_F_TABLE(int newest, int typeCount, const KEIHI_FILTER& filter);

class TOTAL_F : public platform::Form {
    Q_OBJECT
public:
    TOTAL_F();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    void KUBUN_Click();
    void KYOUKA_Click();
    void B_PRT_Click();
    void B_CLOSE_Click();

    void TOTAL_F_CALC();
    void TOTAL_F_HEAD();
    void TOTAL_F_DRAW();
    void TOTAL_F_KYOUKA_SET();
    // 1 printed, 0 the printer failed (after its message).
    int TOTAL_F_PRT();

    ctl::Label *Label3, *Label4;
    ctl::ComboBox *KUBUN, *KYOUKA;
    Pane *K_LIST, *D_LIST;
    ctl::CommandButton *B_PRT, *B_CLOSE;

    // The subject numbers beside the entries of KYOUKA (0 for the empty one).
    QList<qint16> K_NO_LIST;
    // The table as last computed.
    KEIHI_TABLE ROWS{};
    // The newest fiscal year of the table.
    int YEAR_NEW = 0;
    // Expense types in use, set when the row headings are drawn.
    int KEIHI_N = 0;
    qint16 CUR_KUBUN = 0;
    qint16 CUR_KYOUKA = 0;
    qint16 ACTIVATED = 0;
};
