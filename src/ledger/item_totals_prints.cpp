#include "ledger/item_totals_prints.h"

#include <algorithm>

#include "category/category_list_print.h"
#include "ledger/ledger_print.h"
#include "ledger/item_totals_rows.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "printing/list_print_frame.h"
#include "store/amounts.h"
#include "common/printer_setup.h"
#include "store/helpers.h"
#include "platform/ui.h"
#include "store/state.h"

int NOTEL_LIST_PRT(const QString& category) {
    PRT_STOP = 0;
    KUBUN_LIST_GROUP g;
    g.selLine = QStringLiteral("(") + category + QStringLiteral(")");
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    for (qint32 e = 0; e < n; ++e) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
        if (k.IN_CNT != 0 && k.KUBUN == category) g.entries.push_back(e);
    }
    return KUBUN_LIST_RUN({g}, QStringLiteral("台帳印刷"), QStringLiteral("内訳一覧表"), 26);
}

void NOTEL_LIST_PRT_ASK(const QString& category) {
    if (category.isEmpty()) {
        ui::MsgBox(QStringLiteral("印刷区分をを選択してください"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    if (ui::MsgBox(QStringLiteral("一覧表を印刷します"), ui::vbYesNo | ui::vbQuestion, ui::kTitle) != ui::vbYes) return;
    ui::BusyPointer busy;
    NOTEL_LIST_PRT(category);
}

// ---------------------------------------------------------------- 備品集計

namespace {

const QString kMincho = QStringLiteral("ＭＳ 明朝");

// One table row of the print: the batch and where it stands.
struct PrintRow {
    qint32 entry;  // master index
    qint32 row;    // position in IN_ROW_LIST
    qint32 n;      // the batch's count within its item name, from 1
};

void fontSize(double size) {
    prn::Printer& p = prn::printer();
    p.FontName = kMincho;
    p.FontSize = size;
}

void ZEMLO_NOTEL_FRAME_PRT(int kind) {
    prn::Printer& p = prn::printer();
    fontSize(18);
    const QString title = QStringLiteral("備品集計");
    LIST_TEXT(13 + (39 - p.TextWidth(title)) / 2, 7 + (7 - p.TextHeight(title)) / 2, title);
    LEDGER_HEAD_BOXES(kind);
    p.DrawWidth = 5;
    p.Box(12, 20, 275, 182);
    p.Line(12, 27, 275, 27);
    p.DrawWidth = 2;
    for (double x : {35, 80, 110, 130, 142, 154, 166, 186, 198, 216, 231}) p.Line(x, 20, x, 182);
    for (int i = 1; i <= 24; ++i) {
        p.DrawWidth = i % 5 == 0 ? 5 : 2;
        p.Line(12, 27 + 6.2 * i, 275, 27 + 6.2 * i);
    }
    p.DrawWidth = 2;
    fontSize(8);
    LIST_TEXT(240, 16, QStringLiteral("印刷日 ") + ERA_DATE_LONG(clk::today()));
    fontSize(10);
    const std::pair<double, const char16_t*> heads[] = {
        {18, u"備品番号"}, {48, u"規格・品質"}, {89, u"購入先"}, {111.5, u"購入年月日"},
        {131, u"購入数"},  {143, u"廃棄数"},    {155, u"現有数"}, {171, u"単価"},
        {187, u"消費税"},  {203, u"金額"},      {217, u"経費区分"}, {248, u"備考"}};
    for (const auto& [x, text] : heads) LIST_TEXT(x, 21, QString::fromUtf16(text));
    fontSize(8);
    LIST_TEXT_RIGHT(266, 183, SCHOOL_NAME);
    ui::DoEvents();
}

// The header sizes: 12 pt down to 6.3 pt in steps of 0.3.
double headFit(const QString& text, double limit) { return PRT_FONT_FIT(text, 12, 6.3, limit, 0.3); }

void ZEMLO_NOTEL_HEAD_PRT(qint32 e, int kind) {
    prn::Printer& p = prn::printer();
    const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
    fontSize(11);
    LIST_TEXT(60 + (17 - p.TextWidth(k.KUBUN)) / 2, 11 + (6 - p.TextHeight()) / 2, k.KUBUN);
    const QString subject = QString::number(k.NO_KY) + QChar(u' ') + k.KYOUKA;
    headFit(subject, 50);
    LIST_TEXT(114, 4 + (5 - p.TextHeight()) / 2, subject);
    const QString bunrui = k.NO_BU + QChar(u' ') + k.BUNRUI;
    headFit(bunrui, 50);
    LIST_TEXT(114, 9 + (5 - p.TextHeight()) / 2, bunrui);
    fontSize(12);
    LIST_TEXT(114, 14 + (5 - p.TextHeight()) / 2, LIST_FUNC_NAME(k.FUNC_NO));
    headFit(k.NAME_D, 50);
    LIST_TEXT(191, 4 + (6 - p.TextHeight(k.NAME_D)) / 2, k.NAME_D);
    if (kind != 1) return;
    // The master's counters: held of registered once anything has gone.
    const QString held = k.OUT_CNT < 1 ? QString::number(k.IN_CNT)
                                       : QString::number(qint64(k.IN_CNT) - k.OUT_CNT) + QChar(u'/') +
                                             QString::number(k.IN_CNT);
    headFit(held, 20);
    LIST_TEXT(195 + (21 - p.TextWidth(held)) / 2, 11 + (6 - p.TextHeight(held)) / 2, held);
}

// A price or amount right-aligned in a field of nine characters at x
// (10 pt) in the cell between `cellLeft` and `cellRight`. One that does not
// keep clear of the rules there (10,000,000 yen and above) is made smaller,
// its middle kept on the line's, until it does.
void moneyCell(double cellLeft, double cellRight, double x, double y, const QString& text) {
    fontSize(10);
    PRT_FIGURE_FIELD(cellLeft, cellRight, x, y, text, 9, LIST_MIN_SIZE, PRT_FIGURE_LINE::Middle);
}

// The cell sizes: 10 pt down to 6 pt in steps of 0.5.
double cellFit(const QString& text, double limit) { return PRT_FONT_FIT(text, 10, 6, limit, 0.5); }

void ZEMLO_NOTEL_ROW_PRT(qint32 r, int line) {
    prn::Printer& p = prn::printer();
    const IN_ROW& w = IN_ROW_LIST[size_t(r)];
    const double y = 22 + 6.2 * line;
    // Each cell's texts are cut at its rules: a text that does not fit even
    // at the cell's smallest size never runs into the next cell.
    const double top = y - 1.2, bottom = y + 5;
    auto cell = [&](double left, double right) { return prn::ClipScope(p, left, top, right, bottom); };

    {
        const auto clip = cell(12, 35);
        if (w.ROW_QTY < 2) {
            fontSize(8);
            LIST_FIGURE_LEFT(12, 35, 12.5, y, LIST_NUMBER_TEXT(w.BY_W, w.BY_Y, w.B_NO, w.NOS_FIRST));
        } else {
            const QString range = LIST_NUMBER_TEXT(w.BY_W, w.BY_Y, w.B_NO) + QChar(u' ') +
                                  QString::number(w.NOS_FIRST) + QChar(u'～') + QString::number(w.NOS_LAST);
            fontSize(10);
            PRT_FIGURE_LEFT(12, 35, 12.5, y, range, 6);
        }
    }

    // 規格・品質: one line while it fits above 6 pt, else maker over model.
    {
        const auto clip = cell(35, 80);
        const QString makerModel = w.MAKER + QChar(u' ') + w.MAKER_NO;
        fontSize(10);
        if (cellFit(makerModel, 44) != 6) {
            LIST_TEXT(35.5, y, makerModel);
        } else {
            fontSize(7);
            if (p.TextWidth(w.MAKER) >= 44 || p.TextWidth(w.MAKER_NO) >= 44) fontSize(6);
            if (!w.MAKER.trimmed().isEmpty()) {
                LIST_TEXT(35.5, y - 0.5, w.MAKER);
                LIST_TEXT(35.5, y + 2.8, w.MAKER_NO);
            } else {
                LIST_TEXT(35.5, y, w.MAKER_NO);
            }
        }
    }

    {
        const auto clip = cell(80, 110);
        fontSize(10);
        cellFit(w.SHOP, 29);
        LIST_TEXT(80.5, y, w.SHOP);
    }

    fontSize(10);
    {
        const auto clip = cell(110, 130);
        LIST_FIGURE_LEFT(110, 130, 110.5, y, LIST_DATE_TEXT(w.BIN_Y, w.BIN_M, w.BIN_D));
    }
    const qint64 held = qint64(w.ROW_QTY) - w.ROW_OUT;
    auto count = [&](double x, qint64 v) {
        const auto clip = cell(x - 1, x + 11);
        if (v > 0) LIST_FIGURE_FIELD(x - 1, x + 11, x, y, QString::number(v), 5);
    };
    count(131, w.ROW_QTY);
    count(143, w.ROW_OUT);
    count(155, held);
    if (w.B_MONY > 0) {
        const auto clip = cell(166, 186);
        moneyCell(166, 186, 167, y, MONEY_TEXT(w.B_MONY));
    }
    {
        const auto clip = cell(186, 198);
        LIST_FIGURE_LEFT(186, 198, 189, y, LIST_TAX_TEXT(w.TAX_K, w.TAX));
    }
    // The pieces still held, in 64 bits: a large batch prints its amount in full.
    const QString amount = MONEY_TEXT(ITEM_AMOUNT(w.B_MONY, held, w.TAX_K == 1, w.TAX));
    if (!amount.isEmpty()) {
        const auto clip = cell(198, 216);
        moneyCell(198, 216, 198, y, amount);
    }
    {
        const auto clip = cell(216, 231);
        LIST_TEXT(217.5, y, w.KEIHI);
    }

    // 備考: one line down to 5.5 pt, else two lines.
    const auto clip = cell(231, 275);
    fontSize(10);
    if (PRT_FONT_FIT(w.MSG, 10, 5, 40) >= 5.5 - 1e-9) {
        LIST_TEXT(231.5, y, w.MSG);
        return;
    }
    fontSize(6);
    if (p.TextWidth(w.MSG) > 80) fontSize(5);
    PRT_TWO_LINE_CELL(231, top, 275, bottom, 231.5, y - 0.5, y + 2.8, w.MSG);
}

}  // namespace

int ZEMLO_NOTEL_PRT(const NOTEL_PRT_LABELS& labels) {
    const bool tickedOnly = PRT_KIND == PrintKind::ITEM_TOTALS_TICKED;
    const qint32 master = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    const qint32 listed = std::clamp<qint32>(KUBUN_VIEW_COUNT, 0, qint32(KUBUN_LIST_VIEW.size()));
    const NOTEL_ROW_INDEX index;
    std::vector<qint32> entries;
    std::vector<PrintRow> rows;
    for (qint32 i = 0; i < listed; ++i) {
        const qint32 e = KUBUN_LIST_VIEW[size_t(i)].KUBUN_IDX;
        if (e < 0 || e >= master) continue;
        if (tickedOnly && KUBUN_DATA[size_t(e)].PRT_MARK == 0) continue;
        entries.push_back(e);
        qint32 n = 0;
        for (const qint32 r : index.rowsOf(KUBUN_DATA[size_t(e)])) rows.push_back({e, r, ++n});
    }

    PRT_JOB job;
    job.landscape = true;
    job.adjPair = PRT_ADJ_LANDSCAPE;
    job.shiftRight = -7;
    job.shiftDown = -9;
    job.fontName = kMincho;
    job.fontSize = 9;
    job.errorTitle = QStringLiteral("台帳印刷");
    job.rowCount = int(rows.size());
    job.newPageBefore = [&rows](int r) { return rows[size_t(r)].n % LIST_ROWS_PER_PAGE == 1; };
    int current = 0;
    job.drawPageFrame = [&](int) {
        const PrintRow& first = rows[size_t(current)];
        const int kind = first.n == 1 ? 1 : 2;
        ZEMLO_NOTEL_FRAME_PRT(kind);
        ZEMLO_NOTEL_HEAD_PRT(first.entry, kind);
    };
    job.drawRow = [&](int r) {
        const PrintRow& row = rows[size_t(r)];
        const IN_ROW& w = IN_ROW_LIST[size_t(row.row)];
        if (labels) {
            labels(w.KYOUKA + QChar(u' ') + w.BUNRUI, w.NAME_D + QStringLiteral("　印刷処理中"));
            ui::DoEvents();
        }
        const int line = row.n % LIST_ROWS_PER_PAGE;
        ZEMLO_NOTEL_ROW_PRT(row.row, line == 0 ? LIST_ROWS_PER_PAGE : line);
        if (r + 1 < int(rows.size())) current = r + 1;
    };
    // The frame of a page is drawn before its first row: `current` points at it.
    const int result = PRT_RUN(job);
    if (result == 1)
        for (const qint32 e : entries) KUBUN_DATA[size_t(e)].PRT_MARK = 0;
    return result;
}
