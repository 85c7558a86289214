#include "lists/disposed_list.h"

#include <QMdiArea>
#include <algorithm>

#include "common/window_back.h"
#include "common/cascade_boxes.h"
#include "platform/clock.h"
#include "platform/input_block.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/list_print_frame.h"
#include "printing/list_print_jobs.h"
#include "printing/list_print_dialog.h"
#include "register/item_grid.h"
#include "common/form_kind.h"
#include "store/amounts.h"
#include "store/category_lists.h"
#include "store/helpers.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/remove_entries.h"
#include "store/rows.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

constexpr quint32 kBack = 0x00C0FFC0;    // the window's light green
constexpr quint32 kAllOut = 0x000000FF;  // the number of a row whose whole purchase is out
const QString kListTitle = QStringLiteral("備品登録リスト");

using ctl::place;

}  // namespace

C_ZEMLO_LIST::C_ZEMLO_LIST()
    : ListWindow(QStringLiteral("C_ZEMLO_LIST"), QStringLiteral("廃棄備品リスト"), kBack, QStringLiteral("ＭＳ ゴシック")) {

    auto button = [this](const char* name, const QString& caption, int l, int t, int w, int h) {
        auto* b = new ctl::CommandButton(caption, this, QLatin1String(name));
        b->setAutoDefault(false);
        place(b, l, t, w, h);
        return b;
    };
    auto label = [this](const char* name, const QString& caption, int l, int t, int w, int h) {
        auto* x = new ctl::Label(caption, this, QLatin1String(name));
        place(x, l, t, w, h);
        return x;
    };
    // Every box offers only its entries but the item name, which also takes
    // a typed name or pattern.
    auto combo = [this](const char* name, int l, int w, ctl::ComboBox::Style style = ctl::ComboBox::DropDownList) {
        auto* c = new ctl::ComboBox(this, QLatin1String(name), style);
        c->setMaxVisibleItems(20);
        place(c, l, 720, w, 300);
        return c;
    };
    auto box = [this](const char* name, int l, int t, int w, int h) {
        auto* x = new ctl::TextBox(this, QLatin1String(name));
        place(x, l, t, w, h);
        return x;
    };

    // ---- the first row: buttons, modes, period, count, total, search
    B_ESC = button("B_ESC", QStringLiteral("閉じる"), 120, 120, 855, 375);
    B_DEL = button("B_DEL", QStringLiteral("削除"), 1080, 120, 735, 375);
    B_PRT = button("B_PRT", QStringLiteral("印刷"), 1920, 120, 735, 375);
    Frame1 = new ctl::Frame(QString(), this, QStringLiteral("Frame1"));
    place(Frame1, 2760, 60, 1695, 435);
    OPT_A = new ctl::OptionButton(QStringLiteral("一覧"), Frame1, QStringLiteral("OPT_A"));
    place(OPT_A, 105, 105, 735, 270);
    OPT_T = new ctl::OptionButton(QStringLiteral("集計"), Frame1, QStringLiteral("OPT_T"));
    place(OPT_T, 870, 105, 735, 270);
    CHK_SPAN = new ctl::CheckBox(QStringLiteral("廃棄期間指定"), this, QStringLiteral("CHK_SPAN"));
    place(CHK_SPAN, 4560, 0, 1800, 240);
    ST_D = box("ST_D", 4560, 240, 1050, 270);
    Label14 = label("Label14", QStringLiteral("～"), 5640, 270, 240, 210);
    END_D = box("END_D", 5880, 240, 1050, 270);
    Label5 = label("Label5", QStringLiteral("数量"), 7080, 30, 855, 210);
    C_COUNT = figureBox("C_COUNT", 7080, 240, 1215, 255, Qt::AlignCenter);
    Label6 = label("Label6", QStringLiteral("金額"), 8400, 30, 735, 210);
    TOTAL = figureBox("TOTAL", 8400, 240, 1335, 255, Qt::AlignRight | Qt::AlignVCenter);
    B_PICUP = button("B_PICUP", QStringLiteral("検索"), 9900, 120, 735, 375);
    ALL_H = button("ALL_H", QStringLiteral("全表示"), 10740, 120, 855, 375);

    // ---- the second row: the filters, captions at 540, boxes at 720
    Label1 = label("Label1", QStringLiteral("購入"), 120, 540, 735, 180);
    DP_W = combo("DP_W", 120, 735);
    CH_Y = box("CH_Y", 870, 720, 495, 300);
    CH_Y->setMaxLength(4);
    Label2 = label("Label2", QStringLiteral("年度"), 1395, 765, 405, 255);
    Label3 = label("Label3", QStringLiteral("廃棄"), 1860, 540, 735, 180);
    DP_WO = combo("DP_WO", 1860, 735);
    OUT_Y = box("OUT_Y", 2610, 720, 495, 300);
    OUT_Y->setMaxLength(4);
    Label4 = label("Label4", QStringLiteral("年度"), 3135, 765, 405, 255);
    Label7 = label("Label7", QStringLiteral("経費"), 3600, 540, 900, 180);
    KEIHI = combo("KEIHI", 3600, 900);
    Label8 = label("Label8", QStringLiteral("備品区分"), 4500, 540, 850, 180);
    KUBUN = combo("KUBUN", 4500, 850);
    Label9 = label("Label9", QString(), 5350, 540, 2000, 180);
    KYOUKA = combo("KYOUKA", 5350, 2000);
    Label10 = label("Label10", QString(), 7350, 540, 2000, 180);
    BUNRUI = combo("BUNRUI", 7350, 2000);
    Label11 = label("Label11", QStringLiteral("品名"), 9350, 540, 2000, 180);
    NAME_D = combo("NAME_D", 9350, 2000, ctl::ComboBox::DropDownCombo);
    Label12 = label("Label12", QStringLiteral("廃棄区分"), 11460, 540, 900, 180);
    C_KUBUN = combo("C_KUBUN", 11460, 900);
    Label13 = label("Label13", QStringLiteral("移設先"), 12420, 540, 1800, 180);
    MOVE_N = combo("MOVE_N", 12420, 1800);

    // ---- the grid: the number pane and the 20 columns
    makeGrid(240, 1080);
    grid->count = [this] { return totalsMode() ? OUT_TOTAL_COUNT() : OUT_VIEW_COUNT; };
    // The totals rows stand for several records each: they are not selected.
    grid->selected = [this](qint32 p) {
        return !totalsMode() && p >= 0 && p < qint32(OUT_LIST_VIEW.size()) && OUT_LIST_VIEW[size_t(p)].SEL_FLAG == 1;
    };
    grid->drawNumber = [this](qint32 p, int line) {
        qint16 flag = 0;
        if (totalsMode()) {
            if (p >= 0 && p < OUT_TOTAL_COUNT()) flag = OUT_TOTAL[size_t(p)].ROW_FLAG;
        } else if (p >= 0 && p < qint32(OUT_LIST_VIEW.size())) {
            flag = OUT_LIST_VIEW[size_t(p)].ROW_FLAG;
        }
        if (flag == 1) D_NO->setForeColor(bgrColor(kAllOut));
        D_NO->text(30, ListGrid::rowTop(line), grid->numberText(line));
        if (flag == 1) D_NO->setForeColor(Qt::black);
    };
    grid->drawRow = [this](qint32 p, int line) {
        if (totalsMode()) {
            if (p < 0 || p >= OUT_TOTAL_COUNT()) return;
            const OUT_TOTAL_ROW& t = OUT_TOTAL[size_t(p)];
            OUT_GRID_ROW(t.REC_NO, line, t.ROW_FLAG, int(t.UNITS));
        } else if (p >= 0 && p < qint32(OUT_LIST_VIEW.size())) {
            const OUT_LIST_VIEW_REC& v = OUT_LIST_VIEW[size_t(p)];
            OUT_GRID_ROW(v.REC_NO, line, v.ROW_FLAG, 1);
        }
    };
    // In totals mode the number column is split: the number and "数".
    grid->headExtra = [this] {
        if (!totalsMode()) return;
        const QString no = QStringLiteral("備品番号"), units = QStringLiteral("数");
        D_LIST->line(1600, 0, 1600, double(ListGrid::kRowHeight) * (grid->GRID_ROWS + 1), Qt::black);
        D_LIST->addTextStop(1600);
        D_LIST->text(920 + (700 - D_LIST->textWidth(no)) / 2, ListGrid::kTextTop, no);
        D_LIST->text(1600 + (400 - D_LIST->textWidth(units)) / 2, ListGrid::kTextTop, units);
    };
    cellBuf_.reserve(64);
    // The selection is of the shown records, in either mode: the page is
    // drawn as list lines again, and the window goes back to list mode so
    // that scrolling, deleting and printing go on with those lines. The
    // totals rows stay as built until 集計 is chosen again. A plain click
    // offers the rows for deleting and printing.
    selectIn(OUT_LIST_VIEW, &OUT_LIST_VIEW_REC::SEL_FLAG, OUT_SEL_TOP, OUT_SEL_END, OUT_VIEW_COUNT);
    selection.before = [this] {
        if (!totalsMode()) return;
        OPT_A->setChecked(true);
        setCaptions();
        grid->setVRange();
    };
    selection.marked = [this](Press press) {
        if (press == Press::Plain) B_DEL->setEnabled(true);
    };
    cascade.setBoxes({KUBUN, KYOUKA, &K_NO_LIST, BUNRUI, NAME_D});

    // ---- wiring (once)
    B_ESC->Click = [this] { B_ESC_Click(); };
    B_DEL->Click = [this] { B_DEL_Click(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_PICUP->Click = [this] { B_PICUP_Click(); };
    ALL_H->Click = [this] { ALL_H_Click(); };
    CHK_SPAN->Click = [this] { CHK_SPAN_Click(); };
    C_KUBUN->Click = [this] { C_KUBUN_Click(); };
    CH_Y->Change = [this] { FILTER_Change(); };
    NAME_D->Change = [this] { FILTER_Change(); };
    OPT_A->Click = [this] { OPT_A_Click(); };
    OPT_T->Click = [this] { OPT_T_Click(); };
}

C_ZEMLO_LIST::~C_ZEMLO_LIST() = default;

// ---------------------------------------------------------------- loading

void C_ZEMLO_LIST::Form_Load() {
    loadBegin();
    OUT_GRID_COLS();
    OUT_TOTAL.clear();

    // The eras are a fixed list: a typed era would name no era at all.
    for (ctl::ComboBox* era : {DP_W, DP_WO}) list_window::fillEras(era);

    KEIHI->Clear();
    NAME_D->Clear();
    KEIHI->AddItem(QString());
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) KEIHI->AddItem(k);
    cascade.fill(Label9, Label10);
    C_KUBUN->Clear();
    for (const QString& k : {QString(), QStringLiteral("廃棄"), QStringLiteral("移設")}) C_KUBUN->AddItem(k);
    for (ctl::ComboBox* c : {KEIHI, C_KUBUN}) c->setCurrentIndex(-1);
    MOVE_LIST_SET();
    MOVE_N->hide();
    Label13->hide();

    B_DEL->setEnabled(false);
    OPT_A->setChecked(true);

    fitAtTopLeft();
    setCaptions();
    loadEnd();
}

void C_ZEMLO_LIST::listFirst() { OUT_GRID_ALL(); }

void C_ZEMLO_LIST::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    Q_UNUSED(UnloadMode);
    if (ZEMLO_CHANGED != 1) return;
    ui::setBusy(true);
    KUBUN_LINK(1);
    // A save that failed keeps the flag: the deletions are still owed to the
    // file, and the end of the program offers to write them again.
    if (ZEMLO_SAVE() == 1) ZEMLO_CHANGED = 0;
    ui::setBusy(false);
}

