#include "category/master_editor.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "category/key_lists.h"
#include "category/category_print_dialog.h"
#include "category/master_grid.h"
#include "category/master_commands.h"
#include "common/window_back.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "register/entry_cascade.h"
#include "common/list_grid.h"
#include "common/form_kind.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/link.h"
#include "store/month_copy.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

using platform::kTwipsPerPixel;

// Client width of the window as designed.
constexpr int kClientWidth = 12480;
// Top of the grid's panes, and their widths.
constexpr int kGridLeft = 240, kGridTop = 960;
constexpr int kListWidth = 10380;
// Column stops of the data pane and the function cell.
constexpr qint32 kFuncLeft = 8800, kFuncRight = 9300;

QFont fontOf(const QString& name, double points) {
    QFont f(name);
    f.setPointSizeF(points);
    return f;
}

using ctl::place;
int twLeft(const QWidget* w) { return w->x() * kTwipsPerPixel; }
int twRight(const QWidget* w) { return (w->x() + w->width()) * kTwipsPerPixel; }
int twTop(const QWidget* w) { return w->y() * kTwipsPerPixel; }


// The half-width conversion reads the files again: pending edits of the
// open editor are applied (linked, sorted and written) first.
void saveBeforeNarrow() {
    if (KUBUN_F* f = platform::FormInstance<KUBUN_F>::peek()) f->KUBUN_CLOSE_STEPS();
}

}  // namespace

