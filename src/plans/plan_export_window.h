// The plan export window "ファイル作成" (P_ZEMLO_FOUT), opened modally from
// the plan list's button of that name: the user moves the fields to export
// from the available list (P_LIST1) to the output list (P_LIST2) and orders
// them, then writes the plans the list shows to a text file ("作成") or puts
// them on the clipboard ("コピー"). The picked fields can be kept as a named
// template ("記録", *.ZME in the data folder) and loaded again by choosing
// the name in the combo box. Nothing is kept when the window closes.
//
// Also here: the plan list's hidden town-format export (ケルダ町), which
// writes the shown plans to a file in one municipality's report layout.
#pragma once
#include "platform/controls.h"
#include "platform/forms.h"

class P_ZEMLO_FOUT : public platform::Form {
    Q_OBJECT
public:
    P_ZEMLO_FOUT();

    void Form_Load() override;

    void B_LR_Click();
    void B_LR_A_Click();
    void B_RL_Click();
    void B_RL_A_Click();
    void B_UP_Click();
    void B_DOWN_Click();
    void B_OK_Click();
    void B_COPY_Click();
    void B_ESC_Click();
    void B_SAVE_Click();
    void SAVE_NAME_Click();

    // Fills SAVE_NAME's list with the templates of the data folder.
    void FOUT_ZME_LIST();
    // Loads the template SAVE_NAME names; a template that cannot be read
    // is reported and leaves the lists as they are.
    void FOUT_ZME_READ();

    ctl::ComboBox* SAVE_NAME;
    ctl::ListBox *P_LIST1, *P_LIST2;
    ctl::CheckBox* CHK1;
    ctl::CommandButton *B_SAVE, *B_LR, *B_LR_A, *B_RL, *B_RL_A, *B_ESC, *B_OK, *B_COPY, *B_UP, *B_DOWN;

private:
    // The names of P_LIST2, top to bottom.
    QStringList outputFields() const;
};

// Opens the export window over the plan list; returns when it has closed.
void P_ZEMLO_FOUT_SHOW();
// The town-format export of the plans the list shows (B_KELDA).
void KELDA_OUT();
// Plugs both into the plan list's buttons.
void PLAN_EXPORT_INSTALL();
