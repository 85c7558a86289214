// The function-class list "機能別リスト" (FUNC_F): the item names of the
// category master that are in use (registered or out count at least 1),
// ordered so that within each subject the entries of one function class
// stand together: category, subject, function class, classification code,
// item serial. Four combo boxes jump the grid to the first entry of a
// category, subject, classification or item name; the list itself is never
// narrowed. A double-click on the empty spot between "閉じる" and
// "リスト印刷" lists every entry of the category "教材" (teaching
// materials), in use or not, until the window opens again. "リスト印刷"
// opens the category-list print dialog, which prints this window's list.
//
// A child of the main frame without border or title bar, kind 10 of the
// form switch; it changes no data.
#pragma once
#include <QList>
#include <array>

#include "platform/controls.h"
#include "platform/forms.h"
#include "common/list_grid.h"

class FUNC_F : public platform::Form {
    Q_OBJECT
public:
    FUNC_F();
    ~FUNC_F() override;

    // ---- controls
    ctl::CommandButton *B_ESC, *B_PRT_H;
    ctl::Label* B_X;
    ctl::ComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D;
    // The subject number of each KYOUKA entry, position by position.
    QList<qint16> K_NO_LIST;
    ListGrid* grid;
    Pane *D_NO, *D_LIST;
    QScrollBar* SCB_V;

    // ---- window values
    qint16 FUNC_LAYOUT_ON = 0;
    qint16 KYOUZAI_MODE = 0;
    qint16 FUNC_VIEW_ROWS = 0;
    qint16 FUNC_KYOUKA_NO = 0;
    // Where the last jump of level 1 (category) to 4 (item name) found its entry.
    std::array<qint32, 4> FUNC_JUMP_POS{};

    // ---- lifecycle
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    // ---- event handlers
    void B_ESC_Click();
    void B_PRT_H_Click();
    void B_X_DblClick();
    void KUBUN_Click();
    void KYOUKA_Click();
    void BUNRUI_Click();
    void NAME_D_Click();

    // ---- procedures
    void FUNC_LIST_MAKE();
    void FUNC_KUBUN_SET();
    void FUNC_KYOUKA_SET();
    void FUNC_BUNRUI_SET();
    void FUNC_NAME_SET();
    void FUNC_JUMP(int level);
    void FUNC_GRID_HEAD();
    void FUNC_GRID_ALL();
    void FUNC_GRID_PAGE();
    void FUNC_GRID_ROW(qint32 e, int r);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void refillCombos();
    QString cellBuf_;
};

// Fills KUBUN_INDEX with the entries of the function-class list: with
// `teaching` every entry of the category "教材", otherwise every entry in
// use; ordered by category, subject, function class, classification code
// and item serial.
void FUNC_INDEX_MAKE(bool teaching);
