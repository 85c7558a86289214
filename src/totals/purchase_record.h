// The purchase record "備品購入実績" (NOTE_S): for a fiscal year chosen as an
// era and an era year, one line per item name of the category master with
// the pieces registered, disposed and relocated before and during the year
// and the holdings that follow, in a drawn grid of one page. The year's
// relocations have columns of their own ("移設データ表示" 有り) or are merged
// into three groups (無し). Four cascading lists jump to the first line of a
// category, subject, classification or item name, or filter the list with
// "検索" (with "指定年度増減有りデータを表示": only lines that changed in the
// year). "一覧表印刷" prints the table for one category or all of them.
//
// A child of the main frame, kind 14 of the form switch. It changes nothing
// and writes no file; the table is rebuilt whenever the year or
// "全区分表示" changes.
#pragma once
#include <QList>
#include <array>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "common/list_grid.h"
#include "totals/purchase_record_table.h"

class NOTE_S : public platform::Form {
    Q_OBJECT
public:
    NOTE_S();
    ~NOTE_S() override;

    // ---- controls
    ctl::ComboBox *DP_W, *KUBUN, *KYOUKA, *BUNRUI, *NAME_D, *KUBUN_P;
    ctl::TextBox* CHK_Y;
    ctl::Label* Label1;
    ctl::Frame* Frame1;
    std::array<ctl::OptionButton*, 2> OPT_M{};
    ctl::CheckBox *CHK_ALL, *CHK_A, *CHK_PRT, *CHK_ETC;
    ctl::CommandButton *ALL_H, *BT_PICUP, *B_PRT_LIST, *B_ESC;
    // The subject number of each KYOUKA entry, position by position.
    QList<qint16> K_NO_LIST;
    ListGrid* grid;
    Pane *D_NO, *D_LIST, *D_LISTH;
    QScrollBar* SCB_V;

    // ---- window values
    qint16 LOADED = 0;
    NOTE_S_ROWS ROWS;              // the table with its spare row
    int R() const { return NOTE_S_ROW_COUNT(ROWS); }
    int P() const { return grid->GRID_ROWS; }  // bands of the panes, heading included
    qint16 KYOUKA_SEL_NO = 0;      // the chosen subject number
    std::array<qint32, 4> JUMP_START{};
    qint16 NOTE_S_MODE = 1;        // 1 relocations shown, 0 merged
    std::vector<qint16> NOTE_S_VIEW;  // row indexes listed, in order
    // The fiscal year of the table (Gregorian) and its era year, as the last
    // rebuild took them; 0 before the first.
    int TABLE_YEAR = 0;
    int TABLE_ERA_YEAR = 0;

    // The fiscal year the era box and the year box choose; 0 when they
    // choose none (no era, or no year above 0).
    int CHOSEN_YEAR() const;

    // ---- lifecycle
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    // ---- event handlers
    void CHK_Y_Change();
    void CHK_ALL_Click();
    void BT_PICUP_Click();
    void ALL_H_Click();
    void KUBUN_Click();
    void KYOUKA_Click();
    void BUNRUI_Click();
    void NAME_D_Click();
    void OPT_M_Click(int index);
    void CHK_PRT_Click();
    void B_PRT_LIST_Click();
    void B_ESC_Click();

    // ---- procedures
    void REBUILD();
    void NOTE_S_KUBUN_SET();
    void NOTE_S_KYOUKA_SET();
    void NOTE_S_BUNRUI_SET();
    void NOTE_S_NAME_SET();
    void NOTE_S_JUMP(int level);
    void NOTE_S_GRID_HEAD();
    void NOTE_S_GRID_ALL();
    void NOTE_S_GRID_PAGE();
    void NOTE_S_GRID_ROW(int screenRow, int row);
    int NOTE_S_PRT();

protected:
    // Back from minimised: the panes follow the size the window has now.
    void changeEvent(QEvent* e) override;

private:
    void layoutControls();
    void layoutGrid();
    double listWidth() const { return NOTE_S_MODE == 1 ? 11660 : 13160; }
    void setScroll();
    QString cellBuf_;
};
