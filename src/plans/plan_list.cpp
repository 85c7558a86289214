#include "plans/plan_list.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <algorithm>

#include "common/window_back.h"
#include "common/cascade_boxes.h"
#include "platform/controls.h"
#include "platform/input_block.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "plans/plan_entry.h"
#include "plans/plan_rules.h"
#include "printing/list_print_jobs.h"
#include "printing/list_print_dialog.h"
#include "register/item_grid.h"
#include "register/item_search.h"
#include "store/amounts.h"
#include "common/form_kind.h"
#include "store/category_file.h"
#include "store/plans_file.h"
#include "store/save_changed.h"

namespace {

using ctl::placeTwips;

constexpr quint32 kListBack = 0xFFE0C0;  // the plan list's light blue
const QString kMincho = QStringLiteral("ＭＳ 明朝");

QFont fontOf(const QString& name, double points) {
    QFont f(name);
    f.setPointSizeF(points);
    return f;
}

qint32 planEnd() { return std::clamp<qint32>(P_ZEMLO_COUNT, 0, qint32(P_ZEMLO_DATA.size())); }

int twLeft(const QWidget* w) { return w->x() * platform::kTwipsPerPixel; }
int twWidth(const QWidget* w) { return w->width() * platform::kTwipsPerPixel; }

}  // namespace

