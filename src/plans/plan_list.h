// The plan list "備品購入計画リスト" (P_ZEMLO_LIST): the working window of the
// purchase plans. It lists the plan table through the view P_LIST_VIEW in
// the drawn grid, narrows it with its filter bar, lets the user select a row
// or a range on the number pane, and adds and changes plans through the plan
// entry window, deletes, recounts the current holdings, sorts and prints
// them. Every action that changes plans writes the plan file, and so does
// the close once plans changed in the run.
//
// A child of the main window's frame without border or title bar, opened
// by the form switch (kind 1) after the plan file was read:
//     platform::FormInstance<P_ZEMLO_LIST>::get()->Show();
// and closed by its "閉じる" button or by the switch.
#pragma once
#include <QList>
#include <functional>

#include "common/cascade_boxes.h"
#include "common/list_window.h"
#include "plans/plan_search.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace ctl {
class CheckBox;
}

// The export windows of the plan list, built elsewhere; while one is not
// set its button stays disabled.
struct P_ZEMLO_LIST_WINDOWS_REC {
    std::function<void()> P_ZEMLO_FOUT;  // the plan export
    std::function<void()> KELDA_OUT;     // the town-format export
};
inline P_ZEMLO_LIST_WINDOWS_REC P_ZEMLO_LIST_WINDOWS;

class P_ZEMLO_LIST : public ListWindow {
    Q_OBJECT
public:
    P_ZEMLO_LIST();
    ~P_ZEMLO_LIST() override;

    // ---- controls
    QPushButton *B_ESC, *B_ADD, *B_CHG, *B_DEL, *B_SORT, *B_RCALC, *B_PRT, *B_FILE, *B_KELDA;
    QPushButton *B_PICUP, *ALL_H;
    QComboBox *DP_W, *KEIHI, *KUBUN, *KYOUKA, *BUNRUI;
    QLineEdit* CH_Y;
    QLabel *Label1, *Label2, *Label3, *C_COUNT, *TOTAL;
    QLabel *L_KEIHI, *L_KUBUN, *L_KYOUKA, *L_BUNRUI;
    ctl::CheckBox* C_CHG;  // 1 while the change button has the entry window open
    // Subject numbers beside KYOUKA, entry k for entry k.
    QList<qint16> K_NO_LIST;

    // ---- window values
    // The filter bar's category cascade: the chosen category index
    // (CUR_KUBUN), subject number (CUR_KYOUKA) and the subject's master
    // range (CUR_FIRST, CUR_LAST), and the handlers of its boxes.
    ListCascade cascade;

    // ---- lifecycle
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // ---- event handlers
    void B_PICUP_Click();
    void ALL_H_Click();
    void CH_Y_Change();
    void B_ADD_Click();
    void B_CHG_Click();
    void B_DEL_Click();
    void B_RCALC_Click();
    void B_SORT_Click();
    void B_PRT_Click();
    void B_FILE_Click();
    void Label3_DblClick();
    void B_KELDA_Click();

    // ---- the grid
    void P_ZEMLO_GRID_COLS();
    void P_ZEMLO_GRID_HEAD();
    void P_ZEMLO_GRID_ROW(qint32 plan, int screenRow);
    void P_ZEMLO_GRID_ALL();
    void P_ZEMLO_GRID_PAGE();

    // What the filter bar holds now.
    P_ZEMLO_FILTER FILTER_NOW() const;
    // The list shows a search's plans, not every plan.
    bool filtered() const { return filtered_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void listFirst() override;

private:
    void layoutFilterBar();
    void clearMarks();
    // A right-aligned cell ending 30 twips left of `right`; a figure wider
    // than its column is drawn smaller so that it shows whole.
    void cellRight(double right, double width, int screenRow, const QString& text);
    void showHooked();
    bool filtered_ = false;
};