KUBUN_F::KUBUN_F() : platform::Form(QStringLiteral("KUBUN_F")) {
    setFrameChild(true);
    setCaption(QStringLiteral("備品区分"));
    setFont(fontOf(QStringLiteral("ＭＳ Ｐ明朝"), 9));

    const QFont buttonFont = ctl::dialogFont();  // buttons and function lists
    const QFont fieldFont = fontOf(QStringLiteral("ＭＳ ゴシック"), 9);
    auto button = [&](const char* name, const QString& caption, int l, int t, int w) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(buttonFont);
        b->setAutoDefault(false);
        place(b, l, t, w, 375);
        return b;
    };
    auto label = [&](const char* name, int l, int t, int w) {
        auto* x = new QLabel(this);
        x->setObjectName(QLatin1String(name));
        place(x, l, t, w, 375);
        x->installEventFilter(this);
        return x;
    };
    auto combo = [&](const char* name, bool editable, const QFont& font, QWidget* parent) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QLatin1String(name));
        c->setEditable(editable);
        if (editable) {
            c->setInsertPolicy(QComboBox::NoInsert);
            c->lineEdit()->setMaxLength(50);
        }
        c->setFont(font);
        c->setMaxVisibleItems(20);
        return c;
    };
    auto funcList = [&](const char* name, QWidget* parent) {
        QComboBox* c = combo(name, false, buttonFont, parent);
        c->addItems(kubun_keys::functionTexts());
        c->setCurrentIndex(-1);
        return c;
    };
    auto numberBox = [&](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setFont(fieldFont);
        e->setMaxLength(5);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return e;
    };

    B_ESC = button("B_ESC", QStringLiteral("閉じる"), 120, 120, 735);
    B_PRT = button("B_PRT", QStringLiteral("印刷"), 960, 120, 855);
    B_SORT = button("B_SORT", QStringLiteral("ソート"), 1920, 120, 735);
    B_DEL = button("B_DEL", QStringLiteral("削除"), 2760, 120, 735);
    B_RCALC = button("B_RCALC", QStringLiteral("備品数再計算"), 4560, 120, 1335);
    // The save button lies over Label1, whose double-click uncovers it.
    Label1 = label("Label1", 7080, 120, 735);
    B_SAVE = button("B_SAVE", QStringLiteral("保存"), 7080, 120, 735);
    B_UP = button("B_UP", QStringLiteral("上"), 11640, 120, 615);
    B_DOWN = button("B_DOWN", QStringLiteral("下"), 11640, 480, 615);
    B_ADD = button("B_ADD", QStringLiteral("区分追加"), 10560, 480, 855);
    Label3 = label("Label3", 11640, 840, 615);
    B_NARROW = button("B_NARROW", QStringLiteral("半角"), 11520, 1440, 735);
    FUNC_S = funcList("FUNC_S", this);
    place(FUNC_S, 11520, 2280, 735, 300);
    B_FSET = button("B_FSET", QStringLiteral("設定"), 11520, 2760, 735);

    // The entry row, placed at load.
    KUBUN = combo("KUBUN", false, fieldFont, this);
    KYOUKA = combo("KYOUKA", true, fieldFont, this);
    BUNRUI = combo("BUNRUI", true, fieldFont, this);
    NAME_D = combo("NAME_D", true, fieldFont, this);
    FUNC_D = funcList("FUNC_D", this);
    NO_KY = numberBox("NO_KY");
    NO_BU = numberBox("NO_BU");
    place(KUBUN, 840, 600, 855, 300);

    // The grid.
    grid = new ListGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->move(kGridLeft / kTwipsPerPixel, kGridTop / kTwipsPerPixel);
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;
    grid->setColumns({0, 900, 3500, 6100, 8800, 9300, 9800, 10300});
    grid->count = [] { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); };
    grid->selected = [](qint32 p) {
        return p >= 0 && p < qint32(KUBUN_LIST_VIEW.size()) && KUBUN_LIST_VIEW[p].SEL_FLAG == 1;
    };
    grid->drawRow = [this](qint32 p, int r) { KUBUN_GRID_ROW(p, r); };
    FUNC_L = funcList("FUNC_L", D_LIST);
    FUNC_L->hide();
    cellBuf_.reserve(64);

    EntryCascade::Controls cc{KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D, FUNC_D};
    cascade = new EntryCascade(cc, false);
    cascade->setParent(this);
    cascade->subjectBlankLine = false;
    cascade->numberOfLine = true;
    cascade->numberWidth = 5;

    // ---- wiring (once)
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    connect(B_PRT, &QPushButton::clicked, this, [this] { B_PRT_Click(); });
    connect(B_SORT, &QPushButton::clicked, this, [this] { B_SORT_Click(); });
    connect(B_DEL, &QPushButton::clicked, this, [this] { B_DEL_Click(); });
    connect(B_RCALC, &QPushButton::clicked, this, [this] { B_RCALC_Click(); });
    connect(B_SAVE, &QPushButton::clicked, this, [this] { B_SAVE_Click(); });
    connect(B_UP, &QPushButton::clicked, this, [this] { B_UP_Click(); });
    connect(B_DOWN, &QPushButton::clicked, this, [this] { B_DOWN_Click(); });
    connect(B_ADD, &QPushButton::clicked, this, [this] { B_ADD_Click(); });
    connect(B_NARROW, &QPushButton::clicked, this, [this] { B_NARROW_Click(); });
    connect(B_FSET, &QPushButton::clicked, this, [this] { B_FSET_Click(); });
    connect(FUNC_L, &QComboBox::activated, this, [this](int) { FUNC_L_Click(); });
    FUNC_L->installEventFilter(this);
    connect(grid, &ListGrid::numberPressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double y) { D_NO_MouseDown(b, m, y); });
    connect(D_LIST, &Pane::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, double x, double y) { D_LIST_MouseDown(b, x, y); });
    for (QComboBox* c : {KYOUKA, BUNRUI, NAME_D}) c->lineEdit()->installEventFilter(this);
    cascade->onEnable = [this] { KUBUN_ADD_CHECK(); };
    cascade->onLevel = [this](int n) { level(n); };
    cascade->connectControls();
}

KUBUN_F::~KUBUN_F() = default;

// ---------------------------------------------------------------- opening

