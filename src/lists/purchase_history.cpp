#include "lists/purchase_history.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "lists/history_search.h"
#include "common/window_back.h"
#include "common/cascade_boxes.h"
#include "platform/clock.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/list_print_jobs.h"
#include "printing/list_print_dialog.h"
#include "common/grid_text.h"
#include "platform/input_block.h"
#include "common/form_kind.h"
#include "common/print_windows.h"
#include "store/amounts.h"
#include "store/category_lists.h"
#include "store/rows.h"
#include "store/state.h"

namespace {

using namespace grid_text;

constexpr quint32 kBack = 0x0080FFFF;       // the window's light yellow
constexpr quint32 kAllOut = 0x000000FF;     // the number of a row whose units are all gone
const QString kTitle = QStringLiteral("備品登録履歴");
const QString kLedgerTitle = QStringLiteral("備品購入履歴");

// Column stops of the grid (twips): 17 columns.
constexpr std::initializer_list<qint32> kStops = {0,     850,   2200,  3200,  3800,  4700,  6700,  8700,  11300,
                                                  11800, 13800, 15800, 17800, 18700, 19300, 19900, 20800, 22800};

using ctl::place;

}  // namespace

L_ZEMLO_LIST::L_ZEMLO_LIST()
    : ListWindow(QStringLiteral("L_ZEMLO_LIST"), QStringLiteral("備品登録履歴リスト"), kBack,
                 QStringLiteral("ＭＳ ゴシック")) {

    auto button = [this](const char* name, const QString& caption, QWidget* parent = nullptr) {
        auto* b = new ctl::CommandButton(caption, parent ? parent : this, QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto label = [this](const char* name, const QString& caption) {
        return new ctl::Label(caption, this, QLatin1String(name));
    };

    B_ESC = button("B_ESC", QStringLiteral("閉じる"));
    Frame1 = new ctl::Frame(QStringLiteral("ソート"), this, QStringLiteral("Frame1"));
    B_SORT = button("B_SORT", QStringLiteral("備品番号"), Frame1);
    B_SORT2 = button("B_SORT2", QStringLiteral("購入年月日"), Frame1);
    B_SORT3 = button("B_SORT3", QStringLiteral("備品区分"), Frame1);
    B_PRT = button("B_PRT", QStringLiteral("印刷"));
    B_PRT2 = button("B_PRT2", QStringLiteral("購入台帳"));
    Label5 = label("Label5", QStringLiteral("件数"));
    C_COUNT = figureBox("C_COUNT", 7080, 240, 1215, 255, Qt::AlignCenter);
    Label6 = label("Label6", QStringLiteral("金額"));
    TOTAL = figureBox("TOTAL", 8520, 240, 1215, 255, Qt::AlignRight | Qt::AlignVCenter);

    DP_W = new ctl::ComboBox(this, QStringLiteral("DP_W"), ctl::ComboBox::DropDownList);
    CH_Y = new ctl::TextBox(this, QStringLiteral("CH_Y"));
    CH_Y->setMaxLength(4);
    Label1 = label("Label1", QStringLiteral("年度"));
    Label2 = label("Label2", QStringLiteral("経費"));
    KEIHI_T = label("KEIHI_T", QStringLiteral("選択無し"));
    KEIHI_T->setAlignment(Qt::AlignCenter);
    B_KEIHI = button("B_KEIHI", QStringLiteral("▼"));
    {
        QFont small = B_KEIHI->font();
        small.setPointSizeF(7);
        B_KEIHI->setFont(small);
    }
    Label3 = label("Label3", QStringLiteral("備品区分"));
    KUBUN = new ctl::ComboBox(this, QStringLiteral("KUBUN"), ctl::ComboBox::DropDownList);
    Label4 = label("Label4", QString());
    KYOUKA = new ctl::ComboBox(this, QStringLiteral("KYOUKA"), ctl::ComboBox::DropDownList);
    Label7 = label("Label7", QString());
    BUNRUI = new ctl::ComboBox(this, QStringLiteral("BUNRUI"), ctl::ComboBox::DropDownList);
    B_PICUP = button("B_PICUP", QStringLiteral("集計"));
    for (ctl::ComboBox* c : {DP_W, KUBUN, KYOUKA, BUNRUI}) c->setMaxVisibleItems(20);

    // The grid: the number pane and the 17 columns.
    makeGrid(240, 1080);
    grid->count = [this] { return IN_VIEW_COUNT; };
    grid->selected = [](qint32 p) { return p >= 0 && p < qint32(IN_ROW_FLAG.size()) && IN_ROW_FLAG[size_t(p)] == 1; };
    grid->drawNumber = [this](qint32 p, int line) {
        if (p < 0 || p >= qint32(IN_ROW_LIST.size())) return;
        const IN_ROW& r = IN_ROW_LIST[size_t(p)];
        const bool allOut = r.ROW_QTY == r.ROW_OUT;
        if (allOut) D_NO->setForeColor(bgrColor(kAllOut));
        D_NO->text(30, ListGrid::rowTop(line), grid->numberText(line));
        if (allOut) D_NO->setForeColor(Qt::black);
    };
    grid->drawRow = [this](qint32 p, int line) { IN_GRID_ROW(p, line); };
    // Shift: a range, Ctrl: one row off; the flags stay on their positions
    // when the rows are sorted.
    selectIn(IN_ROW_FLAG, IN_SEL_FIRST, IN_SEL_LAST, IN_VIEW_COUNT);
    selection.ctrlTakesOut = true;
    selection.marked = [this](Press press) {
        if (press != Press::Ctrl) SEL_VALID = true;
    };
    cascade.setBoxes({KUBUN, KYOUKA, &K_NO_LIST, BUNRUI});

    // The expense list drops over the grid.
    KEIHI_L = new ctl::ListBox(this, QStringLiteral("KEIHI_L"), 1);
    {
        QPalette p = KEIHI_L->palette();
        p.setColor(QPalette::Base, bgrColor(0xC0FFFF));
        KEIHI_L->setPalette(p);
    }
    KEIHI_L->hide();
    cellBuf_.reserve(64);
    layoutControls();

    B_ESC->Click = [this] { B_ESC_Click(); };
    B_SORT->Click = [this] { B_SORT_Click(); };
    B_SORT2->Click = [this] { B_SORT2_Click(); };
    B_SORT3->Click = [this] { B_SORT3_Click(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_PRT2->Click = [this] { B_PRT2_Click(); };
    B_KEIHI->Click = [this] { B_KEIHI_Click(); };
    B_PICUP->Click = [this] { B_PICUP_Click(); };
    CH_Y->Change = [this] { FILTER_Change(); };
    connect(KEIHI_L, &QListWidget::itemSelectionChanged, this, [this] { KEIHI_L_Click(); });
}

L_ZEMLO_LIST::~L_ZEMLO_LIST() = default;

void L_ZEMLO_LIST::layoutControls() {
    place(B_ESC, 120, 120, 855, 375);
    place(Frame1, 1200, 0, 3615, 495);
    place(B_SORT, 105, 180, 1095, 270);
    place(B_SORT2, 1260, 180, 1095, 270);
    place(B_SORT3, 2415, 180, 1095, 270);
    place(B_PRT, 5040, 120, 735, 375);
    place(B_PRT2, 5880, 120, 975, 375);
    place(Label5, 7080, 30, 855, 210);
    place(Label6, 8520, 30, 735, 210);

    // The filter row: captions at 540, boxes at 720; each of the three
    // category boxes starts where the one before it ends.
    place(DP_W, 120, 720, 735, 300);
    place(CH_Y, 870, 720, 495, 300);
    place(Label1, 1395, 765, 405, 255);
    place(Label2, 1860, 540, 540, 180);
    place(B_KEIHI, 2400, 540, 255, 180);
    place(KEIHI_T, 1800, 765, 855, 225);
    place(KUBUN, 2700, 720, 850, 300);
    place(KYOUKA, 3550, 720, 2000, 300);
    place(BUNRUI, 5550, 720, 2000, 300);
    place(Label3, 2760, 540, 790, 180);
    place(Label4, 3610, 540, 1940, 180);
    place(Label7, 5610, 540, 1940, 180);
    place(B_PICUP, 7680, 720, 735, 300);
    place(KEIHI_L, 1800, 1020, 855, 1530);
}

// ---------------------------------------------------------------- loading

void L_ZEMLO_LIST::Form_Load() {
    loadBegin();
    IN_GRID_COLS();
    IN_VIEW_COUNT = 0;
    SEL_VALID = false;

    list_window::fillEras(DP_W);

    KEIHI_L->Clear();
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) KEIHI_L->AddItem(k);
    cascade.fill(Label4, Label7);

    // This fiscal year, counted in the era chosen.
    const QDate today = clk::today();
    const int fiscal = today.year() - (today.month() < 4 ? 1 : 0);
    CH_Y->SetText(QString::number(fiscal - ERA_TABLE[2].ERA_BASE));

    fitAtTopLeft();

    grid->setCaptions({QStringLiteral("登録年度"), QStringLiteral("備品番号"), QStringLiteral("購入年月日"),
                       QStringLiteral("経 費"), QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1],
                       QStringLiteral("品 名"), QStringLiteral("機能"), QStringLiteral("メーカー名"),
                       QStringLiteral("メーカー型番"), QStringLiteral("購入先"), QStringLiteral("単価"),
                       QStringLiteral("数量"), QStringLiteral("消費税"), QStringLiteral("金額"), QStringLiteral("備 考")});

    loadEnd();
    B_PRT->setEnabled(false);
    B_PRT2->setEnabled(false);
}

// ---------------------------------------------------------------- filters

void L_ZEMLO_LIST::B_KEIHI_Click() {
    KEIHI_L->setVisible(KEIHI_L->isHidden());
    if (KEIHI_L->isVisibleTo(this)) KEIHI_L->raise();
    B_PICUP->setFocus();
}

void L_ZEMLO_LIST::KEIHI_L_Click() {
    KEIHI_T->setCaption(KEIHI_L->SelCount() > 0 ? QStringLiteral("選択有り") : QStringLiteral("選択無し"));
}

void L_ZEMLO_LIST::FILTER_Change() { B_PRT->setEnabled(false); }

ZEMLO_FILTER L_ZEMLO_LIST::FILTER_NOW() const {
    ZEMLO_FILTER f;
    f.YEAR = text::val(CH_Y->Text());
    f.ERA_POS = DP_W->ListIndex();
    for (int i = 0; i < KEIHI_L->ListCount(); ++i)
        if (KEIHI_L->Selected(i)) f.KEIHI.append(KEIHI_L->List(i));
    f.KUBUN = KUBUN->Text();
    f.CUR_KUBUN = cascade.CUR_KUBUN;
    f.KYOUKA = KYOUKA->Text();
    f.CUR_KYOUKA = cascade.CUR_KYOUKA;
    f.BUNRUI = BUNRUI->Text();
    return f;
}

// ---------------------------------------------------------------- the search

void L_ZEMLO_LIST::clearSelection() {
    // A new listing starts without a selection: the range of the rows listed
    // before says nothing about the new ones.
    std::fill(IN_ROW_FLAG.begin(), IN_ROW_FLAG.end(), qint16(0));
    IN_SEL_FIRST = IN_SEL_LAST = 0;
    SEL_VALID = false;
}

void L_ZEMLO_LIST::B_PICUP_Click() {
    KEIHI_L->hide();
    IN_ROW_PICUP();
}

void L_ZEMLO_LIST::IN_ROW_PICUP() {
    clearSelection();
    B_PRT->setEnabled(false);
    B_PRT2->setEnabled(false);
    IN_VIEW_COUNT = 0;
    grid->setVValueQuiet(0);
    grid->clear();
    IN_GRID_HEAD();
    TOTAL->setCaption(QString());
    C_COUNT->setCaption(QString());

    const ZEMLO_FILTER filter = FILTER_NOW();
    const ZEMLO_CRITERIA crit(filter);
    qint32 rows = 0;
    {
        platform::InputBlock block(this);
        ui::Progress progress(QStringLiteral("データ検索中"), true);
        ui::DoEvents();
        rows = IN_ROW_BUILD(crit, &progress);
        progress.close();
    }
    if (rows < 0) {
        grid->setVRange();
        ui::MsgBox(QStringLiteral("検索件数が") + QString::number(IN_ROW_LIMIT) + QStringLiteral("件を越えてしまいす"),
                   ui::vbOKOnly, kTitle);
        return;
    }

    // The filters the rows were found with, for the first page of the prints
    // (the boxes may change before the next search).
    IN_LIST_SRC = LIST_PRT_FILTERS(CH_Y->Text(), filter.ERA_POS, filter.KUBUN, filter.KYOUKA, filter.BUNRUI);

    IN_VIEW_COUNT = rows;
    grid->setVRange();
    if (rows == 0) {
        ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, kTitle);
    } else {
        IN_GRID_PAGE();
        TOTAL->setCaption(MONEY_TEXT(IN_ROW_TOTAL()));
        C_COUNT->setCaption(QString::number(rows));
    }
    B_PRT->setEnabled(true);
    B_PRT2->setEnabled(true);
}

// ---------------------------------------------------------------- the grid

void L_ZEMLO_LIST::IN_GRID_COLS() {
    grid->setColumns(kStops);
    // The horizontal bar's maximum: 18 less the first stop past the pane.
    grid->H_MAX_BASE = 18;
}

void L_ZEMLO_LIST::IN_GRID_HEAD() { grid->head(); }

void L_ZEMLO_LIST::IN_GRID_PAGE() { grid->page(); }

void L_ZEMLO_LIST::IN_GRID_ROW(qint32 p, int line) {
    if (p < 0 || p >= qint32(IN_ROW_LIST.size())) return;
    const IN_ROW& r = IN_ROW_LIST[size_t(p)];
    QString& s = cellBuf_;
    const QString& letter = grid_text::eraLetter(qint16(r.BY_W));

    s.resize(0);
    appendYear(s, letter, r.BY_Y);
    grid->cell(50, line, s);

    // The number range: R5-12-1, or R5-12-1～5 for a row of several units.
    s.resize(0);
    appendNumber(s, letter, r.BY_Y, r.B_NO, r.NOS_FIRST);
    if (r.ROW_QTY >= 2) {
        s += QChar(u'～');
        appendInt(s, r.NOS_LAST);
    }
    grid->cellFit(900, line, s, 1300);

    s.resize(0);
    appendEraDate(s, r.BIN_Y, r.BIN_M, r.BIN_D);
    grid->cell(2250, line, s);

    grid->cellFit(3230, line, r.KEIHI, 550);
    grid->cellFit(3830, line, r.KUBUN, 850);
    grid->cellFit(4730, line, r.KYOUKA, 1950);
    grid->cellFit(6730, line, r.BUNRUI, 1950);
    grid->cellFit(8730, line, r.NAME_D, 2550);
    grid->cell(11330, line, r.FUNC_D);
    grid->cellFit(11830, line, r.MAKER, 1950);
    grid->cellFit(13830, line, r.MAKER_NO, 1950);
    grid->cellFit(15830, line, r.SHOP, 1950);

    // Money: nine characters right-aligned; a longer figure shows whole,
    // fitted into its column.
    s.resize(0);
    appendMoney(s, r.B_MONY);
    grid->figureFit(17830, line, s, 18700 - 17830 - 15);

    s.resize(0);
    appendInt(s, r.ROW_QTY, 5);
    grid->cell(18730, line, s);

    s.resize(0);
    appendTax(s, r.TAX_K, r.TAX);
    grid->cell(19380, line, s);

    s.resize(0);
    appendMoney(s, r.ROW_MONY);
    grid->figureFit(19930, line, s, 20800 - 19930 - 15);

    grid->cellFit(20830, line, r.MSG, 1950);
}

// ---------------------------------------------------------------- order

void L_ZEMLO_LIST::sortRows(void (*sort)()) {
    if (IN_VIEW_COUNT > 0) {
        platform::InputBlock block(this);
        sort();
    }
    IN_GRID_PAGE();
}

void L_ZEMLO_LIST::B_SORT_Click() { sortRows(&IN_ROW_SORT_NO); }
void L_ZEMLO_LIST::B_SORT2_Click() { sortRows(&IN_ROW_SORT_DATE); }
void L_ZEMLO_LIST::B_SORT3_Click() { sortRows(&IN_ROW_SORT_KUBUN); }

// ---------------------------------------------------------------- prints

void L_ZEMLO_LIST::B_PRT_Click() {
    IN_LIST_SRC.TOTAL = TOTAL->Caption();
    IN_LIST_SRC.SELECTED = SEL_VALID;
    PRT_KIND = PrintKind::HISTORY_LIST;
    ZEMLO_PRT_SHOW();
}

void L_ZEMLO_LIST::B_PRT2_Click() {
    if (ui::MsgBox(QStringLiteral("購入台帳を印刷します"), ui::vbYesNo, kLedgerTitle) != ui::vbYes) return;
    if (ROW_ORDER != 2 &&
        ui::MsgBox(QStringLiteral("購入年月日順にしますか？"), int(ui::vbYesNo) | ui::vbQuestion, kLedgerTitle) ==
            ui::vbYes)
        B_SORT2_Click();
    IN_LIST_SRC.TOTAL = TOTAL->Caption();
    IN_LIST_SRC.SELECTED = false;
    PRT_KIND = PrintKind::PURCHASE_LEDGER;
    platform::FormInstance<PRT_MSGF>::get()->ShowModal();
}
