// The purchase-history list print "備品登録リスト" and the purchase ledger
// "備品購入台帳": one row per purchase-history row IN_ROW. The two share their
// cells and differ in their columns (the ledger has no number column and
// wider cells) and in the rule of the remarks.
#include <algorithm>
#include <array>
#include <span>

#include "platform/printer.h"
#include "printing/list_print_frame.h"
#include "printing/list_print_jobs.h"
#include "store/amounts.h"
#include "store/state.h"

namespace {

// Where the cells of a history row go and how wide they are (mm).
struct ROW_LAYOUT {
    bool number;  // the number column (the list has one, the ledger not)
    double xDate, xKeihi, xKubun;
    double xSubject, xBunrui, xName, xMaker, cellWidth;  // the four wide cells share one width
    double xShop, wShop;
    double xQty, xPrice, xTax, xAmount;
    double xMsg, wMsg;
    // Remarks wider than wMsg at every size: two lines at sizeA, or at sizeB
    // when wider than `wide` at sizeA.
    double sizeA, sizeB, wide;
};

constexpr ROW_LAYOUT kList{true, 30.5, 45.5, 54.5, 61.5, 94.5, 127.5, 160.5, 32, 193.5, 19,
                           212.5, 221, 236.5, 244, 259.5, 18, 6, 5, 50};
constexpr ROW_LAYOUT kLedger{false, 15.5, 30.5, 39.5, 46.5, 81.5, 118.5, 155.5, 36, 192.5, 23,
                             215.5, 224, 239.5, 247, 262.5, 22, 6.5, 5.5, 44};

constexpr std::array<double, 13> kListColumns{30, 45, 54, 61, 94, 127, 160, 193, 213, 221, 236, 244, 259};
constexpr std::array<double, 12> kLedgerColumns{30, 39, 46, 81, 118, 155, 192, 216, 224, 239, 247, 262};

void head(double x, double y, double size, const QString& text) {
    prn::printer().FontSize = size;
    LIST_TEXT(x, y, text);
}

// The headings of the columns both prints have, from the date on, at their x.
struct HEADS {
    double date, keihi, kubun, level1, level2, name, maker, shop, qty, price, tax, amount, msg;
};
void heads(const HEADS& h) {
    head(h.date, 21, 8, QStringLiteral("購入年月日"));
    head(h.keihi, 20.5, 8, QStringLiteral("経費"));
    head(h.keihi, 23.5, 8, QStringLiteral("区分"));
    head(h.kubun, 20.5, 8, QStringLiteral("備品"));
    head(h.kubun, 23.5, 8, QStringLiteral("区分"));
    head(h.level1, 20.5, 8, KUBUN_LEVEL_NAME[0]);
    head(h.level1, 23.5, 8, QStringLiteral("機能別分類"));
    head(h.level2, 21, 9, KUBUN_LEVEL_NAME[1]);
    head(h.name, 21, 9, QStringLiteral("品名"));
    head(h.maker, 21, 9, QStringLiteral("規格・品質"));
    head(h.shop, 21, 9, QStringLiteral("購入先"));
    head(h.qty, 21, 9, QStringLiteral("数量"));
    head(h.price, 21, 9, QStringLiteral("単価"));
    head(h.tax, 20.5, 8, QStringLiteral("消費"));
    head(h.tax, 23.5, 8, QStringLiteral(" 税"));
    head(h.amount, 21, 9, QStringLiteral("金額"));
    head(h.msg, 21, 9, QStringLiteral("備考"));
}

qint32 rowCount() { return std::clamp<qint32>(ROW_COUNT, 0, qint32(IN_ROW_LIST.size())); }

void historyRow(const ROW_LAYOUT& L, qint32 index, int line) {
    if (index < 0 || index >= rowCount()) return;
    const IN_ROW& r = IN_ROW_LIST[size_t(index)];
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = 8;
    const double y = LIST_ROW_Y(line);

    // Every cell cuts its texts at its rules; the clip ends with the row.
    // Cell k is the k-th from the left of the print's columns.
    prn::ClipScope row(p, 15, LIST_ROW_TOP(line), 285, LIST_ROW_BOTTOM(line));
    const std::span<const double> cols = L.number ? std::span<const double>(kListColumns)
                                                  : std::span<const double>(kLedgerColumns);
    auto left = [&cols](size_t k) { return k == 0 ? 15.0 : cols[k - 1]; };
    auto right = [&cols](size_t k) { return k == cols.size() ? 285.0 : cols[k]; };
    size_t k = 0;  // the cell of the next column
    auto cell = [&] {
        LIST_CELL(left(k), right(k), line);
        return k++;
    };
    // The two lines of the cell last begun, the second from y `split` on.
    auto upper = [&](double split) { LIST_CELL_UPPER(left(k - 1), right(k - 1), line, split); };
    auto lower = [&](double split) { LIST_CELL_LOWER(left(k - 1), right(k - 1), line, split); };

    if (L.number) {
        cell();
        if (r.ROW_QTY <= 1) {
            LIST_FIGURE_LEFT(left(0), right(0), 16.5, y, LIST_NUMBER_TEXT(r.BY_W, r.BY_Y, r.B_NO, r.NOS_FIRST));
        } else {
            upper(y + 3);
            LIST_FIGURE_LEFT(left(0), right(0), 16.5, y, LIST_NUMBER_TEXT(r.BY_W, r.BY_Y, r.B_NO));
            lower(y + 3);
            LIST_FIGURE_LEFT(left(0), right(0), 16.5, y + 3,
                             QString::number(r.NOS_FIRST) + QChar(u'～') + QString::number(r.NOS_LAST));
        }
    }
    const size_t date = cell();
    LIST_FIGURE_LEFT(left(date), right(date), L.xDate, y, LIST_DATE_TEXT(r.BIN_Y, r.BIN_M, r.BIN_D));
    const size_t keihi = cell();
    LIST_FIT_FONT(r.KEIHI, 8, LIST_MIN_SIZE, right(keihi) - L.xKeihi);
    LIST_TEXT(L.xKeihi, y, r.KEIHI);
    cell();
    p.FontSize = 8;
    LIST_KUBUN_CELL(L.xKubun, y, r.KUBUN);

    const size_t subjectCell = cell();
    const QString subject = QString::number(r.NO_KY) + QChar(u' ') + r.KYOUKA;
    const bool func = !r.FUNC_D.isEmpty();
    // Within the room of the cell where it is narrower than the others.
    LIST_FIT_FONT(subject, func ? 8 : 9, 5, std::min(L.cellWidth, right(subjectCell) - L.xSubject));
    if (func) upper(y + 2.8);
    LIST_TEXT(L.xSubject, y, subject);
    if (func) {
        lower(y + 2.8);
        LIST_TEXT(L.xSubject, y + 2.8, LIST_FUNC_NAME(r.FUNC_NO));
    }

    cell();
    const QString bunrui = r.NO_BU + QChar(u' ') + r.BUNRUI;
    LIST_FIT_FONT(bunrui, 9, 5, L.cellWidth);
    LIST_TEXT(L.xBunrui, y, bunrui);

    cell();
    LIST_FIT_FONT(r.NAME_D, 9, 5, L.cellWidth);
    LIST_TEXT(L.xName, y, r.NAME_D);

    cell();
    const QString maker = r.MAKER + QChar(u' ') + r.MAKER_NO;
    if (LIST_FIT_FONT(maker, 9, 5, L.cellWidth)) {
        LIST_TEXT(L.xMaker, y, maker);
    } else {
        p.FontSize = 6;
        if (p.TextWidth(r.MAKER) >= L.cellWidth || p.TextWidth(r.MAKER_NO) >= L.cellWidth) p.FontSize = 5;
        upper(y + 2.8);
        LIST_TEXT(L.xMaker, y, r.MAKER);
        lower(y + 2.8);
        LIST_TEXT(L.xMaker, y + 2.8, r.MAKER_NO);
    }

    cell();
    LIST_FIT_FONT(r.SHOP, 9, 5, L.wShop);
    LIST_TEXT(L.xShop, y, r.SHOP);

    p.FontSize = 9;
    const size_t qty = cell();
    if (r.ROW_QTY > 0) LIST_FIGURE_FIELD(left(qty), right(qty), L.xQty, y, QString::number(r.ROW_QTY), 5);
    const size_t price = cell();
    if (r.B_MONY > 0) LIST_FIGURE_FIELD(left(price), right(price), L.xPrice, y, MONEY_TEXT(r.B_MONY), 9);
    const size_t tax = cell();
    LIST_FIGURE_LEFT(left(tax), right(tax), L.xTax, y, LIST_TAX_TEXT(r.TAX_K, r.TAX));
    const size_t amount = cell();
    LIST_FIGURE_FIELD(left(amount), right(amount), L.xAmount, y,
                      MONEY_TEXT(ITEM_AMOUNT(r.B_MONY, r.ROW_QTY, r.TAX_K == 1, r.TAX)), 9);

    const size_t msg = cell();
    if (LIST_FIT_FONT(r.MSG, 9, 5, L.wMsg)) {
        LIST_TEXT(L.xMsg, y, r.MSG);
        return;
    }
    p.FontSize = L.sizeA;
    if (p.TextWidth(r.MSG) > L.wide) p.FontSize = L.sizeB;
    PRT_TWO_LINE_CELL(left(msg), LIST_ROW_TOP(line), right(msg), LIST_ROW_BOTTOM(line), L.xMsg, y, y + 2.8, r.MSG);
}

// The filter text of the history's first-page lines.
QString historyFilter() {
    const LIST_PRT_SRC& s = IN_LIST_SRC;
    return LIST_YEAR_PART(s.CH_Y, s.DP_W, QStringLiteral("年度 ")) + LIST_FILTER_PART(QStringLiteral("経費区分"), s.KEIHI) +
           LIST_FILTER_PART(QStringLiteral("備品区分"), s.KUBUN) + LIST_FILTER_PART(KUBUN_LEVEL_NAME[0], s.KYOUKA) +
           LIST_FILTER_PART(KUBUN_LEVEL_NAME[1], s.BUNRUI);
}

}  // namespace

