// The item list print "備品リスト" and the disposed list print "廃棄備品リスト":
// one 14-column row per item record on the item-list page.
#include <algorithm>
#include <array>

#include "platform/printer.h"
#include "printing/list_print_frame.h"
#include "printing/list_print_jobs.h"
#include "store/amounts.h"
#include "store/state.h"

namespace {

constexpr std::array<double, 13> kColumns{31, 46, 55, 62, 94, 126, 158, 188, 208, 228, 243, 251, 266};

bool validRecord(qint32 rec) { return rec >= 0 && rec < ZEMLO_COUNT && rec < qint32(ZEMLO_DATA.size()); }

void head(double x, double y, double size, const QString& text) {
    prn::printer().FontSize = size;
    LIST_TEXT(x, y, text);
}

// The remarks cell without a disposal reason: one line fitted into 18 mm,
// or two lines, at 6 pt while they hold it, else at 5 pt.
void remarksCell(const QString& msg, double y, int line) {
    prn::Printer& p = prn::printer();
    if (LIST_FIT_FONT(msg, 9, 5, 18)) {
        LIST_TEXT(266.5, y, msg);
        return;
    }
    p.FontSize = 6;
    if (p.TextWidth(msg) > 36) p.FontSize = 5;
    PRT_TWO_LINE_CELL(266, LIST_ROW_TOP(line), 285, LIST_ROW_BOTTOM(line), 266.5, y, y + 2.8, msg);
}

}  // namespace

LIST_PRT_SRC& LIST_PRT_SRC_OF(PrintKind kind) {
    if (kind < PrintKind::HISTORY_LIST) return ZEMLO_LIST_SRC;
    if (kind < PrintKind::PLAN_LIST) return IN_LIST_SRC;
    if (kind < PrintKind::DISPOSED_LIST) return P_LIST_SRC;
    return OUT_LIST_SRC;
}

LIST_RANGE LIST_RANGE_OF(bool selected, qint32 selFirst, qint32 selLast, qint32 count) {
    if (!selected) return {0, count - 1};
    if (selLast < selFirst) std::swap(selFirst, selLast);
    return {std::max(selFirst, 0), std::min(selLast, count - 1)};
}

// ---------------------------------------------------------------- the row and the frame

void ZEMLO_LIST_FRAME_PRT() {
    const PrintKind kind = PRT_KIND;
    const bool itemList = kind < PrintKind::HISTORY_LIST;
    LIST_PAGE_FRAME(285, kColumns, itemList ? QStringLiteral("備品リスト") : QStringLiteral("廃棄備品リスト"), 8, [kind] {
        if (kind == PrintKind::DISPOSED_TOTALS) {
            head(17, 20.5, 8, QStringLiteral("備品番号"));
            head(17, 23.5, 8, QStringLiteral(" 廃棄数"));
        } else {
            head(17, 21.5, 8, QStringLiteral("備品番号"));
        }
        head(31.5, 20.5, 8, QStringLiteral("購入年月日"));
        head(31.5, 23.5, 8, QStringLiteral("廃棄年月日"));
        head(47.5, 20.5, 8, QStringLiteral("経費"));
        head(47.5, 23.5, 8, QStringLiteral("区分"));
        head(56, 20.5, 8, QStringLiteral("備品"));
        head(56, 23.5, 8, QStringLiteral("区分"));
        head(70, 20.5, 8, KUBUN_LEVEL_NAME[0]);
        head(70, 23.5, 8, QStringLiteral("機能別分類"));
        head(102, 21, 9, KUBUN_LEVEL_NAME[1]);
        head(139, 21, 9, QStringLiteral("品名"));
        head(165, 21, 9, QStringLiteral("規格・品質"));
        head(195, 21, 9, QStringLiteral("購入先"));
        head(211, 21, 9, QStringLiteral("保管場所"));
        head(232, 21, 9, QStringLiteral("単価"));
        head(244, 20.5, 8, QStringLiteral("消費"));
        head(244, 23.5, 8, QStringLiteral(" 税"));
        head(255, 21, 9, QStringLiteral("金額"));
        head(272, 21, 9, QStringLiteral("備考"));
    });
}

