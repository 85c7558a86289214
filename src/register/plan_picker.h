// A_ZEMLO_PIN "備品登録選択": the plan picker of the entry window. It lists the
// purchase plans of one fiscal year, narrowed by category and subject, and
// leaves the chosen plan's index in PIN_SEL (-1 when none was chosen).
#pragma once
#include "platform/forms.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QLabel;

class A_ZEMLO_PIN : public platform::Form {
    Q_OBJECT
public:
    A_ZEMLO_PIN();

    void Form_Load() override;

    void KUBUN_Click();
    void KYOUKA_Click();
    void P_NAME_Click();
    void B_OK_Click();
    void B_ESC_Click();
    void PIN_KYOUKA_SET();
    void PIN_PLAN_LIST();

    QComboBox *KUBUN, *KYOUKA;
    QListWidget *P_NAME, *P_NO;
    QPushButton *B_OK, *B_ESC;
    QLabel* KYOUKA_L;

    // The fiscal year whose plans are listed (the era is not compared).
    qint64 PIN_FY = 0;
};

// Shows the picker modally for the plans of fiscal year `fy`; the result is
// in PIN_SEL (the caller sets it to -1 first).
void PIN_SHOW(qint64 fy);
