// The expense-type purchase totals "経費別購入金額集計" (TOTAL_FY), opened
// modally from the menu "金額集計(&T)" - "経費別購入購入集計(&H)": for one of
// the last six fiscal years, the purchases per subject row and per expense
// type (the types set in the environment settings, then 不明 for any other),
// with the row's total, and three totals lines: the category "管理", every
// other category, and all. The rows come from the category master: one per
// subject of "管理" ("管理 " and the subject), the subjects of "教材"
// gathered under their short key (KYOUKA_NORM), every other category as one
// row. Two boxes show the rows of the two groups; "年度末合計金額" counts
// every purchase up to the end of the year. "印刷" prints the rows shown
// with the totals of the groups ticked, on A4 portrait pages with up to
// four expense types and landscape ones from five.
//
// Amounts are summed in 64 bits and shown in full; a record whose category
// and subject make no row counts in the totals lines only.
#pragma once
#include <QString>
#include <array>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "totals/function_class_totals.h"

class Pane;

// The table of one fiscal year.
struct KEIHI_SUBJECT_TOTALS {
    int N = 0;                     // expense types in use; column N is 不明
    TOTAL_KEYS KEYS;               // row keys, in the order first met in the master
    std::vector<TOTAL_LINE> ROWS;  // per row: columns 0 to N and the total
    std::array<TOTAL_LINE, 2> GROUPS{};  // 0 the category "管理", 1 every other
    int R() const { return KEYS.count(); }
    // The line of both groups.
    TOTAL_LINE all() const {
        TOTAL_LINE l = GROUPS[0];
        l.add(GROUPS[1]);
        return l;
    }
};

// The row key of a category and subject: "管理 " and the subject for
// "管理", the short key of the subject for "教材", the category name for
// any other.
QString TOTAL_FY_KEY(const QString& kubun, const QString& kyouka);
// True for a row shown with the box "管理": its key begins with "管理".
bool TOTAL_FY_KANRI_ROW(const QString& key);

// The rows of the category master with every amount 0, for the expense
// types in use now.
KEIHI_SUBJECT_TOTALS TOTAL_FY_ROWS();
// Sums ZEMLO_DATA into the rows and the groups: the purchases of the fiscal
// year that begins in April of `year`, or with `toYearEnd` every purchase
// up to its last day.
void TOTAL_FY_SUM(KEIHI_SUBJECT_TOTALS& t, int year, bool toYearEnd);

class TOTAL_FY : public platform::Form {
    Q_OBJECT
public:
    TOTAL_FY();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void TXT_Y_Click();
    void CHK_M_Click();
    void CHK_1_Click();
    void CHK_2_Click();
    void SCR_V_Change();
    void B_PRT_Click();
    void B_CLOSE_Click();

    void TOTAL_FY_CALC();
    void TOTAL_FY_HEAD();
    void TOTAL_FY_DRAW();
    // 1 printed, 0 the printer failed (after its message).
    int TOTAL_FY_PRT();

    // Whether row i is shown under the boxes as they stand.
    bool rowShown(int i) const;
    // The indexes of the rows shown, in order.
    std::vector<int> shownRows() const;

    ctl::Label* Label1;
    ctl::ComboBox* TXT_Y;
    ctl::CheckBox *CHK_M, *CHK_1, *CHK_2;
    ctl::CommandButton *B_PRT, *B_CLOSE;
    Pane *K_LIST, *T_LIST, *D_LIST;
    ctl::ScrollBar* SCR_V;

    // 0 while the window loads; the computation waits for 1.
    qint16 READY = 0;
    // The table as last computed.
    KEIHI_SUBJECT_TOTALS TABLE;
};