void KUBUN_F::Form_Load() {
    ui::BusyPointer busy;
    if (KUBUN_DATA.size() < size_t(KUBUN_SLOTS)) KUBUN_DATA.resize(KUBUN_SLOTS);
    if (KYOUKA_INDEX.size() < size_t(KUBUN_SLOTS)) KYOUKA_INDEX.resize(KUBUN_SLOTS);
    if (KUBUN_LIST_VIEW.size() < size_t(KUBUN_SLOTS)) KUBUN_LIST_VIEW.resize(KUBUN_SLOTS);
    CHANGE_FLAG = 0;
    FUNC_CHANGE_FLAG = 0;
    EDIT_ENTRY = -1;

    if (QMdiSubWindow* s = subWindow()) {
        // A fixed dialog border with a close box.
        s->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }

    // Size and place from the main window: top 150, centred, its height
    // less 1600, kept inside the frame's client area.
    int mainW = platform::screenWidthTwips(), mainH = platform::screenHeightTwips();
    if (QWidget* f = platform::Form::mainFrame()) {
        mainW = platform::pxToTwips(f->frameGeometry().width());
        mainH = platform::pxToTwips(f->frameGeometry().height());
    }
    int border = 0;
    if (QMdiSubWindow* s = subWindow()) border = 2 * s->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, s);
    setWidth(kClientWidth + platform::pxToTwips(border));
    int h = mainH - 1600;
    if (QMdiArea* a = mdiArea(); a && a->isVisible() && subWindow())
        h = std::min(h, platform::pxToTwips(a->viewport()->height()) - 150);
    setHeight(std::max(h, 3000));
    setTop(150);
    setLeft(std::max((mainW - Width()) / 2, 0));

    // The entry row: each box at the right edge of the one before; the
    // number boxes stand above the subject and classification boxes.
    place(KYOUKA, twRight(KUBUN), twTop(KUBUN), 2600, 300);
    place(BUNRUI, twRight(KYOUKA), twTop(KUBUN), 2630, 300);
    place(NAME_D, twRight(BUNRUI), twTop(KUBUN), 2700, 300);
    place(FUNC_D, twRight(NAME_D), twTop(KUBUN), 750, 300);
    place(NO_KY, twLeft(BUNRUI) - 50 - 615, twTop(KYOUKA) - 270, 615, 270);
    place(NO_BU, twLeft(NAME_D) - 50 - 615, twTop(BUNRUI) - 270, 615, 270);

    B_ADD->setEnabled(false);
    B_DEL->setEnabled(false);
    B_UP->setEnabled(false);
    B_DOWN->setEnabled(false);
    B_SAVE->hide();

    grid->setNumberWidth(550);
    grid->setCaptions({QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                       QStringLiteral("機能"), QStringLiteral("登録"), QStringLiteral("廃棄")});

    {
        ++cascade->mute;
        QSignalBlocker block(KUBUN);
        KUBUN->clear();
        KUBUN->addItems(KUBUN_LIST_NAMES());
        KUBUN->setCurrentIndex(-1);
        --cascade->mute;
    }
    emptyEntryRow();
    cascade->SEL_KUBUN_IDX = 0;
    cascade->NEW_SUBJECT = 0;
    FUNC_D->setCurrentIndex(-1);
    FUNC_S->setCurrentIndex(-1);
    FUNC_L->hide();
    FUNC_S->hide();
    B_FSET->hide();
    Label3->clear();

    // Rows another window selected are not the editor's: they show no fill.
    if (KUBUN_SEL_KIND != KUBUN_F_KIND) KUBUN_SEL_FLAGS(0, KUBUN_SLOTS - 1, 0);

    NAME_NARROW_SAVE_HOOK_SET(&saveBeforeNarrow);
    if (QMdiArea* a = mdiArea()) a->setBackground(palette().color(QPalette::Window));
}

void KUBUN_F::emptyEntryRow() {
    ++cascade->mute;
    for (QComboBox* c : {KYOUKA, BUNRUI, NAME_D}) {
        QSignalBlocker block(c);
        c->clear();
        c->setEditText(QString());
    }
    cascade->K_NO_LIST.clear();
    NO_KY->clear();
    NO_BU->clear();
    --cascade->mute;
    KUBUN_ADD_CHECK();
}

void KUBUN_F::Form_Resize() {
    GRID_N = int(text::roundHalfEven((Height() - kGridTop - 720) / 250.0));
    GRID_N = std::clamp(GRID_N, 1, ListGrid::kMaxRows);
    grid->setFixedLayout(kListWidth, GRID_N);
    D_LIST->cls();
    KUBUN_GRID_HEAD();
    KUBUN_SCROLL_SET();
}

// ---------------------------------------------------------------- grid

void KUBUN_F::KUBUN_GRID_HEAD() { grid->head(); }

void KUBUN_F::KUBUN_SCROLL_SET() {
    grid->setVRange();
    grid->setVValueQuiet(0);
    KUBUN_GRID_PAGE();
}

void KUBUN_F::KUBUN_GRID_PAGE() {
    if (SCB_V->value() < grid->count()) {
        grid->page();
    } else {
        // An empty master shows the frame alone.
        grid->clear();
        grid->head();
    }
}

