// The renumbering list "備品データリスト" (A_ZEMLO_L2): a maintenance window
// of the item register that no menu leads to; the main window opens it as
// form kind 9 when the user holds Ctrl alone and presses the right mouse
// button on "備品データ". It lists the items (all, or those of one fiscal
// year), sorts the list, renumbers the listed items in list order, derives
// every item's fiscal year again from its purchase date, and appends the
// records of another item file. All of it changes the item table in memory
// only; when the window closes after a change the user either saves (the
// item file is written in purchase-date order, loaded again and linked to the
// category master) or discards, which ends the program.
//
// Opened by the form switch as a frame child:
//     platform::FormInstance<A_ZEMLO_L2>::get()->Show();
// closed by its "閉じる" button or by
//     platform::FormInstance<A_ZEMLO_L2>::unload();
#pragma once
#include <QString>
#include <functional>

#include "common/list_window.h"
#include "platform/controls.h"
#include "store/state.h"

class QEvent;

// ---------------------------------------------------------------- without widgets

// The item number as text: era letter ("S", "H", "R" for era codes 3 to 5,
// none for another code), year, "-", number, "-", branch (H30-12-1).
QString ZEMLO_NO_TEXT(const ZEMLO_REC& r);

// True when two records are units of the same purchase: fiscal year, expense
// type, price, purchase date, tax, the whole category key with its names,
// supplier, maker and model number are equal (texts compared exactly).
bool ZEMLO_SAME_PURCHASE(const ZEMLO_REC& a, const ZEMLO_REC& b);

// Renumbers view positions 0 to INDEX_COUNT - 1 in view order: numbers run
// from 1, a record that is the same purchase as the one before it in the view
// takes the next branch of that number, any other the next number and branch
// 1. Each record's former number goes to OLD_NO. `step(p, total)` is called
// after each position (the window shows its progress there).
void ZEMLO_NO_RESET_VIEW(const std::function<void(qint32, qint32)>& step = {});

// Sets the record index of view positions 0 to ZEMLO_COUNT - 1 to the
// position itself (table order); INDEX_COUNT is not touched.
void INDEX_ALL_SET();

// The fiscal-year reset: every record with a purchase year and month gets
// the era and year of the fiscal year its purchase date falls in (from April
// to March; 2020 on 令和, 1989 to 2019 平成, before 昭和). Records without a
// purchase month (or year) keep theirs. Numbers are not touched.
void ZEMLO_YEAR_RESET();

// The import of another item file. The file is read whole and checked line by
// line before anything is taken: the header of six values, then 41 values of
// the right kinds on every line, bytes that form Shift-JIS characters, a
// known era, numbers and dates within their ranges. A line whose era, year
// and number belong to a record already in the table is dropped; the others
// are appended after the last record (lines are not tested against each
// other). Any fault, or more records than the table's last slot can hold,
// refuses the whole file and changes nothing.
struct ZEMLO_IMPORT_RESULT {
    bool ok = false;
    qint32 appended = 0;  // records appended (ok)
    qint32 dropped = 0;   // lines dropped as numbers already in the table (ok)
    qint32 line = 0;      // the failing line, 1 = the header; 0 = the file could not be read
    QString reason;       // why it failed (for the log of a test)
};
ZEMLO_IMPORT_RESULT ZEMLO_IMPORT_FILE(const QString& path);

// ---------------------------------------------------------------- the window

class A_ZEMLO_L2 : public ListWindow {
    Q_OBJECT
public:
    A_ZEMLO_L2();
    ~A_ZEMLO_L2() override;

    // ---- controls
    ctl::ComboBox* DP_W;
    ctl::TextBox* CH_Y;
    ctl::Label *Label1, *Label3, *Label4, *Label5, *Label6;
    ctl::CommandButton *B_PICUP, *ALL_H, *B_SORT, *B_SORT2, *B_SORT3, *B_NO_SET, *B_PLAS, *B_Y_SET, *B_HELP, *B_ESC;
    ctl::Frame* Frame1;
    ctl::Label *C_COUNT, *TOTAL;

    // 1 while the item table holds changes of this window that are not saved.
    qint16 L2_CHANGED = 0;
    int GRID_ROWS() const { return grid->GRID_ROWS; }

    // ---- lifecycle
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // ---- handlers
    void B_PICUP_Click();
    void ALL_H_Click();
    void B_SORT_Click();
    void B_SORT2_Click();
    void B_SORT3_Click();
    void B_NO_SET_Click();
    void B_Y_SET_Click();
    void B_PLAS_Click();
    void B_HELP_Click();
    // Double click on the label "備品番号": shows "購入年度再設定".
    void Label3_DblClick();

    // ---- the grid
    void ZEMLO_GRID_COLS();
    void ZEMLO_GRID_HEAD();
    void ZEMLO_GRID_ALL();
    void ZEMLO_GRID_PAGE();
    void ZEMLO_GRID_ROW(qint32 rec, int screenRow);
    void ZEMLO_NO_RESET();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void listFirst() override;

private:
    void sortView(void (*sort)());
    void layoutControls();
};
