// KUBUN_CHGF "備品区分変更": replaces a category key (category > subject >
// classification > item name) in the category master, the items and the
// purchase plans. The old key is chosen from the master, the new one chosen
// or typed; the change runs at the subject, classification or item-name
// level and is logged in K_CHG.ZMD. Hidden parts: a change list read from a
// text file and carried out entry by entry (a double-click on the
// description line shows its button), and the counts of master entries,
// items and plans under the old key (a click on "旧区分" opens them). On
// closing the window asks whether the converted tables are to be saved;
// otherwise they are loaded again from their files.
#pragma once
#include <array>
#include <vector>

#include "category/change_log.h"
#include "category/key_lists.h"
#include "platform/controls.h"
#include "platform/forms.h"

class MouseLabel;

class KUBUN_CHGF : public platform::Form {
    Q_OBJECT
public:
    KUBUN_CHGF();

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Handlers.
    void B_START_Click();
    void B_START2_Click();
    void B_LOAD_Click();
    void B_CALC_Click();
    void B_CLOSE_Click();
    void OPT_K_Click(int index);
    void KUBUN_Click();
    void KYOUKA_Click();
    void BUNRUI_Click();
    void NAME_D_Click();
    void N_KUBUN_Click();
    void N_KYOUKA_Click();
    void N_BUNRUI_Click();
    void N_NAME_D_Click();
    void Label1_Click();
    void Label6_DblClick();
    void Label13_DblClick();

    // The change log.
    void KCHG_READ();
    void KCHG_ADD();
    void KCHG_SAVE();

    // Controls.
    ctl::Label *Label5, *CONT_COUNT, *CHG_COUNT;
    std::array<ctl::OptionButton*, 3> OPT_K{};
    ctl::CommandButton *B_START, *B_CLOSE, *B_LOAD, *B_START2, *B_CALC;
    ctl::Label *Label3, *Label4, *Label7, *Label9, *Label2;
    MouseLabel *Label1, *Label6, *Label13;
    ctl::ComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D, *FUNC_D;
    ctl::TextBox *NO_KY, *NO_BU;
    ctl::ComboBox *N_KUBUN, *N_KYOUKA, *N_BUNRUI, *N_NAME_D, *N_FUNC_D;
    ctl::TextBox *N_NO_KY, *N_NO_BU;
    ctl::Label *Label28, *Label8, *Label10, *Label11, *Label12, *Label14, *Label15, *Label16;
    std::array<ctl::Label*, 4> B_COUNT{}, P_COUNT{}, K_COUNT{};

    // Window state.
    qint16 CHG_FLAG = 0;
    qint16 BATCH_MODE = 0;
    qint32 BATCH_TOTAL = 0;
    qint32 MISS_COUNT = 0;
    qint16 OLD_KUBUN_NO = 0, NEW_KUBUN_NO = 0;
    kubun_keys::Range OLD_RANGE, NEW_RANGE;
    qint32 OLD_RUN_FIRST = -1;
    qint32 OLD_NAME_IDX = -1;
    std::vector<KCHG_REC> KCHG_LOG;
    std::vector<KCHG_REC> KCHG_LIST;
    // The log read whole in this opening; a log that could not be read is
    // not written over at the close.
    bool KCHG_LOADED = false;
    // A conversion or a batch is running.
    bool BUSY = false;

    // The inner heights of the window: the upper part only, and with the
    // lower section of counts.
    static constexpr int kShortHeight = 3235;
    static constexpr int kFullHeight = 4935;

private:
    void buildControls();
    void connectHandlers();
    void OLD_KYOUKA_SET();
    void OLD_BUNRUI_SET();
    void OLD_NAME_SET();
    void OLD_FUNC_SET();
    void NEW_KYOUKA_SET();
    void NEW_BUNRUI_SET();
    void NEW_NAME_SET();
    void NEW_FUNC_SET();
    // The single change as B_START runs it; returns the converted count,
    // or -1 when the change ended without converting.
    qint32 SINGLE_CHANGE();
    // After a conversion: the master in key order, the subject index anew,
    // and the lists refilled down to the old key's parts that still exist.
    void LISTS_REFRESH();
    void setBusy(bool on);
    void setInnerHeight(int twips);
    QWidget* body_ = nullptr;
};