P_ZEMLO_LIST::P_ZEMLO_LIST() : platform::Form(QStringLiteral("P_ZEMLO_LIST")) {
    setFrameChild(true);
    setCaption(QStringLiteral("備品購入計画リスト"));
    setFont(fontOf(kMincho, 9));
    BACK_COLOR_SET(this, kListBack);

    const QFont boxFont = fontOf(QStringLiteral("ＭＳ ゴシック"), 9);
    auto button = [&](const char* name, const QString& caption, int l, int t, int w, int h) {
        return item_grid::button(this, name, caption, l, t, w, h);
    };
    auto label = [&](const char* name, const QString& caption) {
        auto* x = new QLabel(caption, this);
        x->setObjectName(QLatin1String(name));
        return x;
    };
    auto combo = [&](const char* name, bool editable) { return item_grid::filterCombo(this, name, editable); };

    // The buttons of the top row.
    B_ESC = button("B_ESC", QStringLiteral("閉じる"), 120, 120, 735, 375);
    B_ADD = button("B_ADD", QStringLiteral("追加"), 960, 120, 735, 375);
    B_CHG = button("B_CHG", QStringLiteral("変更"), 1800, 120, 735, 375);
    B_DEL = button("B_DEL", QStringLiteral("削除"), 2640, 120, 735, 375);
    B_SORT = button("B_SORT", QStringLiteral("ソート"), 3480, 120, 735, 375);
    B_RCALC = button("B_RCALC", QStringLiteral("現有数再計算"), 4320, 120, 1335, 375);
    B_PRT = button("B_PRT", QStringLiteral("印刷"), 5760, 120, 735, 375);
    B_FILE = button("B_FILE", QStringLiteral("ファイル作成"), 6600, 120, 1215, 375);
    B_KELDA = button("B_KELDA", QStringLiteral("ケルダ町"), 10800, 120, 975, 375);
    B_KELDA->hide();

    // The count and the total show their whole figure.
    Label2 = label("Label2", QStringLiteral("件数"));
    placeTwips(Label2, 8040, 0, 1095, 225);
    C_COUNT = item_grid::figureBox(this, "C_COUNT", 8040, 240, 1095, 255, Qt::AlignCenter);
    Label3 = label("Label3", QStringLiteral("金額"));
    placeTwips(Label3, 9240, 0, 1455, 225);
    TOTAL = item_grid::figureBox(this, "TOTAL", 9240, 240, 1455, 255, Qt::AlignRight | Qt::AlignVCenter);

    // The filter bar (placed at load).
    DP_W = combo("DP_W", true);
    CH_Y = new QLineEdit(this);
    CH_Y->setObjectName(QStringLiteral("CH_Y"));
    CH_Y->setFont(boxFont);
    CH_Y->setMaxLength(10);
    Label1 = label("Label1", QStringLiteral("年度"));
    KEIHI = combo("KEIHI", false);
    KUBUN = combo("KUBUN", false);
    KYOUKA = combo("KYOUKA", false);
    BUNRUI = combo("BUNRUI", false);
    L_KEIHI = label("L_KEIHI", QStringLiteral("経費区分"));
    L_KUBUN = label("L_KUBUN", QStringLiteral("備品区分"));
    L_KYOUKA = label("L_KYOUKA", QString());
    L_BUNRUI = label("L_BUNRUI", QString());
    B_PICUP = button("B_PICUP", QStringLiteral("検索"), 0, 0, 735, 300);
    ALL_H = button("ALL_H", QStringLiteral("全表示"), 0, 0, 855, 300);

    C_CHG = new ctl::CheckBox(QStringLiteral("Check1"), this, QStringLiteral("C_CHG"));
    C_CHG->hide();

    // The grid.
    grid = new ListGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->move(240 / platform::kTwipsPerPixel, 1080 / platform::kTwipsPerPixel);
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;
    SCB_H = grid->SCB_H;
    for (Pane* p : {D_NO, D_LIST}) {
        p->setFontName(kMincho);
        p->setFontSize(9);
    }
    grid->H_MAX_BASE = 19;
    grid->count = [] { return std::clamp<qint32>(P_VIEW_COUNT, 0, qint32(P_LIST_VIEW.size())); };
    grid->selected = [](qint32 p) { return p >= 0 && p < qint32(P_LIST_VIEW.size()) && P_LIST_VIEW[p].SEL == 1; };
    grid->drawRow = [this](qint32 p, int row) {
        if (p >= 0 && p < qint32(P_LIST_VIEW.size())) P_ZEMLO_GRID_ROW(P_LIST_VIEW[p].P_IDX, row);
    };

    // ---- wiring (once)
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    connect(B_ADD, &QPushButton::clicked, this, [this] { B_ADD_Click(); });
    connect(B_CHG, &QPushButton::clicked, this, [this] { B_CHG_Click(); });
    connect(B_DEL, &QPushButton::clicked, this, [this] { B_DEL_Click(); });
    connect(B_SORT, &QPushButton::clicked, this, [this] { B_SORT_Click(); });
    connect(B_RCALC, &QPushButton::clicked, this, [this] { B_RCALC_Click(); });
    connect(B_PRT, &QPushButton::clicked, this, [this] { B_PRT_Click(); });
    connect(B_FILE, &QPushButton::clicked, this, [this] { B_FILE_Click(); });
    connect(B_KELDA, &QPushButton::clicked, this, [this] { B_KELDA_Click(); });
    connect(B_PICUP, &QPushButton::clicked, this, [this] { B_PICUP_Click(); });
    connect(ALL_H, &QPushButton::clicked, this, [this] { ALL_H_Click(); });
    connect(KUBUN, &QComboBox::activated, this, [this](int) { KUBUN_Click(); });
    connect(KYOUKA, &QComboBox::activated, this, [this](int) { KYOUKA_Click(); });
    connect(CH_Y, &QLineEdit::textChanged, this, [this](const QString&) { CH_Y_Change(); });
    connect(grid, &ListGrid::numberPressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double y) { D_NO_MouseDown(b, m, y); });
    Label3->installEventFilter(this);
}

P_ZEMLO_LIST::~P_ZEMLO_LIST() = default;

