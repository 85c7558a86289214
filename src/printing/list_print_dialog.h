// The list print dialog "備品印刷" (ZEMLO_PRT) of the item list (print kind
// ITEM_LIST), the purchase history (HISTORY_LIST), the plan list (PLAN_LIST)
// and the disposed list (DISPOSED_LIST). The opener sets PRT_KIND to its
// kind and shows the dialog modally (ZEMLO_PRT_SHOW); the user picks the
// rows to print ("表示データ": every row the list shows; "選択範囲": its
// selected rows, offered only while the list's LIST_PRT_SRC says rows are
// selected) and, for the item list only, "廃棄備品除く". "印刷" adds the
// choices to the kind (PrintChoice), runs the job of the kind and closes the
// dialog when the job returns; while it runs every control but "中止" is
// disabled and the dialog cannot be closed, and "中止" cancels the job.
#pragma once
#include "platform/controls.h"
#include "platform/forms.h"
#include "store/print_kind.h"

class ZEMLO_PRT : public platform::Form {
    Q_OBJECT
public:
    ZEMLO_PRT();

    ctl::Frame* Frame1;
    ctl::OptionButton *OPT1, *OPT2;
    ctl::CheckBox* C_OUTPRT;
    ctl::CommandButton *B_PRT, *B_STOP, *B_ESC;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void B_PRT_Click();
    void B_STOP_Click();
    void B_ESC_Click();

    bool printing() const { return printing_; }

private:
    void setPrinting(bool on);
    bool printing_ = false;
};

// Shows the dialog modally for PRT_KIND and returns when it has closed.
void ZEMLO_PRT_SHOW();
// Runs the list print of a print kind (the item list's band, the purchase
// history's, the plan list's, from the disposed list's on the disposed list).
void ZEMLO_PRT_RUN(PrintKind kind);

// Plugs the dialog into the item list's print button and the purchase
// ledger into the printing window PRT_MSGF (once, at start-up).
void LIST_PRINT_INSTALL();
