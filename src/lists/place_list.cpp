#include "lists/place_list.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <algorithm>

#include "common/window_back.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/category_lists.h"
#include "common/form_kind.h"
#include "platform/input_block.h"

namespace {

constexpr quint32 kBack = 0x0080FFFF;  // the window's light yellow
constexpr int kWidth = 11750, kHeightLess = 1600;
constexpr int kGridLeft = 360, kGridTop = 720;
constexpr int kNoWidth = 550, kListWidth = 4330;
constexpr int kPaneLeft = 8040, kPaneTop = 600;
constexpr int kPaneNoWidth = 375, kPaneWidth = 3080;
// The mark column of the place grid starts here (twips inside D_LIST).
constexpr double kMarkLeft = 3800;

using ctl::place;

int pages(qint32 c) { return c / 25 + (c % 25 != 0 ? 1 : 0); }

}  // namespace

int KEEP_ROOM::placeCount() { return std::clamp<int>(KEEP_COUNT, 0, NAME_LIST_SLOTS - 1); }

KEEP_ROOM::KEEP_ROOM()
    : ListWindow(QStringLiteral("KEEP_ROOM"), QStringLiteral("保管場所別リスト"), kBack, QStringLiteral("ＭＳ Ｐゴシック")) {

    B_PRT_H = new ctl::CommandButton(QStringLiteral("リスト印刷"), this, QStringLiteral("B_PRT_H"));
    B_PRT_H->setToolTip(QStringLiteral("左側の表を印刷します"));
    Label3 = new ctl::Label(QStringLiteral("備品区分"), this, QStringLiteral("Label3"));
    KUBUN = new ctl::ComboBox(this, QStringLiteral("KUBUN"), ctl::ComboBox::DropDownList);
    Label4 = new ctl::Label(QString(), this, QStringLiteral("Label4"));
    KYOUKA = new ctl::ComboBox(this, QStringLiteral("KYOUKA"), ctl::ComboBox::DropDownList);
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    Frame1 = new ctl::Frame(QStringLiteral("詳細印刷"), this, QStringLiteral("Frame1"));
    B_PRT_SEL = new ctl::CommandButton(QStringLiteral("選択詳細印刷"), Frame1, QStringLiteral("B_PRT_SEL"));
    B_PRT_SEL->setToolTip(QStringLiteral("選択備品の詳細データを連続印刷します"));
    P_COUNT_L = new ctl::Label(QStringLiteral("印刷枚数"), Frame1, QStringLiteral("P_COUNT_L"));
    P_COUNT = new ctl::FigureLabel(Frame1, QStringLiteral("P_COUNT"));
    P_COUNT->setAlignment(Qt::AlignCenter);
    P_COUNT->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BACK_COLOR_SET(P_COUNT, 0xFFFFFF);
    CHK1 = new ctl::CheckBox(QStringLiteral("管理・管理外継続印刷"), Frame1, QStringLiteral("CHK1"));
    B_PRT2 = new ctl::CommandButton(QStringLiteral("内訳印刷"), this, QStringLiteral("B_PRT2"));
    B_PRT2->setToolTip(QStringLiteral("右側の表を印刷します"));
    B_PRT3 = new ctl::CommandButton(QStringLiteral("選択内訳印刷"), this, QStringLiteral("B_PRT3"));
    B_PRT3->setToolTip(QStringLiteral("選択備品の内訳を連続印刷します"));

    // The place grid: two lines a place, the 管理 part over the other one; a
    // press on a place's number picks it for the breakdown (D_NO_MouseDown).
    makeGrid(kGridLeft, kGridTop);
    grid->setColumns({0, 2500, 3300, 3800, 4250});
    grid->setCaptions({QStringLiteral("保管場所"), QStringLiteral("備品区分"), QStringLiteral("数量"),
                       QStringLiteral("印刷")});
    grid->ENTRY_LINES = 2;
    grid->ENTRY_RULE_LEFT = 2500;
    grid->count = [] { return qint32(placeCount() + 1); };
    grid->drawNumber = [](qint32, int) {};  // KEEP_GRID_ROW draws the place number
    grid->drawRow = [this](qint32 p, int line) { KEEP_GRID_ROW(int(p), line); };

    // The breakdown pane; its last narrow column is the margin that the
    // header band and the rules run across.
    grid2 = new ListGrid(this);
    grid2->setObjectName(QStringLiteral("grid2"));
    grid2->setColumns({0, 2500, 3000, kPaneWidth});
    grid2->setCaptions({QStringLiteral("品名"), QStringLiteral("数量"), QString()});
    grid2->setNumberWidth(kPaneNoWidth);
    grid2->count = [this] { return breakdown.BREAKDOWN_ROWS; };
    grid2->drawNumber = [this](qint32 r, int line) {
        D_NO2->text(30, ListGrid::rowTop(line), text::rset(QString::number(r + 1), 3));
    };
    grid2->drawRow = [this](qint32 r, int line) { BREAKDOWN_GRID_ROW(r, line); };
    D_NO2 = grid2->D_NO;
    D_LIST2 = grid2->D_LIST;
    SCB_V2 = grid2->SCB_V;
    D_NO2->setObjectName(QStringLiteral("D_NO2"));
    D_LIST2->setObjectName(QStringLiteral("D_LIST2"));
    SCB_V2->setObjectName(QStringLiteral("SCB_V2"));

    // Over the header of the mark column (placed by the layout).
    B_PRT_SET = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT_SET"));
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    layoutControls();

    // A category or a subject chosen counts the places again.
    cascade.setBoxes({KUBUN, KYOUKA, &K_NO_LIST});
    cascade.onLevel = [this](int) {
        KEEP_INDEX_BUILD();
        KEEP_PAGE_COUNT();
        KEEP_GRID_PAGE();
        BREAKDOWN_GRID_PAGE();
    };
    CHK1->Click = [this] { CHK1_Click(); };
    B_PRT_H->Click = [this] { B_PRT_H_Click(); };
    B_PRT_SEL->Click = [this] { B_PRT_SEL_Click(); };
    B_PRT_SET->Click = [this] { B_PRT_SET_Click(); };
    B_PRT2->Click = [this] { B_PRT2_Click(); };
    B_PRT3->Click = [this] { B_PRT3_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    connect(D_LIST, &Pane::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) { D_LIST_MouseDown(b, m, x, y); });
    B_PRT_SET->installEventFilter(this);
}

