#include "totals/category_totals.h"

#include <QHash>
#include <QSet>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "common/form_position.h"
#include "store/state.h"
#include "totals/totals_common.h"

namespace {

// The newest fiscal year offered: until the end of April the year that
// ended on 31 March.
constexpr int kFirstMonth = 5;

constexpr int kRowH = TOTAL_ROW_H;
// Columns of the panes (twips): the name to 2500, then five of 1400.
constexpr int kNameW = 2500;
constexpr int kColW = TOTAL_COL5_W;
// The widest a name (from x 20 to the first column) and a figure may be on
// screen before they are shrunk.
constexpr double kNameRoom = kNameW - 40;
constexpr double kFigureRoom = TOTAL_COL5_ROOM;

const QString kHeadings[5] = {QStringLiteral("購入金額"), QStringLiteral("廃棄金額"), QStringLiteral("差  額"),
                              QStringLiteral("前年度金額"), QStringLiteral("今年度金額")};

// The five figures of a row in column order.
std::array<qint64, 5> figuresOf(const KYOUKA_TOTAL_ROW& r) {
    return {r.IN_MONY, r.OUT_MONY, r.diff(), r.PREV_MONY, r.now()};
}

QString rowKey(const QString& kubun, const QString& kyouka) { return kubun + QChar(0x1F) + kyouka; }

}  // namespace

// ---------------------------------------------------------------- the table

KYOUKA_TOTALS TOTAL_FA_ROWS() {
    KYOUKA_TOTALS t;
    const qint32 n = std::min<qint32>(KYOUKA_COUNT, qint32(KYOUKA_INDEX.size()));
    t.rows.reserve(size_t(n) + 1);
    QSet<QString> seen;
    seen.reserve(n);
    for (qint32 i = 0; i < n; ++i) {
        const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
        const QString key = rowKey(e.KUBUN, e.KYOUKA) + QChar(0x1F) + QString::number(e.NO_KY);
        if (seen.contains(key)) continue;
        seen.insert(key);
        KYOUKA_TOTAL_ROW r;
        r.KUBUN = e.KUBUN;
        r.KYOUKA = e.KYOUKA;
        r.NO_KY = e.NO_KY;
        t.rows.push_back(std::move(r));
    }
    t.R = int(t.rows.size());
    t.rows.emplace_back();  // the unmatched entry
    return t;
}

void TOTAL_FA_SUM(KYOUKA_TOTALS& t, int year) {
    // The first row of each category and subject name (the number is not compared).
    QHash<QString, int> rowOf;
    rowOf.reserve(t.R);
    for (int i = t.R - 1; i >= 0; --i) rowOf[rowKey(t.rows[size_t(i)].KUBUN, t.rows[size_t(i)].KYOUKA)] = i;

    const qint32 S = FY_FIRST_DAY(year), E = FY_FIRST_DAY(year + 1);
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    QString key;
    for (qint32 i = 0; i < n; ++i) {
        const ZEMLO_REC& z = ZEMLO_DATA[i];
        const qint32 in = TOTAL_DAY(z.BIN_Y, z.BIN_M, z.BIN_D);
        if (in >= E) continue;  // bought after the year
        const qint64 amount = ZEMLO_AMOUNT(z, false);
        key = rowKey(z.KUBUN, z.KYOUKA);
        KYOUKA_TOTAL_ROW& r = t.rows[size_t(rowOf.value(key, t.R))];
        if (in >= S)
            r.IN_MONY += amount;
        else
            r.PREV_MONY += amount;
        if (z.BOUT_Y > 1900) {
            const qint32 out = TOTAL_DAY(z.BOUT_Y, z.BOUT_M, z.BOUT_D);
            if (out < S)
                r.PREV_MONY -= amount;  // left before the year
            else if (out < E)
                r.OUT_MONY += amount;
            // Leaving after the year: still held at its end.
        }
    }
    t.groups = {};
    for (int i = 0; i < t.R; ++i) {
        const KYOUKA_TOTAL_ROW& r = t.rows[size_t(i)];
        for (int g : {TOTAL_FA_FIRST_GROUP(r) ? 0 : 1, 2}) {
            t.groups[g].PREV_MONY += r.PREV_MONY;
            t.groups[g].IN_MONY += r.IN_MONY;
            t.groups[g].OUT_MONY += r.OUT_MONY;
        }
    }
}

// ---------------------------------------------------------------- the window

