// The item list "備品データリスト" (A_ZEMLO_LIST): the central window of the
// register. It lists the item table through the view ZEMLO_INDEX in the drawn
// grid, narrows it with the filter bar and its two searches, lets the user
// select a row or a range on the number pane, and adds, changes, deletes,
// disposes, moves, sorts and prints items. It owns no file: it edits the item
// table in place and writes the item file (and, after a delete, the category
// master) when it closes.
//
// It is a child of the main window's frame without border or title bar,
// opened by the form switch:
//     platform::FormInstance<A_ZEMLO_LIST>::get()->Show();
// and closed by its "閉じる" button or by
//     platform::FormInstance<A_ZEMLO_LIST>::unload();
#pragma once
#include <QList>
#include <QStringList>
#include <functional>

#include "common/cascade_boxes.h"
#include "common/list_window.h"
#include "register/item_search.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The windows the list opens modally. They are built elsewhere and plug in
// here; while one is not set its button asks its questions and goes on as if
// the window had been closed without a change.
struct ZEMLO_LIST_WINDOWS_REC {
    std::function<void()> A_ZEMLO_IN;   // entry window (add loop)
    std::function<void()> A_ZEMLO_CHG;  // change window
    std::function<void()> A_OUT_DAY_F;  // disposal data of the selected items
    std::function<void()> A_AREA_SET;   // storage place of the selected items
    std::function<void()> ZEMLO_PRT;    // list print
    std::function<void()> LABEL_PRT;    // label print
};
inline ZEMLO_LIST_WINDOWS_REC ZEMLO_LIST_WINDOWS;

class A_ZEMLO_LIST : public ListWindow {
    Q_OBJECT
public:
    A_ZEMLO_LIST();
    ~A_ZEMLO_LIST() override;

    // ---- controls (names as the window's designer gave them)
    QPushButton *B_ESC, *B_IN, *B_CHG, *B_AREA, *B_OUT, *B_DEL, *B_PRT, *B_LABEL, *B_SORT, *B_SORT2;
    QPushButton *B_PICUP, *B_PICUP2, *ALL_H, *B_KEIHI;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11;
    QLabel *C_COUNT, *TOTAL, *KEIHI_T;
    QComboBox *DP_W, *KEIHI, *KUBUN, *KYOUKA, *KYOUKA2, *BUNRUI, *NAME_D, *KEEP;
    QLineEdit *CH_Y, *M_MAX, *N_SET;
    QRadioButton *M_UP, *M_DOWN, *N_UP, *N_DOWN;
    QGroupBox *Frame1, *Frame2;
    QListWidget* KEIHI_L;
    // Subject numbers beside KYOUKA and subject-index entries beside KYOUKA2.
    QList<qint16> K_NO_LIST;
    QList<qint32> K_NO2;

    // ---- window values
    qint16 KUBUN_DIRTY = 0;
    // The filter bar's category cascade (CUR_KUBUN, CUR_KYOUKA, CUR_FIRST,
    // CUR_LAST and the handlers of its boxes).
    ListCascade cascade;
    int GRID_ROWS() const { return grid->GRID_ROWS; }

    // ---- lifecycle
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // ---- event handlers
    void ALL_H_Click();
    void B_CHG_Click();
    void B_IN_Click();
    void B_DEL_Click();
    void B_OUT_Click();
    void B_AREA_Click();
    void B_SORT_Click();
    void B_SORT2_Click();
    void Label4_DblClick();
    void B_PRT_Click();
    void B_LABEL_Click();
    void Label10_DblClick();
    void Label8_DblClick();
    void B_PICUP_Click();
    void B_PICUP2_Click();
    void B_KEIHI_Click();
    void KEIHI_L_Click();
    // Typed text of CH_Y, NAME_D or KEEP changed.
    void FILTER_Change();

    // ---- the grid of the item list
    void ZEMLO_GRID_COLS();
    void ZEMLO_GRID_HEAD();
    void ZEMLO_GRID_ALL();
    void ZEMLO_GRID_PAGE();
    void ZEMLO_GRID_EXTEND();
    void ZEMLO_GRID_ROW(qint32 rec, int screenRow);
    // Counts the listed rows again into C_COUNT and the amount of the listed
    // items still held into TOTAL, after the rows' records have changed.
    void ZEMLO_LIST_RECOUNT();

    // What the filter bar holds now, as the search reads it.
    ZEMLO_FILTER FILTER_NOW() const;
    // The list is filtered ("全表示" enabled, whatever the window's own state).
    bool filtered() const;
    // Keeps the filters of a search for the list print (ZEMLO_LIST_SRC).
    void PRT_SRC_CAPTURE();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void listFirst() override;

private:
    enum class Search { All, Missing };
    void runSearch(Search kind);
    void relist(int savedScroll);
    void bulkAction(bool disposal);
    void layoutFilterBar();

    // Scratch texts of the row drawing, reused from row to row.
    QString cellBuf_;
    bool dpwTyped_ = false;
};