void ZEMLO_LIST_ROW_PRT(qint32 rec, int line, int count) {
    if (!validRecord(rec)) return;
    const ZEMLO_REC& z = ZEMLO_DATA[size_t(rec)];
    const bool totals = PRT_KIND == PrintKind::DISPOSED_TOTALS;
    // The item list strikes a disposed item out (where the settings ask for it).
    const bool itemList = PRT_KIND != PrintKind::DISPOSED_LIST && PRT_KIND != PrintKind::DISPOSED_LIST_SELECTED && !totals;
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    const double y = LIST_ROW_Y(line);
    // Every cell cuts its texts at its rules; the clip ends with the row.
    prn::ClipScope row(p, 15, LIST_ROW_TOP(line), 285, LIST_ROW_BOTTOM(line));
    auto left = [](int column) { return column == 0 ? 15 : kColumns[size_t(column - 1)]; };
    auto right = [](int column) { return column == int(kColumns.size()) ? 285 : kColumns[size_t(column)]; };
    auto cell = [&](int column) { LIST_CELL(left(column), right(column), line); };
    // The two lines of a cell, the second from y `split` on.
    auto upper = [&](int column, double split) { LIST_CELL_UPPER(left(column), right(column), line, split); };
    auto lower = [&](int column, double split) { LIST_CELL_LOWER(left(column), right(column), line, split); };

    // Number: with its branch, or (totals) without it over the count.
    if (totals) upper(0, y + 2.5);
    else cell(0);
    const QString number = totals ? LIST_NUMBER_TEXT(z.BY_W, z.BY_Y, z.B_NO)
                                  : LIST_NUMBER_TEXT(z.BY_W, z.BY_Y, z.B_NO, z.B_NOS);
    p.FontSize = number.size() > 10 ? 7.2 : 8;
    LIST_FIGURE_LEFT(15, 31, 15.5, totals ? y - 0.3 : y, number);
    p.FontSize = 8;
    if (totals) {
        lower(0, y + 2.5);
        LIST_FIGURE_RIGHT(15, 31, 30.5, y + 2.5, QString::number(count));
    }

    // Purchase date over the out date; a disposed item struck out in the
    // item list when the settings ask for it.
    upper(1, y + 2.5);
    LIST_FIGURE_LEFT(31, 46, 31.5, y - 0.3, LIST_DATE_TEXT(z.BIN_Y, z.BIN_M, z.BIN_D));
    if (z.BOUT_Y > 1900) {
        lower(1, y + 2.5);
        LIST_FIGURE_LEFT(31, 46, 31.5, y + 2.5, LIST_DATE_TEXT(z.BOUT_Y, z.BOUT_M, z.BOUT_D));
        if ((SET_FLAGS & 8) && itemList) {
            p.Line(15, y + 0.9, 266, y + 0.9);
            p.Line(15, y + 1.9, 266, y + 1.9);
        }
    }

    cell(2);
    LIST_FIT_FONT(z.KEIHI, 8, LIST_MIN_SIZE, 8.5);
    LIST_TEXT(46.5, y, z.KEIHI);
    cell(3);
    p.FontSize = 8;
    LIST_KUBUN_CELL(55.5, y, z.KUBUN);

    cell(4);
    const QString subject = QString::number(z.NO_KY) + QChar(u' ') + z.KYOUKA;
    if (!z.FUNC_D.isEmpty()) {
        LIST_FIT_FONT(subject, 8, 5, 31);
        upper(4, y + 2.8);
        LIST_TEXT(62.5, y, subject);
        lower(4, y + 2.8);
        LIST_TEXT(62.5, y + 2.8, LIST_FUNC_NAME(z.FUNC_NO));
    } else {
        LIST_FIT_FONT(subject, 9, 5, 31);
        LIST_TEXT(62.5, y, subject);
    }

    cell(5);
    const QString bunrui = z.NO_BU + QChar(u' ') + z.BUNRUI;
    LIST_FIT_FONT(bunrui, 9, 5, 31);
    LIST_TEXT(94.5, y, bunrui);

    // The name fits the room of its cell, up to the rule at 158.
    cell(6);
    LIST_FIT_FONT(z.NAME_D, 9, 5, 31.5);
    LIST_TEXT(126.5, y, z.NAME_D);

    cell(7);
    const QString maker = z.MAKER + QChar(u' ') + z.MAKER_NO;
    if (LIST_FIT_FONT(maker, 9, 5, 29)) {
        LIST_TEXT(158.5, y, maker);
    } else {
        p.FontSize = 6;
        if (p.TextWidth(z.MAKER) >= 29 || p.TextWidth(z.MAKER_NO) >= 29) p.FontSize = 5;
        upper(7, y + 2.8);
        LIST_TEXT(158.5, y, z.MAKER);
        lower(7, y + 2.8);
        LIST_TEXT(158.5, y + 2.8, z.MAKER_NO);
    }

    cell(8);
    LIST_FIT_FONT(z.SHOP, 9, 5, 19);
    LIST_TEXT(188.5, y, z.SHOP);
    if (!z.KEEP.isEmpty()) {
        cell(9);
        LIST_FIT_FONT(z.KEEP, 9, 5, 19);
        LIST_TEXT(208.5, y, z.KEEP);
    }

    p.FontSize = 9;
    cell(10);
    if (z.B_MONY > 0) LIST_FIGURE_RIGHT(228, 243, 242, y, MONEY_TEXT(z.B_MONY));
    cell(11);
    LIST_FIGURE_LEFT(243, 251, 243.5, y, LIST_TAX_TEXT(z.TAX_K, z.TAX));
    cell(12);
    LIST_FIGURE_RIGHT(251, 266, 265, y, MONEY_TEXT(qint64(count) * ZEMLO_AMOUNT(z, false)));

    cell(13);
    if (z.MOVE_N2.isEmpty()) {
        remarksCell(z.MSG, y, line);
    } else {
        p.FontSize = 6;
        upper(13, y + 2.8);
        LIST_TEXT(266.5, y, z.MSG);
        lower(13, y + 2.8);
        LIST_TEXT(266.5, y + 2.8, ((z.MOVE_F & 2) ? QStringLiteral("移転 ") : QStringLiteral("廃棄 ")) + z.MOVE_N2);
    }
}