// ---------------------------------------------------------------- filters

void C_ZEMLO_LIST::MOVE_LIST_SET() {
    QStringList list{QString()};
    const qint32 n = std::clamp<qint32>(OUT_COUNT, 0, qint32(OUT_LIST.size()));
    for (qint32 j = 0; j < n; ++j) {
        const qint32 rec = OUT_LIST[size_t(j)].OUT_REC;
        if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) continue;
        const ZEMLO_REC& r = ZEMLO_DATA[size_t(rec)];
        if ((r.MOVE_F & 2) && !r.MOVE_N2.isEmpty() && !list.contains(r.MOVE_N2)) list << r.MOVE_N2;
    }
    MOVE_N->Clear();
    for (const QString& s : list) MOVE_N->AddItem(s);
    MOVE_N->setCurrentIndex(0);
}

void C_ZEMLO_LIST::C_KUBUN_Click() {
    const bool relocation = C_KUBUN->Text() == QStringLiteral("移設");
    MOVE_N->setVisible(relocation);
    Label13->setVisible(relocation);
    if (!relocation) MOVE_N->setCurrentIndex(0);
}

void C_ZEMLO_LIST::FILTER_Change() { B_PRT->setEnabled(false); }

void C_ZEMLO_LIST::CHK_SPAN_Click() {
    if (CHK_SPAN->Value() != 1) return;
    if (!ST_D->Text().isEmpty() || !END_D->Text().isEmpty()) return;
    const auto [first, last] = OUT_SPAN_DEFAULT(clk::today(), OUT_Y->Text(), DP_WO->ListIndex());
    ST_D->SetText(first);
    END_D->SetText(last);
}