bool P_ZEMLO_LIST::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Label3 && e->type() == QEvent::MouseButtonDblClick) {
        Label3_DblClick();
        return true;
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- loading

void P_ZEMLO_LIST::layoutFilterBar() {
    const int top = 720, capTop = 540, h = 300;
    placeTwips(DP_W, 120, top, 780, h);
    placeTwips(CH_Y, 930, top, 420, h);
    placeTwips(Label1, 1380, top + 60, 400, 240);
    placeTwips(KEIHI, 1800, top, 900, h);
    // Each box starts where the one before it ends, at the top of KEIHI.
    placeTwips(KUBUN, twLeft(KEIHI) + twWidth(KEIHI), top, 900, h);
    placeTwips(KYOUKA, twLeft(KUBUN) + twWidth(KUBUN), top, 2000, h);
    placeTwips(BUNRUI, twLeft(KYOUKA) + twWidth(KYOUKA), top, 2000, h);
    placeTwips(L_KEIHI, twLeft(KEIHI), capTop, 900, 180);
    placeTwips(L_KUBUN, twLeft(KUBUN), capTop, 900, 180);
    placeTwips(L_KYOUKA, twLeft(KYOUKA), capTop, 2000, 180);
    placeTwips(L_BUNRUI, twLeft(BUNRUI), capTop, 2000, 180);
    const int right = twLeft(BUNRUI) + twWidth(BUNRUI);
    placeTwips(B_PICUP, right + 180, top, 735, h);
    placeTwips(ALL_H, right + 1020, top, 855, h);
}

void P_ZEMLO_LIST::showHooked() {
    B_FILE->setEnabled(bool(P_ZEMLO_LIST_WINDOWS.P_ZEMLO_FOUT));
    B_KELDA->setEnabled(bool(P_ZEMLO_LIST_WINDOWS.KELDA_OUT));
}

void P_ZEMLO_LIST::Form_Load() {
    LIST_READY = 0;
    ui::BusyPointer busy;
    item_grid::frameless(*this);
    if (P_LIST_VIEW.size() < size_t(P_LIST_SLOTS)) P_LIST_VIEW.resize(P_LIST_SLOTS);
    P_ZEMLO_GRID_COLS();

    DP_W->clear();
    for (const ERA_ROW& e : ERA_TABLE) DP_W->addItem(e.ERA_NAME);
    DP_W->setCurrentIndex(2);
    layoutFilterBar();
    grid->setNumberWidth(550);

    KEIHI->clear();
    KUBUN->clear();
    KYOUKA->clear();
    BUNRUI->clear();
    K_NO_LIST.clear();
    KEIHI->addItem(QString());
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) KEIHI->addItem(k);
    KUBUN->addItem(QString());
    KUBUN->addItems(KUBUN_LIST_NAMES());
    KEIHI->setCurrentIndex(-1);
    KUBUN->setCurrentIndex(-1);
    CUR_KUBUN = CUR_KYOUKA = 0;
    L_KYOUKA->setText(KUBUN_LEVEL_NAME[0]);
    L_BUNRUI->setText(KUBUN_LEVEL_NAME[1]);

    clearMarks();
    B_DEL->setEnabled(false);
    showHooked();
    filtered_ = false;

    // Sized from the main window, inside the frame's client area; the list
    // follows the frame when the main window is resized or maximised.
    fitToFrame(300, 1460);
    setTop(0);
    LIST_READY = 1;
    setLeft(0);

    FRAME_BACK_SET(kListBack);
}

void P_ZEMLO_LIST::Form_Resize() {
    if (LIST_READY != 1) return;
    if (listed_) {
        // A later size change (the list follows the frame) keeps what is
        // listed and where the list stands.
        grid->refit(ScaleWidth(), ScaleHeight());
        return;
    }
    grid->layoutPanes(ScaleWidth(), ScaleHeight());
    D_LIST->cls();
    P_ZEMLO_GRID_HEAD();
    P_ZEMLO_GRID_ALL();
    listed_ = true;
}

// ---------------------------------------------------------------- grid

void P_ZEMLO_LIST::P_ZEMLO_GRID_COLS() {
    grid->setColumns({0, 900, 1800, 2700, 4700, 6700, 9300, 9800, 11800, 13800, 14400, 15400, 16000, 16800, 17700,
                      19700, 20200, 22700});
    grid->setCaptions({QStringLiteral("年度"), QStringLiteral("経費区分"), QStringLiteral("備品区分"),
                       KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"), QStringLiteral("機能"),
                       QStringLiteral("メーカー名"), QStringLiteral("メーカー型番"), QStringLiteral("現有数"),
                       QStringLiteral("単 価"), QStringLiteral("数 量"), QStringLiteral("消費税"),
                       QStringLiteral("金額"), QStringLiteral("カタログ"), QStringLiteral("ﾍﾟｰｼﾞ"),
                       QStringLiteral("備 考")});
}

void P_ZEMLO_LIST::P_ZEMLO_GRID_HEAD() { grid->head(); }

void P_ZEMLO_LIST::cellRight(double right, double width, int r, const QString& text) {
    if (text.isEmpty()) return;
    grid->figureRight(right - 30, r, text, width - 60);
}

