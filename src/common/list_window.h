// The skeleton of the register's list windows: the item list, the
// renumbering list, the plan list, the disposed list, the purchase history
// and the storage-place list. Each is a child of the main frame drawn around
// a ListGrid, and this base does for all of them what they do alike, so that
// a fix to it is made once:
//  - sizing and first show: the window stands at the frame's top left, sized
//    to the main window (less 300 × 1460 twips unless it says otherwise) and
//    following the frame from then on; inside the frame it has no border and
//    no title bar; the frame takes the window's colour while it is open; the
//    first layout of the grid lists, a later size change keeps what is listed
//    and where the list stands (ListGrid::refit);
//  - closing: "閉じる" closes the window by code, and the frame is white
//    again when it has gone;
//  - input: long work that yields to the event loop holds a
//    platform::InputBlock, and presses that come meanwhile do nothing;
//  - the number pane: which presses select rows, and how a plain click and
//    a shift-click mark the range, under each window's own rule;
//  - the filter bar's category cascade (ListCascade, common/cascade_boxes.h).
// A window keeps its columns, its filters and its actions.
#pragma once
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

#include "common/list_grid.h"
#include "platform/forms.h"

class QComboBox;
class QLabel;
class QPushButton;
namespace ctl {
class FigureLabel;
}

class ListWindow : public platform::Form {
    Q_OBJECT
public:
    // ---- the grid (makeGrid)
    ListGrid* grid = nullptr;
    Pane *D_NO = nullptr, *D_LIST = nullptr;
    QScrollBar *SCB_V = nullptr, *SCB_H = nullptr;

    // 0 while the window loads, 1 from the end of its load on: only then
    // does a size change lay the window out (the item list's LIST_READY, the
    // disposed list's OUT_LAYOUT_ON).
    qint16 LAYOUT_ON = 0;

    // ---- what every list window does alike
    // The grid laid out for the window's size: the first time the panes are
    // cleared, the header drawn and the window's first listing made
    // (listFirst); later the layout keeps what is listed and the position.
    void Form_Resize() override;
    // The main frame is white again.
    void Form_Unload(int& Cancel) override;
    // "閉じる": no function window is open any more and the window unloads,
    // unless long work holds it.
    void B_ESC_Click();
    // A press on the number pane: selects rows by the window's rule
    // (`selection`); a window without one selects nothing.
    virtual void D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y);

    // True while long work holds the window's input (a platform::InputBlock
    // on it or on the frame it stands in).
    bool busy() const;

    // What a press on a pane means for a selection: no key, Shift alone or
    // Ctrl alone. Any other key, another button than the left one, or a
    // press while the window is busy is None.
    enum class Press { None, Plain, Shift, Ctrl };
    Press pressOf(Qt::MouseButton button, Qt::KeyboardModifiers mods) const;

    // The n-th row of a listing that draws its first page while it runs
    // (n from 1): the first clears the panes and draws the header; rows on
    // the first page are drawn as they come.
    void listRow(qint32 n);

protected:
    // A frame child with its caption and its background colour (&HBBGGRR);
    // with `fontName` its font is that font in 9 points.
    ListWindow(const QString& name, const QString& caption, quint32 back, const QString& fontName = QString());

    // The grid at (left, top) twips with the number pane 550 twips wide, its
    // panes and bars under their names; a press on its number pane goes to
    // D_NO_MouseDown.
    ListGrid* makeGrid(int left, int top);

    // The first steps of Form_Load: the hourglass; no layout until the load
    // ends; in the frame, no border and no title bar unless `frameless` is
    // false (the renumbering list keeps its frame).
    void loadBegin(bool frameless = true);
    // Sized to the main window less `widthLess` × `heightLess` twips (a
    // `fixedWidth` above 0 keeps the width), at the frame's top left; the
    // window follows the frame from now on and size changes lay it out.
    void fitAtTopLeft(int widthLess = 300, int heightLess = 1460, int fixedWidth = 0);
    // The last steps of Form_Load: the frame takes the window's colour; the
    // pointer is normal again.
    void loadEnd();

    // The window's first listing, after the first layout of the grid.
    virtual void listFirst() {}

    // The controls of the button rows and filter bars, placed in twips: a
    // button in "ＭＳ Ｐ明朝" 9 points that is never the default button; a
    // filter combo in "ＭＳ ゴシック" 9 points (plain, 20 rows shown; an
    // editable one adds nothing to its list); the white boxed label of a
    // count or a total, which shows its whole figure.
    QPushButton* button(const char* name, const QString& caption, int l, int t, int w, int h);
    QComboBox* filterCombo(const char* name, bool editable);
    ctl::FigureLabel* figureBox(const char* name, int l, int t, int w, int h, Qt::Alignment align);
    // A line of the filter bar: boxes side by side at `top`, 300 twips high,
    // the first at `left` and each of the others where the one before it
    // ends on the screen; each box's caption stands above it at `captionTop`,
    // 180 twips high. Returns where the last box ends (twips).
    struct FilterBox {
        QWidget* box;
        int width;
        QWidget* caption;
        int captionWidth;
    };
    static int placeFilterLine(int left, int top, int captionTop, std::initializer_list<FilterBox> boxes);

    // The row selection on the number pane. A plain click makes the pressed
    // row the range, a shift-click extends the range from its first row to
    // the pressed one; the flags of the old range are cleared first, so that
    // exactly the new range of the listed rows is flagged. The window
    // redraws its page and says what the selection enables.
    struct RowSelection {
        // The listed rows (the positions a press can address).
        std::function<qint32()> listed;
        // The flag of a position, within a flag table of `tableSize` positions
        // (a press on a row beyond the table selects nothing).
        std::function<qint16&(qint32 pos)> flag;
        std::function<qint32()> tableSize;
        // The selected range.
        qint32* first = nullptr;
        qint32* last = nullptr;
        // Ctrl alone takes the pressed row out of the flags, leaving the range.
        bool ctrlTakesOut = false;
        // Before the rows are marked (the disposed list goes back to list mode).
        std::function<void()> before;
        // Redraws the page (unset: the grid's page).
        std::function<void()> redraw;
        // After the redraw, with the press that marked (Plain, Shift or Ctrl).
        std::function<void(Press)> marked;
    };
    RowSelection selection;
    // The selection over the `listed` first positions of a view whose
    // entries carry their flag in `flag`, with its range [first, last].
    template <class Entry>
    void selectIn(std::vector<Entry>& view, qint16 Entry::*flag, qint32& first, qint32& last, const qint32& listed) {
        selection.flag = [&view, flag](qint32 p) -> qint16& { return view[size_t(p)].*flag; };
        selection.tableSize = [&view] { return qint32(view.size()); };
        selectRange(first, last, listed);
    }
    // The same over a table of flags.
    void selectIn(std::vector<qint16>& flags, qint32& first, qint32& last, const qint32& listed);

private:
    void selectRange(qint32& first, qint32& last, const qint32& listed);
    quint32 back_;
    bool listed_ = false;
};

namespace list_window {

// A list window inside the frame has no border and no title bar: it closes
// through its own button. (Also the purchase record's window.)
void frameless(platform::Form& form);

// Fills an era list with the three era names and chooses the third (令和).
void fillEras(QComboBox* box);

}  // namespace list_window
