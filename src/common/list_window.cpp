#include "common/list_window.h"

#include <QComboBox>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

#include "common/form_kind.h"
#include "common/window_back.h"
#include "platform/controls.h"
#include "platform/input_block.h"
#include "platform/ui.h"
#include "store/state.h"

namespace {

QFont fontOf(const QString& name, double points) {
    QFont f(name);
    f.setPointSizeF(points);
    return f;
}

// The range marking of a selection on a flag table reached through `flag`
// (positions 0 to `tableSize` - 1): the flags of the old range [first,
// last] are cleared; a plain click makes `pos` the range, a shift-click
// extends the range from `first` to `pos` (first <= last afterwards).
// Exactly the new range of the `shown` rows is flagged.
template <class Flag>
void markRows(Flag&& flag, qint32 tableSize, qint32& first, qint32& last, qint32 shown, qint32 pos, bool shift) {
    auto set = [&](qint32 from, qint32 to, qint16 v) {
        for (qint32 i = std::max(0, from); i <= to && i < tableSize; ++i) flag(i) = v;
    };
    set(first, last, 0);
    if (!shift) {
        first = last = pos;
        set(pos, pos, 1);
        return;
    }
    last = pos;
    if (last < first) std::swap(first, last);
    set(first, std::min(last, shown - 1), 1);
}

}  // namespace

ListWindow::ListWindow(const QString& name, const QString& caption, quint32 back, const QString& fontName)
    : platform::Form(name), back_(back) {
    setFrameChild(true);
    setCaption(caption);
    BACK_COLOR_SET(this, back);
    if (!fontName.isEmpty()) setFont(fontOf(fontName, 9));
}

ListGrid* ListWindow::makeGrid(int left, int top) {
    grid = new ListGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setNumberWidth(550);
    grid->move(platform::twipsToPx(left), platform::twipsToPx(top));
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;
    SCB_H = grid->SCB_H;
    connect(grid, &ListGrid::numberPressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double y) { D_NO_MouseDown(b, m, y); });
    return grid;
}

// ---------------------------------------------------------------- loading and size

void ListWindow::loadBegin(bool frameless) {
    LAYOUT_ON = 0;
    ui::setBusy(true);
    if (frameless) list_window::frameless(*this);
}

void ListWindow::fitAtTopLeft(int widthLess, int heightLess, int fixedWidth) {
    fitToFrame(widthLess, heightLess, fixedWidth);
    setTop(0);
    LAYOUT_ON = 1;
    setLeft(0);
}

void ListWindow::loadEnd() {
    FRAME_BACK_SET(back_);
    ui::setBusy(false);
}

void ListWindow::Form_Resize() {
    if (LAYOUT_ON != 1) return;
    if (listed_) {
        // A later size change (the list follows the frame) keeps what is
        // listed and where the list stands.
        grid->refit(ScaleWidth(), ScaleHeight());
        return;
    }
    grid->layoutPanes(ScaleWidth(), ScaleHeight());
    grid->clear();
    grid->head();
    listFirst();
    listed_ = true;
}

void ListWindow::listRow(qint32 n) {
    if (n > grid->GRID_ROWS) return;
    if (n == 1) {
        grid->clear();
        grid->head();
    }
    grid->row(n - 1, int(n));
}

// ---------------------------------------------------------------- closing

void ListWindow::B_ESC_Click() {
    if (busy()) return;
    FORM_CLOSE_SELF(this);
}

void ListWindow::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FRAME_BACK_SET(0xFFFFFF);
}

// ---------------------------------------------------------------- controls

QPushButton* ListWindow::button(const char* name, const QString& caption, int l, int t, int w, int h) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setFont(fontOf(QStringLiteral("ＭＳ Ｐ明朝"), 9));
    b->setAutoDefault(false);
    ctl::placeTwips(b, l, t, w, h);
    return b;
}

QComboBox* ListWindow::filterCombo(const char* name, bool editable) {
    auto* c = new QComboBox(this);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    c->setFont(fontOf(QStringLiteral("ＭＳ ゴシック"), 9));
    c->setMaxVisibleItems(20);
    ctl::plainCombo(c);
    return c;
}

ctl::FigureLabel* ListWindow::figureBox(const char* name, int l, int t, int w, int h, Qt::Alignment align) {
    auto* x = new ctl::FigureLabel(this, QLatin1String(name));
    ctl::placeTwips(x, l, t, w, h);
    x->setFrameShape(QFrame::Box);
    BACK_COLOR_SET(x, 0xFFFFFF);
    x->setAlignment(align);
    return x;
}

int ListWindow::placeFilterLine(int left, int top, int captionTop, std::initializer_list<FilterBox> boxes) {
    for (const FilterBox& f : boxes) {
        ctl::placeTwips(f.box, left, top, f.width, 300);
        const int shownLeft = platform::pxToTwips(f.box->x());
        ctl::placeTwips(f.caption, shownLeft, captionTop, f.captionWidth, 180);
        left = shownLeft + platform::pxToTwips(f.box->width());
    }
    return left;
}

// ---------------------------------------------------------------- input and selection

bool ListWindow::busy() const { return platform::InputBlock::blocked(this); }

ListWindow::Press ListWindow::pressOf(Qt::MouseButton button, Qt::KeyboardModifiers mods) const {
    if (busy() || button != Qt::LeftButton) return Press::None;
    switch (mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        case Qt::NoModifier: return Press::Plain;
        case Qt::ShiftModifier: return Press::Shift;
        case Qt::ControlModifier: return Press::Ctrl;
        default: return Press::None;
    }
}

void ListWindow::selectRange(qint32& first, qint32& last, const qint32& listed) {
    selection.first = &first;
    selection.last = &last;
    selection.listed = [&listed] { return listed; };
}

void ListWindow::selectIn(std::vector<qint16>& flags, qint32& first, qint32& last, const qint32& listed) {
    selection.flag = [&flags](qint32 p) -> qint16& { return flags[size_t(p)]; };
    selection.tableSize = [&flags] { return qint32(flags.size()); };
    selectRange(first, last, listed);
}

void ListWindow::D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y) {
    const RowSelection& s = selection;
    if (!s.flag) return;
    const Press press = pressOf(button, shift);
    if (press == Press::None || (press == Press::Ctrl && !s.ctrlTakesOut)) return;
    // The header line and the lines below the last listed row address no row.
    const int line = ListGrid::screenRowAt(y);
    const qint32 shown = s.listed();
    const qint32 pos = SCB_V->value() + line - 1;
    if (line <= 0 || pos >= shown || pos >= s.tableSize()) return;
    if (s.before) s.before();
    if (press == Press::Ctrl) s.flag(pos) = 0;
    else markRows(s.flag, s.tableSize(), *s.first, *s.last, shown, pos, press == Press::Shift);
    if (s.redraw) s.redraw();
    else grid->page();
    if (s.marked) s.marked(press);
}

// ---------------------------------------------------------------- frame and eras

namespace list_window {

void frameless(platform::Form& form) {
    if (QMdiSubWindow* s = form.subWindow()) {
        s->setWindowFlags(Qt::FramelessWindowHint);
        s->setContentsMargins(0, 0, 0, 0);
    }
}

void fillEras(QComboBox* box) {
    box->clear();
    for (const ERA_ROW& e : ERA_TABLE) box->addItem(e.ERA_NAME);
    box->setCurrentIndex(2);
}

}  // namespace list_window
