// The purchase history "備品登録履歴リスト" (L_ZEMLO_LIST): the register as a
// list of purchases. "集計" takes the item records that pass the filter bar
// (registration year in an era, expense types, category, subject,
// classification) in number order and folds each run of units of one
// purchase into one row (IN_ROW_LIST) with its number range, quantity,
// units gone and amount; the count and the total amount of the rows show at
// the top. The rows are listed in the drawn grid, selected by clicks on the
// number pane (Shift: a range, Ctrl: one row off), put in number, purchase
// date or category order, and printed as the list "備品登録リスト" through the
// list print dialog or as the purchase ledger "備品購入台帳".
//
// A child of the main frame without border or title bar, kind 2 of the form
// switch (which puts the item file in number order first). It writes no
// file; the rows stay in IN_ROW_LIST after it closes.
#pragma once
#include <QList>

#include "common/cascade_boxes.h"
#include "common/list_window.h"
#include "platform/controls.h"
#include "register/item_search.h"

class L_ZEMLO_LIST : public ListWindow {
    Q_OBJECT
public:
    L_ZEMLO_LIST();
    ~L_ZEMLO_LIST() override;

    // ---- controls
    ctl::CommandButton *B_ESC, *B_SORT, *B_SORT2, *B_SORT3, *B_PRT, *B_PRT2, *B_KEIHI, *B_PICUP;
    ctl::Frame* Frame1;
    ctl::Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *KEIHI_T;
    ctl::FigureLabel *C_COUNT, *TOTAL;
    ctl::ComboBox *DP_W, *KUBUN, *KYOUKA, *BUNRUI;
    ctl::TextBox* CH_Y;
    ctl::ListBox* KEIHI_L;
    // The subject number of each KYOUKA entry, position by position.
    QList<qint16> K_NO_LIST;

    // ---- window values
    int VIEW_LINES() const { return grid->GRID_ROWS; }
    // The filter bar's category cascade: the chosen category (its place in
    // KUBUN_NAMES + 1, 0 none), subject number and the subject's master
    // range, and the handlers of its boxes (KYOUKA_LIST_SET, BUNRUI_LIST_SET).
    ListCascade cascade;
    // Rows the grid lists: ROW_COUNT after this window's search, 0 before.
    qint32 IN_VIEW_COUNT = 0;
    // The selected range was set by a click on the rows listed now.
    bool SEL_VALID = false;

    // ---- lifecycle
    void Form_Load() override;

    // ---- event handlers
    void B_PICUP_Click();
    void B_KEIHI_Click();
    void KEIHI_L_Click();
    void FILTER_Change();  // CH_Y typed
    void B_SORT_Click();
    void B_SORT2_Click();
    void B_SORT3_Click();
    void B_PRT_Click();
    void B_PRT2_Click();

    // ---- procedures
    void IN_ROW_PICUP();
    void IN_GRID_COLS();
    void IN_GRID_HEAD();
    void IN_GRID_PAGE();
    void IN_GRID_ROW(qint32 row, int line);
    // What the filter bar holds now, as the search reads it.
    ZEMLO_FILTER FILTER_NOW() const;

private:
    void layoutControls();
    void sortRows(void (*sort)());
    void clearSelection();

    QString cellBuf_;
};
