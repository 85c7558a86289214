#include "totals/function_class_totals.h"

#include <QSignalBlocker>
#include <algorithm>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "common/form_position.h"
#include "store/state.h"

namespace {

// The newest fiscal year offered: from April on the year that begins then.
constexpr int kFirstMonth = 4;

// Rows of the panes (twips) and the rows a pane shows whole.
constexpr int kRowH = TOTAL_ROW_H;
constexpr int kViewRows = 28;

// Columns of the panes (twips): the name to 2000, then six of 1200, the
// last (合計) to the pane's right edge. A figure ends 30 before its
// column's right edge, the total 100 further right.
constexpr int kNameW = 2000;
constexpr int kColW = TOTAL_COL6_W;
constexpr double kNameRoom = kNameW - TOTAL_COL6_NAME_MARGIN;
constexpr double kFigureRoom = TOTAL_COL6_ROOM;
double boundary(int c) { return kNameW + kColW * c; }  // c = 0 to 5
double figureEnd(int c) { return c < FUNC_COLUMNS ? boundary(c) + 1170 : 9270; }

const QString kFuncTexts[4] = {QStringLiteral("発表"), QStringLiteral("道具"), QStringLiteral("実験"),
                               QStringLiteral("情報")};

// The six figures of a line: the classes, then the total.
std::array<qint64, 6> figuresOf(const TOTAL_LINE& l) {
    return {l.CELL[0], l.CELL[1], l.CELL[2], l.CELL[3], l.CELL[4], l.TOTAL};
}

// The print, in millimetres: the name column from 15 to 50, six columns of
// 22 mm to 182; 51 rows of 5 mm under the totals line of the first page,
// 52 under the headings of a later one.
constexpr double kLeft = 15, kNameEnd = 50, kRight = 182, kPaperColW = 22;
constexpr int kFirstPageRows = 51;
constexpr int kPageRows = 52;
constexpr double kPaperNameRoom = kNameEnd - 16 - 1;
const QString kPaperHeads[6] = {QStringLiteral("発表"), QStringLiteral("道具"), QStringLiteral("実験"),
                                QStringLiteral("情報"), QStringLiteral("その他"), QStringLiteral("合計")};

void paperFigures(const TOTAL_LINE& l, double y) {
    const auto f = figuresOf(l);
    for (int c = 0; c < 6; ++c) {
        const double left = kNameEnd + kPaperColW * c;
        TOTAL_FIGURE(left, left + kPaperColW, left + kPaperColW - 1, y, MONEY_TEXT(f[size_t(c)]));
    }
}

}  // namespace

// ---------------------------------------------------------------- the table

int FUNC_COLUMN(const QString& funcText) {
    for (int c = 0; c < 4; ++c)
        if (funcText == kFuncTexts[c]) return c;
    return 4;
}

QString TOTAL_FK_KEY(const QString& kubun, const QString& kyouka) {
    if (kubun == QStringLiteral("管理")) return QString();
    return KYOUKA_NORM(kubun == QStringLiteral("教材") ? kyouka : kubun);
}

FUNC_TOTALS TOTAL_FK_ROWS() {
    FUNC_TOTALS t;
    const qint32 n = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[i];
        if (k.KUBUN == QStringLiteral("管理")) continue;
        t.KEYS.add(TOTAL_FK_KEY(k.KUBUN, k.KYOUKA));
    }
    t.ROWS.assign(size_t(t.R()), TOTAL_LINE{});
    return t;
}

void TOTAL_FK_SUM(FUNC_TOTALS& t, int year, bool toYearEnd) {
    t.ROWS.assign(size_t(t.R()), TOTAL_LINE{});
    t.SUM = TOTAL_LINE{};
    const qint32 S = FY_FIRST_DAY(year), E = FY_LAST_DAY(year);
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < n; ++i) {
        const ZEMLO_REC& z = ZEMLO_DATA[i];
        if (z.KUBUN == QStringLiteral("管理")) continue;
        const qint32 day = TOTAL_DAY(z.BIN_Y, z.BIN_M, z.BIN_D);
        if (day > E || (day < S && !toYearEnd)) continue;
        const int row = t.KEYS.find(TOTAL_FK_KEY(z.KUBUN, z.KYOUKA));
        if (row < 0) continue;  // no such category and subject in the master
        t.ROWS[size_t(row)].add(FUNC_COLUMN(z.FUNC_D), ZEMLO_AMOUNT(z, false));
    }
    for (const TOTAL_LINE& l : t.ROWS) t.SUM.add(l);
}

// ---------------------------------------------------------------- rows in view