TOTAL_FA::TOTAL_FA() : platform::Form(QStringLiteral("TOTAL_FA")) {
    setCaption(QStringLiteral("教科集計"));
    setFont(ctl::dialogFont());
    setFixedSize(platform::twipsToPx(11700), platform::twipsToPx(8760));

    TXT_Y = new ctl::ComboBox(this, QStringLiteral("TXT_Y"));
    ctl::placeTwips(TXT_Y, 10200, 120, 975, 315);
    Label3 = new ctl::Label(QStringLiteral("年度"), this, QStringLiteral("Label3"));
    ctl::placeTwips(Label3, 10560, 480, 615, 255);
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_CLOSE"));
    ctl::placeTwips(B_CLOSE, 10320, 840, 855, 375);
    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    ctl::placeTwips(B_PRT, 10320, 1440, 855, 375);
    for (ctl::CommandButton* b : {B_CLOSE, B_PRT}) b->setAutoDefault(false);
    CHK_1 = new ctl::CheckBox(QStringLiteral("管理"), this, QStringLiteral("CHK_1"));
    ctl::placeTwips(CHK_1, 10320, 2040, 975, 255);
    CHK_2 = new ctl::CheckBox(QStringLiteral("管理以外"), this, QStringLiteral("CHK_2"));
    ctl::placeTwips(CHK_2, 10320, 2280, 1215, 255);
    CHK_3 = new ctl::CheckBox(QStringLiteral("0円非表示"), this, QStringLiteral("CHK_3"));
    ctl::placeTwips(CHK_3, 10320, 2640, 1215, 255);
    CHK_1->setChecked(true);
    CHK_2->setChecked(true);
    Label2 = new ctl::Label(QStringLiteral("備品区分に無いデータが有ります"), this, QStringLiteral("Label2"));
    ctl::placeTwips(Label2, 10200, 3000, 1215, 1215);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->hide();

    K_LIST = TOTAL_PANE(this, QStringLiteral("K_LIST"), 240, 120, 9560, 260);
    D_LIST2 = TOTAL_PANE(this, QStringLiteral("D_LIST2"), 240, 360, 9615, 735);
    D_LIST = TOTAL_PANE(this, QStringLiteral("D_LIST"), 240, 1080, 9555, 7455);
    SCR_V = new ctl::ScrollBar(Qt::Vertical, this, QStringLiteral("SCR_V"));
    ctl::placeTwips(SCR_V, 9840, 1080, 255, 7455);
    SCR_V->setRange(0, 0);
    SCR_V->setSmallChange(1);
    SCR_V->setLargeChange(kViewRows);
    SCR_V->hide();
    TOTAL_WHEEL_SCROLL(D_LIST, SCR_V);

    TXT_Y->Click = [this] { TXT_Y_Click(); };
    for (ctl::CheckBox* c : {CHK_1, CHK_2, CHK_3}) c->Click = [this] { CHK_Click(); };
    SCR_V->Change = [this] { SCR_V_Change(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
}

void TOTAL_FA::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    setCaption(KUBUN_LEVEL_NAME[0] + QStringLiteral(" 集計"));
    CHK_2->setText(CITY_MODE ? QStringLiteral("管理以外") : QStringLiteral("教材"));
    TOTAL_FA_ROW_MAKE();
    TOTAL_FA_HEAD();
    TOTAL_YEAR_LIST_SET(TXT_Y, TOTAL_YEAR_DEFAULT(clk::today(), kFirstMonth));
    ACTIVATED = 0;
}

void TOTAL_FA::Form_Activate() {
    if (ACTIVATED == 1) return;
    ACTIVATED = 1;
    if (TOTALS.R > 0)
        TXT_Y->setListIndex(0);
    else
        ui::MsgBox(QStringLiteral("備品区分データが有りません"), ui::vbOKOnly, ui::kTitle);
}

void TOTAL_FA::Form_Unload(int& Cancel) {
    FORM_POS_SAVE(this);
    FORM_KIND = 0;
}

void TOTAL_FA::TXT_Y_Click() {
    if (TOTALS.R <= 0) return;
    ui::BusyPointer busy;
    SCR_V->setValue(0);
    TOTAL_FA_ROW_MAKE();
    TOTAL_FA_CALC();
    TOTAL_FA_DRAW();
    TOTAL_FA_SUM_DRAW();
}

void TOTAL_FA::CHK_Click() {
    SCR_V->setValue(0);
    TOTAL_FA_DRAW();
}

void TOTAL_FA::SCR_V_Change() { TOTAL_FA_DRAW(); }

void TOTAL_FA::B_PRT_Click() {
    if (CHK_1->Value() + CHK_2->Value() == 0) return;
    if (ui::MsgBox(QStringLiteral("教科集計を印刷します"), ui::vbYesNo, ui::kTitle) == ui::vbNo) return;
    TOTAL_FA_PRT();
}

void TOTAL_FA::B_CLOSE_Click() { Unload(); }

// ---------------------------------------------------------------- computing

void TOTAL_FA::TOTAL_FA_ROW_MAKE() { TOTALS = TOTAL_FA_ROWS(); }

void TOTAL_FA::TOTAL_FA_CALC() {
    TOTAL_FA_SUM(TOTALS, int(text::val(TXT_Y->Text())));
    Label2->hide();
    const KYOUKA_TOTAL_ROW& u = TOTALS.unmatched();
    const qint64 v = u.now();
    if (v > 0) {
        Label2->setCaption(MONEY_TEXT(v) + QStringLiteral("円\n備品区分に無いデータが含まれてます。"));
        Label2->show();
    }
}

bool TOTAL_FA::rowShown(const KYOUKA_TOTAL_ROW& r) const {
    if ((TOTAL_FA_FIRST_GROUP(r) ? CHK_1 : CHK_2)->Value() != 1) return false;
    if (CHK_3->Value() == 1 && r.diff() == 0 && r.IN_MONY == 0 && r.PREV_MONY == 0) return false;
    return true;
}

std::vector<int> TOTAL_FA::shownRows() const {
    std::vector<int> shown;
    for (int i = 0; i < TOTALS.R; ++i)
        if (rowShown(TOTALS.rows[size_t(i)])) shown.push_back(i);
    return shown;
}

// ---------------------------------------------------------------- drawing

void TOTAL_FA::TOTAL_FA_HEAD() {
    Pane* p = K_LIST;
    TOTAL_PANE_SET_WIDTH(p, 9580);
    p->cls();
    TOTAL_PANE_COLUMNS(p, kNameW, kColW, 5);
    PANE_TEXT_CENTER(p, 0, kNameW, 20, KUBUN_LEVEL_NAME[0]);
    const double h = p->twipsHeight();
    for (int i = 0; i < 5; ++i) {
        const double x = kNameW + kColW * i;
        PANE_TEXT_CENTER(p, x, x + kColW, 20, kHeadings[i]);
        p->line(x, 0, x, h);
    }
}

void TOTAL_FA::TOTAL_FA_SUM_DRAW() {
    Pane* p = D_LIST2;
    TOTAL_PANE_SET_WIDTH(p, TOTAL_PANE_WIDTH(K_LIST));
    p->cls();
    TOTAL_PANE_COLUMNS(p, kNameW, kColW, 5);
    const double w = p->twipsWidth();
    const QString labels[3] = {QStringLiteral("  管理  　"),
                               CITY_MODE ? QStringLiteral("管理以外　") : QStringLiteral("  教材  　"),
                               QStringLiteral("   全   　")};
    for (int b = 0; b < 3; ++b) {
        p->line(0, kRowH * b + kRowH, w, kRowH * b + kRowH);
        p->text(20, kRowH * b + 20, labels[b] + QStringLiteral("合計"));
        const auto f = figuresOf(TOTALS.groups[b]);
        for (int c = 0; c < 5; ++c) PANE_TEXT_RIGHT(p, 3880 + kColW * c, kRowH * b + 20, MONEY_TEXT(f[c]), kFigureRoom);
    }
    for (int i = 0; i < 5; ++i) p->line(kNameW + kColW * i, 0, kNameW + kColW * i, 760);
}

void TOTAL_FA::TOTAL_FA_DRAW() {
    Pane* p = D_LIST;
    TOTAL_PANE_SET_WIDTH(p, TOTAL_PANE_WIDTH(K_LIST));
    p->setScaleTop(SCR_V->Value() * kRowH);
    p->cls();
    TOTAL_PANE_COLUMNS(p, kNameW, kColW, 5);
    if (CHK_1->Value() == 0 && CHK_2->Value() == 0) return;

    const std::vector<int> shown = shownRows();
    const int count = int(shown.size());
    // The scroll bar first: a lower maximum moves the value, and the rows
    // are drawn from where it ends up.
    if (count > kViewRows) {
        SCR_V->show();
        if (SCR_V->Max() != count - kViewRows) {
            const QSignalBlocker quiet(SCR_V);
            SCR_V->setMax(count - kViewRows);
            p->setScaleTop(SCR_V->Value() * kRowH);
        }
    } else {
        SCR_V->hide();
        p->setScaleTop(0);
    }

    const double w = p->twipsWidth();
    const int top = SCR_V->isVisible() ? SCR_V->Value() : 0;
    const int end = std::min(count, top + kViewRows + 1);
    for (int n = top; n < end; ++n) {
        const KYOUKA_TOTAL_ROW& r = TOTALS.rows[size_t(shown[size_t(n)])];
        p->line(0, kRowH * n + kRowH, w, kRowH * n + kRowH);
        PANE_TEXT_FIT(p, 20, kRowH * n + 20, r.KUBUN + QStringLiteral(" ") + r.KYOUKA, kNameRoom);
        const auto f = figuresOf(r);
        for (int c = 0; c < 5; ++c) PANE_TEXT_RIGHT(p, 3880 + kColW * c, kRowH * n + 20, MONEY_TEXT(f[c]), kFigureRoom);
    }
    const double bottom = std::max(kRowH * count + 20, kRowH);
    for (int i = 0; i < 5; ++i) p->line(kNameW + kColW * i, 0, kNameW + kColW * i, bottom);
}
