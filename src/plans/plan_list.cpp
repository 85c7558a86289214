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
#include "common/grid_text.h"
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


}  // namespace

P_ZEMLO_LIST::P_ZEMLO_LIST()
    : ListWindow(QStringLiteral("P_ZEMLO_LIST"), QStringLiteral("備品購入計画リスト"), kListBack, kMincho) {
    const QFont boxFont = fontOf(QStringLiteral("ＭＳ ゴシック"), 9);
    auto label = [&](const char* name, const QString& caption) {
        auto* x = new QLabel(caption, this);
        x->setObjectName(QLatin1String(name));
        return x;
    };

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
    C_COUNT = figureBox("C_COUNT", 8040, 240, 1095, 255, Qt::AlignCenter);
    Label3 = label("Label3", QStringLiteral("金額"));
    placeTwips(Label3, 9240, 0, 1455, 225);
    TOTAL = figureBox("TOTAL", 9240, 240, 1455, 255, Qt::AlignRight | Qt::AlignVCenter);

    // The filter bar (placed at load).
    DP_W = filterCombo("DP_W", true);
    CH_Y = new QLineEdit(this);
    CH_Y->setObjectName(QStringLiteral("CH_Y"));
    CH_Y->setFont(boxFont);
    CH_Y->setMaxLength(10);
    Label1 = label("Label1", QStringLiteral("年度"));
    KEIHI = filterCombo("KEIHI", false);
    KUBUN = filterCombo("KUBUN", false);
    KYOUKA = filterCombo("KYOUKA", false);
    BUNRUI = filterCombo("BUNRUI", false);
    L_KEIHI = label("L_KEIHI", QStringLiteral("経費区分"));
    L_KUBUN = label("L_KUBUN", QStringLiteral("備品区分"));
    L_KYOUKA = label("L_KYOUKA", QString());
    L_BUNRUI = label("L_BUNRUI", QString());
    B_PICUP = button("B_PICUP", QStringLiteral("検索"), 0, 0, 735, 300);
    ALL_H = button("ALL_H", QStringLiteral("全表示"), 0, 0, 855, 300);

    C_CHG = new ctl::CheckBox(QStringLiteral("Check1"), this, QStringLiteral("C_CHG"));
    C_CHG->hide();

    // The grid. A plain click on a row number offers the rows for deleting
    // and printing; a shift-click keeps the delete button as it is, so that
    // rows marked before any plain click are not offered.
    makeGrid(240, 1080);
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
    selectIn(P_LIST_VIEW, &P_LIST_VIEW_REC::SEL, P_SEL_FIRST, P_SEL_LAST, P_VIEW_COUNT);
    selection.redraw = [this] { P_ZEMLO_GRID_PAGE(); };
    selection.marked = [this](Press press) {
        if (press == Press::Plain) B_DEL->setEnabled(true);
    };
    cascade.setBoxes({KUBUN, KYOUKA, &K_NO_LIST, BUNRUI});

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
    connect(CH_Y, &QLineEdit::textChanged, this, [this](const QString&) { CH_Y_Change(); });
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
    // Each box starts where the one before it ends, at the top of KEIHI.
    const int right = placeFilterLine(1800, top, capTop,
                                      {{KEIHI, 900, L_KEIHI, 900},
                                       {KUBUN, 900, L_KUBUN, 900},
                                       {KYOUKA, 2000, L_KYOUKA, 2000},
                                       {BUNRUI, 2000, L_BUNRUI, 2000}});
    placeTwips(B_PICUP, right + 180, top, 735, h);
    placeTwips(ALL_H, right + 1020, top, 855, h);
}

void P_ZEMLO_LIST::showHooked() {
    B_FILE->setEnabled(bool(P_ZEMLO_LIST_WINDOWS.P_ZEMLO_FOUT));
    B_KELDA->setEnabled(bool(P_ZEMLO_LIST_WINDOWS.KELDA_OUT));
}

void P_ZEMLO_LIST::Form_Load() {
    loadBegin();
    if (P_LIST_VIEW.size() < size_t(P_LIST_SLOTS)) P_LIST_VIEW.resize(P_LIST_SLOTS);
    P_ZEMLO_GRID_COLS();

    list_window::fillEras(DP_W);
    layoutFilterBar();

    KEIHI->clear();
    KEIHI->addItem(QString());
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) KEIHI->addItem(k);
    KEIHI->setCurrentIndex(-1);
    cascade.fill(L_KYOUKA, L_BUNRUI);

    clearMarks();
    B_DEL->setEnabled(false);
    showHooked();
    filtered_ = false;

    fitAtTopLeft();
    loadEnd();
}

void P_ZEMLO_LIST::listFirst() { P_ZEMLO_GRID_ALL(); }

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
    const QString letter = grid_text::eraLetter(qint16(p.BY_W >= 3 && p.BY_W <= 5 ? p.BY_W : 0));
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

// ---------------------------------------------------------------- listing

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

void P_ZEMLO_LIST::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    // Closed by the window's own close: as the close button does, so that
    // the switch opens the list again when it is asked for.
    if (UnloadMode == platform::vbFormControlMenu && FORM_KIND == 1) {
        FORM_KIND_CLEAR();
    }
}

void P_ZEMLO_LIST::Form_Unload(int& Cancel) {
    if (P_ZEMLO_CHANGED == 1) P_ZEMLO_SAVE();
    ListWindow::Form_Unload(Cancel);
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
    f.CUR_KYOUKA = cascade.CUR_KYOUKA;
    f.BUNRUI = BUNRUI->currentText();
    return f;
}

void P_ZEMLO_LIST::B_PICUP_Click() {
    const P_ZEMLO_FILTER f = FILTER_NOW();
    const qint32 count = std::min<qint32>(planEnd(), qint32(P_LIST_VIEW.size()));
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
                listRow(hits);
                total += p.MONY_T;
            }
            progress.step(j, count);
        }
        progress.close();
    }
    P_VIEW_COUNT = hits;
    // The filters the shown plans were searched with, for the first page of
    // the print (the boxes may change before the next search).
    P_LIST_SRC = LIST_PRT_FILTERS(CH_Y->text(), f.ERA_POS, f.KUBUN, f.KYOUKA, f.BUNRUI);
    P_LIST_SRC.KEIHI = f.KEIHI;
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