void P_ZEMLO_LIST::P_ZEMLO_GRID_ROW(qint32 plan, int r) {
    if (plan < 0 || plan >= planEnd()) return;
    const P_ZEMLO_REC& p = P_ZEMLO_DATA[plan];
    const QString letter = item_grid::eraLetter(qint16(p.BY_W >= 3 && p.BY_W <= 5 ? p.BY_W : 0));
    grid->cell(30, r, letter + text::rset(QString::number(p.BY_Y), 3) + QStringLiteral("年度"));
    grid->cell(930, r, p.KH_KUBUN);
    grid->cell(1830, r, p.KUBUN);
    grid->cell(2730, r, p.KYOUKA);
    grid->cellFit(4730, r, p.BUNRUI, 1950, 8);
    grid->cellFit(6730, r, p.NAME_D, 2550, 8);
    grid->cell(9330, r, p.FUNC_D);
    grid->cell(9830, r, p.MAKER);
    grid->cellFit(11830, r, p.MAKER_NO, 1850, 8);
    cellRight(14400, 600, r, QString::number(p.COUNT_NOW));
    cellRight(15400, 1000, r, MONEY_TEXT(p.B_MONY));
    cellRight(16000, 600, r, QString::number(p.B_COUNT));
    const QString tax = TAX_TEXT(p.TAX_K, p.TAX);
    if (!tax.isEmpty()) grid->cell(16000 + (800 - D_LIST->textWidth(tax)) / 2, r, tax);
    cellRight(17700, 900, r, MONEY_TEXT(p.MONY_T));
    grid->cellFit(17730, r, p.CATALOG, 1950, 8);
    cellRight(20200, 500, r, P_PAGE_TEXT(p.CATALOG_P));
    grid->cellFit(20230, r, p.MSG, 2450, 8);
}

void P_ZEMLO_LIST::clearMarks() {
    const qint32 n = std::min<qint32>(std::max(P_VIEW_COUNT, P_ZEMLO_COUNT) + 1, qint32(P_LIST_VIEW.size()));
    for (qint32 i = 0; i < n; ++i) P_LIST_VIEW[i].SEL = 0;
}

void P_ZEMLO_LIST::P_ZEMLO_GRID_ALL() {
    if (filtered_) {
        // Every plan takes the place of a search's plans: marks made on the
        // search's rows would name other plans now.
        clearMarks();
        B_DEL->setEnabled(false);
        grid->setVValueQuiet(0);
        filtered_ = false;
    }
    P_ZEMLO_MONY_RCALC();
    const qint32 n = std::min<qint32>(planEnd(), qint32(P_LIST_VIEW.size()));
    for (qint32 i = 0; i < n; ++i) P_LIST_VIEW[i].P_IDX = i;
    P_VIEW_COUNT = n;
    P_LIST_SRC = {};  // every plan listed: the print names no filter
    grid->setVRange();
    grid->setVValueQuiet(std::min(SCB_V->value(), SCB_V->maximum()));
    if (n == 0) {
        grid->clear();
        grid->head();
    } else {
        grid->page();
    }
    TOTAL->setText(MONEY_TEXT(P_VIEW_TOTAL()));
    C_COUNT->setText(QString::number(P_ZEMLO_COUNT) + QLatin1Char('/') + QString::number(P_ZEMLO_COUNT));
    ALL_H->setEnabled(false);
    B_ADD->setEnabled(true);
    B_CHG->setEnabled(true);
}

void P_ZEMLO_LIST::P_ZEMLO_GRID_PAGE() {
    P_ZEMLO_MONY_RCALC();
    grid->page();
    TOTAL->setText(MONEY_TEXT(P_VIEW_TOTAL()));
}

// ---------------------------------------------------------------- selection

void P_ZEMLO_LIST::D_NO_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y) {
    if (platform::InputBlock::blocked(this) || button != Qt::LeftButton) return;
    if (shift & (Qt::ControlModifier | Qt::AltModifier)) return;
    const int r = ListGrid::screenRowAt(y);
    if (r <= 0) return;
    const qint32 v = SCB_V->value();
    if (v + r > P_VIEW_COUNT) return;
    const qint32 p = v + r - 1;
    // A shift-click keeps the delete button as it is: rows marked before
    // any plain click are not offered for deleting or printing.
    const bool plain = item_grid::markRows(P_LIST_VIEW, &P_LIST_VIEW_REC::SEL, P_SEL_FIRST, P_SEL_LAST, P_VIEW_COUNT,
                                           p, shift & Qt::ShiftModifier);
    P_ZEMLO_GRID_PAGE();
    if (plain) B_DEL->setEnabled(true);
}