OUT_FILTER C_ZEMLO_LIST::FILTER_NOW() const {
    OUT_FILTER f;
    const QString kind = C_KUBUN->Text();
    if (kind == QStringLiteral("廃棄")) f.KIND = OUT_FILTER::Kind::Disposal;
    else if (kind == QStringLiteral("移設")) f.KIND = OUT_FILTER::Kind::Relocation;
    f.MOVE_N = MOVE_N->Text();
    f.SPAN = CHK_SPAN->Value() == 1;
    if (f.SPAN) {
        f.ST_D = DATE_TEXT_READ(ST_D->Text());
        f.END_D = DATE_TEXT_READ(END_D->Text());
    }
    f.CH_Y = text::val(CH_Y->Text());
    f.DP_W = std::max(0, DP_W->ListIndex());
    f.OUT_Y = text::val(OUT_Y->Text());
    f.DP_WO = std::max(0, DP_WO->ListIndex());
    f.KEIHI = KEIHI->Text();
    f.KUBUN = KUBUN->Text();
    f.CUR_KUBUN = cascade.CUR_KUBUN;
    f.KYOUKA = KYOUKA->Text();
    f.CUR_KYOUKA = cascade.CUR_KYOUKA;
    f.BUNRUI = BUNRUI->Text();
    f.NAME_D = NAME_D->Text();
    return f;
}