KEEP_ROOM::~KEEP_ROOM() = default;

void KEEP_ROOM::layoutControls() {
    place(B_PRT_H, 600, 240, 1095, 375);
    place(Label3, 1920, 120, 975, 255);
    place(KUBUN, 1920, 300, 850, 300);
    place(Label4, 3000, 120, 975, 255);
    place(KYOUKA, 2760, 300, 2000, 300);
    place(B_ESC, 6240, 120, 1095, 375);
    place(Frame1, 5640, 1680, 2295, 1695);
    place(B_PRT_SEL, 480, 240, 1455, 375);
    place(P_COUNT_L, 600, 720, 975, 255);
    place(P_COUNT, 600, 960, 975, 255);
    place(CHK1, 120, 1320, 2055, 255);
    place(B_PRT2, 8160, 120, 1095, 375);
    place(B_PRT3, 6120, 720, 1335, 375);
    grid2->move(platform::twipsToPx(kPaneLeft), platform::twipsToPx(kPaneTop));
}

bool KEEP_ROOM::eventFilter(QObject* watched, QEvent* e) {
    if (watched == B_PRT_SET && e->type() == QEvent::MouseButtonRelease && !busy()) {
        const auto* me = static_cast<QMouseEvent*>(e);
        const Qt::MouseButton button = me->button();
        const Qt::KeyboardModifiers mods = me->modifiers();
        // The release acts after the click that the same release brings.
        QMetaObject::invokeMethod(this, [this, button, mods] { B_PRT_SET_MouseUp(button, mods); },
                                  Qt::QueuedConnection);
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- loading

void KEEP_ROOM::Form_Load() {
    loadBegin();
    keep = KEEP_INDEX_DATA{};
    for (auto& m : KEEP_MARK) m = {0, 0};
    KEEP_PICK.fill(0);
    KEEP_PICK_NO = 0;
    breakdown = KEEP_BREAKDOWN{};

    cascade.fill(Label4);
    KEEP_INDEX_BUILD();
    KEEP_PAGE_COUNT();

    // The height from the main window (within the frame's client area), also
    // when the main window is resized later; the width stays.
    fitAtTopLeft(0, kHeightLess, kWidth);
    Form_Resize();

    loadEnd();
}

void KEEP_ROOM::Form_Resize() {
    if (LAYOUT_ON != 1) return;
    VIEW_LINES = int(std::clamp<qint64>(text::roundHalfEven((Height() - kGridTop - 200) / 250.0), 3,
                                        ListGrid::kMaxRows));
    grid->setFixedLayout(kListWidth, VIEW_LINES);
    SCB_V->setRange(0, placeCount());
    SCB_V->show();
    place(B_PRT_SET, kGridLeft + kNoWidth + kListWidth - 450 - 30, kGridTop + 30, 450, 255);
    B_PRT_SET->raise();
    grid2->setFixedLayout(kPaneWidth, VIEW_LINES);
    SCB_V2->setRange(0, std::max(0, breakdown.BREAKDOWN_ROWS - 1));
    SCB_V2->show();

    grid->clear();
    KEEP_GRID_HEAD();
    KEEP_GRID_PAGE();
    grid2->clear();
    BREAKDOWN_GRID_HEAD();
    BREAKDOWN_GRID_PAGE();
}

// ---------------------------------------------------------------- filters

KEEP_FILTER KEEP_ROOM::FILTER_NOW() const {
    KEEP_FILTER f;
    f.KUBUN = KUBUN->Text();
    const int k = KYOUKA->ListIndex();
    // The subject is the chosen entry's number within the chosen category:
    // the names in the list are cut at their first blank.
    if (!f.KUBUN.isEmpty() && k > 0 && k < K_NO_LIST.size()) {
        f.BY_SUBJECT = true;
        f.NO_KY = K_NO_LIST[k];
    }
    return f;
}

void KEEP_ROOM::KEEP_INDEX_BUILD() {
    // The build yields to the event loop: the filters, marks and buttons
    // wait until it is done.
    platform::InputBlock block(this);
    KEEP_INDEX_MAKE(keep, FILTER_NOW());
}

// ---------------------------------------------------------------- place grid

void KEEP_ROOM::KEEP_GRID_HEAD() { grid->head(); }

void KEEP_ROOM::KEEP_GRID_PAGE() {
    // A place added by the build extends the range (the no-place row last).
    if (SCB_V->maximum() != placeCount()) {
        QSignalBlocker block(SCB_V);
        SCB_V->setRange(0, placeCount());
    }
    grid->page();
}

void KEEP_ROOM::KEEP_GRID_ROW(int p, int line) {
    if (p < 0 || p >= NAME_LIST_SLOTS) return;
    const double y0 = ListGrid::rowTop(line);
    D_NO->text(30, y0 + 150, text::rset(QString::number(p + 1), 5));
    const QString name = p < placeCount() ? KEEP_LIST[p] : QString();
    if (KEEP_PICK[p] == 1) D_LIST->setForeColor(bgrColor(0x0000FF));
    D_LIST->text(30, y0 + 150, name);
    D_LIST->setForeColor(Qt::black);
    static const QString kanri = QStringLiteral(" 管理"), other = QStringLiteral("管理外"), mark = QStringLiteral("○");
    D_LIST->text(2700, y0, kanri);
    D_LIST->text(2700, y0 + 250, other);
    D_LIST->text(3330, y0, text::rset(text::countText(keep.KEEP_COUNT[p][0]), 5));
    D_LIST->text(3330, y0 + 250, text::rset(text::countText(keep.KEEP_COUNT[p][1]), 5));
    if (KEEP_MARK[p][0] == 1) D_LIST->text(3930, y0, mark);
    if (KEEP_MARK[p][1] == 1) D_LIST->text(3930, y0 + 250, mark);
}

void KEEP_ROOM::KEEP_PAGE_COUNT() {
    const bool joined = CHK1->Value() == 1;
    qint32 all = 0, sel = 0;
    for (int p = 0; p <= placeCount(); ++p) {
        const qint32 c0 = keep.KEEP_COUNT[p][0], c1 = keep.KEEP_COUNT[p][1];
        const qint32 s0 = KEEP_MARK[p][0] == 1 ? c0 : 0, s1 = KEEP_MARK[p][1] == 1 ? c1 : 0;
        if (joined) {
            all += pages(c0 + c1);
            sel += pages(s0 + s1);
        } else {
            all += pages(c0) + pages(c1);
            sel += pages(s0) + pages(s1);
        }
    }
    PAGE_ALL = all;
    PAGE_SEL = sel;
    P_COUNT->setCaption(QString::number(PAGE_SEL) + QLatin1Char('/') + QString::number(PAGE_ALL));
}

void KEEP_ROOM::CHK1_Click() { KEEP_PAGE_COUNT(); }

void KEEP_ROOM::D_LIST_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
    const Press press = pressOf(button, shift);
    if (press != Press::Plain && press != Press::Shift) return;
    if (y < 250 || x < kMarkLeft) return;
    const qint64 d = text::roundHalfEven(y - 250);
    const int p = SCB_V->value() + int(d / 500);
    const int part = d % 500 < 250 ? 0 : 1;
    if (p > placeCount()) return;
    if (press == Press::Plain) {
        MARK_FROM = MARK_TO = qint16(p);
        KEEP_MARK[p][part] = KEEP_MARK[p][part] == 1 ? 0 : 1;
        MARK_LAST = {KEEP_MARK[p][part], qint16(part)};
    } else {
        MARK_TO = qint16(p);
        if (MARK_TO < MARK_FROM) std::swap(MARK_FROM, MARK_TO);
        if (MARK_LAST[1] == 1) KEEP_MARK[MARK_FROM][1] = MARK_LAST[0];
        for (int q = MARK_FROM + 1; q <= MARK_TO; ++q) KEEP_MARK[q] = {MARK_LAST[0], MARK_LAST[0]};
    }
    KEEP_GRID_PAGE();
    KEEP_PAGE_COUNT();
}

void KEEP_ROOM::B_PRT_SET_Click() {
    const qint16 v = KEEP_MARK[0][0] == 1 ? 0 : 1;
    for (int p = 0; p <= placeCount(); ++p) KEEP_MARK[p] = {v, v};
    KEEP_GRID_PAGE();
    KEEP_PAGE_COUNT();
}

void KEEP_ROOM::B_PRT_SET_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    Q_UNUSED(button);
    const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int part = mods == Qt::ShiftModifier ? 0 : mods == Qt::ControlModifier ? 1 : -1;
    if (part >= 0)
        for (int p = 0; p <= placeCount(); ++p) KEEP_MARK[p][part] = 1;
    KEEP_GRID_PAGE();
    KEEP_PAGE_COUNT();
}