// ---------------------------------------------------------------- the item list

void ZEMLO_LIST_COND_PRT() {
    const LIST_PRT_SRC& s = ZEMLO_LIST_SRC;
    QString filter;
    if (INDEX_COUNT != ZEMLO_COUNT) {
        filter += LIST_YEAR_PART(s.CH_Y, s.DP_W, QStringLiteral("年度 "));
        filter += LIST_FILTER_PART(QStringLiteral("備品区分"), s.KUBUN);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[0], s.KYOUKA);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[1], s.BUNRUI);
        if (!s.KEEP.isEmpty()) filter += QStringLiteral("保管場所 = ") + s.KEEP;
    }
    LIST_COND_LINE(filter, s.TOTAL);
}

void ZEMLO_LIST_PRT() {
    const PrintKind kind = PRT_KIND;
    const bool withoutDisposed = kind == PrintKind::ITEM_LIST_IN_USE || kind == PrintKind::ITEM_LIST_SELECTED_IN_USE;
    const bool selected = kind == PrintKind::ITEM_LIST_SELECTED || kind == PrintKind::ITEM_LIST_SELECTED_IN_USE;
    const qint32 count = std::min<qint32>(INDEX_COUNT, qint32(ZEMLO_INDEX.size()));
    const LIST_RANGE r = LIST_RANGE_OF(selected, INDEX_SEL.SEL_FIRST, INDEX_SEL.SEL_LAST, count);
    LIST_JOB job;
    job.rows.reserve(size_t(std::max(0, r.last - r.first + 1)));
    for (qint32 pos = r.first; pos <= r.last; ++pos) {
        const qint32 rec = ZEMLO_INDEX[size_t(pos)].IDX;
        if (!validRecord(rec)) continue;
        if (withoutDisposed && ZEMLO_DATA[size_t(rec)].BOUT_Y > 1900) continue;
        job.rows.push_back(rec);
    }
    if (kind == PrintKind::ITEM_LIST) job.condLine = ZEMLO_LIST_COND_PRT;
    job.frame = ZEMLO_LIST_FRAME_PRT;
    job.row = [](qint32 rec, int line) { ZEMLO_LIST_ROW_PRT(rec, line, 1); };
    LIST_PRT_JOB(job);
}

// ---------------------------------------------------------------- the disposed list

void OUT_LIST_COND_PRT() {
    const LIST_PRT_SRC& s = OUT_LIST_SRC;
    QString filter;
    if (OUT_VIEW_COUNT != OUT_COUNT) {
        filter += LIST_YEAR_PART(s.CH_Y, s.DP_W, QStringLiteral("年度購入  "));
        filter += LIST_YEAR_PART(s.OUT_Y, s.DP_WO, QStringLiteral("年度廃棄  "));
        filter += LIST_FILTER_PART(QStringLiteral("経費区分"), s.KEIHI);
        filter += LIST_FILTER_PART(QStringLiteral("備品区分"), s.KUBUN);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[0], s.KYOUKA);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[1], s.BUNRUI);
    }
    LIST_COND_LINE(filter, s.TOTAL);
}

void OUT_LIST_PRT() {
    const PrintKind kind = PRT_KIND;
    const qint32 count = std::min<qint32>(OUT_VIEW_COUNT, qint32(OUT_LIST_VIEW.size()));
    const LIST_RANGE r = LIST_RANGE_OF(kind == PrintKind::DISPOSED_LIST_SELECTED, OUT_SEL_TOP, OUT_SEL_END, count);
    LIST_JOB job;
    for (qint32 pos = r.first; pos <= r.last; ++pos) {
        const qint32 rec = OUT_LIST_VIEW[size_t(pos)].REC_NO;
        if (validRecord(rec)) job.rows.push_back(rec);
    }
    if (kind == PrintKind::DISPOSED_LIST) job.condLine = OUT_LIST_COND_PRT;
    job.frame = ZEMLO_LIST_FRAME_PRT;
    job.row = [](qint32 rec, int line) { ZEMLO_LIST_ROW_PRT(rec, line, 1); };
    LIST_PRT_JOB(job);
}
