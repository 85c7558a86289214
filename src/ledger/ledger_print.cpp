#include "ledger/ledger_print.h"

#include <algorithm>
#include <vector>

#include "ledger/ledger_pages.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "printing/list_print_frame.h"
#include "store/amounts.h"
#include "common/printer_setup.h"
#include "store/helpers.h"
#include "store/state.h"

namespace {

const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kErrorTitle = QStringLiteral("台帳印刷");

prn::Printer& P() { return prn::printer(); }

void size(double points) {
    P().FontName = kMincho;
    P().FontSize = points;
}

// The fitting series of the ledger's cells: from, step, last size.
struct Series {
    double from, to, step;
};
constexpr Series kH{12, 6.3, 0.3};  // twenty sizes
constexpr Series kR{10, 6, 0.5};
constexpr Series kP{9, 6, 0.5};
constexpr Series kM{10, 6, 1};

double fit(const QString& text, const Series& s, double limit) { return PRT_FONT_FIT(text, s.from, s.to, limit, s.step); }

// The centre of a box for a text of the font in force.
double centred(double left, double width, const QString& text) { return left + (width - P().TextWidth(text)) / 2; }
double middle(double top, double height, const QString& text = QStringLiteral("A")) {
    return top + (height - P().TextHeight(text)) / 2;
}

// An amount right-aligned in its field of nine characters at 10 points in
// the cell from `left` to `right` (the field begins at the left rule); one
// that does not keep clear of the rules there is printed whole in a smaller
// size, ending where the field ends.
void moneyCell(double left, double right, double y, qint64 amount) {
    size(10);
    LIST_FIGURE_FIELD(left, right, left, y, MONEY_TEXT(amount), 9);
}

// A date cell from `left` to `right` at 10 points; for a relocated piece
// the date and, under it, where it came from or went (`place`), both at 7
// points.
void dateCell(double left, double right, double y, const QString& date, bool relocated, const QString& place) {
    size(relocated ? 7 : 10);
    LIST_FIGURE_LEFT(left, right, left + 0.5, y, date);
    if (relocated) LIST_TEXT(left + 0.5, y + 2.8, place);
    size(10);
}

// One printed page of the run: the item name, its page kind and the records.
struct Sheet {
    qint32 master = 0;
    int kind = 1;
    size_t first = 0, count = 0;  // range in the run's record list
};

}  // namespace

// ---------------------------------------------------------------- frame

void LEDGER_HEAD_BOXES(int pageKind) {
    prn::Printer& p = P();
    size(12);
    LIST_TEXT(60, 6, QStringLiteral("備品区分"));
    p.DrawWidth = 2;
    p.Box(60, 11, 77, 17);
    LIST_TEXT(90, 4.5, KUBUN_LEVEL_NAME[0]);
    LIST_TEXT(90, 9.5, KUBUN_LEVEL_NAME[1]);
    LIST_TEXT(90, 14.5, QStringLiteral("機能別分類"));
    p.Box(113, 4, 175, 19);
    p.Line(113, 9, 175, 9);
    p.Line(113, 14, 175, 14);
    LIST_TEXT(180, 5, QStringLiteral("品名"));
    p.Box(190, 4, 241, 10);
    if (pageKind == 1) {
        LIST_TEXT(180, 11, QStringLiteral("現有数"));
        p.Box(194, 11, 216, 17);
    }
}

void ZEMLO_NOTE_FRAME_PRT(int pageKind) {
    prn::Printer& p = P();
    p.DrawWidth = 5;
    p.Box(15, 6, 50, 15);
    p.DrawWidth = 2;
    p.Box(16, 7, 49, 14);
    size(18);
    const QString title = QStringLiteral("備品台帳");
    LIST_TEXT(centred(16, 33, title), middle(7, 7, title), title);
    LEDGER_HEAD_BOXES(pageKind);
    p.DrawWidth = 5;
    p.Box(15, 20, 275, 182);
    p.Line(15, 27, 275, 27);
    p.DrawWidth = 2;
    for (double x : {35, 80, 110, 130, 148, 158, 176, 191, 211, 236}) p.Line(x, 20, x, 182);
    for (int r = 1; r <= 24; ++r) {
        const double y = double(float(27 + 6.2f * float(r)));
        p.DrawWidth = r % 5 == 0 ? 5 : 2;
        p.Line(15, y, 275, y);
    }
    p.DrawWidth = 2;
    size(8);
    LIST_TEXT(240, 16, QStringLiteral("印刷日 ") + ERA_DATE_LONG(clk::today()));
    size(10);
    static const std::pair<double, const char16_t*> heads[] = {
        {18, u"備品番号"}, {48, u"規格・品質"}, {89, u"購入先"},   {111.5, u"購入年月日"}, {135, u"単価"},
        {163, u"金額"},   {176, u"経費区分"},   {191.5, u"廃棄年月日"}, {216, u"保管場所"},   {250, u"備考"}};
    for (const auto& h : heads) LIST_TEXT(h.first, 21, QString::fromUtf16(h.second));
    size(9);
    LIST_TEXT(148, 21, QStringLiteral("消費税"));
    size(8);
    LIST_TEXT_RIGHT(266, 183, SCHOOL_NAME);
    p.DrawWidth = 2;
    ui::DoEvents();
}