void P_ZEMLO_LIST::ALL_H_Click() {
    clearMarks();
    P_ZEMLO_GRID_ALL();
    B_DEL->setEnabled(false);
    B_PRT->setEnabled(true);
}

// ---------------------------------------------------------------- actions

void P_ZEMLO_LIST::B_ADD_Click() {
    for (;;) {
        P_ZEMLO_IN_STATE = 0;
        P_ZEMLO_IN_SHOW();
        if (P_ZEMLO_IN_STATE == 0) break;
        if (P_ZEMLO_CHANGED == 1) {
            P_ZEMLO_GRID_ALL();
            SCB_V->setValue(SCB_V->maximum());  // the new plan shows at the end
        }
    }
}

void P_ZEMLO_LIST::B_CHG_Click() {
    // Only a plan that exists can be changed; a kept position past the
    // plans (after a delete) opens nothing.
    if (P_SEL_FIRST < 0 || P_SEL_FIRST >= P_ZEMLO_COUNT) return;
    C_CHG->setValue(1);
    P_ZEMLO_IN_SHOW();
    C_CHG->setValue(0);
    P_ZEMLO_GRID_PAGE();
}

void P_ZEMLO_LIST::B_DEL_Click() {
    const int kept = SCB_V->value();
    B_DEL->setEnabled(false);
    const qint32 n = P_SEL_LAST - P_SEL_FIRST + 1;
    if (n <= 0 || P_SEL_FIRST < 0 || P_SEL_LAST >= P_VIEW_COUNT) return;
    if (ui::MsgBox(QStringLiteral(" ") + QString::number(n) + QStringLiteral("件のデータを削除します"),
                   int(ui::vbYesNo) + ui::vbQuestion, kPlanListTitle) != ui::vbYes)
        return;
    ui::BusyPointer busy;
    P_ZEMLO_DELETE(P_SEL_FIRST, P_SEL_LAST);
    ALL_H_Click();
    SCB_V->setValue(SCB_V->value() < kept ? SCB_V->maximum() : kept);
    P_ZEMLO_GRID_PAGE();
    P_ZEMLO_CHANGED = 1;
    store::saveChanged(store::PLANS);
}

void P_ZEMLO_LIST::B_RCALC_Click() {
    if (ui::MsgBox(QStringLiteral("現有数の再計算を行います。"), int(ui::vbYesNo) + ui::vbQuestion, ui::kTitle) !=
        ui::vbYes)
        return;
    ui::BusyPointer busy;
    P_ZEMLO_RECOUNT();
    P_ZEMLO_GRID_ALL();
    P_ZEMLO_CHANGED = 1;
    store::saveChanged(store::PLANS);
}

void P_ZEMLO_LIST::B_SORT_Click() {
    {
        platform::InputBlock block(this);
        P_ZEMLO_SORTED = 0;
        P_ZEMLO_SORT();
    }
    ALL_H_Click();
    P_ZEMLO_CHANGED = 1;
    store::saveChanged(store::PLANS);
}

void P_ZEMLO_LIST::B_PRT_Click() {
    // The print reads the total shown and whether rows are selected (the
    // delete button is enabled exactly then).
    P_LIST_SRC.TOTAL = TOTAL->text();
    P_LIST_SRC.SELECTED = B_DEL->isEnabled();
    PRT_KIND = PrintKind::PLAN_LIST;
    ZEMLO_PRT_SHOW();
}

void P_ZEMLO_LIST::B_FILE_Click() {
    if (P_ZEMLO_LIST_WINDOWS.P_ZEMLO_FOUT) P_ZEMLO_LIST_WINDOWS.P_ZEMLO_FOUT();
}

void P_ZEMLO_LIST::Label3_DblClick() { B_KELDA->show(); }

void P_ZEMLO_LIST::B_KELDA_Click() {
    if (P_ZEMLO_LIST_WINDOWS.KELDA_OUT) P_ZEMLO_LIST_WINDOWS.KELDA_OUT();
}

// ---------------------------------------------------------------- closing

void P_ZEMLO_LIST::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

void P_ZEMLO_LIST::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    // Closed by the window's own close: as the close button does, so that
    // the switch opens the list again when it is asked for.
    if (UnloadMode == platform::vbFormControlMenu && FORM_KIND == 1) {
        FORM_KIND_CLEAR();
    }
}

void P_ZEMLO_LIST::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    if (P_ZEMLO_CHANGED == 1) P_ZEMLO_SAVE();
    FRAME_BACK_SET(0xFFFFFF);
}

