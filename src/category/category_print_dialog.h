// The category-list print dialog (KUBUN_PRT) of the three windows over the
// category master: the category master editor (FORM_KIND 5, "備品区分印刷"),
// the function-class list (10, "備品機能別リスト印刷") and the ledger window
// (4, "備品台帳内訳印刷"). The user picks a category and, optionally, some
// of its subjects (none: the whole category); the editor adds "選択範囲"
// (its selected rows), the ledger window "購入数・廃棄数無しでも印刷".
// "印刷" turns the open window's kind and the choice into PRT_KIND (the
// window's kind of the range, of chosen subjects, else of the category) and runs
// that window's print; the dialog stays open for the next print and closes
// with "閉じる". While a print runs only "中止" is live: it stops the print,
// and the dialog cannot be closed.
#pragma once
#include <QList>
#include <functional>

#include "category/category_list_print.h"
#include "platform/controls.h"
#include "platform/forms.h"

class KUBUN_PRT : public platform::Form {
    Q_OBJECT
public:
    KUBUN_PRT();

    // ---- controls
    ctl::Label *Label1, *Label2, *Label3;
    ctl::ComboBox* KUBUN;
    ctl::ListBox* KUBUN_L;
    ctl::ListBox* KYOUKA;
    // The subject number of each KYOUKA line, line by line.
    QList<qint16> KYOUKA_NO;
    ctl::CommandButton *B_ALL, *B_PRT, *B_ESC, *B_STOP;
    ctl::CheckBox *CHK1, *CHK2;

    // ---- lifecycle and handlers
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void KUBUN_Click();
    void KUBUN_L_Click();
    void B_ALL_Click();
    void B_PRT_Click();
    void B_STOP_Click();
    void B_ESC_Click();

    void PRT_KYOUKA_SET();
    // What the controls hold now, as the print jobs read it.
    KUBUN_PRT_CHOICE CHOICE() const;
    bool printing() const { return printing_; }

private:
    void setPrinting(bool on);
    bool printing_ = false;
};

// Shows the dialog modally over the open window (FORM_KIND) and returns
// when it has closed.
void KUBUN_PRT_SHOW();
// The choice of the open dialog (empty when none is open).
KUBUN_PRT_CHOICE KUBUN_PRT_CHOSEN();

// The ledger window's breakdown list (print kinds LEDGER_BREAKDOWN_*), run
// by "印刷" when the dialog was opened from any window but the editor and
// the function-class list. The ledger module installs it; while none is
// installed that print does nothing. The job reads PRT_KIND and
// KUBUN_PRT_CHOSEN() (its category, chosen subjects and withUnused) and
// prints with KUBUN_LIST_RUN, e.g. over KUBUN_PRT_GROUPS of the master.
void NOTE_LIST_PRT_SET(std::function<void()> job);
void NOTE_LIST_PRT();
