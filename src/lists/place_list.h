// The lists by storage place "保管場所別リスト" (KEEP_ROOM): the storage
// places with the number of held items of each, split into the 管理 part and
// the other categories, narrowed by category and subject. The user marks
// places and parts for printing and sees how many pages the detailed list
// takes; a click on a place's number shows its breakdown by item name in
// the right-hand pane. The window prints the place-count list, the detailed
// list of the marked parts and the breakdowns of the picked place or of
// every marked place.
//
// A child of the main frame without border or title bar, kind 7 of the form
// switch; it owns no file (the name lists are saved by the index build when
// it added places) and closes through "閉じる" or the switch.
#pragma once
#include <QList>
#include <array>

#include "common/cascade_boxes.h"
#include "common/list_window.h"
#include "lists/place_index.h"
#include "platform/controls.h"

class KEEP_ROOM : public ListWindow {
    Q_OBJECT
public:
    KEEP_ROOM();
    ~KEEP_ROOM() override;

    // ---- controls
    ctl::CommandButton *B_PRT_H, *B_ESC, *B_PRT_SEL, *B_PRT_SET, *B_PRT2, *B_PRT3;
    ctl::Label *Label3, *Label4, *P_COUNT_L;
    ctl::FigureLabel* P_COUNT;
    ctl::ComboBox *KUBUN, *KYOUKA;
    // Subject numbers of KYOUKA's entries, in the same order.
    QList<qint16> K_NO_LIST;
    // The filters' category cascade (KUBUN_Click fills the subjects with
    // KYOUKA_LIST_SET; a choice in either box counts the places again).
    ListCascade cascade;
    ctl::Frame* Frame1;
    ctl::CheckBox* CHK1;
    // The place grid (grid, D_NO, D_LIST, SCB_V) and the breakdown pane.
    ListGrid* grid2;
    Pane *D_NO2, *D_LIST2;
    QScrollBar* SCB_V2;

    // ---- window values
    KEEP_INDEX_DATA keep;
    // KEEP_MARK[place][part]: 1 when that part is marked for printing.
    std::array<std::array<qint16, 2>, NAME_LIST_SLOTS> KEEP_MARK{};
    qint16 MARK_FROM = 0, MARK_TO = 0;
    std::array<qint16, 2> MARK_LAST{};  // value set by the last plain mark click, and its part
    qint32 PAGE_ALL = 0, PAGE_SEL = 0;
    int VIEW_LINES = 0;
    // The picked place (its name is drawn in red) and its breakdown.
    std::array<qint16, NAME_LIST_SLOTS> KEEP_PICK{};
    qint16 KEEP_PICK_NO = 0;
    KEEP_BREAKDOWN breakdown;

    // The place count: the no-place row's number.
    static int placeCount();

    // ---- lifecycle
    void Form_Load() override;
    void Form_Resize() override;

    // ---- event handlers
    void D_LIST_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    // A press on a place's number picks the place for the breakdown.
    void D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y) override;
    void B_PRT_SET_Click();
    void B_PRT_SET_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void CHK1_Click();
    void B_PRT_H_Click();
    void B_PRT_SEL_Click();
    void B_PRT2_Click();
    void B_PRT3_Click();

    // ---- procedures
    // The filters the combos hold now.
    KEEP_FILTER FILTER_NOW() const;
    // KEEP_INDEX_MAKE over the filters, the window's input blocked meanwhile.
    void KEEP_INDEX_BUILD();
    void KEEP_GRID_HEAD();
    void KEEP_GRID_PAGE();
    void KEEP_GRID_ROW(int place, int line);
    void KEEP_PAGE_COUNT();
    void BREAKDOWN_GRID_HEAD();
    void BREAKDOWN_GRID_PAGE();
    void BREAKDOWN_GRID_ROW(qint32 row, int line);

    // ---- print jobs (place_prints.cpp): 1 printed (or, for a breakdown,
    // done with the document left open), 0 stopped, -1 printer error.
    int KEEP_SUM_PRT();
    void KEEP_SUM_FRAME_PRT();
    int KEEP_DETAIL_PRT();
    void KEEP_DETAIL_FRAME_PRT();
    void KEEP_DETAIL_ROW_PRT(qint32 rec, int line);
    // The breakdown of KEEP_PICK_NO: `following` 0 begins a new document,
    // otherwise it goes on in the open one on a new page.
    int BREAKDOWN_PRT(int following);
    void BREAKDOWN_FRAME_PRT();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void layoutControls();
};