// ---------------------------------------------------------------- search

P_ZEMLO_FILTER P_ZEMLO_LIST::FILTER_NOW() const {
    P_ZEMLO_FILTER f;
    f.YEAR = text::val(CH_Y->text());
    // A typed era is one of the entries only when it is spelt as one.
    f.ERA_POS = DP_W->findText(DP_W->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    f.KEIHI = KEIHI->currentText();
    f.KUBUN = KUBUN->currentText();
    f.KYOUKA = KYOUKA->currentText();
    f.CUR_KYOUKA = CUR_KYOUKA;
    f.BUNRUI = BUNRUI->currentText();
    return f;
}

void P_ZEMLO_LIST::B_PICUP_Click() {
    const P_ZEMLO_FILTER f = FILTER_NOW();
    const qint32 count = std::min<qint32>(planEnd(), qint32(P_LIST_VIEW.size()));
    const int rows = grid->GRID_ROWS;
    qint32 hits = 0;
    __int128 total = 0;  // plans' amounts pass 64 bits (see P_VIEW_TOTAL)
    {
        platform::InputBlock block(this);
        ui::Progress progress(QStringLiteral("データ検索中"), P_ZEMLO_COUNT > 200);
        if (progress.shown()) ui::DoEvents();
        P_ZEMLO_MONY_RCALC();
        grid->setVValueQuiet(0);
        for (qint32 j = 0; j < count; ++j) {
            const P_ZEMLO_REC& p = P_ZEMLO_DATA[j];
            if (P_ZEMLO_PASSES(f, p)) {
                ++hits;
                if (hits == 1) clearMarks();
                P_LIST_VIEW[hits - 1].P_IDX = j;
                if (hits <= rows) {
                    if (hits == 1) {
                        grid->clear();
                        grid->head();
                    }
                    grid->row(hits - 1, hits);
                }
                total += p.MONY_T;
            }
            progress.step(j, count);
        }
        progress.close();
    }
    P_VIEW_COUNT = hits;
    // The filters the shown plans were searched with, for the first page of
    // the print (the boxes may change before the next search).
    P_LIST_SRC = {};
    P_LIST_SRC.CH_Y = CH_Y->text();
    P_LIST_SRC.DP_W = f.ERA_POS;
    P_LIST_SRC.KEIHI = f.KEIHI;
    P_LIST_SRC.KUBUN = f.KUBUN;
    P_LIST_SRC.KYOUKA = f.KYOUKA;
    P_LIST_SRC.BUNRUI = f.BUNRUI;
    if (hits > 0) {
        TOTAL->setText(MONEY_TEXT(total));
        B_PRT->setEnabled(true);
    } else {
        // The count and the total describe the rows shown, none.
        TOTAL->setText(QString());
        grid->clear();
        grid->head();
        ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, kPlanListTitle);
    }
    C_COUNT->setText(QString::number(hits) + QLatin1Char('/') + QString::number(P_ZEMLO_COUNT));
    grid->setVRange();
    const bool all = hits == P_ZEMLO_COUNT;
    filtered_ = !all;
    ALL_H->setEnabled(!all);
    B_ADD->setEnabled(all);
    B_CHG->setEnabled(all);
    B_DEL->setEnabled(false);
}

void P_ZEMLO_LIST::CH_Y_Change() { B_PRT->setEnabled(false); }

void P_ZEMLO_LIST::KUBUN_Click() {
    const int pos = KUBUN->currentIndex();
    CUR_KUBUN = pos > 0 ? KUBUN_LIST_IDX(pos - 1) : 0;
    KYOUKA_BOX_SET(KYOUKA, CUR_KUBUN, K_NO_LIST);
    BUNRUI->clear();
}

void P_ZEMLO_LIST::KYOUKA_Click() {
    const int pos = KYOUKA->currentIndex();
    if (pos < 0 || pos >= K_NO_LIST.size()) return;
    CUR_KYOUKA = K_NO_LIST[pos];
    CASCADE_STATE s{CUR_KUBUN, CUR_KYOUKA, CUR_FIRST, CUR_LAST};
    QStringList list;
    BUNRUI_LIST_SET(s, list);
    CUR_FIRST = s.CUR_FIRST;
    CUR_LAST = s.CUR_LAST;
    BOX_ITEMS_SET(BUNRUI, list);
}