// ---------------------------------------------------------------- listing

void C_ZEMLO_LIST::clearSelection() {
    const qint32 n = std::clamp<qint32>(std::max(OUT_COUNT, OUT_VIEW_COUNT) + 1, 0, qint32(OUT_LIST_VIEW.size()));
    for (qint32 i = 0; i < n; ++i) OUT_LIST_VIEW[size_t(i)].SEL_FLAG = 0;
    OUT_SEL_TOP = OUT_SEL_END = 0;
}

void C_ZEMLO_LIST::showRows() {
    if (totalsMode()) {
        // The totals always describe the rows shown now.
        OUT_TOTAL = ::OUT_TOTAL_MAKE();
        grid->setVValueQuiet(0);
        grid->setVRange();
        grid->clear();
        OUT_GRID_HEAD();
        OUT_TOTAL_DRAW();
    } else {
        grid->setVRange();
    }
}

void C_ZEMLO_LIST::B_PICUP_Click() {
    OUT_FILTER f = FILTER_NOW();
    if (f.SPAN && (!f.ST_D.isValid() || !f.END_D.isValid() || f.ST_D > f.END_D)) {
        ui::MsgBox(QStringLiteral("廃棄期間の設定が正しく有りません"), ui::vbOKOnly, QStringLiteral("ゼムロ"));
        return;
    }
    const OUT_CRITERIA crit(f);
    const qint32 n = std::clamp<qint32>(OUT_COUNT, 0, qint32(OUT_LIST.size()));
    qint64 total = 0;
    qint32 k = 0;
    clearSelection();
    {
        platform::InputBlock block(this);
        ui::Progress progress(QStringLiteral("データ検索中"), n > 200);
        if (progress.shown()) ui::DoEvents();
        k = listRows(&crit, &progress, &total);
        progress.close();
    }

    OUT_VIEW_COUNT = k;
    // The filters the rows were found with, for the first page of the prints.
    OUT_LIST_SRC = LIST_PRT_FILTERS(CH_Y->Text(), f.DP_W, f.KUBUN, f.KYOUKA, f.BUNRUI);
    OUT_LIST_SRC.OUT_Y = OUT_Y->Text();
    OUT_LIST_SRC.DP_WO = f.DP_WO;
    OUT_LIST_SRC.KEIHI = f.KEIHI;
    if (k > 0) {
        TOTAL->setCaption(MONEY_TEXT(total));
        C_COUNT->setCaption(QString::number(k) + QLatin1Char('/') + QString::number(n));
        B_PRT->setEnabled(true);
    } else {
        // The total, the count and the print describe the rows shown: none.
        grid->clear();
        OUT_GRID_HEAD();
        TOTAL->setCaption(QString());
        C_COUNT->setCaption(QStringLiteral("0/") + QString::number(n));
        B_PRT->setEnabled(false);
    }
    showRows();
    ALL_H->setEnabled(k != n);
    B_DEL->setEnabled(false);
    if (k == 0) ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, kListTitle);
}

