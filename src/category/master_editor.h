// The category master editor "備品区分" (KUBUN_F): every entry of the master
// in a drawn grid, one row per item name in master order, with the entry row
// that adds item names (category, subject, classification, item name,
// function class; new subjects and classifications numbered automatically)
// and the master's commands: delete, move within a classification, function
// class in the grid's cell or onto a selected range, sort, recount,
// half-width conversion, save and print.
//
// It edits the master in memory. The add and the sort write KUBUN.ZMD at
// once; the other changes are written as they are made and, with the closing
// sort, when the window closes. It is the child window of kind 5 of the form
// switch, with a dialog border and a close box:
//     FORM_CHANGE(5);
#pragma once
#include <QString>
#include <array>
#include <functional>

#include "platform/forms.h"

class EntryCascade;
class ListGrid;
class Pane;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class KUBUN_F : public platform::Form {
    Q_OBJECT
public:
    KUBUN_F();
    ~KUBUN_F() override;

    // ---- controls (names as the window's designer gave them)
    QPushButton *B_ESC, *B_PRT, *B_SORT, *B_DEL, *B_RCALC, *B_SAVE, *B_UP, *B_DOWN, *B_ADD, *B_NARROW, *B_FSET;
    QLabel *Label1, *Label3;
    QComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D, *FUNC_D, *FUNC_S, *FUNC_L;
    QLineEdit *NO_KY, *NO_BU;
    ListGrid* grid;
    Pane *D_NO, *D_LIST;
    QScrollBar* SCB_V;
    EntryCascade* cascade;

    // ---- window state
    qint16 CHANGE_FLAG = 0;       // the master was changed here
    qint16 FUNC_CHANGE_FLAG = 0;  // a function class was changed in the grid's cell
    qint32 EDIT_ENTRY = -1;       // master index of the open function cell
    int GRID_N = 0;               // grid rows, the header row included
    // Where the jumps last found levels 1 to 4; kept for the whole run.
    static inline std::array<qint32, 4> JUMP_POS{};

    // ---- lifecycle
    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // ---- grid
    void KUBUN_GRID_HEAD();
    void KUBUN_SCROLL_SET();
    void KUBUN_GRID_PAGE();
    void KUBUN_GRID_ROW(qint32 e, int r);
    void KUBUN_JUMP(int level);

    // ---- handlers
    void D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y);
    void D_LIST_MouseDown(Qt::MouseButton button, double x, double y);
    void FUNC_L_Click();
    void FUNC_L_LostFocus();
    void Label1_DblClick();
    void Label3_DblClick();
    void B_PRT_Click();
    void B_ESC_Click();
    void B_ADD_Click();
    void B_DEL_Click();
    void B_UP_Click();
    void B_DOWN_Click();
    void B_FSET_Click();
    void B_SORT_Click();
    void B_RCALC_Click();
    void B_NARROW_Click();
    void B_SAVE_Click();
    void KUBUN_MOVE_CHECK();
    void KUBUN_ADD_CHECK();

    // The closing steps: the link after a function change in the grid, the
    // sort (which writes the file) after any change. Run by every close and
    // before the half-width conversion reads the files again.
    void KUBUN_CLOSE_STEPS();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void level(int n);
    void moveEntry(int step);
    // Writes the master as it stands at the end of a command that changed it.
    void writeNow();
    void emptyEntryRow();
    // The editor's own range of KUBUN_LIST_VIEW, cut to the master; false
    // when another window wrote the range.
    bool ownRange(qint32* top, qint32* end) const;
    QString cellBuf_;
};