void KUBUN_F::KUBUN_GRID_ROW(qint32 e, int r) {
    if (e < 0 || e >= qint32(KUBUN_DATA.size())) return;
    static constexpr MASTER_GRID_COLS kCols{30, 930, 3530, 2550, 6130, 2650, 8880, 9330, 9830};
    MASTER_GRID_ROW(*grid, KUBUN_DATA[e], r, kCols, cellBuf_);
}

void KUBUN_F::KUBUN_JUMP(int lvl) {
    const KUBUN_JUMP_KEYS keys{KUBUN->currentText(), KYOUKA->currentText(), NO_KY->text(), BUNRUI->currentText(),
                               NAME_D->currentText()};
    const qint32 target = KUBUN_JUMP_TARGET(lvl, keys, JUMP_POS);
    SCB_V->setValue(std::min<qint32>(target, SCB_V->maximum()));
}

// ---------------------------------------------------------------- selection

bool KUBUN_F::ownRange(qint32* top, qint32* end) const { return KUBUN_SEL_OF(KUBUN_F_KIND, KUBUN_COUNT, top, end); }

void KUBUN_F::D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y) {
    if (button != Qt::LeftButton) return;
    const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) return;
    const int r = ListGrid::screenRowAt(y);
    const qint32 v = SCB_V->value();
    if (r <= 0 || v + r - 1 >= grid->count()) return;
    const qint32 p = v + r - 1;

    qint32 top = 0, end = 0;
    const bool own = ownRange(&top, &end);
    if (mods == Qt::NoModifier || !own) {
        // A plain click (or a Shift+click with no range of the editor's own
        // to extend) selects the one row.
        if (KUBUN_SEL_KIND == KUBUN_F_KIND) KUBUN_SEL_FLAGS(std::min(KUBUN_SEL_TOP, KUBUN_SEL_END), std::max(KUBUN_SEL_TOP, KUBUN_SEL_END), 0);
        KUBUN_SEL_SET(KUBUN_F_KIND, p, p);
        KUBUN_LIST_VIEW[p].SEL_FLAG = 1;
        KUBUN_GRID_PAGE();
        if (mods == Qt::NoModifier) B_DEL->setEnabled(true);
    } else {
        qint32 t = KUBUN_SEL_TOP, e = p;
        if (e < t) std::swap(t, e);
        KUBUN_SEL_SET(KUBUN_F_KIND, t, e);
        KUBUN_SEL_FLAGS(t, e, 1);
        KUBUN_GRID_PAGE();
    }
    KUBUN_MOVE_CHECK();
}

void KUBUN_F::KUBUN_MOVE_CHECK() {
    B_UP->setEnabled(false);
    B_DOWN->setEnabled(false);
    qint32 t = 0, e = 0;
    if (!ownRange(&t, &e) || KUBUN_SEL_TOP != KUBUN_SEL_END) return;
    bool up = false, down = false;
    KUBUN_MOVE_OK(t, &up, &down);
    B_UP->setEnabled(up);
    B_DOWN->setEnabled(down);
}

// ---------------------------------------------------------------- function cell

void KUBUN_F::D_LIST_MouseDown(Qt::MouseButton, double x, double y) {
    if (x < kFuncLeft || x > kFuncRight) return;
    const int r = ListGrid::screenRowAt(y);
    const qint32 v = SCB_V->value();
    if (r < 1 || v + r - 1 >= grid->count()) return;
    EDIT_ENTRY = v + r - 1;
    place(FUNC_L, kFuncLeft, r * 250 + 10, 735, 300);
    {
        QSignalBlocker block(FUNC_L);
        const qint16 f = KUBUN_DATA[EDIT_ENTRY].FUNC_NO;
        FUNC_L->setCurrentIndex(f >= 0 && f <= 4 ? f : 0);
    }
    FUNC_L->show();
    FUNC_L->raise();
    FUNC_L->setFocus(Qt::MouseFocusReason);
}

