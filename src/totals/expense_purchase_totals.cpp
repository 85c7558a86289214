#include "totals/expense_purchase_totals.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "common/form_position.h"
#include "store/state.h"
#include "totals/expense_totals.h"

namespace {

// The newest fiscal year offered: until the end of April the year that
// ended on 31 March.
constexpr int kFirstMonth = 5;

constexpr int kRowH = TOTAL_ROW_H;
// Columns of the panes (twips): the name to 2400; screen column c (1 to
// N + 2: the expense types, 不明, 合計) from 1200 · (c + 1), 1200 wide, the
// last one 1400. A figure ends 30 before its column's right edge, the
// total 100 further right.
constexpr int kNameW = 2400;
constexpr int kColW = TOTAL_COL6_W;
constexpr double kNameRoom = kNameW - TOTAL_COL6_NAME_MARGIN;
constexpr double kFigureRoom = TOTAL_COL6_ROOM;
double boundary(int c) { return kColW * (c + 1); }
// The width of the panes for N expense types.
int paneWidth(int n) { return kColW * (n + 2) + 2600; }
double figureEnd(int c, int n) { return c == n + 2 ? kColW * c + 2470 : kColW * c + 2370; }
// The narrowest the window gets (twips): its buttons show whole.
constexpr int kMinClientW = 7560;

// The figures of screen columns 1 to N + 2 of a line.
std::vector<qint64> figuresOf(const TOTAL_LINE& l, int n) {
    std::vector<qint64> f(l.CELL.begin(), l.CELL.begin() + n + 1);
    f.push_back(l.TOTAL);
    return f;
}

// The headings of screen columns 1 to N + 2.
QStringList headings(int n) {
    QStringList h;
    for (int i = 0; i < n; ++i) h << KEIHI_NAMES[size_t(i)];
    h << QStringLiteral("不明") << QStringLiteral("合計");
    return h;
}

// ---- the print, in millimetres

// Column c (1 to N + 2) from 22 · c + 43 to 22 · c + 65; the name column
// from 15 to 65; the table's right edge X = 22 · (N + 2) + 65.
constexpr double kLeft = 15, kPaperColW = 22;
constexpr double kPaperNameRoom = 65 - 16 - 1;
constexpr double kPaperFigureRoom = kPaperColW - 2;
double paperBoundary(int c) { return kPaperColW * c + 43; }
double paperFigureEnd(int c) { return kPaperColW * c + 64; }

}  // namespace

// ---------------------------------------------------------------- the table

QString TOTAL_FY_KEY(const QString& kubun, const QString& kyouka) {
    if (kubun == QStringLiteral("管理")) return QStringLiteral("管理 ") + kyouka;
    if (kubun == QStringLiteral("教材")) return KYOUKA_NORM(kyouka);
    return kubun;
}

bool TOTAL_FY_KANRI_ROW(const QString& key) { return key.startsWith(QStringLiteral("管理")); }

KEIHI_SUBJECT_TOTALS TOTAL_FY_ROWS() {
    KEIHI_SUBJECT_TOTALS t;
    t.N = KEIHI_COUNT();
    const qint32 n = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    for (qint32 i = 0; i < n; ++i) t.KEYS.add(TOTAL_FY_KEY(KUBUN_DATA[i].KUBUN, KUBUN_DATA[i].KYOUKA));
    t.ROWS.assign(size_t(t.R()), TOTAL_LINE{});
    return t;
}

void TOTAL_FY_SUM(KEIHI_SUBJECT_TOTALS& t, int year, bool toYearEnd) {
    t.ROWS.assign(size_t(t.R()), TOTAL_LINE{});
    t.GROUPS = {};
    const qint32 S = FY_FIRST_DAY(year), E = FY_LAST_DAY(year);
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < n; ++i) {
        const ZEMLO_REC& z = ZEMLO_DATA[i];
        const qint32 day = TOTAL_DAY(z.BIN_Y, z.BIN_M, z.BIN_D);
        if (day > E || (day < S && !toYearEnd)) continue;
        int column = 0;
        while (column < t.N && KEIHI_NAMES[size_t(column)] != z.KEIHI) ++column;
        const qint64 amount = ZEMLO_AMOUNT(z, false);
        t.GROUPS[z.KUBUN == QStringLiteral("管理") ? 0 : 1].add(column, amount);
        const int row = t.KEYS.find(TOTAL_FY_KEY(z.KUBUN, z.KYOUKA));
        if (row >= 0) t.ROWS[size_t(row)].add(column, amount);
    }
}