void C_ZEMLO_LIST::ALL_H_Click() {
    clearSelection();
    B_DEL->setEnabled(false);
    OUT_GRID_ALL();
    B_PRT->setEnabled(true);
}

qint32 C_ZEMLO_LIST::listRows(const OUT_CRITERIA* crit, ui::Progress* progress, qint64* total) {
    grid->setVValueQuiet(0);
    const qint32 n = std::clamp<qint32>(OUT_COUNT, 0, qint32(OUT_LIST.size()));
    // List lines are drawn row by row as they are found, so that the first
    // page shows at once; the totals are drawn once at the end.
    const bool drawLines = !totalsMode();
    *total = 0;
    qint32 k = 0;
    for (qint32 j = 0; j < n; ++j) {
        const OUT_LIST_REC& o = OUT_LIST[size_t(j)];
        if (o.OUT_REC >= 0 && o.OUT_REC < qint32(ZEMLO_DATA.size())) {
            const ZEMLO_REC& r = ZEMLO_DATA[size_t(o.OUT_REC)];
            if (!crit || crit->passes(r)) {
                ++k;
                OUT_LIST_VIEW[size_t(k - 1)] = {o.OUT_REC, 0, o.OUT_ALL};
                if (drawLines) listRow(k);
                *total += ZEMLO_AMOUNT(r, true);
            }
        }
        if (progress) progress->step(j, n);
    }
    return k;
}

void C_ZEMLO_LIST::OUT_GRID_ALL() {
    const qint32 n = std::clamp<qint32>(OUT_COUNT, 0, qint32(OUT_LIST.size()));
    qint64 total = 0;
    const qint32 k = listRows(nullptr, nullptr, &total);
    OUT_VIEW_COUNT = k;
    if (k == 0) {
        grid->clear();
        OUT_GRID_HEAD();
    }
    TOTAL->setCaption(MONEY_TEXT(total));
    C_COUNT->setCaption(QString::number(k) + QLatin1Char('/') + QString::number(n));
    OUT_LIST_SRC = {};  // every row listed: no filter to name
    showRows();
    ALL_H->setEnabled(false);
}

// ---------------------------------------------------------------- modes

void C_ZEMLO_LIST::setCaptions() {
    // In totals mode the number column's caption is split (grid->headExtra).
    grid->setCaptions({QStringLiteral("登録年度"), totalsMode() ? QString() : QStringLiteral("備品番号"),
                       QStringLiteral("購入年月日"), QStringLiteral("廃棄年月日"), QStringLiteral("経 費"),
                       QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                       QStringLiteral("機能"), QStringLiteral("保管場所"), QStringLiteral("メーカー名"),
                       QStringLiteral("メーカー型番"), QStringLiteral("購入先"), QStringLiteral("単価"),
                       QStringLiteral("消費税"), QStringLiteral("金額"), QStringLiteral("備 考"),
                       QStringLiteral("変更年月日"), QStringLiteral("移設先")});
    grid->setCaptionMeasure(8, KUBUN_LEVEL_NAME[0]);
}

void C_ZEMLO_LIST::OPT_A_Click() {
    setCaptions();
    if (ALL_H->isEnabled()) {
        // A search result is shown: list its rows again from the top.
        grid->setVValueQuiet(0);
        grid->setVRange();
        grid->clear();
        OUT_GRID_HEAD();
        OUT_GRID_PAGE();
    } else {
        ALL_H_Click();
    }
}

void C_ZEMLO_LIST::OPT_T_Click() {
    setCaptions();
    // The rows of one record stop being selectable: the selection ends.
    clearSelection();
    B_DEL->setEnabled(false);
    showRows();
}

// ---------------------------------------------------------------- the grid

void C_ZEMLO_LIST::OUT_GRID_COLS() {
    grid->setColumns({0, 900, 2000, 3000, 4000, 4600, 5500, 7500, 9500, 12100, 12600, 14600, 16600, 18600, 20600,
                      21500, 22100, 23000, 25000, 26000, 27000});
    // The horizontal bar's maximum: 22 less the first stop past the pane.
    grid->H_MAX_BASE = 22;
}