void KUBUN_F::FUNC_L_Click() {
    if (EDIT_ENTRY < 0 || EDIT_ENTRY >= KUBUN_COUNT) {
        FUNC_L->hide();
        return;
    }
    KUBUN_REC& k = KUBUN_DATA[EDIT_ENTRY];
    const int pos = std::clamp(FUNC_L->currentIndex(), 0, 4);
    k.FUNC_NO = qint16(pos);
    k.FUNC_D = kubun_keys::functionTexts()[pos];
    // Only the cell is painted again.
    const int c = EDIT_ENTRY - SCB_V->value() + 1;
    D_LIST->fillBox(8860, c * 250 + 30, 9280, c * 250 + 230, Qt::white);
    D_LIST->text(8880, c * 250 + 30, k.FUNC_D);
    ui::DoEvents();
    CHANGE_FLAG = 1;
    FUNC_CHANGE_FLAG = 1;
    FUNC_L->hide();
    writeNow();
}

void KUBUN_F::FUNC_L_LostFocus() { FUNC_L->hide(); }

// ---------------------------------------------------------------- hidden buttons, print, closing

void KUBUN_F::Label1_DblClick() { B_SAVE->show(); }

void KUBUN_F::Label3_DblClick() {
    FUNC_S->show();
    B_FSET->show();
}

void KUBUN_F::B_PRT_Click() {
    KUBUN_PRT_SHOW();
}

void KUBUN_F::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

void KUBUN_F::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    // Closed by its close box the editor is closed for the form switch too
    // (so its button opens it again); the end of the program closes it by
    // code and keeps the kind for the next start.
    if (UnloadMode == platform::vbFormControlMenu && FORM_KIND == KUBUN_F_KIND) {
        FORM_KIND_CLEAR();
    }
}

void KUBUN_F::KUBUN_CLOSE_STEPS() {
    ui::BusyPointer busy;
    unsigned changed = 0;
    if (FUNC_CHANGE_FLAG == 1) {
        // The items take the new function classes (and the master its counts).
        KUBUN_LINK(1);
        FUNC_CHANGE_FLAG = 0;
        changed |= store::ITEMS | store::MASTER;
    }
    if (CHANGE_FLAG == 1) {
        KUBUN_FLAGS &= ~1;
        KUBUN_SORT();  // writes the master
        CHANGE_FLAG = 0;
        changed &= ~unsigned(store::MASTER);
    }
    if (changed) store::saveChanged(changed);
}

void KUBUN_F::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FUNC_L->hide();
    KUBUN_CLOSE_STEPS();
    NAME_NARROW_SAVE_HOOK_SET(nullptr);
    FRAME_BACK_SET(0xFFFFFF);
}

// ---------------------------------------------------------------- entry row

void KUBUN_F::level(int n) {
    // The first category (管理) takes no function class.
    if (n == 1) FUNC_D->setVisible(cascade->SEL_KUBUN_IDX != 1);
    KUBUN_JUMP(n);
}

void KUBUN_F::KUBUN_ADD_CHECK() {
    auto filled = [](const QString& s) { return !s.trimmed().isEmpty(); };
    B_ADD->setEnabled(KUBUN->currentIndex() >= 0 && filled(KYOUKA->currentText()) &&
                      filled(BUNRUI->currentText()) && filled(NAME_D->currentText()) && filled(NO_KY->text()) &&
                      NO_BU->text().trimmed().size() == 3);
}

void KUBUN_F::B_ADD_Click() {
    const int saved = SCB_V->value();
    KUBUN_ADD_FORM f;
    f.KUBUN_POS = KUBUN->currentIndex();
    f.KYOUKA = KYOUKA->currentText();
    f.NO_KY = NO_KY->text();
    f.BUNRUI = BUNRUI->currentText();
    f.NO_BU = NO_BU->text();
    f.NAME_D = NAME_D->currentText();
    f.FUNC_D = FUNC_D->currentIndex();
    if (KUBUN_ADD(f) < 0) return;
    CHANGE_FLAG = 1;
    B_SORT_Click();  // sorts, renumbers and writes the master
    SCB_V->setValue(std::min(saved, SCB_V->maximum()));
}

