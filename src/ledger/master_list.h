// The list of master entries that the two ledger windows share (the
// equipment ledger NOTE_P and the per-item totals NOTE_L): the item names of
// the category master that have pieces (KUBUN_INDEX), shown one a row in a
// drawn grid with a tick column "印刷"; four cascading boxes (category,
// subject, classification, item name) that scroll the full list to the
// chosen path; a search by those four boxes (and whatever further tests the
// window adds); show all; ticks by click, Shift range and tick all.
//
// The host window creates it with itself as the parent, places the controls
// it owns (the boxes, the grid, ALL_H, BT_PICUP and B_PRT_SET, which the list
// places itself over the tick column) and calls layout() from its resize.
// The rows listed are KUBUN_LIST_VIEW with KUBUN_VIEW_COUNT, which the print
// jobs read; the ticks are the master entries' PRT_MARK.
#pragma once
#include <QList>
#include <QObject>
#include <array>
#include <functional>

#include "ledger/master_index.h"
#include "platform/controls.h"
#include "common/list_grid.h"

class MasterList : public QObject {
    Q_OBJECT
public:
    // The state a window keeps for the whole run (0 at program start).
    struct Kept {
        qint16 TICK_ALL = 0;   // state of the tick-all button
        qint16 TICK_LAST = 0;  // tick value of the last plain click
    };
    // `withDates`: the grid has the change-date and print-date columns.
    MasterList(QWidget* host, bool withDates, Kept& kept);

    // ---- controls (the host places all but B_PRT_SET)
    ctl::ComboBox *KUBUN, *KYOUKA, *BUNRUI, *NAME_D;
    QList<qint16> K_NO_LIST;  // subject numbers, line for line with KYOUKA
    ListGrid* grid;
    Pane *D_NO, *D_LIST;
    QScrollBar* SCB_V;
    ctl::CommandButton *ALL_H, *BT_PICUP, *B_PRT_SET;

    // ---- state
    int NOTE_ROWS = 0;                    // grid lines, the heading included
    qint16 NOTE_KYOUKA_NO = 0;            // the chosen subject's number
    std::array<qint32, 3> NOTE_JUMP_POS{};  // start positions of category, subject, classification

    // ---- what the host adds
    // Before a search: false when it must not run (the host told why).
    std::function<bool()> searchStart;
    // A further test of the search for an entry that passed the four boxes.
    std::function<bool(const KUBUN_REC&)> searchTest;
    // After the listed rows or ticks changed (the host updates its counts).
    std::function<void()> changed;
    // Where the focus goes after tick all.
    QWidget* focusAfterTickAll = nullptr;

    // ---- the list
    // KUBUN_INDEX_MAKE and the category box; at the window's load.
    void fill();
    // Grid of `lines` lines (heading included) at the host's (left, top)
    // twips, then the full list (a resize always returns to it).
    void layout(int left, int top, int lines);
    double listWidth() const { return withDates_ ? 12160 : 10130; }
    void GRID_HEAD();
    void GRID_ALL();
    void GRID_PAGE();
    void GRID_ROW(qint32 e, int r);
    void LIST_JUMP(int level);
    void SEARCH();
    // The four boxes as a filter.
    NOTE_FILTER filterNow() const;
    // True while the listed rows are a search result (ALL_H enabled).
    bool isSearchResult() const { return ALL_H->isEnabled(); }

    // ---- ticks
    void D_LIST_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    void B_PRT_SET_Click();
    bool anyTicked() const;
    // The sheets of the ticked listed rows.
    qint32 tickedSheets() const;

    // ---- handlers of the boxes
    void KUBUN_Click();
    void KYOUKA_Click();
    void BUNRUI_Click();
    void NAME_D_Click();

private:
    void newList(qint32 count);
    void KYOUKA_SET();
    void BUNRUI_SET();
    void NAME_SET();
    void setBusy(bool on);
    QWidget* host_;
    Kept& kept_;
    bool withDates_;
    bool busy_ = false;
    // The range of the tick clicks within the current list; -1 after a new list.
    qint32 anchor_ = -1, rangeEnd_ = -1;
    QString rowBuf_;
};

namespace platform {
class Form;
}

// What both ledger windows do as children of the main frame.
// At load: no border and no title bar (the window closes only through its
// button), the program's icon.
void LEDGER_WINDOW_FRAME(platform::Form* f);
// At the end of the load: at the frame's top left, `width` twips wide and
// 1600 less than the frame high, following the frame from then on, laid out
// once (with `loaded` 1 from here), the frame's background in `back`.
void LEDGER_WINDOW_SHOW(platform::Form* f, qint16& loaded, int width, quint32 back);
// At resize: the grid at (240, 960) twips with as many lines as the window's
// height gives; nothing while the window is minimised.
void LEDGER_WINDOW_RESIZE(platform::Form* f, MasterList* list);
// At unload: the frame's background white again.
void LEDGER_WINDOW_UNLOAD();