// ---------------------------------------------------------------- header

void ZEMLO_NOTE_HEAD_PRT(qint32 master, int pageKind) {
    if (master < 0 || master >= qint32(KUBUN_DATA.size())) return;
    const KUBUN_REC& e = KUBUN_DATA[size_t(master)];
    size(11);
    LIST_TEXT(centred(60, 17, e.KUBUN), middle(11, 6), e.KUBUN);

    const QString level1 = QString::number(e.NO_KY) + QLatin1Char(' ') + e.KYOUKA;
    fit(level1, kH, 50);
    LIST_TEXT(114, middle(4, 5), level1);
    const QString level2 = e.NO_BU + QLatin1Char(' ') + e.BUNRUI;
    fit(level2, kH, 50);
    LIST_TEXT(114, middle(9, 5), level2);
    size(12);
    LIST_TEXT(114, middle(14, 5), LIST_FUNC_NAME(e.FUNC_NO));

    fit(e.NAME_D, kH, 50);
    LIST_TEXT(191, middle(4, 6, e.NAME_D), e.NAME_D);
    if (pageKind != 1) return;

    // In the size the item name took.
    if (e.CHG_DATE.isValid())
        LIST_TEXT(218, 11, QStringLiteral("最終変更日 ") + ERA_DATE_LONG(e.CHG_DATE.date()));
    const QString held = e.OUT_CNT < 1 ? QString::number(e.IN_CNT)
                                       : QString::number(qint64(e.IN_CNT) - e.OUT_CNT) + QLatin1Char('/') +
                                             QString::number(e.IN_CNT);
    fit(held, kH, 20);
    LIST_TEXT(centred(195, 21, held), middle(11, 6, held), held);
}

// ---------------------------------------------------------------- row

void ZEMLO_NOTE_ROW_PRT(qint32 rec, int row) {
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return;
    const ZEMLO_REC& z = ZEMLO_DATA[size_t(rec)];
    prn::Printer& p = P();
    const double y = double(float(22 + 6.2f * float(row)));
    // Each cell's texts are cut at its rules: a text that does not fit even
    // at the cell's smallest size never runs into the next cell.
    const double top = y - 1.2, bottom = y + 5;
    auto cell = [&](double left, double right) { return prn::ClipScope(p, left, top, right, bottom); };

    // 1 number
    {
        const auto clip = cell(15, 35);
        const QString number = LIST_NUMBER_TEXT(z.BY_W, z.BY_Y, z.B_NO, z.B_NOS);
        size(number.size() > 11 ? 8 : number.size() > 10 ? 9 : 10);
        LIST_FIGURE_LEFT(15, 35, 15.5, y, number);
    }

    // 2 maker and model, on one line or on two
    {
        const auto clip = cell(35, 80);
        const QString makerModel = z.MAKER + QLatin1Char(' ') + z.MAKER_NO;
        if (fit(makerModel, kR, 44) > 6 + 1e-9) {
            LIST_TEXT(35.5, y, makerModel);
        } else {
            size(7);
            if (p.TextWidth(z.MAKER) >= 44 || p.TextWidth(z.MAKER_NO) >= 44) size(6);
            LIST_TEXT(35.5, y, z.MAKER);
            LIST_TEXT(35.5, y + 2.8, z.MAKER_NO);
        }
    }

    // 3 supplier
    {
        const auto clip = cell(80, 110);
        fit(z.SHOP, kR, 29);
        LIST_TEXT(80.5, y, z.SHOP);
        size(10);
    }

    // 4 purchase date (and where a relocated piece came from)
    {
        const auto clip = cell(110, 130);
        dateCell(110, 130, y, LIST_DATE_TEXT(z.BIN_Y, z.BIN_M, z.BIN_D), z.MOVE_F & 1, z.MOVE_N);
    }

    // 5 unit price, 6 tax, 7 amount, 8 expense type
    if (z.B_MONY > 0) {
        const auto clip = cell(130, 148);
        moneyCell(130, 148, y, z.B_MONY);
    }
    {
        const auto clip = cell(148, 158);
        LIST_FIGURE_LEFT(148, 158, 148.5, y, LIST_TAX_TEXT(z.TAX_K, z.TAX));
    }
    const qint64 amount = ZEMLO_AMOUNT(z, false);
    if (amount != 0) {
        const auto clip = cell(158, 176);
        moneyCell(158, 176, y, amount);
    }
    {
        const auto clip = cell(176, 191);
        LIST_TEXT(176.5, y, z.KEIHI);
    }

    // 9 storage place
    {
        const auto clip = cell(211, 236);
        fit(z.KEEP, kP, 19);
        LIST_TEXT(211.5, y, z.KEEP);
        size(10);
    }

    // 10 out date (and the reason or destination), the row struck out
    if (z.BOUT_Y > 1900) {
        {
            const auto clip = cell(191, 211);
            dateCell(191, 211, y, LIST_DATE_TEXT(z.BOUT_Y, z.BOUT_M, z.BOUT_D), z.MOVE_F & 2, z.MOVE_N2);
        }
        if (SET_FLAGS & 8) {
            p.DrawWidth = 2;
            p.Line(15, y + 1.3, 191, y + 1.3);
            p.Line(15, y + 2.3, 191, y + 2.3);
            if (!z.KEEP.isEmpty()) {
                p.Line(211, y + 1.3, 236, y + 1.3);
                p.Line(211, y + 2.3, 236, y + 2.3);
            }
        }
    }

    // 11 remarks, on one line or on two
    const auto clip = cell(236, 275);
    if (fit(z.MSG, kM, 38) > 6 + 1e-9) {
        LIST_TEXT(236.5, y, z.MSG);
        return;
    }
    size(7);
    if (p.TextWidth(z.MSG) > 76) size(6);
    PRT_TWO_LINE_CELL(236, top, 275, bottom, 236.5, y - 0.8, y + 1.8, z.MSG);
}

