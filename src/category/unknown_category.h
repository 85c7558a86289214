// KUBUN_CHGF2 "備品区分設定": gives the items whose category key has no
// entry in the category master a key that it holds. The window lists every
// missing key once (the first item of a key gives its numbers), the user
// picks one in the grid, composes a new key from the master through four
// cascading lists and assigns it at the classification level (item names
// kept) or the item-name level. Only the item table changes; on closing the
// window offers to save the item file, and otherwise loads it again.
#pragma once
#include <array>
#include <vector>

#include "category/key_lists.h"
#include "platform/controls.h"
#include "platform/forms.h"

class ListGrid;
class MouseLabel;

// One missing key, copied from the first item that carries it.
struct FUMEI_REC {
    qint16 KUBUN_IDX = 0;
    QString KUBUN;
    qint16 NO_KY = 0;
    QString KYOUKA, NO_BU, BUNRUI, FUNC_D, NAME_D;
    qint16 NAME_NO = 0;
};

class KUBUN_CHGF2 : public platform::Form {
    Q_OBJECT
public:
    KUBUN_CHGF2();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // Handlers.
    void D_NO_MouseDown(double y);
    void N_KUBUN_Click();
    void N_KYOUKA_Click();
    void N_BUNRUI_Click();
    void N_NAME_D_Click();
    void OPT_K_Click(int index);
    void B_START_Click();
    void B_CLOSE_Click();
    void Label1_Click();

    // The missing-key list and its grid.
    void FUMEI_LIST_MAKE();
    void FUMEI_LIST_SORT();
    void FUMEI_GRID_HEAD();
    void FUMEI_SCROLL_SET();
    void FUMEI_GRID_PAGE();
    void FUMEI_GRID_ROW(qint32 i, int row);

    // Controls.
    ctl::Label *Label6, *Label5, *Label10, *Label8;
    std::array<ctl::OptionButton*, 3> OPT_K{};  // 1 and 2 are used
    ctl::Label *Label3, *Label4, *Label7, *Label9, *Label2;
    MouseLabel* Label1;
    ctl::Label *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17;
    ctl::ComboBox *N_KUBUN, *N_KYOUKA, *N_BUNRUI, *N_NAME_D, *N_FUNC_D;
    ctl::TextBox *N_BK_NO, *N_NO_KY, *N_NO_BU, *N_NAME_NO;
    ListGrid* grid = nullptr;  // D_NO, D_LIST, SCB_V
    ctl::CommandButton *B_START, *B_CLOSE;

    // Window state.
    std::vector<FUMEI_REC> FUMEI_LIST;
    qint32 FUMEI_COUNT = 0;
    qint32 FUMEI_MISS = 0;
    qint16 CHG_FLAG = 0;
    qint16 NEW_KUBUN_NO = 0;
    kubun_keys::Range NEW_RANGE;
    // The picked entry of the list (-1 none) and a copy of it.
    qint32 PICKED = -1;
    FUMEI_REC PICK;

    // The inner heights of the window: as opened, and after a click on
    // "不明区分".
    static constexpr int kOpenHeight = 5935;
    static constexpr int kShortHeight = 4935;

private:
    void buildControls();
    void connectHandlers();
    void emptyPicked();
};
