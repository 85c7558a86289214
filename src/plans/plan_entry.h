// P_ZEMLO_IN "備品購入計画": the dialog in which one purchase plan is entered,
// new or over an existing one. The plan list shows it modally: from its add
// button again and again while each showing registers a plan
// (P_ZEMLO_IN_STATE 1), from its change button once for the plan at the
// first selected row (with P_ZEMLO_LIST.C_CHG at 1). "登録" stores the
// fields into the plan and closes the window; "閉じる" closes it without.
// Every showing starts from a fresh window.
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
struct P_ZEMLO_IN_FORM;

class P_ZEMLO_IN : public platform::Form {
    Q_OBJECT
public:
    P_ZEMLO_IN();
    ~P_ZEMLO_IN() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Handlers and procedures.
    void B_ADD_Click();
    void B_ESC_Click();
    void P_ZEMLO_REC_DISP();
    void P_IN_DEFAULT_SET();
    void P_ZEMLO_MONY_CALC();
    void P_IN_ADD_ENABLE();
    void COUNT_NOW_SET();
    void P_IN_CATALOG_SET();
    // The boxes as the registration reads them.
    P_ZEMLO_IN_FORM formValues() const;

    // Controls, named as the window names them.
    QComboBox *DP_W, *KH_KUBUN, *KUBUN, *KYOUKA, *BUNRUI, *NAME_D, *FUNC_D;
    QLineEdit *BY_Y, *NO_KY, *NO_BU, *B_COUNT, *B_MONY, *TAX;
    QLabel *MONY_T, *COUNT_NOW;
    QRadioButton *TAX_OUT, *TAX_IN, *TAX_NO;
    QComboBox *KEEP, *MAKER, *CATALOG;
    QLineEdit *MAKER_NO, *CATALOG_P, *MSG;
    QPushButton *B_ADD, *B_ESC;
    QLabel *ZL08, *ZL09;

    // The list number of the shown plan (plan index + 1) and the plan count
    // at opening, kept as the window's hidden fields.
    qint32 BT_LNO = 0;
    qint32 BT_COUNT = 0;
    // IN_KUBUN_CHG (IN_KUBUN_SAVE) and IN_LIST_CHG (IN_ETC_SAVE).
    ZEMLO_IN_VARS vars;
    EntryCascade* cascade = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    QButtonGroup* taxGroup_ = nullptr;
};

// Shows the plan entry window modally; returns when it has closed.
void P_ZEMLO_IN_SHOW();