// ---------------------------------------------------------------- breakdown pane

void KEEP_ROOM::D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    if (busy() || y < 250) return;
    KEEP_PICK.fill(0);
    const int p = SCB_V->value() + int(text::roundHalfEven(y - 250) / 500);
    breakdown = KEEP_BREAKDOWN{};
    if (p <= placeCount()) {
        KEEP_PICK[p] = 1;
        KEEP_PICK_NO = qint16(p);
    }
    grid->clear();
    KEEP_GRID_HEAD();
    KEEP_GRID_PAGE();

    grid2->clear();
    {
        QSignalBlocker block(SCB_V2);
        SCB_V2->setRange(0, 0);
        SCB_V2->setValue(0);
    }
    BREAKDOWN_GRID_HEAD();
    if (p > placeCount()) return;
    breakdown = KEEP_BREAKDOWN_MAKE(keep, p);
    {
        QSignalBlocker block(SCB_V2);
        SCB_V2->setRange(0, std::max(0, breakdown.BREAKDOWN_ROWS - 1));
    }
    if (breakdown.BREAKDOWN_ROWS > 0) BREAKDOWN_GRID_PAGE();
}

void KEEP_ROOM::BREAKDOWN_GRID_HEAD() { grid2->head(); }

void KEEP_ROOM::BREAKDOWN_GRID_PAGE() { grid2->page(); }

void KEEP_ROOM::BREAKDOWN_GRID_ROW(qint32 r, int line) {
    if (r < 0 || r >= breakdown.BREAKDOWN_ROWS) return;
    const double y = ListGrid::rowTop(line);
    D_LIST2->text(30, y, breakdown.BREAKDOWN_NAME[size_t(r)]);
    D_LIST2->text(2530, y, text::rset(text::countText(breakdown.BREAKDOWN_COUNT[size_t(r)]), 5));
}
