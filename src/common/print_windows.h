// The two small windows that stand while a print run works: PRT_MSGF, which
// runs the purchase-ledger print itself, and PRT_MSG2, shown by the print
// runs of the lists by storage place. Each has a stop button "中止".
#pragma once
#include <QMdiSubWindow>
#include <functional>

#include "platform/forms.h"

class QLabel;
class QPushButton;

// The purchase-ledger print (print kind PURCHASE_LEDGER), installed by the
// printing module; PRT_MSGF runs it. Nothing is printed while none is
// installed.
void IN_NOTE_PRT_SET(std::function<void()> print);
void IN_NOTE_PRT();

class PRT_MSGF : public platform::Form {
    Q_OBJECT
public:
    PRT_MSGF();
    void Form_Load() override;
    void Form_Activate() override;
    void Command1_Click();

    QLabel* Label1;
    QPushButton* Command1;

private:
    bool ran_ = false;
};

class PRT_MSG2 : public platform::Form {
    Q_OBJECT
public:
    PRT_MSG2();
    void Command1_Click();

    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Command1;
};
