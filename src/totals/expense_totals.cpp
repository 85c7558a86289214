#include "totals/expense_totals.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "store/category_lists.h"
#include "common/form_position.h"
#include "store/category_file.h"
#include "store/state.h"
#include "totals/totals_common.h"

namespace {

// The newest fiscal year of the table: from March on the year that begins
// in April of this calendar year.
constexpr int kFirstMonth = 3;

// Grid of the panes (twips): rows of 240, year columns of 1400.
constexpr int kRowH = TOTAL_ROW_H;
constexpr int kColW = TOTAL_COL5_W;
// The widest a figure may be on screen before it is shrunk (twips): its
// column less a margin each side.
constexpr double kFigureRoom = TOTAL_COL5_ROOM;

// The five summary lines under the expense types, on screen.
const QString kSumLabels[5] = {QStringLiteral(" 購入金額 小計"), QStringLiteral("   廃 棄 金 額"),
                               QStringLiteral(" 　　増　減"), QStringLiteral(" 前 年 度 金 額"),
                               QStringLiteral(" 今 年 度 金 額")};

// The text of a combo with its half-width blanks at both ends removed.
QString trimBlanks(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ') ++a;
    while (b > a && s[b - 1] == u' ') --b;
    return s.mid(a, b - a);
}

// The five figures of column k below the expense types: subtotal,
// disposals, change, value before and after the year.
std::array<qint64, 5> summaryOf(const KEIHI_TABLE& rows, int k) {
    const KEIHI_YEAR_ROW& r = rows[k];
    return {r.SUBTOTAL, r.OUT_MONY, r.SUBTOTAL - r.OUT_MONY, rows[k - 1].BALANCE, r.BALANCE};
}

}  // namespace

// ---------------------------------------------------------------- the table

int KEIHI_COUNT() {
    int n = 0;
    while (n < int(KEIHI_NAMES.size()) && !KEIHI_NAMES[n].isEmpty()) ++n;
    return n;
}

KEIHI_TABLE TOTAL_F_TABLE(int newest, int typeCount, const KEIHI_FILTER& filter) {
    KEIHI_TABLE rows{};
    const TOTAL_PERIODS periods(newest);
    for (int i = 0; i < 6; ++i) {
        rows[i].YEAR = periods.year[i];
        rows[i].START = periods.first[i];
        rows[i].END = periods.last[i];
    }
    typeCount = std::clamp(typeCount, 0, 7);
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < n; ++i) {
        const ZEMLO_REC& r = ZEMLO_DATA[i];
        if (filter.kubunOn && r.KUBUN_IDX != filter.kubun) continue;
        if (filter.kyoukaOn && r.NO_KY != filter.kyouka) continue;
        int slot = 0;
        while (slot < typeCount && KEIHI_NAMES[slot] != r.KEIHI) ++slot;
        if (slot == typeCount) continue;  // no row for its expense type
        const int in = periods.rowOf(TOTAL_DAY(r.BIN_Y, r.BIN_M, r.BIN_D));
        if (in < 0) continue;  // bought after the last year
        const qint64 amount = ZEMLO_AMOUNT(r, false);
        rows[in].TYPE_MONY[slot] += amount;
        if (r.BOUT_Y > 1900) {
            const int out = periods.rowOf(TOTAL_DAY(r.BOUT_Y, r.BOUT_M, r.BOUT_D));
            if (out >= 0) rows[out].OUT_MONY += amount;
        }
    }
    for (int i = 0; i < 6; ++i) {
        KEIHI_YEAR_ROW& row = rows[i];
        for (qint64 v : row.TYPE_MONY) row.SUBTOTAL += v;
        row.BALANCE = (i > 0 ? rows[i - 1].BALANCE : 0) + row.SUBTOTAL - row.OUT_MONY;
    }
    return rows;
}

// ---------------------------------------------------------------- the window