void C_ZEMLO_LIST::OUT_GRID_HEAD() { grid->head(); }

void C_ZEMLO_LIST::OUT_GRID_PAGE() { grid->page(); }

void C_ZEMLO_LIST::OUT_TOTAL_DRAW() { grid->page(); }

void C_ZEMLO_LIST::OUT_GRID_ROW(qint32 rec, int line, qint16 flag, int units) {
    Q_UNUSED(flag);  // the number pane draws it (grid->drawNumber)
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return;
    const ZEMLO_REC& z = ZEMLO_DATA[size_t(rec)];
    item_grid::drawRecord(*grid, z, line, cellBuf_, totalsMode() ? units : 0);
    grid->cell(26050, line, z.MOVE_N2);
}

// ---------------------------------------------------------------- deletion

void C_ZEMLO_LIST::B_DEL_Click() {
    B_DEL->setEnabled(false);
    const int p = SCB_V->value();
    const qint32 top = std::max<qint32>(OUT_SEL_TOP, 0);
    const qint32 end = std::min<qint32>(OUT_SEL_END, OUT_VIEW_COUNT - 1);
    if (end < top) return;
    const qint32 n = end - top + 1;
    if (ui::MsgBox(QLatin1Char(' ') + QString::number(n) + QStringLiteral("件のデータを削除します"),
                   int(ui::vbYesNo) | ui::vbQuestion, kListTitle) != ui::vbYes)
        return;
    ui::setBusy(true);

    // The records of the range; the later records close up in one pass.
    std::vector<qint32> gone;
    gone.reserve(size_t(n));
    for (qint32 i = top; i <= end; ++i) gone.push_back(OUT_LIST_VIEW[size_t(i)].REC_NO);
    const qint32 oldCount = ZEMLO_COUNT;
    ZEMLO_COUNT = store::removeEntries(ZEMLO_DATA, oldCount, std::move(gone));
    ZEMLO_SORTED = std::max(0, ZEMLO_SORTED - (oldCount - ZEMLO_COUNT));

    {
        platform::InputBlock block(this);
        KUBUN_LINK(1);
        OUT_LIST_MAKE();
    }
    ui::setBusy(false);

    // The whole (rebuilt) list, at the place the user was.
    ALL_H_Click();
    SCB_V->setValue(std::min(p, SCB_V->maximum()));
    grid->page();
    MOVE_LIST_SET();

    KUBUN_FLAGS &= ~2;
    ZEMLO_CHANGED = 1;
    // The deletion is written at once, so that a crash does not bring the
    // records back; a failed write keeps the flag for the close to retry.
    if (store::saveChanged(store::ITEMS)) ZEMLO_CHANGED = 0;
}

// ---------------------------------------------------------------- prints

void C_ZEMLO_LIST::B_PRT_Click() {
    OUT_LIST_SRC.TOTAL = TOTAL->Caption();
    if (!totalsMode()) {
        OUT_LIST_SRC.SELECTED = B_DEL->isEnabled();
        PRT_KIND = PrintKind::DISPOSED_LIST;
        ZEMLO_PRT_SHOW();
        return;
    }
    if (ui::MsgBox(QStringLiteral("廃棄備品集計を印刷します。"), ui::vbYesNo, ui::kTitle) != ui::vbYes) return;
    PRT_KIND = PrintKind::DISPOSED_TOTALS;
    OUT_TOTAL_PRT();
}

void C_ZEMLO_LIST::OUT_TOTAL_PRT() {
    PRT_STOP = 0;
    LIST_JOB job;
    job.rows.reserve(OUT_TOTAL.size());
    for (qint32 i = 0; i < OUT_TOTAL_COUNT(); ++i) job.rows.push_back(i);
    // The first page names the filters and the total as the list print does.
    job.condLine = OUT_LIST_COND_PRT;
    job.frame = ZEMLO_LIST_FRAME_PRT;
    const std::vector<OUT_TOTAL_ROW> rows = OUT_TOTAL;
    job.row = [&rows](qint32 i, int line) {
        const OUT_TOTAL_ROW& t = rows[size_t(i)];
        ZEMLO_LIST_ROW_PRT(t.REC_NO, line, int(t.UNITS));
    };
    LIST_PRT_JOB(job);
}
