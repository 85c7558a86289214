// The per-item totals window "備品別集計印刷" (NOTE_L): the item names of the
// category master that have pieces, in the ledger windows' shared list
// (cascade, search, ticks). The user prints the totals of the ticked names
// ("選択印刷") or of every listed one ("全印刷") through the print dialog
// NOTE_PRT, prints the breakdown table of one category ("一覧表印刷" with the
// category beside it), and saves the totals as a text file ("保存", layout
// "集計" or "詳細").
//
// A child of the main frame without border or title bar, kind 11 of the form
// switch. Opening it rebuilds the purchase batches from the whole register;
// it writes no data file.
#pragma once
#include "ledger/master_list.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "store/print_kind.h"

class NOTE_L : public platform::Form {
    Q_OBJECT
public:
    NOTE_L();
    ~NOTE_L() override;

    // ---- controls
    ctl::CommandButton *B_ESC, *B_PRT_LIST, *B_PRT_SEL, *B_PRT_ALL, *B_FILE;
    ctl::ComboBox* KUBUN_P;
    ctl::Frame* Frame1;
    ctl::OptionButton *OPT_T, *OPT_S;
    MasterList* list;
    // The list's controls under their own names.
    ctl::ComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D;
    ctl::CommandButton *ALL_H, *BT_PICUP, *B_PRT_SET;
    ListGrid* grid;
    Pane *D_NO, *D_LIST;
    QScrollBar* SCB_V;

    // ---- window state
    qint16 LOADED_FLAG = 0;
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
    void B_PRT_LIST_Click();
    void B_FILE_Click();

private:
    void printKind(PrintKind kind);
};