bool KUBUN_F::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (watched == Label1) Label1_DblClick();
        else if (watched == Label3) Label3_DblClick();
    } else if (e->type() == QEvent::FocusOut && watched == FUNC_L) {
        if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) FUNC_L_LostFocus();
    } else if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on to the next box, from the item name to the add button.
            if (watched == KYOUKA->lineEdit()) {
                BUNRUI->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (watched == BUNRUI->lineEdit()) {
                NAME_D->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (watched == NAME_D->lineEdit()) {
                if (B_ADD->isEnabled()) B_ADD->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- commands

void KUBUN_F::writeNow() { store::saveChanged(store::MASTER); }

void KUBUN_F::B_DEL_Click() {
    B_DEL->setEnabled(false);
    B_UP->setEnabled(false);
    B_DOWN->setEnabled(false);
    const int saved = SCB_V->value();
    qint32 t = 0, e = 0;
    if (!ownRange(&t, &e)) return;
    if (KUBUN_IN_USE(t, e)) {
        ui::MsgBox(QStringLiteral("使用されている備品区分は、削除できません 削除を中止します"), ui::vbOKOnly, kKubunTitle);
        return;
    }
    const qint32 n = e - t + 1;
    if (ui::MsgBox(QString::number(n) + QStringLiteral("件のデータを削除します"), int(ui::vbYesNo) | ui::vbQuestion,
                   kKubunTitle) != ui::vbYes)
        return;
    ui::BusyPointer busy;
    KUBUN_DELETE(t, e);
    KUBUN_SCROLL_SET();
    grid->setVValueQuiet(std::min(saved, SCB_V->maximum()));
    KUBUN_GRID_PAGE();
    CHANGE_FLAG = 1;
    writeNow();
}

void KUBUN_F::moveEntry(int step) {
    qint32 t = 0, e = 0;
    if (!ownRange(&t, &e) || t != e) return;
    const qint32 u = t + step;
    if (u < 0 || u >= KUBUN_COUNT) return;
    KUBUN_MOVE(t, u);
    KUBUN_SEL_SET(KUBUN_F_KIND, u, u);
    CHANGE_FLAG = 1;
    KUBUN_MOVE_CHECK();
    KUBUN_GRID_PAGE();
    writeNow();
}

void KUBUN_F::B_UP_Click() { moveEntry(-1); }
void KUBUN_F::B_DOWN_Click() { moveEntry(1); }

void KUBUN_F::B_FSET_Click() {
    qint32 t = 0, e = 0;
    if (!ownRange(&t, &e)) return;
    KUBUN_FUNC_SET(t, e, FUNC_S->currentIndex());
    CHANGE_FLAG = 1;
    KUBUN_GRID_PAGE();
    writeNow();
}

void KUBUN_F::B_SORT_Click() {
    ui::BusyPointer busy;
    B_UP->setEnabled(false);
    B_DOWN->setEnabled(false);
    KUBUN_SORT();
    if (cascade->NEW_SUBJECT == 1) {
        KYOUKA_INDEX_MAKE();
        cascade->NEW_SUBJECT = 0;
    }
    CHANGE_FLAG = 1;
    KUBUN_SCROLL_SET();
    // Back to the first category ("管理" when it is listed); a changed
    // choice acts as the user's.
    int pos = KUBUN->findText(QStringLiteral("管理"), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (pos < 0 && KUBUN->count() > 0) pos = 0;
    KUBUN->setCurrentIndex(pos);
    emptyEntryRow();
    if (KUBUN->currentIndex() >= 0) cascade->KYOUKA_COMBO_SET();
}

void KUBUN_F::B_RCALC_Click() {
    ui::BusyPointer busy;
    KUBUN_LINK(1);
    KUBUN_SCROLL_SET();
    // The counts of the master, the codes and function classes of the items.
    store::saveChanged(store::ITEMS | store::MASTER);
}

void KUBUN_F::B_NARROW_Click() {
    if (ui::MsgBox(QStringLiteral("備品区分の数字ｶﾀｶﾅ等を半角にしますか？"), int(ui::vbYesNo) | ui::vbQuestion, ui::kTitle) !=
        ui::vbYes)
        return;
    ui::BusyPointer busy;
    // The conversion saves the editor's pending work first (through its
    // hook), reads the three files again and writes them converted; the
    // reloaded items are then linked to the master once more.
    NAME_NARROW_ALL();
    KUBUN_LINK(1);
    D_LIST->cls();
    KUBUN_GRID_HEAD();
    KUBUN_SCROLL_SET();
    store::saveChanged(store::ITEMS | store::MASTER);
}

void KUBUN_F::B_SAVE_Click() {
    ui::BusyPointer busy;
    store::saveChanged(store::MASTER);
}