// ---------------------------------------------------------------- the job

int ZEMLO_NOTE_PRT(const std::function<void(const QString&, const QString&)>& progress) {
    const bool ticked = PRT_KIND == PrintKind::LEDGER_TICKED;
    const LEDGER_MEMBERS members(LEDGER_OPT.OUTPRT);
    std::vector<qint32> records;
    std::vector<Sheet> sheets;
    std::vector<qint32> processed;
    const qint32 listed = std::clamp<qint32>(KUBUN_VIEW_COUNT, 0, qint32(KUBUN_LIST_VIEW.size()));
    for (qint32 pos = 0; pos < listed; ++pos) {
        const qint32 m = KUBUN_LIST_VIEW[size_t(pos)].KUBUN_IDX;
        if (m < 0 || m >= KUBUN_COUNT) continue;
        const KUBUN_REC& e = KUBUN_DATA[size_t(m)];
        if (ticked && e.PRT_MARK == 0) continue;
        processed.push_back(m);
        const std::vector<qint32>& mine = members.of(e);
        for (int s : LEDGER_SHEETS(mine, e.PRT_DATE, LEDGER_OPT.REPLACE)) {
            Sheet sh;
            sh.master = m;
            sh.kind = s == 0 ? 1 : 2;
            sh.first = records.size();
            const size_t from = size_t(s) * LEDGER_ROWS, to = std::min(mine.size(), from + LEDGER_ROWS);
            sh.count = to - from;
            records.insert(records.end(), mine.begin() + qsizetype(from), mine.begin() + qsizetype(to));
            sheets.push_back(sh);
        }
    }
    // The sheet of each record, and whether it starts one.
    std::vector<qint32> sheetOf(records.size());
    for (size_t s = 0; s < sheets.size(); ++s)
        for (size_t k = 0; k < sheets[s].count; ++k) sheetOf[sheets[s].first + k] = qint32(s);

    PRT_JOB run;
    run.landscape = true;
    run.adjPair = PRT_ADJ_LANDSCAPE;
    run.shiftRight = -7;
    run.shiftDown = -9;
    run.fontName = kMincho;
    run.fontSize = 9;
    run.errorTitle = kErrorTitle;
    run.rowCount = int(records.size());
    run.newPageBefore = [&](int r) { return sheets[size_t(sheetOf[size_t(r)])].first == size_t(r); };
    qint32 shownMaster = -1;
    run.drawPageFrame = [&](int page) {
        const Sheet& sh = sheets[size_t(page - 1)];
        ZEMLO_NOTE_FRAME_PRT(sh.kind);
        ZEMLO_NOTE_HEAD_PRT(sh.master, sh.kind);
    };
    run.drawRow = [&](int r) {
        const Sheet& sh = sheets[size_t(sheetOf[size_t(r)])];
        if (progress && sh.master != shownMaster) {
            shownMaster = sh.master;
            const KUBUN_REC& e = KUBUN_DATA[size_t(sh.master)];
            progress(e.KYOUKA + QLatin1Char(' ') + e.BUNRUI, e.NAME_D + QStringLiteral("　印刷処理中"));
        }
        ZEMLO_NOTE_ROW_PRT(records[size_t(r)], int(size_t(r) - sh.first) + 1);
    };
    const int result = PRT_RUN(run);
    if (result != 1) return result;
    // The document went to the printer: the printed item names lose their
    // tick and take the moment of printing.
    const QDateTime now = clk::now();
    for (qint32 m : processed) {
        KUBUN_DATA[size_t(m)].PRT_MARK = 0;
        KUBUN_DATA[size_t(m)].PRT_DATE = now;
    }
    return 1;
}