int TOTAL_ROWS_SCROLL(Pane* pane, ctl::ScrollBar* bar, int count) {
    // The bar first: a lower maximum moves its value, and the rows are drawn
    // from where it ends up.
    if (count > kViewRows - 1) {
        const QSignalBlocker quiet(bar);
        bar->setMax(count - kViewRows);
        bar->show();
    } else {
        const QSignalBlocker quiet(bar);
        bar->setValue(0);
        bar->hide();
    }
    const int first = bar->Value();
    pane->setScaleTop(first * kRowH);
    return first;
}

int TOTAL_ROWS_END(int first, int count) { return std::min(count, first + kViewRows + 1); }

// ---------------------------------------------------------------- the window

TOTAL_FK::TOTAL_FK() : platform::Form(QStringLiteral("TOTAL_FK")) {
    setCaption(QStringLiteral("機能別購入金額集計"));
    setFont(ctl::dialogFont());
    setFixedSize(platform::twipsToPx(10050), platform::twipsToPx(8265));

    Label1 = new ctl::Label(QStringLiteral("購入年度"), this, QStringLiteral("Label1"));
    ctl::placeTwips(Label1, 240, 150, 855, 255);
    TXT_Y = new ctl::ComboBox(this, QStringLiteral("TXT_Y"));
    ctl::placeTwips(TXT_Y, 1200, 120, 975, 315);
    CHK_1 = new ctl::CheckBox(QStringLiteral("年度末合計金額"), this, QStringLiteral("CHK_1"));
    ctl::placeTwips(CHK_1, 2400, 150, 1815, 255);
    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    ctl::placeTwips(B_PRT, 4320, 120, 855, 375);
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_CLOSE"));
    ctl::placeTwips(B_CLOSE, 5400, 120, 855, 375);
    for (ctl::CommandButton* b : {B_PRT, B_CLOSE}) b->setAutoDefault(false);

    K_LIST = TOTAL_PANE(this, QStringLiteral("K_LIST"), 120, 600, 9435, 285);
    K_LIST->setBackColor(bgrColor(0x00E0E0E0));
    T_LIST = TOTAL_PANE(this, QStringLiteral("T_LIST"), 120, 880, 9435, 285);
    T_LIST->setBackColor(bgrColor(0x00C0FFFF));
    D_LIST = TOTAL_PANE(this, QStringLiteral("D_LIST"), 120, 1170, 9435, 6855);
    for (Pane* p : {K_LIST, T_LIST, D_LIST}) {
        p->setFontSize(9.75);
        p->cls();
    }
    SCR_V = new ctl::ScrollBar(Qt::Vertical, this, QStringLiteral("SCR_V"));
    ctl::placeTwips(SCR_V, 9600, 1170, 255, 6855);
    SCR_V->setRange(0, 0);
    SCR_V->setSmallChange(1);
    SCR_V->setLargeChange(kViewRows);
    SCR_V->hide();
    TOTAL_WHEEL_SCROLL(D_LIST, SCR_V);

    TXT_Y->Click = [this] { TXT_Y_Click(); };
    CHK_1->Click = [this] { CHK_1_Click(); };
    SCR_V->Change = [this] { SCR_V_Change(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
}

void TOTAL_FK::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    READY = 0;
    TOTAL_YEAR_LIST_SET(TXT_Y, TOTAL_YEAR_DEFAULT(clk::today(), kFirstMonth));
    TXT_Y->setListIndex(0);
    READY = 1;
    TOTAL_FK_CALC();
}

void TOTAL_FK::Form_Unload(int& Cancel) {
    FORM_POS_SAVE(this);
    FORM_KIND = 0;
}

void TOTAL_FK::TXT_Y_Click() { TOTAL_FK_CALC(); }
void TOTAL_FK::CHK_1_Click() { TOTAL_FK_CALC(); }
void TOTAL_FK::SCR_V_Change() { TOTAL_FK_DRAW(); }

void TOTAL_FK::B_PRT_Click() {
    if (ui::MsgBox(QStringLiteral("データの印刷をします"), ui::vbYesNo, ui::kTitle) == ui::vbNo) return;
    TOTAL_FK_PRT();
}

void TOTAL_FK::B_CLOSE_Click() { Unload(); }

// ---------------------------------------------------------------- computing and drawing

void TOTAL_FK::TOTAL_FK_CALC() {
    if (READY == 0) return;
    ui::BusyPointer busy;
    TABLE = TOTAL_FK_ROWS();
    TOTAL_FK_SUM(TABLE, int(text::val(TXT_Y->Text())), CHK_1->Value() == 1);
    TOTAL_FK_DRAW();
    TOTAL_FK_HEAD();
}

void TOTAL_FK::TOTAL_FK_DRAW() {
    Pane* p = D_LIST;
    const int R = TABLE.R();
    const int first = TOTAL_ROWS_SCROLL(p, SCR_V, R);
    p->cls();
    TOTAL_PANE_COLUMNS(p, kNameW, kColW, 6);
    const double w = p->twipsWidth();
    for (int i = first; i < TOTAL_ROWS_END(first, R); ++i) {
        const double y = kRowH * i;
        PANE_TEXT_FIT(p, 30, y + 20, text::toHalfWidth(TABLE.KEYS[i]), kNameRoom);
        const auto f = figuresOf(TABLE.ROWS[size_t(i)]);
        for (int c = 0; c < 6; ++c) PANE_TEXT_RIGHT(p, figureEnd(c), y + 20, MONEY_TEXT(f[size_t(c)]), kFigureRoom);
        p->line(0, y + kRowH, w, y + kRowH);
    }
    for (int c = 0; c <= 5; ++c) p->line(boundary(c), 0, boundary(c), kRowH * R);
}

void TOTAL_FK::TOTAL_FK_HEAD() {
    static const std::pair<int, QString> heads[6] = {
        {2250, QStringLiteral(" 発表")}, {3450, QStringLiteral(" 道具")}, {4650, QStringLiteral(" 実験")},
        {5850, QStringLiteral(" 情報")}, {7050, QStringLiteral("その他")}, {8300, QStringLiteral(" 合計")}};
    Pane* k = K_LIST;
    TOTAL_PANE_SET_HEIGHT(k, 280);
    k->cls();
    TOTAL_PANE_COLUMNS(k, kNameW, kColW, 6);
    for (int c = 0; c <= 5; ++c) k->line(boundary(c), 0, boundary(c), k->twipsHeight());
    for (const auto& [x, caption] : heads) k->text(x, 20, caption);

    SCR_V->move(platform::twipsToPx(120 + TOTAL_PANE_WIDTH(K_LIST)), SCR_V->y());

    Pane* t = T_LIST;
    TOTAL_PANE_SET_HEIGHT(t, 280);
    t->cls();
    TOTAL_PANE_COLUMNS(t, kNameW, kColW, 6);
    t->text(600, 20, QStringLiteral(" 合計"));
    for (int c = 0; c <= 5; ++c) t->line(boundary(c), 0, boundary(c), t->twipsHeight());
    const auto f = figuresOf(TABLE.SUM);
    for (int c = 0; c < 6; ++c) PANE_TEXT_RIGHT(t, figureEnd(c), 20, MONEY_TEXT(f[size_t(c)]), kFigureRoom);
}

// ---------------------------------------------------------------- the print

int TOTAL_FK::TOTAL_FK_PRT() {
    const QString year = TXT_Y->Text() + QStringLiteral("年度");
    const int R = TABLE.R();
    const bool printed = TOTAL_PRT_RUN([&] {
        prn::Printer& p = prn::printer();
        int row = 0;
        for (int page = 0; page == 0 || row < R; ++page) {
            if (page > 0) TOTAL_PRT_NEW_PAGE();
            const bool first = page == 0;
            // The rows of this page start under the totals line of the
            // first page, under the headings of a later one.
            const double top = first ? 29 : 22;
            const int n = std::min(first ? kFirstPageRows : kPageRows, R - row);
            const double bottom = top + 5 * n;

            p.FontSize = 15;
            PRT_TEXT(15, 8, QStringLiteral("機能別購入集計"));
            p.FontSize = 10;
            PRT_TEXT(60, 11, year);
            PRT_TEXT_RIGHT(kRight, 11, SCHOOL_NAME);

            PRT_BOX(kLeft, 15, kRight, bottom, PRT_PEN_HEAVY);
            PRT_LINE(kLeft, 22, kRight, 22, PRT_PEN_HEAVY);
            if (first) PRT_LINE(kLeft, 29, kRight, 29, PRT_PEN_HEAVY);
            for (int i = 1; i < n; ++i) PRT_LINE(kLeft, top + 5 * i, kRight, top + 5 * i, PRT_PEN_LIGHT);
            for (int c = 0; c < 6; ++c) {
                const double x = kNameEnd + kPaperColW * c;
                PRT_LINE(x, 15, x, bottom, PRT_PEN_LIGHT);
            }

            p.FontSize = 12;
            for (int c = 0; c < 6; ++c) {
                const double x = kNameEnd + kPaperColW * c;
                PRT_TEXT_CENTER(x, x + kPaperColW, 17, kPaperHeads[c]);
            }
            if (first) {
                PRT_TEXT_CENTER(kLeft, kNameEnd, 24, QStringLiteral("合計"));
                p.FontSize = 10;
                paperFigures(TABLE.SUM, 24);
            }

            p.FontSize = 10;
            for (int j = 0; j < n; ++j, ++row) {
                const double y = top + 1 + 5 * j;
                PRT_TEXT_FIT(16, y, text::toHalfWidth(TABLE.KEYS[row]), kPaperNameRoom);
                paperFigures(TABLE.ROWS[size_t(row)], y);
            }
        }
    });
    return printed ? 1 : 0;
}
