// The equipment ledger window "備品台帳印刷" (NOTE_P): the item names of the
// category master that have pieces, narrowed by category, subject,
// classification and item name, by the day of the last change or of the
// last ledger print, and by "要印刷" (changed since the last print). The user
// ticks item names and prints their ledger ("選択印刷", or "全印刷" for every
// listed one) through the print dialog NOTE_PRT, optionally without the
// pieces that have left ("廃棄備品印刷なし") or only the first and the
// changed sheets ("２ページ以降差し替え分"); "印刷枚数" shows the sheets of the
// ticked rows and of the whole master. "内訳印刷" opens the category-list
// print dialog for the ledger breakdown list.
//
// A child of the main frame without border or title bar, kind 4 of the form
// switch; it works on the master and the items in memory and writes the
// master after each print (the new print dates).
#pragma once
#include "ledger/master_list.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "store/print_kind.h"

class NOTE_P : public platform::Form {
    Q_OBJECT
public:
    NOTE_P();
    ~NOTE_P() override;

    // ---- controls
    ctl::CommandButton *B_ESC, *B_PRT_H, *B_PRT_SEL, *B_PRT_ALL;
    ctl::CheckBox *C_OUTPRT, *CHK_P, *CHK_PRT;
    ctl::Label *P_COUNT_L, *Label4;
    ctl::FigureLabel* P_COUNT;
    ctl::Frame* Frame1;
    ctl::OptionButton *OPT_CHG, *OPT_PRT;
    ctl::ComboBox *DP_W, *CHK_YMD;
    ctl::TextBox *CH_Y, *CH_M, *CH_D;
    MasterList* list;
    // The list's controls under their own names.
    ctl::ComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D;
    ctl::CommandButton *ALL_H, *BT_PICUP, *B_PRT_SET;
    ListGrid* grid;
    Pane *D_NO, *D_LIST;
    QScrollBar* SCB_V;

    // ---- window state
    qint16 LOADED_FLAG = 0;
    qint32 NOTE_PAGE_TOTAL = 0;
    // Kept for the whole run: the tick-all state and the last tick value.
    static inline MasterList::Kept KEPT;

    // ---- lifecycle
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    // ---- handlers
    void B_ESC_Click();
    void B_PRT_SEL_Click();
    void B_PRT_ALL_Click();
    void B_PRT_H_Click();

    // ---- procedures
    // Sheet counts of the master, NOTE_PAGE_TOTAL and P_COUNT.
    void NOTE_PAGE_CALC();
    // P_COUNT := sheets of the ticked listed rows "/" NOTE_PAGE_TOTAL.
    void P_COUNT_SET();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Reads the search date; false after its message when it is not a date.
    bool searchDateRead();
    bool searchTest(const KUBUN_REC& e) const;
    void printKind(PrintKind kind);
    void afterPrint();
    bool hasDate_ = false;
    QDate searchDate_;
};
