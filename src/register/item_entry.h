// A_ZEMLO_IN "備品登録": the window in which new equipment is registered, one
// registration per opening. The item list shows it modally in its add loop
// and learns the outcome from ZEMLO_IN_STATE (2 registered, 0 closed without).
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

class A_ZEMLO_IN : public platform::Form {
    Q_OBJECT
public:
    A_ZEMLO_IN();
    ~A_ZEMLO_IN() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Handlers.
    void BY_Y_Change();
    void B_NO_Change();
    void B_NOS_Change();
    void B_COUNT_Change();
    void B_ADD_Click();
    void B_CHKP_Click();
    void B_ESC_Click();
    void OP_BYE_Click();
    void OP_MOVE_Click();

    // The window's own procedures.
    void ZEMLO_IN_CLEAR();
    void ZEMLO_IN_CARRY();
    void ZEMLO_IN_MONY();
    void ZEMLO_IN_ENABLE();
    // The boxes as the registration reads them.
    ZEMLO_IN_FORM formValues() const;

    // Controls, named as the window names them.
    QComboBox* DP_W;
    QLineEdit *BY_Y, *B_NO, *B_NOS;
    QLabel* B_NOE;
    QRadioButton *OP_BYE, *OP_MOVE;
    QLabel* MOVE_N_L;
    QLineEdit* MOVE_N;
    QComboBox* DP_WB;
    QLineEdit *BIN_Y, *BIN_M, *BIN_D;
    QComboBox *KH_KUBUN, *KUBUN, *KYOUKA;
    QLineEdit* NO_KY;
    QComboBox* BUNRUI;
    QLineEdit* NO_BU;
    QComboBox *NAME_D, *FUNC_D;
    QLineEdit *B_COUNT, *B_MONY;
    QRadioButton *TAX_OUT, *TAX_IN, *TAX_NO;
    QLineEdit* TAX;
    QLabel* MONY_T;
    QComboBox *KEEP, *SHOP, *MAKER;
    QLineEdit *MAKER_NO, *MSG;
    QPushButton *B_CHKP, *B_ADD, *B_ESC;
    QLabel *KYOUKA_L, *BUNRUI_L;

    // Window variables.
    ZEMLO_IN_VARS vars;
    EntryCascade* cascade = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void setDirty() {
        if (!filling_) vars.IN_DIRTY = 1;
    }
    // Registers; on success the window closes (unless it is closing already).
    bool registerNow(bool closing);
    void applyFiscalDefault();
    void setTaxOption(int taxK);  // 1 外税, 2 内税, 3 無し, other: none chosen
    void fillNameLists();
    // Fills the expense list and the category cascade with a stored choice,
    // as the user's choices would; `keihiClick` runs for the expense choice.
    void showCategory(const QString& keihi, const std::function<void()>& keihiClick, const QString& kubun,
                      const QString& kyouka, qint64 noKy, const QString& bunrui, const QString& noBu, int funcNo,
                      const QString& nameD);
    QButtonGroup* taxGroup_ = nullptr;
    int filling_ = 0;
    bool registered_ = false;
};

// One showing of the item list's add loop: shows A_ZEMLO_IN modally and
// returns ZEMLO_IN_STATE afterwards (2 after a registration, 0 when it closed
// without one). The list sets ZEMLO_IN_STATE to 0 before the first showing
// and to 1 before each further one.
int ZEMLO_IN_SHOW();

// Plugs the entry and change windows into the item list's add loop and its
// change button (ZEMLO_LIST_WINDOWS). Called once at start-up.
void ENTRY_WINDOWS_INSTALL();
