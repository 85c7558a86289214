// A_ZEMLO_CHG "備品内容変更": the window in which registered items are edited
// one at a time, stepping through the rows of the item list's view. An edited
// item is stored when the user steps to another row or closes the window.
#pragma once
#include "platform/forms.h"
#include "register/registration.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class EntryCascade;
class MouseLabel;

class A_ZEMLO_CHG : public platform::Form {
    Q_OBJECT
public:
    A_ZEMLO_CHG();
    ~A_ZEMLO_CHG() override;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void B_ESC_Click();
    void BT_DEC_Click();
    void BT_INC_Click();
    void BT_LNO_Enter();
    void BY_Y_Change();
    void ZL24_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void OP_BYE_Click();
    void OP_MOVE_Click();
    void OP_OUT_Click();
    void OP_MOVE2_Click();

    void ZEMLO_CHG_CLEAR();
    void ZEMLO_CHG_DISP();
    bool ZEMLO_CHG_CHECK();
    void ZEMLO_CHG_SET();
    void ZEMLO_CHG_MONY();
    ZEMLO_CHG_FORM formValues() const;

    // Controls.
    QComboBox* DP_W;
    QLineEdit *BY_Y, *B_NO, *B_NOS;
    QComboBox *KH_KUBUN, *KUBUN, *KYOUKA;
    QLineEdit* NO_KY;
    QComboBox* BUNRUI;
    QLineEdit* NO_BU;
    QComboBox *NAME_D, *FUNC_D;
    QLineEdit* B_MONY;
    QRadioButton *TAX_OUT, *TAX_IN, *TAX_NO;
    QLineEdit* TAX;
    QLabel* MONY_T;
    QComboBox *SHOP, *MAKER, *KEEP;
    QLineEdit *MAKER_NO, *MSG;
    QRadioButton *OP_BYE, *OP_MOVE;
    QLabel* MOVE_N_L;
    QLineEdit* MOVE_N;
    QComboBox* DP_WI;
    QLineEdit *BIN_Y, *BIN_M, *BIN_D;
    QRadioButton *OP_OUT, *OP_MOVE2;
    QLabel* MOVE_N2_L;
    QLineEdit* MOVE_N2;
    MouseLabel* ZL24;
    QComboBox* DP_WO;
    QLineEdit *BOUT_Y, *BOUT_M, *BOUT_D;
    QLineEdit* BT_LNO;
    QLabel* BT_COUNT;
    QPushButton *BT_DEC, *BT_INC, *B_ESC;
    QLabel *KYOUKA_L, *BUNRUI_L;

    // Window state.
    qint32 EDIT_IDX = 0;
    qint16 EDIT_DIRTY = 0;
    qint16 EDIT_WAS_OUT = 0;
    qint16 EDIT_KUBUN_SAVE = 0;
    EntryCascade* cascade = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void dirty() { EDIT_DIRTY = 1; }
    void loadWarning();
    void setTaxOption(int taxK);
    // Stores the shown item when it was edited; false keeps the window on it.
    bool saveIfDirty();
    void showRow(qint32 row);
    QButtonGroup* taxGroup_ = nullptr;
    qint32 curRow_ = 1;  // the view row (from 1) whose item is shown
};

// The item list's change button: shows A_ZEMLO_CHG modally over the list's
// view, starting at the first selected row. Returns false without opening
// when the view is empty.
bool ZEMLO_CHG_SHOW();