// ---------------------------------------------------------------- the window

TOTAL_FY::TOTAL_FY() : platform::Form(QStringLiteral("TOTAL_FY")) {
    setCaption(QStringLiteral("経費別購入金額集計"));
    setFont(ctl::dialogFont());
    setFixedSize(platform::twipsToPx(9870), platform::twipsToPx(8865));

    Label1 = new ctl::Label(QStringLiteral("購入年度"), this, QStringLiteral("Label1"));
    ctl::placeTwips(Label1, 240, 150, 855, 255);
    TXT_Y = new ctl::ComboBox(this, QStringLiteral("TXT_Y"));
    ctl::placeTwips(TXT_Y, 1200, 120, 975, 315);
    CHK_M = new ctl::CheckBox(QStringLiteral("年度末合計金額"), this, QStringLiteral("CHK_M"));
    ctl::placeTwips(CHK_M, 2280, 150, 1695, 255);
    CHK_1 = new ctl::CheckBox(QStringLiteral("管理"), this, QStringLiteral("CHK_1"));
    ctl::placeTwips(CHK_1, 4080, 90, 1215, 255);
    CHK_2 = new ctl::CheckBox(QStringLiteral("管理以外"), this, QStringLiteral("CHK_2"));
    ctl::placeTwips(CHK_2, 4080, 330, 1215, 255);
    CHK_1->setChecked(true);
    CHK_2->setChecked(true);
    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    ctl::placeTwips(B_PRT, 5520, 120, 855, 375);
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_CLOSE"));
    ctl::placeTwips(B_CLOSE, 6480, 120, 855, 375);
    for (ctl::CommandButton* b : {B_PRT, B_CLOSE}) b->setAutoDefault(false);

    K_LIST = TOTAL_PANE(this, QStringLiteral("K_LIST"), 120, 600, 9315, 285);
    K_LIST->setBackColor(bgrColor(0x00E0E0E0));
    T_LIST = TOTAL_PANE(this, QStringLiteral("T_LIST"), 120, 880, 9315, 760);
    T_LIST->setBackColor(bgrColor(0x00C0FFFF));
    D_LIST = TOTAL_PANE(this, QStringLiteral("D_LIST"), 120, 1680, 9315, 6855);
    for (Pane* p : {K_LIST, T_LIST, D_LIST}) {
        p->setFontSize(9.75);
        p->cls();
    }
    SCR_V = new ctl::ScrollBar(Qt::Vertical, this, QStringLiteral("SCR_V"));
    ctl::placeTwips(SCR_V, 9420, 1680, 255, 6855);
    SCR_V->setRange(0, 0);
    SCR_V->setSmallChange(1);
    SCR_V->setLargeChange(28);
    SCR_V->hide();
    TOTAL_WHEEL_SCROLL(D_LIST, SCR_V);

    TXT_Y->Click = [this] { TXT_Y_Click(); };
    CHK_M->Click = [this] { CHK_M_Click(); };
    CHK_1->Click = [this] { CHK_1_Click(); };
    CHK_2->Click = [this] { CHK_2_Click(); };
    SCR_V->Change = [this] { SCR_V_Change(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
}

void TOTAL_FY::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    CHK_2->setText(CITY_MODE ? QStringLiteral("管理以外") : QStringLiteral("教材"));
    READY = 0;
    TOTAL_YEAR_LIST_SET(TXT_Y, TOTAL_YEAR_DEFAULT(clk::today(), kFirstMonth));
    TXT_Y->setListIndex(0);
    READY = 1;
    TOTAL_FY_CALC();
}

void TOTAL_FY::Form_Unload(int& Cancel) {
    FORM_POS_SAVE(this);
    FORM_KIND = 0;
}

void TOTAL_FY::TXT_Y_Click() { TOTAL_FY_CALC(); }
void TOTAL_FY::CHK_M_Click() { TOTAL_FY_CALC(); }
void TOTAL_FY::CHK_1_Click() { TOTAL_FY_DRAW(); }
void TOTAL_FY::CHK_2_Click() { TOTAL_FY_DRAW(); }
void TOTAL_FY::SCR_V_Change() { TOTAL_FY_DRAW(); }

void TOTAL_FY::B_PRT_Click() {
    if (ui::MsgBox(QStringLiteral("データの印刷をします"), ui::vbYesNo, ui::kTitle) == ui::vbNo) return;
    TOTAL_FY_PRT();
}

void TOTAL_FY::B_CLOSE_Click() { Unload(); }

bool TOTAL_FY::rowShown(int i) const {
    return (TOTAL_FY_KANRI_ROW(TABLE.KEYS[i]) ? CHK_1 : CHK_2)->Value() == 1;
}

std::vector<int> TOTAL_FY::shownRows() const {
    std::vector<int> shown;
    for (int i = 0; i < TABLE.R(); ++i)
        if (rowShown(i)) shown.push_back(i);
    return shown;
}

// ---------------------------------------------------------------- computing and drawing

void TOTAL_FY::TOTAL_FY_CALC() {
    if (READY == 0) return;
    ui::BusyPointer busy;
    TABLE = TOTAL_FY_ROWS();
    TOTAL_FY_SUM(TABLE, int(text::val(TXT_Y->Text())), CHK_M->Value() == 1);
    TOTAL_FY_HEAD();
    TOTAL_FY_DRAW();
}

void TOTAL_FY::TOTAL_FY_HEAD() {
    const int n = TABLE.N;
    const int W = paneWidth(n);
    setFixedSize(platform::twipsToPx(std::max(W + 480, kMinClientW)), height());
    SCR_V->move(platform::twipsToPx(W + 120), SCR_V->y());

    Pane* k = K_LIST;
    TOTAL_PANE_SET_HEIGHT(k, 280);
    TOTAL_PANE_SET_WIDTH(k, W);
    k->cls();
    TOTAL_PANE_COLUMNS(k, boundary(1), kColW, n + 2);
    const QStringList heads = headings(n);
    for (int c = 1; c <= n + 2; ++c) {
        k->line(boundary(c), 0, boundary(c), k->twipsHeight());
        const double right = c == n + 2 ? k->twipsWidth() : boundary(c + 1);
        PANE_TEXT_CENTER(k, boundary(c), right, 20, heads[c - 1], right - boundary(c) - 60);
    }

    Pane* t = T_LIST;
    TOTAL_PANE_SET_HEIGHT(t, 760);
    TOTAL_PANE_SET_WIDTH(t, W);
    t->cls();
    TOTAL_PANE_COLUMNS(t, boundary(1), kColW, n + 2);
    const QString labels[3] = {QStringLiteral("  管理  　"),
                               CITY_MODE ? QStringLiteral("管理以外　") : QStringLiteral("  教材  　"),
                               QStringLiteral("   全   　")};
    const TOTAL_LINE lines[3] = {TABLE.GROUPS[0], TABLE.GROUPS[1], TABLE.all()};
    const double w = t->twipsWidth();
    for (int b = 0; b < 3; ++b) {
        const double y = kRowH * b;
        t->line(0, y + kRowH, w, y + kRowH);
        t->text(250, y + 20, labels[b] + QStringLiteral("合計"));
        const auto f = figuresOf(lines[b], n);
        for (int c = 1; c <= n + 2; ++c)
            PANE_TEXT_RIGHT(t, figureEnd(c, n), y + 20, MONEY_TEXT(f[size_t(c - 1)]), kFigureRoom);
    }
    for (int c = 1; c <= n + 2; ++c) t->line(boundary(c), 0, boundary(c), t->twipsHeight());
}

void TOTAL_FY::TOTAL_FY_DRAW() {
    const int n = TABLE.N;
    Pane* p = D_LIST;
    TOTAL_PANE_SET_WIDTH(p, TOTAL_PANE_WIDTH(K_LIST));
    const std::vector<int> shown = shownRows();
    const int count = int(shown.size());
    const int first = TOTAL_ROWS_SCROLL(p, SCR_V, count);
    p->cls();
    TOTAL_PANE_COLUMNS(p, boundary(1), kColW, n + 2);
    const double w = p->twipsWidth();
    for (int r = first; r < TOTAL_ROWS_END(first, count); ++r) {
        const int i = shown[size_t(r)];
        const double y = kRowH * r;
        PANE_TEXT_FIT(p, 30, y + 20, text::toHalfWidth(TABLE.KEYS[i]), kNameRoom);
        const auto f = figuresOf(TABLE.ROWS[size_t(i)], n);
        for (int c = 1; c <= n + 2; ++c)
            PANE_TEXT_RIGHT(p, figureEnd(c, n), y + 20, MONEY_TEXT(f[size_t(c - 1)]), kFigureRoom);
        p->line(0, y + kRowH, w, y + kRowH);
    }
    if (count > 0)
        for (int c = 1; c <= n + 2; ++c) p->line(boundary(c), 0, boundary(c), kRowH * count);
}

// ---------------------------------------------------------------- the print

int TOTAL_FY::TOTAL_FY_PRT() {
    const int n = TABLE.N;
    const bool landscape = n > 4;
    const double X = kPaperColW * (n + 2) + 65;
    // Where a page is full: the next line would start below its last row.
    const double full = landscape ? 195 : 285;
    const bool tick1 = CHK_1->Value() == 1, tick2 = CHK_2->Value() == 1;
    const int G = int(tick1) + int(tick2);
    const QString year = TXT_Y->Text() + QStringLiteral("年度");
    const QStringList heads = headings(n);

    const bool printed = TOTAL_PRT_RUN(
        [&] {
            prn::Printer& p = prn::printer();
            auto columnRules = [&](double top, double bottom) {
                for (int c = 1; c <= n + 2; ++c) PRT_LINE(paperBoundary(c), top, paperBoundary(c), bottom, PRT_PEN_LIGHT);
            };
            auto figures = [&](const TOTAL_LINE& l, double y) {
                const auto f = figuresOf(l, n);
                for (int c = 1; c <= n + 2; ++c)
                    TOTAL_FIGURE(paperBoundary(c), paperBoundary(c) + kPaperColW, paperFigureEnd(c), y,
                                 MONEY_TEXT(f[size_t(c - 1)]));
            };
            auto pageHead = [&] {
                p.FontSize = 15;
                PRT_TEXT(20, 5, QStringLiteral("経費別別購入金額集計"));
                p.FontSize = 10;
                PRT_TEXT(15, 11, year);
                PRT_TEXT_RIGHT(182, 11, SCHOOL_NAME);
                PRT_BOX(kLeft, 15, X, 20, PRT_PEN_HEAVY);
                columnRules(15, 20);
                for (int c = 1; c <= n + 2; ++c)
                    PRT_TEXT_CENTER(paperBoundary(c), paperBoundary(c) + kPaperColW, 16, heads[c - 1], kPaperFigureRoom);
            };

            pageHead();
            double y = 21;
            // The totals of the groups ticked, on the first page.
            {
                const double T = G == 1 ? 25 : 35;
                PRT_BOX(kLeft, 20, X, T, PRT_PEN_HEAVY);
                PRT_LINE(kLeft, 25, X, 25, PRT_PEN_LIGHT);
                if (G == 2) PRT_LINE(kLeft, 30, X, 30, PRT_PEN_LIGHT);
                columnRules(20, T);
                const QString labels[3] = {QStringLiteral("　管理　　合計"),
                                           CITY_MODE ? QStringLiteral("管理以外　合計") : QStringLiteral("　教材　　合計"),
                                           QStringLiteral(" 　　全 　合計")};
                const TOTAL_LINE lines[3] = {TABLE.GROUPS[0], TABLE.GROUPS[1], TABLE.all()};
                const bool want[3] = {tick1, tick2, G == 2};
                for (int b = 0; b < 3; ++b) {
                    if (!want[b]) continue;
                    PRT_TEXT(16, y, labels[b]);
                    figures(lines[b], y);
                    y += 5;
                }
            }

            // The rows shown, 5 mm each; a page ends when the next row
            // would pass its bottom, and the next page begins only for a
            // row that prints.
            const auto closeTable = [&] { PRT_LINE(kLeft, y - 1, X, y - 1, PRT_PEN_HEAVY); };
            for (int i = 0; i < TABLE.R(); ++i) {
                if (!rowShown(i)) continue;
                if (y > full) {
                    closeTable();
                    TOTAL_PRT_NEW_PAGE();
                    pageHead();
                    y = 21;
                }
                for (double x : {kLeft, X}) PRT_LINE(x, y - 1, x, y + 4, PRT_PEN_HEAVY);
                PRT_LINE(kLeft, y + 4, X, y + 4, PRT_PEN_LIGHT);
                columnRules(y - 1, y + 4);
                QString name = text::toHalfWidth(TABLE.KEYS[i]);
                if (G < 2 && TABLE.KEYS[i].startsWith(QStringLiteral("管理 "))) name = name.mid(3);
                PRT_TEXT_FIT(16, y, name, kPaperNameRoom);
                figures(TABLE.ROWS[size_t(i)], y);
                y += 5;
            }
            if (TABLE.R() > 0) closeTable();
        },
        landscape);
    return printed ? 1 : 0;
}
