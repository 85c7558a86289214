// The category and subject totals (TOTAL_FA, captioned with the subject
// level's name and " 集計"), opened modally from the menu "金額集計(&T)" -
// "…別集計(&K)": for one of the last six fiscal years, per category and
// subject of the subject index, the value held at the start of the year, the
// purchases and the disposals of the year, their difference and the value
// held at its end; total lines for the category "管理", every other category
// and all. Two boxes show the rows of the two groups, a third hides the rows
// that are all zero; a note tells the value of items whose category and
// subject match no row. "印刷" prints the rows shown and the total lines.
// Amounts are summed in 64 bits and shown in full.
#pragma once
#include <QList>
#include <array>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"

class Pane;

// One row: a category and subject, or a group total (names unused).
struct KYOUKA_TOTAL_ROW {
    QString KUBUN;
    QString KYOUKA;
    qint16 NO_KY = 0;
    qint64 PREV_MONY = 0;  // held at the start of the year
    qint64 IN_MONY = 0;    // bought in the year
    qint64 OUT_MONY = 0;   // left in the year
    qint64 diff() const { return IN_MONY - OUT_MONY; }
    qint64 now() const { return PREV_MONY + diff(); }
};

// The rows and totals of one fiscal year.
struct KYOUKA_TOTALS {
    // Rows 0 to R − 1, one per distinct category, subject name and number of
    // the subject index in its order; entry R gathers the unmatched items.
    std::vector<KYOUKA_TOTAL_ROW> rows;
    int R = 0;
    // 0 the category "管理", 1 every other category, 2 all.
    std::array<KYOUKA_TOTAL_ROW, 3> groups{};
    const KYOUKA_TOTAL_ROW& unmatched() const { return rows[R]; }
};

// The rows of the subject index with every amount 0.
KYOUKA_TOTALS TOTAL_FA_ROWS();
// Sums ZEMLO_DATA into the rows for the fiscal year beginning in April of
// `year`, then the group totals.
void TOTAL_FA_SUM(KYOUKA_TOTALS& t, int year);
// True for a row of the first group (the category "管理").
inline bool TOTAL_FA_FIRST_GROUP(const KYOUKA_TOTAL_ROW& r) { return r.KUBUN == QStringLiteral("管理"); }

class TOTAL_FA : public platform::Form {
    Q_OBJECT
public:
    TOTAL_FA();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    void TXT_Y_Click();
    void CHK_Click();
    void SCR_V_Change();
    void B_PRT_Click();
    void B_CLOSE_Click();

    void TOTAL_FA_ROW_MAKE();
    void TOTAL_FA_CALC();
    void TOTAL_FA_DRAW();
    void TOTAL_FA_SUM_DRAW();
    void TOTAL_FA_HEAD();
    // 1 printed, 0 the printer failed (after its message).
    int TOTAL_FA_PRT();

    // Whether a row is shown under the boxes as they stand.
    bool rowShown(const KYOUKA_TOTAL_ROW& r) const;
    // The indexes of the rows shown, in order.
    std::vector<int> shownRows() const;

    ctl::ComboBox* TXT_Y;
    ctl::Label *Label3, *Label2;
    ctl::CommandButton *B_CLOSE, *B_PRT;
    ctl::CheckBox *CHK_1, *CHK_2, *CHK_3;
    Pane *K_LIST, *D_LIST2, *D_LIST;
    ctl::ScrollBar* SCR_V;

    KYOUKA_TOTALS TOTALS;
    qint16 ACTIVATED = 0;
    // Lines of D_LIST.
    static constexpr int kViewRows = 31;
};
