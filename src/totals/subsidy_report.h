// The promotion-subsidy report "振興備品集計" (TOTAL_FS, 振興備品集計表),
// opened modally from the menu "金額集計(&T)" - "振興備品集計(&S)": over the
// last five fiscal years a science table ("R": 理科 and 理振) and an
// arithmetic or mathematics table ("S": 算数 and 算振, at a lower-secondary
// school 数学 and 数振), each with the typed base amount ①, the holdings
// carried over ②, the shortfall ③, the year's purchases split by expense
// type into subsidy-eligible ④, the subsidy within them ⑤ and others ⑥,
// their total ⑦, the disposals ⑧, the holdings at the year's end ⑨ and the
// holding rate ⑩; below them a grid of class counts, pupils and two names
// per year. Four lists choose the expense types that feed ④, ⑤, ⑥ and ⑧.
//
// The typed figures live in BASE.ZMD (totals/subsidy_base_file.h), read when the
// window first computes and written when it closes; the choices of the
// include boxes and the lists live in the settings-store section CALC_F.
// Amounts are summed in 64 bits and shown in full; a purchase or an out
// date after the last fiscal year counts nowhere (it is still to come).
#pragma once
#include <QHash>
#include <array>

#include "platform/controls.h"
#include "platform/forms.h"
#include "totals/subsidy_base_file.h"

class Pane;

// One period of a table: row 0 the period before the five years, rows 1 to
// 5 the fiscal years, oldest first.
struct CALC_ROW {
    qint16 YEAR = 0;             // fiscal year; 0 in row 0
    qint32 START = 0, END = 0;   // first and last day (TOTAL_DAY)
    qint64 BASE = 0;             // ① the year's base figure
    qint64 HOLD = 0;             // ⑨ held at the end of the period
    qint64 ELIGIBLE = 0;         // ④
    qint64 SUBSIDY = 0;          // ⑤ the year's ⑤ figure plus the purchases of list ⑤
    qint64 OTHER = 0;            // ⑥
    qint64 TOTAL = 0;            // ⑦ = ④ + ⑥
    qint64 DISPOSED = 0;         // ⑧
};
using CALC_TABLE = std::array<CALC_ROW, 6>;

// The subject bits of the include boxes, as CALC_F's SET_C stores them.
inline constexpr qint16 SUBJ_RIKA = 1;     // 理科    (CHK_CR)
inline constexpr qint16 SUBJ_RISHIN = 2;   // 理振    (CHK_CRS)
inline constexpr qint16 SUBJ_SANSU = 4;    // 算数 or 数学 (CHK_CS)
inline constexpr qint16 SUBJ_SANSHIN = 8;  // 算振 or 数振 (CHK_CSS)

// The list bits of an expense type: list 0 feeds ④, 1 ⑤, 2 ⑥, 3 ⑧.
inline constexpr int LIST_ELIGIBLE = 1, LIST_SUBSIDY = 2, LIST_OTHER = 4, LIST_DISPOSED = 8;

// The subject key of an entry or an item: the first two characters of the
// subject name when the category is "教材", else of the category name.
QStringView TOTAL_FS_KEY(const QString& kubun, const QString& kyouka);
// The subject bit of an item's key for the tables: 理科 1, 理振 2, 算数 and
// 数学 4, 算振 and 数振 8, anything else 0.
qint16 TOTAL_FS_SUBJECT(const QString& kubun, const QString& kyouka);

// The six rows of a table for the five fiscal years ending with `newest`:
// periods, the ① and ⑤ figures of `recs`, then every item of ZEMLO_DATA
// whose subject bit is in `subjects` and whose expense type has a list mask
// in `typeMasks` (an item whose type is ticked in no list is not counted at
// all); ⑦ and ⑨ follow. `science` picks the figures of the "R" table, else
// those of "S".
CALC_TABLE TOTAL_FS_TABLE(int newest, const BASE_RECORDS& recs, bool science, qint16 subjects,
                          const QHash<QString, int>& typeMasks);

// A row value of a table column as the screen and the print show it: k = 1
// (①) to 10 (⑩) of column p (1 to 5). ② is ⑨ of the period before, ③ is
// ① − ②, ⑩ the holding rate in "0.0％" when ① is above 0.
QString TOTAL_FS_CELL(const CALC_TABLE& t, int k, int p);

class TOTAL_FS : public platform::Form {
    Q_OBJECT
public:
    TOTAL_FS();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    void CALC_LIST_Click();
    void CHK_C_Click();
    void B_PRT_Click();
    void B_CLOSE_Click();
    void D_LIST_MouseDown(int index, double x, double y);
    void BASE_LostFocus(int table, int p);
    void ED_LIST_MouseDown(double x, double y);
    void ED_BOX_LostFocus();

    // Recomputation: periods and figures, both tables, both drawings.
    void RECALC();
    void TOTAL_FS_YEAR_SET();
    void TOTAL_FS_CALC(int table);  // 0 "R", 1 "S"
    void TOTAL_FS_DRAW(int table);
    void TOTAL_FS_HEAD();
    void CLASS_COUNT_DRAW();
    // The mask of an expense type: the bit of each list whose first entry
    // of that text is selected.
    int CALC_LIST_FLAGS(const QString& keihi) const;

    void BASE_READ();
    // False when the figures could not be written (after its message).
    bool BASE_SAVE();
    void CALC_F_READ();
    void CALC_F_SAVE();
    // 1 printed, 0 the printer failed (after its message).
    int TOTAL_FS_PRT();

    // Stores what an open in-cell editor holds (before a close or a print).
    void COMMIT_EDITORS();

    ctl::CommandButton *B_PRT, *B_CLOSE;
    ctl::CheckBox *CHK_R, *CHK_S;
    ctl::CheckBox *CHK_CR, *CHK_CRS, *CHK_CS, *CHK_CSS;
    ctl::Label *Label1, *Label2, *Label3, *Label4, *Label5;
    std::array<ctl::Label*, 4> CAPTIONS{};  // Label6 to Label9
    Pane *HD_1, *HD_2, *EK_LIST, *ED_LIST;
    std::array<Pane*, 2> K_LIST{}, D_LIST{};
    ctl::TextBox* ED_BOX;
    // The ① editors of "R" and "S", index 1 to 5 (0 unused).
    std::array<ctl::TextBox*, 6> R_BASE{}, S_BASE{};
    std::array<ctl::ListBox*, 4> CALC_LIST{};

    std::array<CALC_TABLE, 2> ROWS{};
    BASE_RECORDS BASE_REC{};
    // BASE.ZMD as read at the first computation.
    BASE_FILE BASE_OLD;
    bool BASE_LOADED = false;
    // The newest fiscal year of the window.
    int YEAR_NEW = 0;
    // The subject pair of the "S" table: 算数/算振 or 数学/数振.
    QString PAIR_1, PAIR_2;
    // The include box ticked whatever is stored, in a table with one subject
    // (nullptr when the table shows both).
    ctl::CheckBox *ONLY_R = nullptr, *ONLY_S = nullptr;
    qint16 ACTIVATED = 0;
    qint16 READY = 0;
    // The open class-grid editor: row 1 to 6, column 1 to 5.
    int EDIT_ROW = 0, EDIT_COL = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ctl::TextBox* baseBox(int table, int p) const { return table == 0 ? R_BASE[size_t(p)] : S_BASE[size_t(p)]; }
    // Reads a typed figure in [0, max]; refuses anything else with its message.
    bool readFigure(const QString& text, qint64 max, const QString& what, qint64* out);
    bool committing_ = false;
};
