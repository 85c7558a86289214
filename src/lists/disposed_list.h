// The list of disposed and relocated items "廃棄備品リスト" (C_ZEMLO_LIST):
// every item record with an out date, disposed (廃棄) or relocated out to
// another school (移設). The filter bar (disposal kind and destination,
// disposal period, registration and disposal fiscal years, expense type,
// category, subject, classification, item name) picks the rows shown from
// the disposed list OUT_LIST into OUT_LIST_VIEW, with their count and total
// amount. "一覧" lists one record a line; "集計" gathers the units of one
// registration into one line with their number (OUT_TOTAL). Rows selected
// on the number pane are deleted from the register by "削除"; "印刷" prints
// the list through the list print dialog, or the totals directly.
//
// A child of the main frame without border or title bar, kind 6 of the form
// switch (which builds OUT_LIST first and opens nothing when it is empty).
// A deletion writes the item file when it ends; the close writes it again
// when a save is still owed.
#pragma once
#include <QList>
#include <vector>

#include "common/cascade_boxes.h"
#include "common/list_window.h"
#include "lists/disposed_search.h"
#include "platform/controls.h"
#include "platform/ui.h"

class C_ZEMLO_LIST : public ListWindow {
    Q_OBJECT
public:
    C_ZEMLO_LIST();
    ~C_ZEMLO_LIST() override;

    // ---- controls
    ctl::CommandButton *B_ESC, *B_DEL, *B_PRT, *B_PICUP, *ALL_H;
    ctl::Frame* Frame1;  // the two display modes
    ctl::OptionButton *OPT_A, *OPT_T;
    ctl::CheckBox* CHK_SPAN;
    ctl::TextBox *ST_D, *END_D, *CH_Y, *OUT_Y;
    ctl::Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11,
        *Label12, *Label13, *Label14;
    ctl::FigureLabel *C_COUNT, *TOTAL;
    ctl::ComboBox *DP_W, *DP_WO, *KEIHI, *KUBUN, *KYOUKA, *BUNRUI, *NAME_D, *C_KUBUN, *MOVE_N;
    // The subject number of each KYOUKA entry, position by position.
    QList<qint16> K_NO_LIST;

    // ---- window values
    int OUT_VIEW_ROWS() const { return grid->GRID_ROWS; }
    // The filter bar's category cascade: chosen category index, subject
    // number, master range, and the handlers of its boxes
    // (KYOUKA_LIST_SET, BUNRUI_LIST_SET, NAME_LIST_SET).
    ListCascade cascade;
    std::vector<OUT_TOTAL_ROW> OUT_TOTAL;
    qint32 OUT_TOTAL_COUNT() const { return qint32(OUT_TOTAL.size()); }
    bool totalsMode() const { return OPT_T->Value(); }

    // ---- lifecycle
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // ---- event handlers
    void B_PICUP_Click();
    void ALL_H_Click();
    void CHK_SPAN_Click();
    void C_KUBUN_Click();
    void FILTER_Change();  // CH_Y or NAME_D typed
    void OPT_A_Click();
    void OPT_T_Click();
    void B_PRT_Click();
    void B_DEL_Click();

    // ---- procedures
    void MOVE_LIST_SET();
    void OUT_GRID_COLS();
    void OUT_GRID_HEAD();
    void OUT_GRID_PAGE();
    void OUT_GRID_ROW(qint32 rec, int line, qint16 flag, int units);
    void OUT_GRID_ALL();
    void OUT_TOTAL_DRAW();
    void OUT_TOTAL_PRT();
    // What the filter bar holds now, as the search reads it.
    OUT_FILTER FILTER_NOW() const;

protected:
    void listFirst() override;

private:
    void setCaptions();
    // Shows the rows now in OUT_LIST_VIEW in the mode chosen: list lines as
    // they are, or totals rows built from them again.
    void showRows();
    void clearSelection();
    // Fills OUT_LIST_VIEW with the rows of OUT_LIST that pass `crit` (every
    // row without one), drawing the first page of list lines as they come;
    // returns the rows and sets `total` to their amount.
    qint32 listRows(const OUT_CRITERIA* crit, ui::Progress* progress, qint64* total);

    QString cellBuf_;
};