TOTAL_F::TOTAL_F() : platform::Form(QStringLiteral("TOTAL_F")) {
    setCaption(QStringLiteral("経費集計"));
    setFont(ctl::dialogFont());
    setFixedSize(platform::twipsToPx(9720), platform::twipsToPx(4380));

    Label3 = new ctl::Label(QStringLiteral("備品区分"), this, QStringLiteral("Label3"));
    ctl::placeTwips(Label3, 480, 120, 855, 255);
    KUBUN = new ctl::ComboBox(this, QStringLiteral("KUBUN"));
    ctl::placeTwips(KUBUN, 480, 360, 850, 315);
    Label4 = new ctl::Label(QStringLiteral("分類･教科"), this, QStringLiteral("Label4"));
    ctl::placeTwips(Label4, 1920, 120, 975, 255);
    KYOUKA = new ctl::ComboBox(this, QStringLiteral("KYOUKA"));
    ctl::placeTwips(KYOUKA, 1560, 360, 1995, 315);
    for (ctl::ComboBox* c : {KUBUN, KYOUKA}) c->setMaxVisibleItems(22);

    K_LIST = TOTAL_PANE(this, QStringLiteral("K_LIST"), 360, 840, 1935, 3015);
    D_LIST = TOTAL_PANE(this, QStringLiteral("D_LIST"), 2280, 840, 7040, 3015);

    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    ctl::placeTwips(B_PRT, 7200, 240, 855, 375);
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_CLOSE"));
    ctl::placeTwips(B_CLOSE, 8280, 240, 855, 375);
    for (ctl::CommandButton* b : {B_PRT, B_CLOSE}) b->setAutoDefault(false);

    KUBUN->Click = [this] { KUBUN_Click(); };
    KYOUKA->Click = [this] { KYOUKA_Click(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
}

void TOTAL_F::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    KUBUN->Clear();
    KUBUN->AddItem(QString());
    for (const QString& k : KUBUN_NAMES)
        if (!k.isEmpty()) KUBUN->AddItem(k);
    Label4->setCaption(KUBUN_LEVEL_NAME[0]);
    TOTAL_F_HEAD();
    ACTIVATED = 0;
}

void TOTAL_F::Form_Activate() {
    if (ACTIVATED == 1) return;
    ACTIVATED = 1;
    ui::BusyPointer busy;
    TOTAL_F_CALC();
    TOTAL_F_DRAW();
}

void TOTAL_F::Form_Unload(int& Cancel) {
    FORM_POS_SAVE(this);
    FORM_KIND = 0;
}

void TOTAL_F::KUBUN_Click() {
    CUR_KUBUN = KUBUN->Text().isEmpty() ? 0 : KUBUN_IDX_OF(KUBUN->Text());
    KYOUKA->Clear();
    K_NO_LIST.clear();
    TOTAL_F_KYOUKA_SET();
    ui::BusyPointer busy;
    TOTAL_F_CALC();
    TOTAL_F_DRAW();
}

void TOTAL_F::KYOUKA_Click() {
    const int i = KYOUKA->ListIndex();
    if (i < 0 || i >= K_NO_LIST.size()) return;
    CUR_KYOUKA = K_NO_LIST[i];
    ui::BusyPointer busy;
    TOTAL_F_CALC();
    TOTAL_F_DRAW();
}

void TOTAL_F::B_PRT_Click() {
    if (ui::MsgBox(QStringLiteral("経費集計を印刷します"), ui::vbYesNo, ui::kTitle) == ui::vbNo) return;
    TOTAL_F_PRT();
}

void TOTAL_F::B_CLOSE_Click() { Unload(); }

void TOTAL_F::TOTAL_F_KYOUKA_SET() {
    QStringList names;
    KYOUKA_LIST_SET(CUR_KUBUN, names, K_NO_LIST);
    KYOUKA->addItems(names);
    KYOUKA->setCurrentIndex(0);
}

void TOTAL_F::TOTAL_F_CALC() {
    YEAR_NEW = TOTAL_YEAR_DEFAULT(clk::today(), kFirstMonth);
    KEIHI_FILTER f;
    f.kubunOn = !KUBUN->Text().isEmpty();
    f.kubun = CUR_KUBUN;
    f.kyoukaOn = !KYOUKA->Text().isEmpty();
    f.kyouka = CUR_KYOUKA;
    ROWS = TOTAL_F_TABLE(YEAR_NEW, KEIHI_N, f);
}

void TOTAL_F::TOTAL_F_HEAD() {
    Pane* p = K_LIST;
    TOTAL_PANE_SET_HEIGHT(p, 3160);
    p->cls();
    p->text(0, 20, QStringLiteral("  集 計 年 度"));
    KEIHI_N = KEIHI_COUNT();
    for (int i = 0; i < KEIHI_N; ++i)
        PANE_TEXT_FIT(p, 0, 260 + kRowH * i, QStringLiteral(" 購入金額 ") + KEIHI_NAMES[i], p->twipsWidth() - 20);
    const int a = kRowH * KEIHI_N + 20;
    for (int g = 0; g < 5; ++g) p->text(0, a + kRowH * (g + 1), kSumLabels[g]);
    const double w = p->twipsWidth();
    for (int j = 0; j <= KEIHI_N + 5; ++j) p->line(0, kRowH * j, w, kRowH * j);
    TOTAL_PANE_SET_HEIGHT(p, kRowH * (KEIHI_N + 5) + 280);
    // The window ends a little below the table.
    setFixedSize(width(), platform::twipsToPx(840 + kRowH * (KEIHI_N + 5) + 280 + 300));
}

void TOTAL_F::TOTAL_F_DRAW() {
    Pane* p = D_LIST;
    TOTAL_PANE_SET_HEIGHT(p, TOTAL_PANE_HEIGHT(K_LIST));
    p->cls();
    TOTAL_PANE_COLUMNS(p, kColW, kColW, 5);
    const double w = p->twipsWidth(), h = p->twipsHeight();
    for (int i = 0; i <= 5; ++i) p->line(kColW * i, 0, kColW * i, h);
    for (int j = 0; j <= KEIHI_N + 5; ++j) p->line(0, kRowH * j, w, kRowH * j);
    const int a = kRowH * KEIHI_N + 20;
    for (int k = 1; k <= 5; ++k) {
        const double right = kColW * k - 40;
        p->text(kColW * k - 1200, 20, TOTAL_YEAR_TEXT(ROWS[k].YEAR));
        for (int l = 0; l < KEIHI_N; ++l)
            PANE_TEXT_RIGHT(p, right, 260 + kRowH * l, MONEY_TEXT(ROWS[k].TYPE_MONY[l]), kFigureRoom);
        const auto sums = summaryOf(ROWS, k);
        for (int g = 0; g < 5; ++g) PANE_TEXT_RIGHT(p, right, a + kRowH * (g + 1), MONEY_TEXT(sums[g]), kFigureRoom);
    }
}

int TOTAL_F::TOTAL_F_PRT() {
    const bool printed = TOTAL_PRT_RUN([this] {
        prn::Printer& p = prn::printer();
        p.FontSize = 15;
        PRT_TEXT(70, 10, QStringLiteral("経費集計"));
        p.FontSize = 10;
        PRT_TEXT(20, 15, trimBlanks(KUBUN->Text()) + QStringLiteral(" ") + trimBlanks(KYOUKA->Text()));
        PRT_TEXT_RIGHT(180, 15, SCHOOL_NAME);

        const int n = KEIHI_N;
        constexpr double years[4] = {80, 105, 130, 155};
        auto yearRules = [&](double top, double bottom) {
            for (double x : years) PRT_LINE(x, top, x, bottom, PRT_PEN_LIGHT);
        };
        auto frameSides = [&](double top, double bottom) {
            for (double x : {15.0, 180.0, 55.0}) PRT_LINE(x, top, x, bottom, PRT_PEN_HEAVY);
        };
        // The heading row.
        PRT_BOX(15, 20, 180, 27, PRT_PEN_HEAVY);
        PRT_LINE(55, 20, 55, 27, PRT_PEN_HEAVY);
        yearRules(20, 27);
        // The expense-type rows.
        for (int i = 0; i < n; ++i) {
            const double t = 27 + 7 * i;
            frameSides(t, t + 7);
            PRT_LINE(15, t + 7, 180, t + 7, PRT_PEN_LIGHT);
            yearRules(t, t + 7);
        }
        // The summary block, from the top of the last expense-type row.
        const double u = 20 + 7 * n;
        frameSides(u, u + 42);
        PRT_LINE(15, u + 42, 180, u + 42, PRT_PEN_HEAVY);
        for (int g = 0; g <= 5; ++g) PRT_LINE(15, u + 7 * g, 180, u + 7 * g, PRT_PEN_LIGHT);
        yearRules(u, u + 42);

        PRT_TEXT(17, 22, QStringLiteral("  集 計 年 度"));
        for (int i = 0; i < n; ++i) PRT_TEXT_FIT(19, 27 + 7 * i + 2, QStringLiteral("購入金額 ") + KEIHI_NAMES[i], 35);
        for (int g = 1; g <= 5; ++g) PRT_TEXT(19, u + 2 + 7 * g, kSumLabels[g - 1]);
        for (int k = 1; k <= 5; ++k) {
            PRT_TEXT(58 + 25 * (k - 1), 22, TOTAL_YEAR_TEXT(ROWS[k].YEAR));
            // Year k's column runs from 30 + 25 k to 55 + 25 k; its figures end 2 mm before its right rule.
            const double left = 30 + 25 * k, right = left + 25;
            for (int i = 0; i < n; ++i) TOTAL_FIGURE(left, right, right - 2, 27 + 7 * i + 2, MONEY_TEXT(ROWS[k].TYPE_MONY[i]));
            const auto sums = summaryOf(ROWS, k);
            for (int g = 1; g <= 5; ++g) TOTAL_FIGURE(left, right, right - 2, u + 2 + 7 * g, MONEY_TEXT(sums[g - 1]));
        }
    });
    return printed ? 1 : 0;
}