// ---------------------------------------------------------------- the history list

void IN_LIST_COND_PRT() { LIST_COND_LINE(historyFilter(), IN_LIST_SRC.TOTAL); }

void IN_LIST_FRAME_PRT() {
    LIST_PAGE_FRAME(285, kListColumns, QStringLiteral("備品登録リスト"), 8, [] {
        head(16.5, 21, 9, QStringLiteral("備品番号"));
        heads({30.5, 46.5, 55, 69, 102, 140, 168, 198, 214, 225, 237, 248, 268});
    });
}

void IN_LIST_ROW_PRT(qint32 row, int line) { historyRow(kList, row, line); }

void IN_LIST_PRT() {
    const PrintKind kind = PRT_KIND;
    const LIST_RANGE r = LIST_RANGE_OF(kind == PrintKind::HISTORY_LIST_SELECTED, IN_SEL_FIRST, IN_SEL_LAST, rowCount());
    LIST_JOB job;
    for (qint32 i = r.first; i <= r.last; ++i) job.rows.push_back(i);
    if (kind == PrintKind::HISTORY_LIST) job.condLine = IN_LIST_COND_PRT;
    job.frame = IN_LIST_FRAME_PRT;
    job.row = IN_LIST_ROW_PRT;
    LIST_PRT_JOB(job);
}

// ---------------------------------------------------------------- the purchase ledger

void IN_NOTE_COND_PRT() { LIST_COND_LINE(historyFilter(), IN_LIST_SRC.TOTAL); }

void IN_NOTE_FRAME_PRT() {
    LIST_PAGE_FRAME(285, kLedgerColumns, QStringLiteral("備品購入台帳"), 7,
                    [] { heads({15.5, 31.5, 40, 54, 89, 131, 163, 197, 217, 228, 240, 251, 270}); });
}

void IN_NOTE_ROW_PRT(qint32 row, int line) { historyRow(kLedger, row, line); }

void IN_NOTE_PRT_JOB() {
    LIST_JOB job;
    const qint32 n = rowCount();
    job.rows.reserve(size_t(n));
    for (qint32 i = 0; i < n; ++i) job.rows.push_back(i);
    job.condLine = IN_NOTE_COND_PRT;
    job.frame = IN_NOTE_FRAME_PRT;
    job.row = IN_NOTE_ROW_PRT;
    LIST_PRT_JOB(job);
}
